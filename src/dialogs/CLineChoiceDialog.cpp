#include "dialogs/CLineChoiceDialog.h"

#include "text/LanguageTable.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

CLineChoiceDialog::CLineChoiceDialog(QWidget* parent, const QString& title, QSize size,
                                     const std::vector<Choice>& choices, QRect okRect)
    : QDialog(parent), units(DialogUnits::FromFont(font())), group(new QButtonGroup(this)),
      okButton(new QPushButton(LanguageTable::Common(Texts::DialogOk), this))
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(title);
    setFixedSize(units.Map(size.width(), size.height()));

    for (const Choice& choice : choices) {
        auto* radio = new QRadioButton(this);
        const QRect area = units.Map(choice.radio.x(), choice.radio.y(), choice.radio.width(),
                                     choice.radio.height());
        radio->setGeometry(area);
        group->addButton(radio, int(radios.size()));
        radios.push_back(radio);

        // The sample is centred on its radio button's middle line.
        auto* sample = new QLabel(this);
        sample->setPixmap(QPixmap::fromImage(choice.sample));
        sample->setGeometry(units.X(choice.sampleLeft),
                            area.y() + (area.height() - choice.sample.height()) / 2,
                            choice.sample.width(), choice.sample.height());
        samples.push_back(sample);
    }

    okButton->setGeometry(units.Map(okRect.x(), okRect.y(), okRect.width(), okRect.height()));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

int CLineChoiceDialog::CheckedIndex() const
{
    return group->checkedId();
}

void CLineChoiceDialog::CheckIndex(int index)
{
    if (index >= 0 && index < ChoiceCount()) {
        radios.at(size_t(index))->setChecked(true);
        return;
    }
    // An exclusive group refuses to clear its last checked button directly.
    group->setExclusive(false);
    for (QRadioButton* radio : radios)
        radio->setChecked(false);
    group->setExclusive(true);
}

void CLineChoiceDialog::reject()
{
    done(ResultCancel);
}
