#include "view/CLumvexImgEdtView.h"

#include "draw/CDrawMeasure.h"
#include "draw/CDrawPen.h"
#include "draw/CDrawShape.h"
#include "draw/CDrawText.h"
#include "draw/MeasureReadout.h"
#include "magnification/PictureInfoRecord.h"
#include "platform/FileErrorReason.h"
#include "platform/GdiContext.h"
#include "platform/MessageBus.h"
#include "view/ToolCursors.h"
#include "view/ViewMapping.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QtMath>

#include <cmath>

namespace {

QString FailureText(const char* what, unsigned code, const QString& reason)
{
    return QStringLiteral("%1:\n%2 - %3")
        .arg(QLatin1String(what), QString::number(code, 16), reason);
}

GdiPoint ToGdi(QPoint p)
{
    return {p.x(), p.y()};
}

// Window points of a mouse event; Qt gives fractions only on scaled screens.
QPoint EventPoint(const QMouseEvent* event)
{
    return {qFloor(event->position().x()), qFloor(event->position().y())};
}

int MeasureKind(int tool)
{
    switch (tool) {
    case ToolCalibration:
        return 0;
    case ToolAnyAngleLine:
    case ToolStraightAngleLine:
    case ToolFortyFiveLine:
        return 1;
    case ToolThreePointAngle:
        return 6;
    case ToolThreePointCircle:
        return 7;
    case ToolThreePointArc:
        return 8;
    case ToolFourPointAngle:
        return 9;
    case ToolContinuousLine:
        return 10;
    case ToolPolygon:
        return 11;
    case ToolRadiusCircle:
        return 12;
    case ToolDiameterCircle:
        return 13;
    default:
        return -1;
    }
}

// Tools that place their points by clicks, so a key can place one as well.
bool PlacesPointsByClicks(int tool)
{
    return tool == ToolLine || tool == ToolArrow || MeasureKind(tool) >= 0;
}

bool ShowsLoupe(int tool)
{
    return PlacesPointsByClicks(tool) || tool == ToolRectangle || tool == ToolEllipse ||
           tool == ToolFreehand;
}

int AngleConstraint(int tool)
{
    switch (tool) {
    case ToolStraightAngleLine:
        return 90;
    case ToolFortyFiveLine:
        return 45;
    default:
        return 0;
    }
}

} // namespace

CLumvexImgEdtView::CLumvexImgEdtView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_InputMethodEnabled);
    resize(viewSize);
    showError = [this](const QString& message) {
        QMessageBox::critical(this, QString(), message, QMessageBox::Ok);
    };
    UpdateCursor();
}

CLumvexImgEdtView::~CLumvexImgEdtView() = default;

bool CLumvexImgEdtView::IsLoadableSize(QSize size)
{
    constexpr int64_t MaxSide = int64_t(1) << 16;
    constexpr int64_t MaxPixels = int64_t(256) << 20;
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxSide &&
           size.height() <= MaxSide && int64_t(size.width()) * size.height() <= MaxPixels;
}

bool CLumvexImgEdtView::LoadPicture(const QString& path)
{
    if (QImageReader::supportedImageFormats().isEmpty()) {
        showError(
            FailureText("GetExporterFilter failed", 1, tr("No image decoders are available.")));
        return false;
    }

    workingPicture = QImage();
    displayCacheValid = false;

    QFile file(path);
    FileErrorReason failure;
    if (QFileInfo(path).isDir()) {
        failure = FileErrorReason::IsFolder();
    } else if (!file.open(QIODevice::ReadOnly)) {
        failure = FileErrorReason::OpeningForReading(path);
    } else {
        QImageReader reader(&file);
        reader.setAutoTransform(false);
        // The size comes from the header: a few bytes may claim a picture that
        // would take minutes to show, so it is judged before decoding.
        const QSize claimed = reader.size();
        const bool tooLarge = claimed.isValid() && !IsLoadableSize(claimed);
        QImage decoded = tooLarge ? QImage() : reader.read();
        if (tooLarge || (!decoded.isNull() && !IsLoadableSize(decoded.size()))) {
            failure = {unsigned(QImageReader::InvalidDataError), tr("The picture is too large.")};
        } else if (decoded.isNull()) {
            failure = {unsigned(reader.error()), reader.errorString()};
        } else {
            workingPicture = decoded.convertToFormat(QImage::Format_RGB32);
            if (workingPicture.isNull())
                failure = FileErrorReason::NoMemory();
        }
    }
    if (workingPicture.isNull()) {
        showError(FailureText("Load image failed", failure.code, failure.text));
        return false;
    }

    pictureSize = workingPicture.size();
    viewSize = size();
    ResetHistory(TakeSnapshot());
    update();
    pictureLoaded = 1;
    return true;
}

