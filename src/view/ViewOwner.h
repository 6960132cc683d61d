#pragma once

// What the picture view asks of the window that holds it. After a cancel that
// leaves no tool, the owner chooses the tool again from its menus.
class ViewOwner
{
  public:
    virtual ~ViewOwner() = default;

    virtual void SelectDrawingTool() = 0;
    virtual void SelectMeasuringTool() = 0;
};
