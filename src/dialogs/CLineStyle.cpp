#include "dialogs/CLineStyle.h"

#include "text/LanguageTable.h"

#include "dialogs/LineSampleIcons.h"
#include "dialogs/ModalRunner.h"

namespace {

std::vector<CLineChoiceDialog::Choice> StyleChoices()
{
    constexpr int RadioTops[CLineStyle::ChoiceTotal] = {12, 30, 47, 65, 82};
    std::vector<CLineChoiceDialog::Choice> choices;
    for (int k = 0; k < CLineStyle::ChoiceTotal; ++k)
        choices.push_back({QRect(11, RadioTops[k], 16, 10), 41, LineSampleIcons::StyleSample(k)});
    return choices;
}

} // namespace

CLineStyle::CLineStyle(QWidget* parent)
    : CLineChoiceDialog(parent, LanguageTable::Common(Texts::LineStyleTitle), QSize(Width, Height),
                        StyleChoices(), QRect(13, 110, 50, 14))
{}

int CLineStyle::Run()
{
    return ModalRunner::Run(*this);
}

void CLineStyle::showEvent(QShowEvent* event)
{
    CheckIndex(styleIndex);
    CLineChoiceDialog::showEvent(event);
}

void CLineStyle::accept()
{
    // With no button checked (a stored index out of range) the index stays as it was.
    if (CheckedIndex() >= 0)
        styleIndex = CheckedIndex();
    CLineChoiceDialog::accept();
}
