#include "view/Stack.h"

#include <algorithm>

Stack::Stack(int requestedCapacity) : capacity(std::clamp(requestedCapacity, 0, MaxCapacity)) {}

Stack::~Stack()
{
    Clear();
}

void Stack::Push(std::unique_ptr<QImage> snapshot)
{
    if (capacity <= 0)
        return;
    count = top + 1;
    if (count >= capacity) {
        std::move(entries.begin() + 1, entries.begin() + capacity, entries.begin());
        entries[size_t(capacity - 1)] = std::move(snapshot);
        top = capacity - 1;
        count = capacity;
        return;
    }
    ++top;
    entries[size_t(top)] = std::move(snapshot);
    count = top + 1;
}

const QImage* Stack::Undo()
{
    --top;
    return Top();
}

const QImage* Stack::Redo()
{
    ++top;
    return Top();
}

const QImage* Stack::Top() const
{
    if (top < 0)
        return nullptr;
    return entries[size_t(top)].get();
}

void Stack::Clear()
{
    count = 0;
    top = -1;
    for (auto& slot : entries)
        slot.reset();
}

qsizetype Stack::SizeInBytes() const
{
    qsizetype bytes = 0;
    for (const auto& slot : entries) {
        if (slot)
            bytes += slot->sizeInBytes();
    }
    return bytes;
}
