#pragma once

#include "draw/CDrawObject.h"
#include "platform/LogFont.h"
#include "view/Stack.h"
#include "view/ToolMode.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

struct PictureInfoRecord;

// Shows the picture being edited stretched over the whole view and takes the
// mouse and keyboard input of the tools. Owns the working picture, the
// snapshot history and the object being made.
class CLumvexImgEdtView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int TextBufferSize = 1024;

    explicit CLumvexImgEdtView(QWidget* parent = nullptr);
    ~CLumvexImgEdtView() override;

    bool LoadPicture(const QString& path);
    void SetToolMode(int mode);
    int GetToolMode() const { return toolMode; }
    void Undo();
    void Redo();

    // Window-to-picture arithmetic with the current picture and view sizes.
    void WindowToPicture(QPoint& point) const;
    void ScaleToPicture(int& length) const;
    bool IsInsideView(QPoint point) const;

    void RestoreWorkingPicture(bool drawObject);
    void RedrawNow();
    void SetCurrentObject(CDrawObject* object);
    CDrawObject* CurrentObject() const { return currentObject.get(); }

    virtual std::unique_ptr<QImage> TakeSnapshot();
    void ResetHistory(std::unique_ptr<QImage> snapshot);
    void CommitObject();

    const QImage& WorkingPicture() const { return workingPicture; }
    const Stack& History() const { return history; }
    int InteractionStateValue() const { return interactionState; }
    bool PictureLoaded() const { return pictureLoaded != 0; }

    // The record of the picture on screen, owned by the editor window; the
    // information overlay reads it.
    void SetInfoRecord(const PictureInfoRecord* record) { infoRecord = record; }

    // Shows a load failure; a message box unless replaced (tests record it).
    std::function<void(const QString& message)> showError;

    // The two texts of the information overlay for a record.
    static QString OverlayResolutionText(const PictureInfoRecord& record);
    static QString OverlayTimeText(const PictureInfoRecord& record);

    // Settings written by the editor window.
    ColorRef drawColor = 0;
    ColorRef measureColor = 0;
    LogFont textFont = LogFont::DefaultTextFont();
    int drawWidth = 1;
    int measureWidth = 1;
    int drawPenStyle = 0;
    int measurePenStyle = 0;
    LogFont labelFont = LogFont::DefaultTextFont();
    ColorRef labelColor = 0;
    ColorRef textColor = 0;
    double pictureMagnification = 50.0;
    double adjustedMagnification = 0.0;
    int useAdjustedMagnification = 0;
    int unit = 0;
    int modificationCount = 0;
    std::array<char16_t, TextBufferSize> textBuffer{};
    int textLength = 0;
    double resolutionFactor = 1.0;
    QSize pictureSize{0, 0};
    double pixelSize = 0.355;
    QSize viewSize{640, 480};
    QPoint lastPoint{0, 0};
    QPoint anchorPoint{0, 0};

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    void UpdateCursor();

    QImage workingPicture;
    Stack history{Stack::MaxCapacity};
    std::unique_ptr<CDrawObject> currentObject;
    int toolMode = ToolNone;
    int interactionState = StateIdle;
    int pictureLoaded = 0;
    const PictureInfoRecord* infoRecord = nullptr;

private:
    // The working picture scaled to the view, rebuilt when either changes.
    QImage displayCache;
    bool displayCacheValid = false;
};
