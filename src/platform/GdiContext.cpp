#include "platform/GdiContext.h"

GdiContext::GdiContext(QImage& target) : target(target), painter(&target) {}

GdiContext::~GdiContext() = default;
