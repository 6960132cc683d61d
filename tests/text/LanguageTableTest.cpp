#include "text/LanguageTable.h"

#include "TestFiles.h"

#include <QSet>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

std::vector<TextPair> EveryPair()
{
    std::vector<TextPair> pairs(std::begin(Texts::Listed), std::end(Texts::Listed));
    for (int i = 0; i < Texts::MenuTextCount; ++i)
        pairs.push_back(Texts::MenuText(i));
    for (int i = 0; i < Texts::BasicColorCount; ++i)
        pairs.push_back(Texts::BasicColorName(i));
    for (int i = 0; i < Texts::ResultsTextCount; ++i)
        pairs.push_back(Texts::ResultsText(i));
    return pairs;
}

QHash<int, QString> ParsedFile(const char* name)
{
    QHash<int, QString> table;
    EXPECT_TRUE(LanguageTable::Parse(TestFiles::Read(QString::fromLatin1(name)), table)) << name;
    return table;
}

TEST(LanguageTable, EveryTextHasANonEmptyEnglishAndChineseText)
{
    const LanguageTable english(0);
    const LanguageTable chinese(1);
    for (const TextPair& pair : EveryPair()) {
        SCOPED_TRACE(pair.english);
        EXPECT_FALSE(english.Text(pair).isEmpty());
        EXPECT_FALSE(chinese.Text(pair).isEmpty());
    }
}

TEST(LanguageTable, EveryStoredStringBelongsToOneTextAndNoIdRepeats)
{
    QSet<int> used;
    for (const TextPair& pair : EveryPair())
        used << pair.english << pair.chinese;
    const QHash<int, QString> en = ParsedFile(":/strings/en.tsv");
    const QHash<int, QString> zh = ParsedFile(":/strings/zh.tsv");
    for (const QHash<int, QString>* table : {&en, &zh})
        for (auto it = table->begin(); it != table->end(); ++it)
            EXPECT_TRUE(used.contains(it.key())) << "unused string " << it.key();
    for (auto it = en.begin(); it != en.end(); ++it)
        EXPECT_FALSE(zh.contains(it.key())) << "id in both files " << it.key();
}

TEST(LanguageTable, ZeroIsEnglishAnyOtherValueChinese)
{
    for (int language : {1, 2, -1, 0x7fffffff}) {
        const LanguageTable table(language);
        EXPECT_FALSE(table.IsEnglish()) << language;
        EXPECT_EQ(table.Text(Texts::TooltipClose), QStringLiteral("退出")) << language;
    }
    EXPECT_EQ(LanguageTable(0).Text(Texts::TooltipClose), QStringLiteral("Quit"));
    EXPECT_EQ(LanguageTable(1).Id(Texts::Ok), 1122);
    EXPECT_TRUE(LanguageTable::String(1110).isEmpty());
}

TEST(LanguageTable, CutKeepsOneUnitLessThanTheFieldAndNeverHalfACharacter)
{
    const std::tuple<int, int, int> cases[] = {
        {16, 15, 15}, {16, 16, 15}, {260, 300, 259}, {1, 5, 0}, {0, 5, 0}};
    for (const auto& [fieldSize, length, kept] : cases)
        EXPECT_EQ(LanguageTable::Cut(QString(length, u'x'), fieldSize), QString(kept, u'x'))
            << fieldSize << " " << length;
    // 14 units, then a character outside the basic plane (two units).
    const QString text = QString(14, u'a') + QString::fromUcs4(U"\U0001F52C");
    EXPECT_EQ(LanguageTable::Cut(text, LanguageTable::ButtonField), QString(14, u'a'));
    EXPECT_EQ(LanguageTable::Cut(text, 17), text);
    const LanguageTable english(0);
    EXPECT_EQ(english.CaptionText(Texts::MailBusyMessage),
              QStringLiteral("Mail client is busy now. Please"));
    EXPECT_EQ(english.ButtonText(Texts::MailBusyMessage), QStringLiteral("Mail client is "));
    EXPECT_EQ(english.MessageText(Texts::MailBusyMessage).size(), 44);
}

TEST(LanguageTable, ParseRejectsBrokenLinesAndRepeatedIds)
{
    QHash<int, QString> table;
    EXPECT_TRUE(LanguageTable::Parse("# note\n1\t  a\\tb\\\\c\\n\r\n\n2\t\n", table));
    EXPECT_EQ(table.value(1), QStringLiteral("  a\tb\\c\n"));
    EXPECT_TRUE(table.contains(2));
    for (const char* bad : {"1\tagain\n", "x\ttext\n", "3 no tab\n", "4\tbad \\q escape\n"})
        EXPECT_FALSE(LanguageTable::Parse(bad, table)) << bad;
    EXPECT_EQ(table.value(1), QStringLiteral("  a\tb\\c\n"));
}

} // namespace
