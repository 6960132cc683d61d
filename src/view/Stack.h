#pragma once

#include <QImage>

#include <array>
#include <memory>

// The bounded snapshot history: at most 16 whole pictures. It owns every
// snapshot pushed into it.
class Stack
{
  public:
    static constexpr int MaxCapacity = 16;

    explicit Stack(int requestedCapacity);
    virtual ~Stack();

    Stack(const Stack&) = delete;
    Stack& operator=(const Stack&) = delete;

    // Gives up everything above the current snapshot; when full, drops the oldest.
    void Push(std::unique_ptr<QImage> snapshot);
    // No precondition checks: callers ask CanUndo / CanRedo first.
    const QImage* Undo();
    const QImage* Redo();
    bool CanUndo() const { return top > 0; }
    bool CanRedo() const { return top + 1 < count; }
    const QImage* Top() const;
    void Clear();

    int Capacity() const { return capacity; }
    int Count() const { return count; }
    int TopIndex() const { return top; }
    // Bytes held by every stored snapshot, abandoned redo entries included.
    qsizetype SizeInBytes() const;

  private:
    int capacity;
    int count = 0;
    int top = -1;
    std::array<std::unique_ptr<QImage>, MaxCapacity> entries;
};