void CLumvexImgEdtView::SetToolMode(int mode)
{
    toolMode = mode;
    interactionState = StateIdle;
    if (currentObject) {
        RedrawNow();
        CommitObject();
    }
    UpdateCursor();
    update(LoupeBox());
}

void CLumvexImgEdtView::WindowToPicture(QPoint& point) const
{
    point = ViewMapping::WindowToPicture(point, pictureSize, viewSize);
}

void CLumvexImgEdtView::ScaleToPicture(int& length) const
{
    length = ViewMapping::ScaleToPicture(length, pictureSize, viewSize);
}

bool CLumvexImgEdtView::IsInsideView(QPoint point) const
{
    return ViewMapping::IsInsideView(point, viewSize);
}

void CLumvexImgEdtView::RestoreWorkingPicture(bool drawObject)
{
    const QImage* top = history.Top();
    if (workingPicture.isNull() || !top)
        return;
    const bool sameShape =
        top->size() == workingPicture.size() && top->format() == workingPicture.format();
    if (top == syncedTop && sameShape) {
        // Only what the object drew differs from the snapshot.
        const qsizetype bytesPerPixel = 4;
        for (const TouchedArea::Run& run : drawnArea.Runs()) {
            std::memcpy(workingPicture.scanLine(run.y) + run.left * bytesPerPixel,
                        top->constScanLine(run.y) + run.left * bytesPerPixel,
                        size_t(run.right - run.left + 1) * bytesPerPixel);
        }
        MarkDisplayStale(drawnArea);
    } else {
        if (sameShape)
            std::memcpy(workingPicture.bits(), top->constBits(), size_t(top->sizeInBytes()));
        else
            workingPicture = top->convertToFormat(QImage::Format_RGB32);
        syncedTop = top;
        displayCacheValid = false;
    }
    drawnArea.Clear();
    drawnArea.SetLimits(workingPicture.rect());
    if (drawObject && currentObject) {
        GdiContext dc(workingPicture);
        currentObject->Draw(dc);
        RecordTouched(dc, drawnArea);
        MarkDisplayStale(drawnArea);
    }
}

void CLumvexImgEdtView::RecordTouched(const GdiContext& dc, TouchedArea& area)
{
    // Many lines (a long polyline) cost more to track one by one than their
    // rectangle costs to copy.
    const QRect box = dc.TouchedRect();
    double rows = 0;
    for (const GdiContext::TouchedLine& line : dc.TouchedLines())
        rows +=
            std::min(std::abs(line.to.y() - line.from.y()) + 2 * line.reach, double(box.height()));
    for (const QRect& part : dc.TouchedBoxes())
        rows += part.height();
    if (rows > 4.0 * box.height()) {
        area.AddRect(box);
        return;
    }
    for (const GdiContext::TouchedLine& line : dc.TouchedLines())
        area.AddSegment(line.from, line.to, line.reach);
    for (const QRect& box : dc.TouchedBoxes())
        area.AddRect(box);
}

void CLumvexImgEdtView::MarkDisplayStale(TouchedArea& area)
{
    if (!displayCacheValid)
        return;
    staleDisplay.SetLimits(workingPicture.rect());
    staleDisplay.Add(area);
    // Without paints in between (a hidden view) a full rebuild is cheaper.
    if (staleDisplay.RunCount() > size_t(8 * std::max(1, workingPicture.height()))) {
        staleDisplay.Clear();
        displayCacheValid = false;
    }
}

