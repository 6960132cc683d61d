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

#include <cmath>

TEST(DecimalText, ReadsLikeTheCRuntime)
{
    qsizetype used = -1;
    EXPECT_DOUBLE_EQ(DecimalText::ReadLeading(QStringLiteral(" 0.1mm"), &used), 0.1);
    EXPECT_EQ(used, 4);
    EXPECT_DOUBLE_EQ(DecimalText::ReadLeading(QStringLiteral("abc"), &used), 0.0);
    EXPECT_EQ(used, 0);
    EXPECT_DOUBLE_EQ(DecimalText::ReadLeading(QStringLiteral("1e2x")), 100.0);
    EXPECT_DOUBLE_EQ(DecimalText::ReadLeading(QStringLiteral("1,5")), 1.0);

    double value = -1.0;
    EXPECT_TRUE(DecimalText::ReadWhole(QStringLiteral(" \t12.5 "), value));
    EXPECT_DOUBLE_EQ(value, 12.5);
    for (const char* bad : {"", "  ", "NONE", "12a", "1 2", "\n5"}) {
        value = -1.0;
        EXPECT_FALSE(DecimalText::ReadWhole(QString::fromLatin1(bad), value)) << bad;
        EXPECT_DOUBLE_EQ(value, -1.0);
    }
}

struct AdjustCase
{
    int unit;
    const char* typed;
    double expected;
};

class AdjustArithmetic : public ::testing::TestWithParam<AdjustCase>
{};

TEST_P(AdjustArithmetic, ShowsTheResultOnEveryChange)
{
    CAdjustMagnificationDlg dialog;
    CalibrationRequest request;
    request.unitIndex = GetParam().unit;
    request.measuredDimension = 5.0;
    request.referenceMagnification = 40.0;
    request.adjustedMagnification = 40.0;
    dialog.SetRequest(request);
    dialog.show();
    QTest::keyClicks(dialog.ActualEdit(), QString::fromLatin1(GetParam().typed));
    EXPECT_DOUBLE_EQ(dialog.adjustedMagnification, GetParam().expected);
    EXPECT_EQ(dialog.AdjustedEdit()->text(), QString::asprintf("%f", GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Units, AdjustArithmetic,
                         ::testing::Values(AdjustCase{0, "0.1", 50.0}, AdjustCase{1, "100", 50.0},
                                           AdjustCase{2, "3.937", 5.0 / 3.937 / 0.0254},
                                           AdjustCase{3, "0.003937", 5.0 / 0.003937 / 25.4},
                                           AdjustCase{7, "0.1", 50.0}));

class AdjustDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        CalibrationRequest request;
        request.measuredDimension = 5.0;
        request.referenceMagnification = 40.0;
        request.adjustedMagnification = 40.0;
        dialog.SetRequest(request);
        dialog.texts = {QStringLiteral("Adjust magnification"),
                        QStringLiteral("Unit:(mm)"),
                        QStringLiteral("Actual dimension:"),
                        QStringLiteral("Adjusted magnification:"),
                        QStringLiteral("Use adjusted mag. as measure mag."),
                        QStringLiteral("OK")};
        dialog.show();
    }

    void Type(const QString& text)
    {
        dialog.ActualEdit()->clear();
        QTest::keyClicks(dialog.ActualEdit(), text);
    }

    CAdjustMagnificationDlg dialog;
};

TEST_F(AdjustDialog, StartsEmptyWithTheTexts)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Adjust magnification"));
    EXPECT_EQ(dialog.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(dialog.OkButton()->isDefault());
    EXPECT_TRUE(dialog.ActualEdit()->text().isEmpty());
    EXPECT_TRUE(dialog.AdjustedEdit()->text().isEmpty());
    EXPECT_TRUE(dialog.AdjustedEdit()->isReadOnly());
    EXPECT_TRUE(dialog.CaptureCheckBox()->isChecked());
    // No Cancel button: OK is the only one.
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);
    // Laid out in template units of the dialog's font.
    const DialogUnits scale = DialogUnits::FromFont(dialog.font());
    EXPECT_EQ(dialog.size(), scale.Map(208, 94));
    EXPECT_EQ(dialog.OkButton()->geometry(), scale.Map(77, 71, 50, 14));
}

