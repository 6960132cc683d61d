#include "app/FontColorDialog.h"
#include "app/QtTranslations.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLineEdit>

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
    struct Case
    {
        const char* stored;
        const char* picked; // nullptr: OK without touching the face
        const char* expected;
    };
    const Case cases[] = {
        {"Arial", nullptr, "Arial"},
        {"Times New Roman", nullptr, "Times New Roman"},
        {"DejaVu Serif", nullptr, "DejaVu Serif"},
        {"Arial", "DejaVu Serif", "DejaVu Serif"},
    };
    const QStringList installed = QFontDatabase::families();
    // Chinese names the styles differently; the stored style must still be found.
    QtTranslations::Install(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        FontColorDialog dialog(Stored(c.stored), 0, LanguageTable(0));
        const QString shown = FontColorDialog::ShownFamily(Stored(c.stored));
        EXPECT_TRUE(installed.contains(shown)) << shown.toStdString();
        EXPECT_EQ(dialog.currentFont().family(), shown);
        EXPECT_FALSE(dialog.currentFont().italic());
        EXPECT_LT(dialog.currentFont().weight(), QFont::DemiBold);
        if (installed.contains(QString::fromLatin1(c.stored)))
            EXPECT_EQ(shown, QString::fromLatin1(c.stored));
        if (c.picked) {
            QFont other = dialog.currentFont();
            other.setFamily(QString::fromLatin1(c.picked));
            dialog.setCurrentFont(other);
        }
        dialog.accept();
        const LogFont chosen = dialog.ChosenFont();
        EXPECT_EQ(chosen.FaceName(), QString::fromLatin1(c.expected));
        if (!c.picked)
            EXPECT_TRUE(chosen == Stored(c.stored)) << "OK alone changes nothing stored";
    }
    QtTranslations::Install(0);
}

TEST(FontColorDialog, ColoursSpeakTheLanguageAndTheSampleKeepsItsWidth)
{
    for (int language : {0, 1}) {
        const LanguageTable texts(language);
        FontColorDialog dialog(Stored("Arial"), MakeColorRef(255, 0, 0), texts);
        EXPECT_EQ(dialog.ColorBox()->itemText(0), texts.Text(Texts::BasicColorName(0)));
        EXPECT_EQ(dialog.ColorBox()->currentText(), texts.Text(Texts::BasicColorName(9)));
        EXPECT_EQ(dialog.Color(), MakeColorRef(255, 0, 0));
        QStringList names;
        for (int i = 0; i < dialog.ColorBox()->count(); ++i)
            names << dialog.ColorBox()->itemText(i);
        EXPECT_EQ(names.removeDuplicates(), 0);
        ASSERT_NE(dialog.Sample(), nullptr);
        // The sample box holds its preview alone; the colour went to the effects.
        EXPECT_EQ(dialog.Sample()->findChildren<QWidget*>().size(), 1);
        EXPECT_NE(dialog.ColorBox()->parentWidget(), dialog.Sample());
    }
    FontColorDialog custom(Stored("Arial"), MakeColorRef(1, 2, 3), LanguageTable(1));
    EXPECT_EQ(custom.ColorBox()->currentText(), QStringLiteral("自定义"));
    EXPECT_EQ(custom.Color(), MakeColorRef(1, 2, 3));
}

} // namespace