const QImage& CLumvexImgEdtView::DisplayedPicture()
{
    if (workingPicture.isNull()) {
        displayCache = QImage();
        return displayCache;
    }
    if (!displayCacheValid || displayCache.size() != size() ||
        scaler.PictureSize() != workingPicture.size() || scaler.ViewSize() != size()) {
        scaler = DisplayScaler(workingPicture.size(), size());
        displayCache = scaler.ScaleAll(workingPicture);
        staleDisplay.Clear();
        displayCacheValid = !displayCache.isNull();
        return displayCache;
    }
    if (staleDisplay.IsEmpty())
        return displayCache;
    TouchedArea viewRuns(QRect(QPoint(0, 0), size()));
    for (const TouchedArea::Run& run : staleDisplay.Runs()) {
        const int left = scaler.FirstViewColumn(run.left);
        const int right = scaler.LastViewColumn(run.right);
        for (int y = scaler.FirstViewRow(run.y); y <= scaler.LastViewRow(run.y); ++y)
            viewRuns.AddRect(QRect(QPoint(left, y), QPoint(right, y)));
    }
    for (const TouchedArea::Run& run : viewRuns.Runs())
        scaler.ScaleRect(workingPicture, displayCache,
                         QRect(QPoint(run.left, run.y), QPoint(run.right, run.y)));
    staleDisplay.Clear();
    return displayCache;
}

void CLumvexImgEdtView::RedrawNow()
{
    repaint();
}

void CLumvexImgEdtView::SetCurrentObject(CDrawObject* object)
{
    currentObject.reset(object);
}

std::unique_ptr<QImage> CLumvexImgEdtView::TakeSnapshot()
{
    if (workingPicture.isNull())
        return nullptr;
    auto snapshot = std::make_unique<QImage>(workingPicture.copy());
    if (snapshot->isNull())
        return nullptr;
    return snapshot;
}

void CLumvexImgEdtView::ResetHistory(std::unique_ptr<QImage> snapshot)
{
    history.Clear();
    history.Push(std::move(snapshot));
    syncedTop = history.Top();
    drawnArea.Clear();
    displayCacheValid = false;
    modificationCount = 0;
}

void CLumvexImgEdtView::CommitObject()
{
    auto snapshot = TakeSnapshot();
    if (!snapshot)
        return;
    history.Push(std::move(snapshot));
    // The working picture is the new snapshot, object included.
    syncedTop = history.Top();
    drawnArea.Clear();
    currentObject.reset();
    ++modificationCount;
}

void CLumvexImgEdtView::Undo()
{
    if (!history.CanUndo())
        return;
    interactionState = StateIdle;
    SetCurrentObject(nullptr);
    history.Undo();
    RestoreWorkingPicture(false);
    update();
    --modificationCount;
}

void CLumvexImgEdtView::Redo()
{
    if (!history.CanRedo())
        return;
    interactionState = StateIdle;
    SetCurrentObject(nullptr);
    history.Redo();
    RestoreWorkingPicture(false);
    update();
    ++modificationCount;
}

QString CLumvexImgEdtView::OverlayResolutionText(const PictureInfoRecord& record)
{
    return ResolutionText(record.captureResolutionCode);
}

QString CLumvexImgEdtView::OverlayTimeText(const PictureInfoRecord& record)
{
    QString name = record.PathText();
    const qsizetype cut = std::max(name.lastIndexOf(u'\\'), name.lastIndexOf(u'/'));
    if (cut >= 0)
        name = name.mid(cut + 1);
    name = name.left(13);
    const SystemTime& t = record.captureTime;
    return QString::asprintf("%d/%d/%d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                             t.second) +
           QString(28, u' ') + name;
}

void CLumvexImgEdtView::paintEvent(QPaintEvent*)
{
    if (workingPicture.isNull())
        return;
    const QImage& shown = DisplayedPicture();
    QPainter painter(this);
    painter.drawImage(0, 0, shown);

    PictureInfoRecord empty;
    const PictureInfoRecord& record = infoRecord ? *infoRecord : empty;
    const QString resolution = OverlayResolutionText(record);
    const QString time = OverlayTimeText(record);
    const int ascent = painter.fontMetrics().ascent();
    const int h = height();
    painter.setPen(Qt::black);
    painter.drawText(0, ascent, resolution);
    painter.drawText(0, h - 21 + ascent, time);
    painter.setPen(Qt::white);
    painter.drawText(1, 1 + ascent, resolution);
    painter.drawText(1, h - 20 + ascent, time);

    if (LoupeShown()) {
        CDrawMeasure* measure = CurrentMeasure();
        Loupe::Paint(painter, LoupeBox(), workingPicture, PendingPoint(),
                     measure ? MeasureReadout::Lines(*measure) : QStringList());
    }
}

void CLumvexImgEdtView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (pictureLoaded)
        viewSize = event->size();
    displayCacheValid = false;
}

