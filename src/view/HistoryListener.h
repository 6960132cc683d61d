#pragma once

class CDrawObject;

// Told of every step of the view's edit history as it happens, so that what
// belongs to an edit can follow it through undo and redo.
class HistoryListener
{
  public:
    virtual ~HistoryListener() = default;

    // A new step: the object (if any) is drawn into the picture and about to
    // be deleted.
    virtual void Committed(CDrawObject* object) = 0;
    virtual void Undone() = 0;
    virtual void Redone() = 0;
};
