#include "app/CBitmapButton.h"

#include <QDir>
#include <QFocusEvent>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QString ArtworkFolder = QStringLiteral(":/artwork/");

QPixmap LoadBitmap(const QString& name)
{
    const QString path = CBitmapButton::FindBitmap(name);
    return path.isEmpty() ? QPixmap() : QPixmap(path);
}

} // namespace

CBitmapButton::CBitmapButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent), caption(caption)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

QString CBitmapButton::FindBitmap(const QString& name)
{
    // Upper-case names have the quick path; any other spelling is matched once
    // against the folder listing.
    const QString upper = ArtworkFolder + name.toUpper() + QStringLiteral(".png");
    if (QFile::exists(upper))
        return upper;
    static const QHash<QString, QString> byLowerName = [] {
        QHash<QString, QString> names;
        for (const QString& entry : QDir(ArtworkFolder).entryList(QDir::Files))
            names.insert(entry.toLower(), ArtworkFolder + entry);
        return names;
    }();
    return byLowerName.value(name.toLower() + QStringLiteral(".png"));
}

bool CBitmapButton::LoadBitmaps()
{
    normal = LoadBitmap(caption + u'U');
    pressed = LoadBitmap(caption + u'D');
    focused = LoadBitmap(caption + u'F');
    disabled = LoadBitmap(caption + u'X');
    if (normal.isNull())
        return false;
    resize(normal.size());
    update();
    return true;
}

const QPixmap* CBitmapButton::CurrentBitmap() const
{
    const QPixmap* chosen = nullptr;
    if (isDown() && !pressed.isNull())
        chosen = &pressed;
    else if (hasFocus() && (underMouse() || focusByKey) && !focused.isNull())
        chosen = &focused;
    else if (!isEnabled() && !disabled.isNull())
        chosen = &disabled;
    else if (!normal.isNull())
        chosen = &normal;
    return chosen;
}

QSize CBitmapButton::sizeHint() const
{
    return normal.isNull() ? size() : normal.size();
}

void CBitmapButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (const QPixmap* bitmap = CurrentBitmap())
        painter.drawPixmap(rect(), *bitmap);
}

void CBitmapButton::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event);
    // A move over a button is not a move over the window's background.
    event->accept();
}

void CBitmapButton::focusInEvent(QFocusEvent* event)
{
    focusByKey = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QAbstractButton::focusInEvent(event);
}

void CBitmapButton::focusOutEvent(QFocusEvent* event)
{
    focusByKey = false;
    QAbstractButton::focusOutEvent(event);
}
