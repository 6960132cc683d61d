#include "dialogs/CInformationDlg.h"

#include "text/LanguageTable.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace {

QFont InformationFont()
{
    QFont font(QStringLiteral("Microsoft Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

CInformationDlg::CInformationDlg(QWidget* view)
    : QWidget(view), units(DialogUnits::FromFont(InformationFont()))
{
    setFont(InformationFont());
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(false);
    resize(units.Map(Width, Height));
    hide();
}

QRect CInformationDlg::Placement(int length, int height, std::optional<QPoint> position,
                                 int screenWidth)
{
    const int width = CharacterWidth * length;
    if (position)
        return QRect(position->x(), position->y(), width, height);
    return QRect(screenWidth - width, 0, width, height);
}

void CInformationDlg::ShowInformation(ShowCommand command, std::optional<QString> text,
                                      std::optional<QPoint> position)
{
    if (text)
        infoText = LanguageTable::Cut(*text, TextField);
    if (position)
        infoPosition = *position;
    setGeometry(Placement(int(infoText.size()), height(), position, ScreenWidth()));
    if (command == ShowCommand::Hide) {
        hide();
        return;
    }
    show();
    raise();
    update();
}

int CInformationDlg::ScreenWidth() const
{
    const QScreen* current = screen();
    return current ? current->geometry().width() : 0;
}

void CInformationDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QColor(0xFF, 0xFF, 0xFF));
    painter.drawText(0, painter.fontMetrics().ascent(), infoText);
}

void CInformationDlg::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}
