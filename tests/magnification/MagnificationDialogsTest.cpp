#include "dialogs/DialogUnits.h"
#include "magnification/CAdjustMagnificationDlg.h"
#include "magnification/CSetMagnification.h"
#include "magnification/DecimalText.h"
#include "text/LanguageTable.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

#include <cmath>

// What the dialogs below do not type: a unit after the number, an exponent,
// a comma (never a decimal point), blanks inside or a line break.
TEST(DecimalText, ReadsLikeTheCRuntimeShowsTheShortestFormInsideTheRange)
{
    qsizetype used = -1;
    EXPECT_DOUBLE_EQ(DecimalText::ReadLeading(QStringLiteral(" 0.1mm"), &used), 0.1);
    EXPECT_EQ(used, 4);
    EXPECT_DOUBLE_EQ(DecimalText::ReadLeading(QStringLiteral("1e2x")), 100.0);
    EXPECT_DOUBLE_EQ(DecimalText::ReadLeading(QStringLiteral("1,5")), 1.0);
    double value = -1.0;
    for (const char* bad : {"", "  ", "1 2", "\n5"})
        EXPECT_FALSE(DecimalText::ReadWhole(QString::fromLatin1(bad), value)) << bad;
    EXPECT_DOUBLE_EQ(value, -1.0);

    // The set dialog starts from the shortest form inside the range, else NONE.
    const std::pair<double, const char*> cases[] = {
        {0.0, "NONE"}, {0.999, "NONE"},      {1.0, "1"},           {50.0, "50"},
        {2.5, "2.5"},  {52.0004, "52.0004"}, {9999.99, "9999.99"}, {10000.0, "NONE"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(CSetMagnification::StartText(value), QString::fromLatin1(text)) << value;
}

// A 5 mm measurement at magnification 40; the typed length is in the unit.
class AdjustDialog : public ::testing::Test
{
  protected:
    void Open(int unit)
    {
        CalibrationRequest request;
        request.unitIndex = unit;
        request.measuredDimension = 5.0;
        request.referenceMagnification = 40.0;
        request.adjustedMagnification = 40.0;
        dialog.SetRequest(request);
        dialog.show();
    }
    void Type(const char* text)
    {
        dialog.ActualEdit()->clear();
        QTest::keyClicks(dialog.ActualEdit(), QString::fromLatin1(text));
    }

    CAdjustMagnificationDlg dialog;
};

// It opens empty, with only OK, in its template's units.
TEST_F(AdjustDialog, StartsEmptyRefusesWhatIsNotPositiveShowsTheResultOnEveryChange)
{
    Open(0);
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_TRUE(dialog.ActualEdit()->text().isEmpty());
    EXPECT_TRUE(dialog.AdjustedEdit()->isReadOnly());
    EXPECT_TRUE(dialog.CaptureCheckBox()->isChecked());
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);
    const DialogUnits scale = DialogUnits::FromFont(dialog.font());
    EXPECT_EQ(dialog.size(), scale.Map(208, 94));
    EXPECT_EQ(dialog.OkButton()->geometry(), scale.Map(77, 71, 50, 14));
    for (const char* typed : {"0", "abc", "-2", "0.0e5"}) {
        Type(typed);
        EXPECT_TRUE(dialog.AdjustedEdit()->text().isEmpty()) << typed;
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << typed;
        EXPECT_TRUE(std::isfinite(dialog.adjustedMagnification));
    }
    Type("0.1");
    QTest::keyClick(dialog.ActualEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.adjustedMagnification, 50.0);

    // The result shows on every change, the typed length in the unit.
    const std::tuple<int, const char*, double> cases[] = {{0, "0.1", 50.0},
                                                          {1, "100", 50.0},
                                                          {2, "3.937", 5.0 / 3.937 / 0.0254},
                                                          {3, "0.003937", 5.0 / 0.003937 / 25.4},
                                                          {7, "0.1", 50.0}};
    for (const auto& [unit, typed, expected] : cases) {
        Open(unit);
        Type(typed);
        EXPECT_DOUBLE_EQ(dialog.adjustedMagnification, expected) << unit;
        EXPECT_EQ(dialog.AdjustedEdit()->text(), QString::asprintf("%f", expected));
    }
}

// Every text shows whole, no two controls overlap, and the right margin is at
// least the left one, in both languages and at the font sizes that the scale
// factors from 1 to 2 give.
TEST(SetDialogLayout, EveryTextShowsWholeInBothLanguagesAtEverySize)
{
    for (int language : {0, 1}) {
        for (int pixelSize : {11, 13, 16, 20, 22, 26}) {
            SCOPED_TRACE(testing::Message() << "language " << language << ", " << pixelSize);
            CSetMagnification dialog;
            QFont font = dialog.font();
            font.setPixelSize(pixelSize);
            dialog.setFont(font);
            dialog.SetTexts(LanguageTable(language));
            dialog.show();
            const QFontMetrics metrics(font);
            QLabel* range = dialog.RangeLabel();
            QLabel* prompt = dialog.PromptLabel();
            EXPECT_GE(range->width(), metrics.horizontalAdvance(range->text()));
            EXPECT_GE(range->height(), metrics.height());
            EXPECT_GE(prompt->height(), prompt->heightForWidth(prompt->width()));
            for (QPushButton* button : {dialog.OkButton(), dialog.CancelButton()})
                EXPECT_GE(button->width(), button->sizeHint().width());

            const QWidget* controls[] = {prompt, range, dialog.Edit(), dialog.OkButton(),
                                         dialog.CancelButton()};
            const int margin = dialog.Edit()->x();
            const QRect inside = dialog.rect().adjusted(margin, 1, -margin, -1);
            for (const QWidget* a : controls) {
                EXPECT_TRUE(inside.contains(a->geometry())) << a->metaObject()->className();
                for (const QWidget* b : controls)
                    if (a != b)
                        EXPECT_FALSE(a->geometry().intersects(b->geometry()));
            }
        }
    }
}

class SetDialog : public ::testing::Test
{
  protected:
    void Open(double value, int language = 0)
    {
        dialog.magnification = value;
        dialog.SetTexts(LanguageTable(language));
        dialog.showNotNumber = [this](const QString& message) {
            messages << message;
        };
        dialog.hide();
        dialog.show();
    }

    CSetMagnification dialog;
    QStringList messages;
};

// Out of range is refused silently; OK and Enter run the same checks.
TEST_F(SetDialog, AcceptsOnlyTheRangeAndExplainsText)
{
    const std::pair<const char*, double> cases[] = {
        {"10000", 0}, {"0.5", 0}, {"0", 0}, {"-3", 0}, {"9999.99", 9999.99}, {" 1.00 ", 1}};
    for (const bool byEnter : {false, true})
        for (const auto& [typed, accepted] : cases) {
            Open(50.0);
            dialog.Edit()->setText(QString::fromLatin1(typed));
            if (byEnter)
                QTest::keyClick(dialog.Edit(), Qt::Key_Return);
            else
                QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            EXPECT_EQ(dialog.isVisible(), accepted == 0) << typed;
            if (accepted != 0)
                EXPECT_DOUBLE_EQ(dialog.magnification, accepted) << typed;
        }
    EXPECT_TRUE(messages.isEmpty());

    // Text that is not a number, "NONE" left as it was included, is explained.
    Open(0.0, 1);
    dialog.activateWindow();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    dialog.Edit()->setText(QStringLiteral("12x"));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList(2, QStringLiteral("请输入一个数字。")));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_DOUBLE_EQ(dialog.magnification, 0.0);
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit());
}
