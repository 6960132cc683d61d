#include "app/LanguageTable.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct Row
{
    TextPair pair;
    const char* english;
    const char* chinese;
};

// Written out independently of the resource files, so a typo in either shows.
const Row Table[] = {
    {Texts::TooltipSaveAs, "Save as", "另存"},
    {Texts::TooltipCopyFile, "Copy file", "复制照片"},
    {Texts::TooltipCopyImage, "Copy to clipboard", "复制到剪贴板"},
    {Texts::TooltipMail, "Send mail", "发送邮件"},
    {Texts::TooltipDrawing, "Draw", "标注"},
    {Texts::TooltipDrawingExtern, "Draw", "标注"},
    {Texts::TooltipText, "Text", "文字"},
    {Texts::TooltipTextExtern, "Font", "字体选择"},
    {Texts::TooltipMeasurement, "Measure", "测量"},
    {Texts::TooltipPrevious, "Previous", "前翻"},
    {Texts::TooltipNext, "Next", "后翻"},
    {Texts::TooltipUndo, "Undo", "撤消"},
    {Texts::TooltipRedo, "Redo", "重做"},
    {Texts::TooltipZoomIn, "Zoom in", "放大"},
    {Texts::TooltipZoomOut, "Zoom out", "缩小"},
    {Texts::TooltipMin, "Minimize", "最小化"},
    {Texts::TooltipMax, "Full screen", "全屏"},
    {Texts::TooltipClose, "Quit", "退出"},
    {Texts::ModifiedCaption, "Lumvex picture editor", "Lumvex 编辑器"},
    {Texts::ModifiedMessage, "Picture has been modified!\nSave picture...",
     "照片已被修改。\n保存图片......"},
    {Texts::Yes, "YES", "是"},
    {Texts::No, "NO", "否"},
    {Texts::CalibrationPromptCaption, "Calibtration", "倍率矫正"},
    {Texts::CalibrationPromptMessage, "Please take measurement on calibration standard",
     "请使用校正尺规进行量测"},
    {Texts::Ok, "OK", "确定"},
    {Texts::AdjustTitle, "Adjust magnification", "倍率校正"},
    {Texts::AdjustUnitLabel[0], "Unit:(mm)", "单位:(毫米)"},
    {Texts::AdjustUnitLabel[1], "Unit:(um)", "单位:(微米)"},
    {Texts::AdjustUnitLabel[2], "Unit:(mil)", "单位:(密尔)"},
    {Texts::AdjustUnitLabel[3], "Unit:(inch)", "单位:(英寸)"},
    {Texts::AdjustActualDimension, "Actual dimension:", "实际长度:"},
    {Texts::AdjustAdjustedMagnification, "Adjusted magnification:", "校正倍率:"},
    {Texts::AdjustUseAsMeasure, "Use adjusted mag. as measure mag.", "将校正倍率用于测量倍率"},
    {Texts::SetMagnificationWarning,
     "  Input accurate magnification , otherwise measurement value is not correct!",
     "请输入正确的倍率，否则测量值将不正确！"},
    {Texts::SetMagnificationLabel, "Set magnification:(1.00~9999.99)",
     "输入放大倍率:(1.00~9999.99)"},
    {Texts::SetMagnificationTitle, "Set magnification", "设置放大倍率"},
    {Texts::Cancel, "Cancel", "取消"},
    {Texts::MailCaption, "Mail", "邮件"},
    {Texts::MailBusyMessage, "Mail client is busy now. Please retry later!",
     "邮件发送程序忙，请稍后再发！"},
    {Texts::NotANumber, "请输入一个数字。", "请输入一个数字。"},
    {Texts::MailFailed, "“发送邮件”未能发送邮件。", "“发送邮件”未能发送邮件。"},
    {Texts::SaveTitle, "Save as...", "另存为..."},
    {Texts::SaveSmallSize, "320X240", "320X240"},
    {Texts::SaveOriginalSize, "Original size", "原始尺寸"},
    {Texts::FontColorLabel, "Color:", "颜色:"},
};

TEST(LanguageTable, EveryPairHasItsTextInBothLanguages)
{
    const LanguageTable english(0);
    const LanguageTable chinese(1);
    for (const Row& row : Table) {
        SCOPED_TRACE(row.english);
        EXPECT_EQ(english.Text(row.pair), QString::fromUtf8(row.english));
        EXPECT_EQ(chinese.Text(row.pair), QString::fromUtf8(row.chinese));
    }
}