void CLumvexImgEdtView::UpdateCursor()
{
    setCursor(ToolCursors::ForTool(toolMode));
}

// ---------------------------------------------------------------------------
// Object creation

double CLumvexImgEdtView::CreationMagnification(int tool, double picture, double adjusted,
                                                int useAdjusted)
{
    const double m = useAdjusted != 0 ? adjusted : picture;
    if (tool == ToolCalibration)
        return m > 1.0 ? m : 50.0;
    return m;
}

int CLumvexImgEdtView::DrawWidth() const
{
    int w = 2 * drawWidth;
    ScaleToPicture(w);
    return w;
}

int CLumvexImgEdtView::MeasureWidth() const
{
    int w = 2 * measureWidth;
    ScaleToPicture(w);
    return w;
}

LogFont CLumvexImgEdtView::ScaledFont(const LogFont& font) const
{
    LogFont scaled = font;
    ScaleToPicture(scaled.height);
    return scaled;
}

CDrawShape* CLumvexImgEdtView::StartShape(int kind)
{
    auto* shape = new CDrawShape(kind, GdiRect{});
    shape->SetPen(drawColor, DrawWidth(), drawPenStyle);
    SetCurrentObject(shape);
    return shape;
}

CDrawMeasure* CLumvexImgEdtView::StartMeasure(int kind)
{
    auto* measure = new CDrawMeasure(kind, GdiRect{});
    measure->SetPen(measureColor, MeasureWidth(), measurePenStyle);
    measure->SetFont(ScaledFont(labelFont), labelColor);
    measure->unit = unit;
    measure->magnification = CreationMagnification(toolMode, pictureMagnification,
                                                   adjustedMagnification, useAdjustedMagnification);
    measure->resolutionFactor = resolutionFactor;
    measure->pixelSize = pixelSize;
    if (kind == 1)
        measure->angleConstraint = AngleConstraint(toolMode);
    SetCurrentObject(measure);
    return measure;
}

void CLumvexImgEdtView::StartText()
{
    textBuffer.fill(0);
    textLength = 0;
    auto* text = new CDrawText();
    text->SetFont(ScaledFont(textFont), textColor);
    text->finished = 0;
    SetCurrentObject(text);
    RedrawNow();
}

CDrawMeasure* CLumvexImgEdtView::CurrentMeasure() const
{
    return dynamic_cast<CDrawMeasure*>(currentObject.get());
}

CDrawShape* CLumvexImgEdtView::CurrentShape() const
{
    return dynamic_cast<CDrawShape*>(currentObject.get());
}

CDrawPen* CLumvexImgEdtView::CurrentStroke() const
{
    return dynamic_cast<CDrawPen*>(currentObject.get());
}

CDrawText* CLumvexImgEdtView::CurrentText() const
{
    return dynamic_cast<CDrawText*>(currentObject.get());
}

// ---------------------------------------------------------------------------
// Presses

void CLumvexImgEdtView::LeftButtonDown(QPoint q)
{
    // The capture itself is Qt's: a widget keeps the mouse while a button is held.
    if (!IsInsideView(q))
        return;
    WindowToPicture(q);
    PressAt(q);
}

void CLumvexImgEdtView::PressAt(QPoint q)
{
    const GdiPoint p = ToGdi(q);
    switch (toolMode) {
    case ToolLine:
    case ToolArrow:
    case ToolRectangle:
    case ToolEllipse:
    case ToolFreehand:
    case ToolText:
        PressDrawingTool(p);
        break;
    case ToolAnyAngleLine:
    case ToolStraightAngleLine:
    case ToolFortyFiveLine:
    case ToolRadiusCircle:
    case ToolDiameterCircle:
        PressTwoPointMeasure(p);
        break;
    case ToolThreePointCircle:
    case ToolThreePointArc:
    case ToolThreePointAngle:
    case ToolFourPointAngle:
        PressMultiPointMeasure(p);
        break;
    case ToolContinuousLine:
    case ToolPolygon:
        PressPolyline(p);
        break;
    case ToolCalibration:
        PressCalibration(p);
        break;
    default:
        interactionState = StateIdle;
        break;
    }

    lastPoint = anchorPoint = q;
    RestoreWorkingPicture(true);
}

