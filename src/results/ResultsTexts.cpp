#include "results/ResultsTexts.h"

QString ResultsTexts::QuantityName(Quantity quantity, int segment) const
{
    const QString& name = quantities[size_t(quantity)];
    return quantity == Quantity::Segment ? name.arg(segment) : name;
}
