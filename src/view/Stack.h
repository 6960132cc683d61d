#pragma once

#include <QByteArray>
#include <QImage>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The bounded snapshot history: at most 16 pictures. Only the current one is
// held whole; between each snapshot and the next the history keeps just the
// tiles that differ, holding whichever side is not current, so undo and redo
// exchange those tiles with the current picture. A history of sixteen small
// edits costs one picture plus the edits' tiles instead of sixteen pictures.
class Stack
{
  public:
    static constexpr int MaxCapacity = 16;
    // Tiles of the differences, in picture pixels.
    static constexpr int TileWidth = 64;
    static constexpr int TileHeight = 16;
    // Differences beyond this many bytes give up their oldest steps early:
    // sixteen edits each repainting nearly the whole picture.
    static constexpr qsizetype DefaultByteCap = qsizetype(256) << 20;

    explicit Stack(int requestedCapacity, qsizetype byteCap = DefaultByteCap);
    virtual ~Stack();

    Stack(const Stack&) = delete;
    Stack& operator=(const Stack&) = delete;

    // Gives up everything above the current snapshot; when full, drops the oldest.
    void Push(std::unique_ptr<QImage> snapshot);
    // No precondition checks: callers ask CanUndo / CanRedo first. Each hands
    // out a new image object, so a changed top shows in its address.
    const QImage* Undo();
    const QImage* Redo();
    bool CanUndo() const { return top > 0; }
    bool CanRedo() const { return top + 1 < count; }
    const QImage* Top() const;
    void Clear();

    int Capacity() const { return capacity; }
    int Count() const { return count; }
    int TopIndex() const { return top; }
    // Bytes held: the current picture and every kept difference.
    qsizetype SizeInBytes() const;

  private:
    // The tiles in which two neighbouring snapshots differ, with the pixels of
    // the side that is not current; or a whole picture when their shapes differ.
    struct Change
    {
        QImage whole;
        std::vector<uint32_t> tiles;
        QByteArray pixels;
        qsizetype rawSize = 0;
        bool compressed = false;

        qsizetype SizeInBytes() const;
    };
    static Change Difference(const QImage& from, const QImage& to);
    // Puts the change's side into the picture and keeps the picture's side.
    static void Exchange(QImage& picture, Change& change);
    static void Pack(Change& change, QByteArray raw);
    static QByteArray Unpack(const Change& change);
    void MoveCurrent();
    void DropOldest();

    int capacity;
    qsizetype byteCap;
    int count = 0;
    int top = -1;
    std::unique_ptr<QImage> current;
    // changes[i] lies between snapshot i and snapshot i + 1.
    std::array<Change, MaxCapacity> changes;
};