void CLumvexImgEdtView::PressDrawingTool(GdiPoint p)
{
    switch (toolMode) {
    case ToolLine:
    case ToolArrow:
        if (interactionState == StateIdle) {
            CDrawShape* shape =
                StartShape(toolMode == ToolLine ? CDrawShape::KindLine : CDrawShape::KindArrow);
            shape->points[0] = p;
            shape->pointCount = 1;
            interactionState = StateShapeStarted;
        } else if (CDrawShape* shape = CurrentShape()) {
            shape->pointCount = 2;
            shape->points[1] = p;
            interactionState = StateDragging;
        }
        break;
    case ToolRectangle:
    case ToolEllipse:
        StartShape(toolMode == ToolRectangle ? CDrawShape::KindRectangle : CDrawShape::KindEllipse);
        interactionState = StateDragging;
        break;
    case ToolFreehand: {
        auto* stroke = new CDrawPen();
        stroke->SetPen(drawColor, DrawWidth(), drawPenStyle);
        stroke->points.push_back(p);
        SetCurrentObject(stroke);
        lastPoint = p.ToQPoint();
        interactionState = StateStroke;
        break;
    }
    case ToolText:
        if (interactionState == StateIdle) {
            StartText();
            interactionState = StateTyping;
        } else if (interactionState == StateTyping) {
            CDrawText* text = CurrentText();
            if (text && !text->bounds.Contains(p)) {
                text->finished = 1;
                RedrawNow();
                RestoreWorkingPicture(true);
                CommitObject();
            }
            // A press inside the box throws the text being typed away.
            StartText();
            interactionState = StateTyping;
        }
        break;
    default:
        break;
    }
}

void CLumvexImgEdtView::PressTwoPointMeasure(GdiPoint p)
{
    if (interactionState == StateIdle) {
        CDrawMeasure* measure = StartMeasure(MeasureKind(toolMode));
        measure->labelIndex = 0;
        measure->pointIndex = 1;
        measure->points[0] = p;
        interactionState = StateFirstOfTwo;
        return;
    }
    CDrawMeasure* measure = CurrentMeasure();
    if (!measure)
        return;
    if (interactionState == StateFirstOfTwo) {
        measure->points[1] = p;
        measure->labelIndex = AllPointsPlaced;
        measure->pointIndex = 2;
        interactionState = StatePlacingLabel;
    } else {
        measure->points[2] = p;
        measure->pointIndex = 3;
        interactionState = StateComplete;
    }
}

void CLumvexImgEdtView::PressMultiPointMeasure(GdiPoint p)
{
    const bool fourPoints = toolMode == ToolFourPointAngle;
    if (interactionState == StateIdle) {
        CDrawMeasure* measure = StartMeasure(MeasureKind(toolMode));
        measure->pointIndex = 1;
        measure->labelIndex = 0;
        measure->points[1] = p;
        interactionState = StateOnePointPlaced;
        return;
    }
    CDrawMeasure* measure = CurrentMeasure();
    if (!measure)
        return;
    switch (interactionState) {
    case StateOnePointPlaced:
        measure->pointIndex = 2;
        measure->points[2] = p;
        interactionState = StateTwoPointsPlaced;
        break;
    case StateTwoPointsPlaced:
        measure->pointIndex = 3;
        measure->points[3] = p;
        if (fourPoints) {
            interactionState = StateThreePointsPlaced;
        } else {
            measure->labelIndex = AllPointsPlaced;
            interactionState = StatePlacingLabel;
        }
        break;
    case StateThreePointsPlaced:
        if (fourPoints) {
            measure->pointIndex = 4;
            measure->points[4] = p;
            measure->labelIndex = AllPointsPlaced;
            interactionState = StatePlacingLabel;
            break;
        }
        [[fallthrough]];
    default: {
        const uint32_t last = fourPoints ? 5 : 4;
        measure->pointIndex = last;
        measure->points[last] = p;
        interactionState = StateComplete;
        break;
    }
    }
}