TEST_F(AdjustDialog, OkWithoutTypingReturnsTheStartValue)
{
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.adjustedMagnification, 40.0);
    EXPECT_EQ(dialog.useAdjustedAsCapture, 1);
}

TEST_F(AdjustDialog, RefusesZeroAndTextUntilTheLengthIsPositive)
{
    for (const char* typed : {"0", "abc", "-2", "0.0e5"}) {
        Type(QString::fromLatin1(typed));
        EXPECT_TRUE(dialog.AdjustedEdit()->text().isEmpty()) << typed;
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << typed;
        EXPECT_TRUE(std::isfinite(dialog.adjustedMagnification));
    }
    Type(QStringLiteral("0.1"));
    QTest::keyClick(dialog.ActualEdit(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.adjustedMagnification, 50.0);
}

TEST_F(AdjustDialog, ClearedCheckBoxIsReported)
{
    Type(QStringLiteral("0.1"));
    dialog.CaptureCheckBox()->click();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.useAdjustedAsCapture, 0);
}

TEST_F(AdjustDialog, EscapeCancels)
{
    Type(QStringLiteral("0.1"));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(SetMagnificationText, StartValue)
{
    EXPECT_EQ(CSetMagnification::StartText(0.0), QStringLiteral("NONE"));
    EXPECT_EQ(CSetMagnification::StartText(0.999), QStringLiteral("NONE"));
    EXPECT_EQ(CSetMagnification::StartText(1.0), QStringLiteral("1"));
    EXPECT_EQ(CSetMagnification::StartText(50.0), QStringLiteral("50"));
    EXPECT_EQ(CSetMagnification::StartText(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(CSetMagnification::StartText(52.0004), QStringLiteral("52.0004"));
    EXPECT_EQ(CSetMagnification::StartText(9999.99), QStringLiteral("9999.99"));
    EXPECT_EQ(CSetMagnification::StartText(10000.0), QStringLiteral("NONE"));
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
    void Open(double value)
    {
        dialog.magnification = value;
        dialog.SetTexts(LanguageTable(language));
        dialog.showNotNumber = [this](const QString& message) {
            messages << message;
        };
        dialog.hide();
        dialog.show();
    }

    void Enter(const QString& text)
    {
        dialog.Edit()->setText(text);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    }

    CSetMagnification dialog;
    QStringList messages;
    int language = 0;
};

TEST_F(SetDialog, OpensWithTheShortestForm)
{
    Open(50.0);
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("50"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Set magnification"));
    EXPECT_FALSE(dialog.OkButton()->isDefault());
    language = 1;
    Open(0.0);
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("NONE"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置放大倍率"));
    EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("取消"));
}

TEST_F(SetDialog, AcceptsTheTopOfTheRange)
{
    Open(50.0);
    Enter(QStringLiteral("9999.99"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.magnification, 9999.99);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SetDialog, RefusesOutOfRangeSilently)
{
    Open(50.0);
    for (const char* typed : {"10000", "0.5", "0", "-3"}) {
        Enter(QString::fromLatin1(typed));
        EXPECT_TRUE(dialog.isVisible()) << typed;
    }
    EXPECT_TRUE(messages.isEmpty());
    Enter(QStringLiteral(" 1.00 "));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.magnification, 1.0);
}

TEST_F(SetDialog, TextThatIsNotANumberIsExplained)
{
    Open(0.0);
    dialog.activateWindow();
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton); // "NONE" left as it was
    Enter(QStringLiteral("12x"));
    EXPECT_EQ(messages, QStringList(2, QStringLiteral("请输入一个数字。")));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_DOUBLE_EQ(dialog.magnification, 0.0);
    EXPECT_EQ(dialog.focusWidget(), dialog.Edit());
}

TEST_F(SetDialog, EnterRunsTheSameChecksAsOk)
{
    Open(50.0);
    dialog.Edit()->setText(QStringLiteral("20000"));
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    dialog.Edit()->setText(QStringLiteral("64"));
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.magnification, 64.0);
}
