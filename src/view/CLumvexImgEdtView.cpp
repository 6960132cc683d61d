#include "view/CLumvexImgEdtView.h"

#include "magnification/PictureInfoRecord.h"
#include "platform/GdiContext.h"
#include "view/ToolCursors.h"
#include "view/ViewMapping.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMessageBox>
#include <QPainter>
#include <QResizeEvent>

#include <cerrno>
#include <cstring>

namespace {

QString FailureText(const char* what, unsigned code, const QString& reason)
{
    return QStringLiteral("%1:\n%2 - %3")
        .arg(QLatin1String(what), QString::number(code, 16), reason);
}

} // namespace

CLumvexImgEdtView::CLumvexImgEdtView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
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
        showError(FailureText("GetExporterFilter failed", 1, tr("No image decoders are available.")));
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
    if (top->size() == workingPicture.size() && top->format() == workingPicture.format())
        std::memcpy(workingPicture.bits(), top->constBits(), size_t(top->sizeInBytes()));
    else
        workingPicture = top->convertToFormat(QImage::Format_RGB32);
    displayCacheValid = false;
    if (drawObject && currentObject) {
        GdiContext dc(workingPicture);
        currentObject->Draw(dc);
    }
}

void CLumvexImgEdtView::RedrawNow()
{
    displayCacheValid = false;
    repaint();
}

void CLumvexImgEdtView::SetCurrentObject(CDrawObject* object) { currentObject.reset(object); }

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
    modificationCount = 0;
}

void CLumvexImgEdtView::CommitObject()
{
    auto snapshot = TakeSnapshot();
    if (!snapshot)
        return;
    history.Push(std::move(snapshot));
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
    if (!displayCacheValid || displayCache.size() != size()) {
        // Area-averaging downscale stands in for halftone stretching.
        displayCache = workingPicture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        displayCacheValid = true;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, displayCache);

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
        viewSize = event->size();
    displayCacheValid = false;
}

void CLumvexImgEdtView::UpdateCursor() { setCursor(ToolCursors::ForTool(toolMode)); }