void CLumvexImgEdtView::PressPolyline(GdiPoint p)
{
    if (interactionState == StateIdle) {
        CDrawMeasure* measure = StartMeasure(MeasureKind(toolMode));
        measure->pointIndex = 1;
        measure->labelIndex = 0;
        measure->points[1] = p;
        measure->polylinePhase = 0;
        interactionState = StatePolylineVertex;
        return;
    }
    CDrawMeasure* measure = CurrentMeasure();
    if (!measure)
        return;
    switch (interactionState) {
    case StatePolylineVertex:
        if (measure->pointIndex + 1 > LastPointSlot) {
            EndVertexList(*measure);
            break;
        }
        ++measure->pointIndex;
        measure->points[measure->pointIndex] = p;
        measure->polylinePhase = 2;
        interactionState = StatePolylineLabel;
        break;
    case StatePolylineLabel:
        // Two final labels must still fit once the vertex list ends.
        if (measure->labelIndex + 1 > LastPointSlot - 2) {
            EndVertexList(*measure);
            break;
        }
        ++measure->labelIndex;
        measure->labelPoints[measure->labelIndex] = p;
        measure->polylinePhase = 1;
        interactionState = StatePolylineVertex;
        break;
    case StatePlacingLabel:
        ++measure->labelIndex;
        measure->labelPoints[measure->labelIndex] = p;
        if (measure->polylinePhase == 4) {
            measure->polylinePhase = 5;
            interactionState = StateComplete;
        } else {
            measure->polylinePhase = 4;
        }
        break;
    default:
        break;
    }
}

void CLumvexImgEdtView::EndVertexList(CDrawMeasure& measure)
{
    measure.polylinePhase = 3;
    interactionState = StatePlacingLabel;
}

void CLumvexImgEdtView::PressCalibration(GdiPoint p)
{
    if (interactionState == StateIdle) {
        CDrawMeasure* measure = StartMeasure(0);
        measure->pointIndex = 1;
        measure->points[0] = p;
        interactionState = StateFirstOfTwo;
    } else {
        interactionState = StateComplete;
    }
}

// ---------------------------------------------------------------------------
// Moves, releases, double clicks

void CLumvexImgEdtView::PointerMove(QPoint q)
{
    if (!IsInsideView(q)) {
        if (!arrowOutsideView) {
            setCursor(Qt::ArrowCursor);
            arrowOutsideView = true;
        }
        const QRect loupeBefore = LoupeBox();
        pointerInView = false;
        RepaintLoupe(loupeBefore);
        return;
    }
    if (arrowOutsideView) {
        arrowOutsideView = false;
        UpdateCursor();
    }
    const QRect loupeBefore = LoupeBox();
    // Qt repeats the last position now and then; only a real move drops the nudge.
    if (!pointerInView || q != pointer)
        nudge = {};
    pointer = q;
    // While the mouse is captured, points left of or above the view still count.
    pointerInView = rect().contains(q);
    if (interactionState == StateIdle) {
        RepaintLoupe(loupeBefore);
        return;
    }
    MoveAt(PendingPoint());
}

void CLumvexImgEdtView::MoveAt(QPoint q)
{
    if (interactionState == StateIdle)
        return;
    const GdiPoint p = ToGdi(q);

    switch (interactionState) {
    case StateStroke:
        if (CDrawPen* stroke = CurrentStroke()) {
            stroke->points.push_back(p);
            stroke->RecalcBounds();
        }
        break;
    case StateShapeStarted:
    case StateDragging:
        if (CDrawShape* shape = CurrentShape()) {
            shape->points[1] = p;
            shape->SetBounds(ToGdi(anchorPoint), p);
        }
        break;
    case StateFirstOfTwo:
    case StateOnePointPlaced:
    case StateTwoPointsPlaced:
    case StateThreePointsPlaced:
    case StatePolylineVertex:
    case StatePlacingLabel:
    case StatePolylineLabel:
    case StateComplete:
        if (CDrawMeasure* measure = CurrentMeasure())
            measure->SetBounds(ToGdi(anchorPoint), p);
        break;
    default:
        break;
    }

    RestoreWorkingPicture(true);
    RedrawNow();
    lastPoint = q;
}

void CLumvexImgEdtView::LeftButtonUp(QPoint q)
{
    WindowToPicture(q);
    ReleaseAt(q);
}

