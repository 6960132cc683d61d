#include "dialogs/CMessageBox.h"

#include "dialogs/ModalRunner.h"
#include "text/LanguageTable.h"

#include <QLabel>
#include <QPushButton>

CMessageBox::CMessageBox(QWidget* parent)
    : QDialog(parent), units(DialogUnits::FromFont(font())), label(new QLabel(this)),
      yesButton(new QPushButton(this)), noButton(new QPushButton(this))
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(units.Map(Width, Height));

    label->setGeometry(units.Map(7, 7, 172, 33));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);

    yesButton->setGeometry(units.Map(39, 42, 50, 14));
    yesButton->setDefault(true);
    noButton->setGeometry(units.Map(97, 42, 50, 14));

    connect(yesButton, &QPushButton::clicked, this, [this] { done(ResultYes); });
    connect(noButton, &QPushButton::clicked, this, [this] { done(ResultNo); });
}

CMessageBox::~CMessageBox() = default;

int CMessageBox::Run()
{
    return ModalRunner::Run(*this);
}

void CMessageBox::reject()
{
    done(ResultCancel);
}

void CMessageBox::showEvent(QShowEvent* event)
{
    InitDialog();
    QDialog::showEvent(event);
}

void CMessageBox::InitDialog()
{
    if (singleButton != 0) {
        noButton->hide();
        QRect geometry = yesButton->geometry();
        geometry.moveLeft(CenteredLeft(width(), geometry.width()));
        yesButton->setGeometry(geometry);
    }
    setWindowTitle(LanguageTable::Cut(caption, LanguageTable::CaptionField));
    label->setText(LanguageTable::Cut(message, LanguageTable::MessageField));
    yesButton->setText(LanguageTable::Cut(yesText, LanguageTable::ButtonField));
    noButton->setText(LanguageTable::Cut(noText, LanguageTable::ButtonField));
}
