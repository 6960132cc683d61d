#include "view/CLumvexImgEdtView.h"

#include "magnification/PictureInfoRecord.h"
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

#include <cerrno>
#include <cmath>
#include <cstring>

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
    unsigned code = 0;
    QString reason;
    if (QFileInfo(path).isDir()) {
        code = EISDIR;
        reason = QString::fromLocal8Bit(std::strerror(EISDIR));
    } else if (!file.open(QIODevice::ReadOnly)) {
        // QFile keeps no errno; opening with the C library tells the real reason.
        errno = 0;
        if (FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb"))
            std::fclose(f);
        code = errno ? unsigned(errno) : ENOENT;
        reason = QString::fromLocal8Bit(std::strerror(int(code)));
    } else {
        QImageReader reader(&file);
        reader.setAutoTransform(false);
        QImage decoded = reader.read();
        if (decoded.isNull()) {
            code = unsigned(reader.error());
            reason = reader.errorString();
        } else {
            workingPicture = decoded.convertToFormat(QImage::Format_RGB32);
            if (workingPicture.isNull()) {
                code = ENOMEM;
                reason = QString::fromLocal8Bit(std::strerror(ENOMEM));
            }
        }
    }
    if (workingPicture.isNull()) {
        showError(FailureText("Load image failed", code, reason));
        return false;
    }

    SetSizes(workingPicture.size(), size());
    ResetHistory(TakeSnapshot());
    update();
    pictureLoaded = 1;
    return true;
}

void CLumvexImgEdtView::SetToolMode(ToolMode mode)
{
    Carry(protocol.SetTool(mode));
}

void CLumvexImgEdtView::SetSizes(QSize picture, QSize view)
{
    pictureSize = picture;
    viewSize = view;
    protocol.SetSizes(picture, view);
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
    Redraw(drawObject ? protocol.Object() : nullptr);
}

// The working picture from the top snapshot, with object drawn into it.
void CLumvexImgEdtView::Redraw(const CDrawObject* object)
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
    if (object) {
        GdiContext dc(workingPicture);
        const_cast<CDrawObject*>(object)->Draw(dc);
        drawnArea.AddDrawn(dc);
        MarkDisplayStale(drawnArea);
    }
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

void CLumvexImgEdtView::CommitPicture()
{
    auto snapshot = TakeSnapshot();
    if (!snapshot)
        return;
    history.Push(std::move(snapshot));
    // The working picture is the new snapshot, object included.
    syncedTop = history.Top();
    drawnArea.Clear();
    ++modificationCount;
}

void CLumvexImgEdtView::Undo()
{
    if (!history.CanUndo())
        return;
    protocol.Drop();
    history.Undo();
    RestoreWorkingPicture(false);
    update();
    --modificationCount;
}

void CLumvexImgEdtView::Redo()
{
    if (!history.CanRedo())
        return;
    protocol.Drop();
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
}

void CLumvexImgEdtView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (pictureLoaded)
        SetSizes(pictureSize, event->size());
    displayCacheValid = false;
}

void CLumvexImgEdtView::UpdateCursor()
{
    setCursor(ToolCursors::ForTool(protocol.Tool()));
}

// ---------------------------------------------------------------------------
// Events, forwarded to the tool protocol in picture coordinates

void CLumvexImgEdtView::Carry(ToolEffects effects)
{
    if (effects.finished && effects.drawFinished)
        Redraw(effects.finished.get());
    if (effects.commit)
        CommitPicture();
    effects.finished.reset();
    if (effects.erase)
        Redraw(nullptr);
    if (effects.redraw)
        Redraw(protocol.Object());
    if (effects.calibration && messageBus)
        messageBus->PostAdjustMagnification(*effects.calibration);
    if (effects.measurement && measurementCommitted)
        measurementCommitted(*effects.measurement);
    if (effects.toolChanged)
        UpdateCursor();
    if (effects.showNow)
        RedrawNow();
    if (effects.chooseToolAgain && owner) {
        owner->SelectDrawingTool();
        owner->SelectMeasuringTool();
    }
}

void CLumvexImgEdtView::LeftButtonDown(QPoint q)
{
    // The capture itself is Qt's: a widget keeps the mouse while a button is held.
    if (!IsInsideView(q))
        return;
    WindowToPicture(q);
    Carry(protocol.Press(ToGdi(q)));
}

void CLumvexImgEdtView::PointerMove(QPoint q)
{
    if (!IsInsideView(q)) {
        if (!arrowOutsideView) {
            setCursor(Qt::ArrowCursor);
            arrowOutsideView = true;
        }
        return;
    }
    if (arrowOutsideView) {
        arrowOutsideView = false;
        UpdateCursor();
    }
    WindowToPicture(q);
    Carry(protocol.Move(ToGdi(q)));
}

void CLumvexImgEdtView::LeftButtonUp(QPoint q)
{
    WindowToPicture(q);
    Carry(protocol.Release(ToGdi(q)));
    update();
}

void CLumvexImgEdtView::LeftButtonDoubleClick(QPoint)
{
    Carry(protocol.DoubleClick());
}

void CLumvexImgEdtView::RightButtonUp(QPoint)
{
    CancelOperation();
}

void CLumvexImgEdtView::CancelOperation()
{
    Carry(protocol.Cancel());
    update();
}

void CLumvexImgEdtView::TypeCodeUnit(char32_t code)
{
    Carry(protocol.Type(code));
}

void CLumvexImgEdtView::TypeRemoveLast()
{
    Carry(protocol.RemoveLast());
}

void CLumvexImgEdtView::TypeEnter()
{
    Carry(protocol.Enter());
}

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
    if (!protocol.Typing()) {
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
        // Nothing kept, but the text shows again.
        TypeCodeUnit(0);
        return;
    }
    for (QChar unit : typed)
        TypeCodeUnit(unit.unicode());
}

void CLumvexImgEdtView::inputMethodEvent(QInputMethodEvent* event)
{
    if (!protocol.Typing()) {
        QWidget::inputMethodEvent(event);
        return;
    }
    for (QChar unit : event->commitString())
        TypeCodeUnit(unit.unicode());
    event->accept();
}