void CLumvexImgEdtView::ReleaseAt(QPoint q)
{
    const GdiPoint p = ToGdi(q);

    switch (interactionState) {
    case StateStroke:
        if (CDrawPen* stroke = CurrentStroke()) {
            // The stored point is in picture pixels, the limit in view pixels.
            if (IsInsideView(lastPoint))
                stroke->points.push_back(p);
            stroke->RecalcBounds();
        }
        CommitObject();
        interactionState = StateIdle;
        break;
    case StateDragging:
        if (CDrawShape* shape = CurrentShape())
            shape->SetBounds(ToGdi(anchorPoint), p);
        CommitObject();
        interactionState = StateIdle;
        break;
    case StateComplete:
        if (CDrawMeasure* measure = CurrentMeasure()) {
            if (toolMode != ToolContinuousLine && toolMode != ToolPolygon)
                measure->points[measure->pointIndex] = p;
            measure->SetBounds(ToGdi(anchorPoint), p);
            if (toolMode == ToolCalibration && messageBus)
                messageBus->PostAdjustMagnification(measure->result);
        }
        CommitObject();
        interactionState = StateIdle;
        break;
    case StateTyping:
        if (CDrawText* text = CurrentText()) {
            int h = textFont.height;
            ScaleToPicture(h);
            text->SetBounds(ToGdi(anchorPoint),
                            GdiPoint{anchorPoint.x() + h / 3, anchorPoint.y() + h});
            // The caret box shows at once, not only with the first key.
            RestoreWorkingPicture(true);
        }
        break;
    default:
        break;
    }
    update();
}

void CLumvexImgEdtView::LeftButtonDoubleClick(QPoint)
{
    CDrawMeasure* measure = CurrentMeasure();
    if (!measure)
        return;
    if (interactionState == StatePolylineVertex) {
        interactionState = StatePlacingLabel;
        // The first click of the double click placed a label; it goes again.
        if (measure->polylinePhase == 1 && measure->labelIndex > 0)
            --measure->labelIndex;
        measure->polylinePhase = 3;
        RedrawNow();
    } else if (interactionState == StatePolylineLabel) {
        interactionState = StatePlacingLabel;
        measure->polylinePhase = 3;
    }
}

void CLumvexImgEdtView::RightButtonUp(QPoint)
{
    CancelOperation();
}

void CLumvexImgEdtView::CancelOperation()
{
    if (interactionState == StateIdle) {
        toolMode = ToolNone;
        UpdateCursor();
    } else {
        interactionState = StateIdle;
    }
    SetCurrentObject(nullptr);
    RestoreWorkingPicture(false);
    update();
    if (toolMode == ToolNone && owner) {
        owner->SelectDrawingTool();
        owner->SelectMeasuringTool();
    }
}

// ---------------------------------------------------------------------------
// Typing

QString CLumvexImgEdtView::TypedText() const
{
    return QString::fromUtf16(textBuffer.data(), textLength);
}

void CLumvexImgEdtView::TypeCodeUnit(char32_t code)
{
    if (interactionState != StateTyping)
        return;
    // One unit stays free for the terminating zero.
    if (AcceptsTypedCode(code) && textLength < TextBufferSize - 1)
        textBuffer[size_t(textLength++)] = char16_t(code & 0xFFFF);
    RefreshTypedText();
}

void CLumvexImgEdtView::TypeRemoveLast()
{
    if (interactionState != StateTyping)
        return;
    if (textLength > 0)
        --textLength;
    textBuffer[size_t(textLength)] = 0;
    RefreshTypedText();
}

void CLumvexImgEdtView::TypeEnter()
{
    if (interactionState != StateTyping)
        return;
    CDrawText* text = CurrentText();
    if (text) {
        text->SetText(TypedText());
        text->finished = 1;
    }
    RestoreWorkingPicture(true);
    CommitObject();
    interactionState = StateIdle;
    RedrawNow();
}

void CLumvexImgEdtView::RefreshTypedText()
{
    if (CDrawText* text = CurrentText())
        text->SetText(TypedText());
    RestoreWorkingPicture(true);
    RedrawNow();
}

// ---------------------------------------------------------------------------
// Qt events

void CLumvexImgEdtView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        LeftButtonDown(EventPoint(event));
}

void CLumvexImgEdtView::mouseMoveEvent(QMouseEvent* event)
{
    PointerMove(EventPoint(event));
}

