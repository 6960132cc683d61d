#include "ViewTestSupport.h"

#include "draw/CDrawText.h"

#include <QKeyEvent>

namespace {

class TextToolTest : public ViewFixture
{
  protected:
    void SetUp() override
    {
        Load({640, 480});
        editor.SetToolMode(ToolText);
    }

    // A key as the keyboard delivers it: the key code and the text it types.
    void Type(const QString& text, int key = 0)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&editor, &press);
    }
    void Key(Qt::Key key) { QTest::keyClick(&editor, key); }
    CDrawText* Text() const { return dynamic_cast<CDrawText*>(editor.CurrentObject()); }
};

TEST_F(TextToolTest, TypingBackspaceAndEnterCommitTheText)
{
    Click({100, 100});
    ASSERT_EQ(editor.InteractionStateValue(), StateTyping);
    ASSERT_NE(Text(), nullptr);
    // The default font, -18 at scale 1, becomes -17: a caret box above and left.
    EXPECT_EQ(Text()->bounds, (GdiRect{95, 83, 100, 100}));
    EXPECT_FALSE(IsWhite({97, 90})) << "the caret box shows inverted";

    QTest::keyClicks(&editor, QStringLiteral("abc"));
    Key(Qt::Key_Backspace);
    QTest::keyClicks(&editor, QStringLiteral("d"));
    EXPECT_EQ(editor.TypedText(), QStringLiteral("abd"));
    EXPECT_EQ(Text()->text, QStringLiteral("abd"));
    EXPECT_EQ(editor.modificationCount, 0);

    const int inkWhileTyping = InkIn({100, 80, 200, 110});
    EXPECT_GT(inkWhileTyping, 0);
    Key(Qt::Key_Return);
    EXPECT_EQ(editor.InteractionStateValue(), StateIdle);
    EXPECT_EQ(editor.CurrentObject(), nullptr);
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_TRUE(IsWhite({97, 90})) << "a finished text has no caret box";
    EXPECT_EQ(InkIn({100, 80, 200, 110}), inkWhileTyping);
}

TEST_F(TextToolTest, DeleteRemovesTheLastCharacterAndStopsAtEmpty)
{
    Click({100, 100});
    QTest::keyClicks(&editor, QStringLiteral("xy"));
    Key(Qt::Key_Delete);
    EXPECT_EQ(editor.TypedText(), QStringLiteral("x"));
    Key(Qt::Key_Delete);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(editor.TextLength(), 0);
    EXPECT_EQ(editor.TypedText(), QString());
}

TEST_F(TextToolTest, OnlyAsciiAndCharactersFromU0100AreKept)
{
    Click({100, 100});
    Type(QString(QChar(0x00E9)));
    Type(QStringLiteral("\t"));
    Type(QString(QChar(0x00A0)));
    EXPECT_EQ(editor.TextLength(), 0);
    Type(QString(QChar(0x03A9)));
    // A character beyond 16 bits arrives as two surrogates, both kept.
    Type(QString::fromUcs4(U"\U0001F600", 1));
    Type(QStringLiteral("~"));
    EXPECT_EQ(editor.TypedText(),
              QString(QChar(0x03A9)) + QString::fromUcs4(U"\U0001F600", 1) + u'~');
    EXPECT_EQ(editor.TextLength(), 4);
}

struct CodeCase
{
    char32_t code;
    bool kept;
};

class TypedCodeTest : public ::testing::TestWithParam<CodeCase>
{};

TEST_P(TypedCodeTest, AcceptsTypedCode)
{
    EXPECT_EQ(CLumvexImgEdtView::AcceptsTypedCode(GetParam().code), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, TypedCodeTest,
                         ::testing::Values(CodeCase{0, false}, CodeCase{8, false},
                                           CodeCase{13, false}, CodeCase{31, false},
                                           CodeCase{32, true}, CodeCase{127, true},
                                           CodeCase{128, false}, CodeCase{255, false},
                                           CodeCase{256, true}, CodeCase{0xD83D, true},
                                           CodeCase{0xFFFF, true}));

TEST_F(TextToolTest, BufferKeepsAtMost1023CodeUnits)
{
    Click({10, 400});
    for (int i = 0; i < 1100; ++i)
        editor.TypeCodeUnit(U'x');
    EXPECT_EQ(editor.TextLength(), 1023);
    EXPECT_EQ(editor.textBuffer[1023], u'\0');
    editor.TypeRemoveLast();
    editor.TypeCodeUnit(U'y');
    EXPECT_EQ(editor.TextLength(), 1023);
    EXPECT_EQ(editor.TypedText().back(), u'y');
}

TEST_F(TextToolTest, PressInsideTheTextBeingTypedStartsItAgain)
{
    Click({100, 100});
    QTest::keyClicks(&editor, QStringLiteral("ab"));
    Click({97, 90});
    EXPECT_EQ(editor.InteractionStateValue(), StateTyping);
    EXPECT_EQ(editor.TextLength(), 0);
    EXPECT_EQ(editor.modificationCount, 0) << "the text was thrown away";
    ASSERT_NE(Text(), nullptr);
    EXPECT_TRUE(Text()->text.isEmpty());
    EXPECT_EQ(Text()->bounds, (GdiRect{92, 73, 97, 90}));
    EXPECT_EQ(InkIn({100, 80, 200, 110}), 0) << "nothing of the old text remains";
}

TEST_F(TextToolTest, PressOutsideTheTextCommitsItAndStartsANewOne)
{
    Click({100, 100});
    QTest::keyClicks(&editor, QStringLiteral("ab"));
    Click({300, 300});
    EXPECT_EQ(editor.modificationCount, 1);
    EXPECT_EQ(editor.InteractionStateValue(), StateTyping);
    EXPECT_EQ(editor.TextLength(), 0);
    EXPECT_GT(InkIn({100, 80, 200, 110}), 0) << "the first text stays";
    EXPECT_TRUE(editor.History().Top()->pixel(97, 90) == qRgb(255, 255, 255))
        << "committed without its caret box";
}

TEST_F(TextToolTest, TextUsesTheScaledTextFontAndColour)
{
    editor.textColor = MakeColorRef(255, 0, 0);
    editor.textFont.height = -30;
    Click({100, 100});
    ASSERT_NE(Text(), nullptr);
    EXPECT_EQ(Text()->finished, 0);
    EXPECT_EQ(Text()->textColour, MakeColorRef(255, 0, 0));
    EXPECT_EQ(Text()->font.Log().height, -29);
    EXPECT_EQ(Text()->bounds, (GdiRect{91, 71, 100, 100}));
}

} // namespace
