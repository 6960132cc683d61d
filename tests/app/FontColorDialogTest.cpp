#include "app/FontColorDialog.h"
#include "app/QtTranslations.h"

#include <QComboBox>
#include <QFontDatabase>

#include <gtest/gtest.h>

namespace {

LogFont Stored(const char* face)
{
    LogFont font = LogFont::DefaultTextFont();
    font.SetFaceName(QString::fromLatin1(face));
    return font;
}

// A face this system lacks opens on the family that stands in for it and stays
// stored under its own name; picking another face stores that one.
TEST(FontColorDialog, PreselectsTheStoredFaceAndKeepsItsNameUnlessAnotherIsPicked)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Arial", nullptr}, {"DejaVu Serif", nullptr}, {"Arial", "DejaVu Serif"}};
    const QStringList installed = QFontDatabase::families();
    // Chinese names the styles differently; the stored style must still be found.
    QtTranslations::Install(1);
    for (const auto& [stored, picked] : cases) {
        SCOPED_TRACE(stored);
        FontColorDialog dialog(Stored(stored), 0, LanguageTable(0));
        const QString shown = FontColorDialog::ShownFamily(Stored(stored));
        EXPECT_TRUE(installed.contains(shown)) << shown.toStdString();
        EXPECT_EQ(dialog.currentFont().family(), shown);
        EXPECT_FALSE(dialog.currentFont().italic());
        EXPECT_LT(dialog.currentFont().weight(), QFont::DemiBold);
        if (picked) {
            QFont other = dialog.currentFont();
            other.setFamily(QString::fromLatin1(picked));
            dialog.setCurrentFont(other);
        }
        dialog.accept();
        EXPECT_EQ(dialog.ChosenFont().FaceName(), QString::fromLatin1(picked ? picked : stored));
        if (!picked)
            EXPECT_TRUE(dialog.ChosenFont() == Stored(stored)) << "OK alone changes nothing";
    }
    // A colour outside the sixteen keeps its value under the custom name.
    FontColorDialog custom(Stored("Arial"), MakeColorRef(1, 2, 3), LanguageTable(1));
    EXPECT_EQ(custom.ColorBox()->currentText(), QStringLiteral("自定义"));
    EXPECT_EQ(custom.Color(), MakeColorRef(1, 2, 3));
    QtTranslations::Install(0);
}

} // namespace
