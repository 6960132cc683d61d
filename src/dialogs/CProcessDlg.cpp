#include "dialogs/CProcessDlg.h"

#include "text/LanguageTable.h"

#include <QPainter>
#include <QProgressBar>

CProcessDlg::CProcessDlg(QWidget* parent)
    : QDialog(parent), progress(new QProgressBar(this)), units(DialogUnits::FromFont(font()))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setModal(false);
    resize(units.Map(Width, Height));
    progress->setGeometry(units.Map(0, 16, Width, 13));
    progress->setTextVisible(false);
}

void CProcessDlg::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    const QString text = LanguageTable::Cut(title, TitleField);
    if (text.isEmpty())
        return;
    const int x = TitleLeft(width(), int(text.size()));
    QPainter painter(this);
    painter.setFont(font());
    const int baseline = painter.fontMetrics().ascent();
    painter.setPen(Qt::black);
    painter.drawText(x, baseline, text);
    painter.setPen(Qt::white);
    painter.drawText(x + 1, baseline + 1, text);
}