TEST(LanguageTable, BasicColorsHaveDistinctNamesInBothLanguages)
{
    for (int language : {0, 1}) {
        const LanguageTable table(language);
        QStringList names;
        for (TextPair pair : Texts::BasicColorNames)
            names << table.Text(pair);
        EXPECT_EQ(names.removeDuplicates(), 0);
        EXPECT_FALSE(names.contains(QString())) << language;
    }
}

TEST(LanguageTable, IdsAreTheListedOnes)
{
    EXPECT_EQ(LanguageTable(0).Id(Texts::Ok), 256);
    EXPECT_EQ(LanguageTable(1).Id(Texts::Ok), 1122);
    EXPECT_EQ(LanguageTable(0).Id(Texts::AdjustTitle), 1225);
    EXPECT_EQ(LanguageTable(1).Id(Texts::AdjustTitle), 11225);
    EXPECT_EQ(LanguageTable::String(11122),
              QStringLiteral("Picture has been modified!\nSave picture..."));
    EXPECT_FALSE(LanguageTable::Contains(1110));
    EXPECT_TRUE(LanguageTable::String(1110).isEmpty());
}

TEST(LanguageTable, ZeroIsEnglishAnyOtherValueChinese)
{
    for (int language : {1, 2, -1, 0x7fffffff}) {
        const LanguageTable table(language);
        EXPECT_FALSE(table.IsEnglish()) << language;
        EXPECT_EQ(table.Text(Texts::TooltipClose), QStringLiteral("退出")) << language;
    }
    EXPECT_TRUE(LanguageTable(0).IsEnglish());
    EXPECT_EQ(LanguageTable(0).Text(Texts::TooltipClose), QStringLiteral("Quit"));
}

struct CutCase
{
    int fieldSize;
    int length;
    int kept;
};

class LanguageTableCut : public ::testing::TestWithParam<CutCase>
{};

TEST_P(LanguageTableCut, KeepsOneUnitLessThanTheField)
{
    const CutCase c = GetParam();
    const QString text(c.length, u'x');
    EXPECT_EQ(LanguageTable::Cut(text, c.fieldSize), QString(c.kept, u'x'));
}

INSTANTIATE_TEST_SUITE_P(Boundaries, LanguageTableCut,
                         ::testing::Values(CutCase{16, 15, 15}, CutCase{16, 16, 15},
                                           CutCase{16, 40, 15}, CutCase{32, 31, 31},
                                           CutCase{32, 32, 31}, CutCase{128, 127, 127},
                                           CutCase{128, 128, 127}, CutCase{260, 259, 259},
                                           CutCase{260, 300, 259}, CutCase{1, 5, 0},
                                           CutCase{0, 5, 0}));

TEST(LanguageTable, CutNeverSplitsASurrogatePair)
{
    // 14 units, then a character outside the basic plane (two units).
    const QString text = QString(14, u'a') + QString::fromUcs4(U"\U0001F52C");
    EXPECT_EQ(LanguageTable::Cut(text, LanguageTable::ButtonField), QString(14, u'a'));
    EXPECT_EQ(LanguageTable::Cut(text, 17), text);
}

TEST(LanguageTable, FieldHelpersUseTheirSizes)
{
    const LanguageTable english(0);
    // 44 characters: whole as a tooltip or message, cut as a caption or a button.
    EXPECT_EQ(english.MessageText(Texts::MailBusyMessage).size(), 44);
    EXPECT_EQ(english.TooltipText(Texts::MailBusyMessage).size(), 44);
    EXPECT_EQ(english.CaptionText(Texts::MailBusyMessage),
              QStringLiteral("Mail client is busy now. Please"));
    EXPECT_EQ(english.ButtonText(Texts::MailBusyMessage), QStringLiteral("Mail client is "));
}

TEST(LanguageTable, ParseRejectsBrokenLinesAndRepeatedIds)
{
    QHash<int, QString> table;
    EXPECT_TRUE(LanguageTable::Parse("# note\n1\t  a\\tb\\\\c\\n\r\n\n2\t\n", table));
    EXPECT_EQ(table.value(1), QStringLiteral("  a\tb\\c\n"));
    EXPECT_TRUE(table.contains(2));
    EXPECT_FALSE(LanguageTable::Parse("1\tagain\n", table));
    EXPECT_FALSE(LanguageTable::Parse("x\ttext\n", table));
    EXPECT_FALSE(LanguageTable::Parse("3 no tab\n", table));
    EXPECT_FALSE(LanguageTable::Parse("4\tbad \\q escape\n", table));
    EXPECT_EQ(table.value(1), QStringLiteral("  a\tb\\c\n"));
}

} // namespace
