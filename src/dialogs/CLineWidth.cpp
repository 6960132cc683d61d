#include "dialogs/CLineWidth.h"

#include "text/LanguageTable.h"

#include "dialogs/LineSampleIcons.h"
#include "dialogs/ModalRunner.h"

namespace {

std::vector<CLineChoiceDialog::Choice> WidthChoices()
{
    std::vector<CLineChoiceDialog::Choice> choices;
    for (int k = 0; k < CLineWidth::ChoiceTotal; ++k)
        choices.push_back({QRect(10, 10 + 18 * k, 16, 10), 33,
                           LineSampleIcons::WidthSample(CLineWidth::WidthForIndex(k))});
    return choices;
}

} // namespace

CLineWidth::CLineWidth(QWidget* parent)
    : CLineChoiceDialog(parent, LanguageTable::Common(Texts::LineWidthTitle), QSize(Width, Height),
                        WidthChoices(), QRect(20, 174, 50, 14))
{}

int CLineWidth::Run()
{
    return ModalRunner::Run(*this);
}

void CLineWidth::showEvent(QShowEvent* event)
{
    CheckIndex(widthIndex);
    CLineChoiceDialog::showEvent(event);
}

void CLineWidth::accept()
{
    // With no button checked (a stored width out of range) the index stays as it was.
    if (CheckedIndex() >= 0)
        widthIndex = CheckedIndex();
    CLineChoiceDialog::accept();
}
