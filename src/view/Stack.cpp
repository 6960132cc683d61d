#include "view/Stack.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Each tile as rows of its width, clipped at the picture's right and bottom.
template <typename RowAction>
void ForEachTileRow(const QImage& picture, uint32_t tile, RowAction action)
{
    const int across = (picture.width() + Stack::TileWidth - 1) / Stack::TileWidth;
    const int left = int(tile % uint32_t(across)) * Stack::TileWidth;
    const int top = int(tile / uint32_t(across)) * Stack::TileHeight;
    const size_t bytesPerPixel = size_t(picture.depth() / 8);
    const size_t offset = size_t(left) * bytesPerPixel;
    const size_t length =
        size_t(std::min(Stack::TileWidth, picture.width() - left)) * bytesPerPixel;
    for (int y = top; y < std::min(top + Stack::TileHeight, picture.height()); ++y)
        action(y, offset, length);
}

} // namespace

Stack::Stack(int requestedCapacity, qsizetype byteCap)
    : capacity(std::clamp(requestedCapacity, 0, MaxCapacity)), byteCap(byteCap)
{}

Stack::~Stack()
{
    Clear();
}

qsizetype Stack::Change::SizeInBytes() const
{
    return whole.sizeInBytes() + pixels.size() + qsizetype(tiles.size() * sizeof(uint32_t));
}

Stack::Change Stack::Difference(const QImage& from, const QImage& to)
{
    Change change;
    if (from.size() != to.size() || from.format() != to.format() || from.depth() % 8 != 0) {
        change.whole = from;
        return change;
    }
    const int across = (from.width() + TileWidth - 1) / TileWidth;
    const int down = (from.height() + TileHeight - 1) / TileHeight;
    QByteArray raw;
    for (uint32_t tile = 0; tile < uint32_t(across) * uint32_t(down); ++tile) {
        bool differs = false;
        ForEachTileRow(from, tile, [&](int y, size_t offset, size_t length) {
            differs = differs || std::memcmp(from.constScanLine(y) + offset,
                                             to.constScanLine(y) + offset, length) != 0;
        });
        if (!differs)
            continue;
        change.tiles.push_back(tile);
        ForEachTileRow(from, tile, [&](int y, size_t offset, size_t length) {
            raw.append(reinterpret_cast<const char*>(from.constScanLine(y)) + offset,
                       qsizetype(length));
        });
    }
    Pack(change, std::move(raw));
    return change;
}

void Stack::Pack(Change& change, QByteArray raw)
{
    change.rawSize = raw.size();
    // Drawn lines and text over flat areas compress well; a textured
    // micrograph hardly does, and then the raw pixels stay.
    QByteArray packed = raw.isEmpty() ? QByteArray() : qCompress(raw, 1);
    change.compressed = !packed.isEmpty() && packed.size() < raw.size() - raw.size() / 4;
    change.pixels = change.compressed ? std::move(packed) : std::move(raw);
    change.pixels.squeeze();
}

QByteArray Stack::Unpack(const Change& change)
{
    return change.compressed ? qUncompress(change.pixels) : change.pixels;
}

void Stack::Exchange(QImage& picture, Change& change)
{
    if (!change.whole.isNull()) {
        std::swap(picture, change.whole);
        return;
    }
    QByteArray raw = Unpack(change);
    if (raw.size() != change.rawSize)
        return; // Out of memory while unpacking: the picture stays as it is.
    char* stored = raw.data();
    for (uint32_t tile : change.tiles) {
        ForEachTileRow(picture, tile, [&](int y, size_t offset, size_t length) {
            char* row = reinterpret_cast<char*>(picture.scanLine(y)) + offset;
            std::swap_ranges(row, row + length, stored);
            stored += length;
        });
    }
    Pack(change, std::move(raw));
}

void Stack::MoveCurrent()
{
    // The pixels stay where they are; only the object holding them is new.
    current = std::make_unique<QImage>(std::move(*current));
}

void Stack::DropOldest()
{
    std::move(changes.begin() + 1, changes.begin() + count - 1, changes.begin());
    changes[size_t(count - 2)] = Change();
    --count;
    --top;
}

void Stack::Push(std::unique_ptr<QImage> snapshot)
{
    if (capacity <= 0 || !snapshot)
        return;
    count = top + 1;
    for (int i = std::max(count - 1, 0); i < MaxCapacity; ++i)
        changes[size_t(i)] = Change();
    if (count == 0) {
        current = std::move(snapshot);
        top = 0;
        count = 1;
        return;
    }
    Change change = Difference(*current, *snapshot);
    current = std::move(snapshot);
    if (count >= capacity) {
        if (count > 1)
            DropOldest();
        else
            change = Change();
    }
    if (count >= 1 && count < capacity) {
        changes[size_t(count - 1)] = std::move(change);
        ++top;
        ++count;
    }
    qsizetype held = 0;
    for (int i = 0; i + 1 < count; ++i)
        held += changes[size_t(i)].SizeInBytes();
    while (held > byteCap && count > 2) {
        held -= changes[0].SizeInBytes();
        DropOldest();
    }
}

const QImage* Stack::Undo()
{
    --top;
    if (top >= 0 && current) {
        Exchange(*current, changes[size_t(top)]);
        MoveCurrent();
    }
    return Top();
}

const QImage* Stack::Redo()
{
    ++top;
    if (top >= 1 && current) {
        Exchange(*current, changes[size_t(top - 1)]);
        MoveCurrent();
    }
    return Top();
}

const QImage* Stack::Top() const
{
    if (top < 0)
        return nullptr;
    return current.get();
}

void Stack::Clear()
{
    count = 0;
    top = -1;
    current.reset();
    for (auto& change : changes)
        change = Change();
}

qsizetype Stack::SizeInBytes() const
{
    qsizetype bytes = current ? current->sizeInBytes() : 0;
    for (const Change& change : changes)
        bytes += change.SizeInBytes();
    return bytes;
}
