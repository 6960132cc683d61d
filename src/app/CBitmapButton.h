#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn as one bitmap over its whole area, chosen by state: pressed,
// else focused (while the pointer is over it, or after Tab brought the focus),
// else disabled, else normal. The bitmaps are found by the
// caption plus "U", "D", "F" or "X", ignoring case; a missing state falls back
// to the next one down to the normal bitmap.
class CBitmapButton : public QAbstractButton
{
    Q_OBJECT

  public:
    explicit CBitmapButton(const QString& caption, QWidget* parent = nullptr);

    const QString& Caption() const { return caption; }
    void SetCaption(const QString& text) { caption = text; }

    // Loads the bitmaps named after the caption; the button takes the normal
    // bitmap's size. Returns false when there is no normal bitmap.
    bool LoadBitmaps();

    // The bitmap drawn in the current state, or null when none exists.
    const QPixmap* CurrentBitmap() const;

    // The resource path of a bitmap name, compared without regard to case;
    // empty when the artwork has no such bitmap.
    static QString FindBitmap(const QString& name);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QString caption;
    QPixmap normal;
    QPixmap pressed;
    QPixmap focused;
    QPixmap disabled;
    bool focusByKey = false;
};
