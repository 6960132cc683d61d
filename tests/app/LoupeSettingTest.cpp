#include "EditorWindowSupport.h"

// The loupe's switch survives a restart in the editor's own key and leaves
// the records shared with the capture program alone.
TEST_F(EditorWindowTest, LoupeSwitchIsKeptAcrossARestart)
{
    const QString path = Picture("20081231_1234.jpg", "20081231_1234", true);
    for (const bool expected : {true, false, true}) {
        Open(path);
        ASSERT_TRUE(opened);
        EXPECT_EQ(window->View().LoupeEnabled(), expected);
        const QByteArray shared = ReadSetting(QStringLiteral("Properties"), 220);
        QTest::keyClick(&window->View(), Qt::Key_L);
        EXPECT_EQ(window->View().LoupeEnabled(), !expected);
        EXPECT_EQ(ReadSetting(QStringLiteral("Properties"), 220), shared);
        EXPECT_EQ(ReadSetting(QStringLiteral("LumvexImgEdt/Loupe"), 4),
                  QByteArray(expected ? "\0\0\0\0" : "\1\0\0\0", 4));
        window.reset();
    }
}