void CLumvexImgEdtView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        LeftButtonUp(EventPoint(event));
    else if (event->button() == Qt::RightButton)
        RightButtonUp(EventPoint(event));
}

void CLumvexImgEdtView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Replaces the second press of a quick double click; it places nothing.
    if (event->button() == Qt::LeftButton)
        LeftButtonDoubleClick(EventPoint(event));
}

void CLumvexImgEdtView::keyPressEvent(QKeyEvent* event)
{
    if (interactionState != StateTyping) {
        if (AimingKey(*event))
            return;
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        TypeRemoveLast();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        TypeEnter();
        return;
    case Qt::Key_Escape:
        QWidget::keyPressEvent(event);
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.isEmpty()) {
        RefreshTypedText();
        return;
    }
    for (QChar unit : typed)
        TypeCodeUnit(unit.unicode());
}

void CLumvexImgEdtView::inputMethodEvent(QInputMethodEvent* event)
{
    if (interactionState != StateTyping) {
        QWidget::inputMethodEvent(event);
        return;
    }
    for (QChar unit : event->commitString())
        TypeCodeUnit(unit.unicode());
    event->accept();
}

void CLumvexImgEdtView::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    const QRect loupeBefore = LoupeBox();
    pointerInView = false;
    RepaintLoupe(loupeBefore);
}

// ---------------------------------------------------------------------------
// Aiming: the loupe and the keyboard's pending point

void CLumvexImgEdtView::SetLoupeEnabled(bool enabled)
{
    const QRect loupeBefore = LoupeBox();
    loupeEnabled = enabled;
    RepaintLoupe(loupeBefore);
}

bool CLumvexImgEdtView::LoupeShown() const
{
    return loupeEnabled && pointerInView && ShowsLoupe(toolMode) && !workingPicture.isNull() &&
           interactionState != StateTyping;
}

QRect CLumvexImgEdtView::LoupeBox() const
{
    return LoupeShown() ? Loupe::Placement(pointer, size()) : QRect();
}

QPoint CLumvexImgEdtView::PendingPoint() const
{
    QPoint p = pointer;
    WindowToPicture(p);
    return p + nudge;
}

void CLumvexImgEdtView::RepaintLoupe(const QRect& before)
{
    const QRect after = LoupeBox();
    if (before != after || !after.isEmpty())
        repaint(QRegion(before) + after);
}

bool CLumvexImgEdtView::AimingKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_L && (mods & ~Qt::ShiftModifier) == Qt::NoModifier) {
        SetLoupeEnabled(!loupeEnabled);
        emit LoupeToggled(loupeEnabled);
        return true;
    }
    if (!PlacesPointsByClicks(toolMode) || !pointerInView || workingPicture.isNull())
        return false;
    const int step = mods & Qt::ShiftModifier ? 10 : 1;
    switch (event.key()) {
    case Qt::Key_Left:
        Nudge({-step, 0});
        return true;
    case Qt::Key_Right:
        Nudge({step, 0});
        return true;
    case Qt::Key_Up:
        Nudge({0, -step});
        return true;
    case Qt::Key_Down:
        Nudge({0, step});
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ClickAt(PendingPoint(), mods & Qt::ControlModifier);
        return true;
    case Qt::Key_Space:
        ClickAt(PendingPoint(), false);
        return true;
    default:
        return false;
    }
}

void CLumvexImgEdtView::Nudge(QPoint step)
{
    const QRect loupeBefore = LoupeBox();
    // The pending point stays on the picture, so it can always be placed.
    const QPoint wanted = PendingPoint() + step;
    const QPoint kept(std::clamp(wanted.x(), 0, std::max(0, pictureSize.width() - 1)),
                      std::clamp(wanted.y(), 0, std::max(0, pictureSize.height() - 1)));
    nudge += kept - PendingPoint();
    if (interactionState == StateIdle)
        RepaintLoupe(loupeBefore);
    else
        MoveAt(kept);
}

void CLumvexImgEdtView::ClickAt(QPoint p, bool doubleClick)
{
    // As the window system delivers a click, or a quick double click, with the
    // pointer resting on p: the object then follows the resting pointer.
    PressAt(p);
    ReleaseAt(p);
    if (doubleClick) {
        LeftButtonDoubleClick(p);
        ReleaseAt(p);
    }
    MoveAt(p);
}
