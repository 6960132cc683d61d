#include "app/PictureList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace PictureList;

namespace {

struct NameCase
{
    const char* name;
    bool accepted;
};

class PictureNameTest : public ::testing::TestWithParam<NameCase>
{};

TEST_P(PictureNameTest, FollowsTheNamingRule)
{
    EXPECT_EQ(IsPictureName(QString::fromUtf8(GetParam().name)), GetParam().accepted)
        << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, PictureNameTest,
    ::testing::Values(NameCase{"20081231_1234.jpg", true}, NameCase{"2008123101234.bmp", true},
                      NameCase{"2008123101234.JPG", true}, NameCase{"20081231_1234.Bmp", true},
                      NameCase{"20081231_1234xjpg", true}, NameCase{"2008123_11234.jpg", false},
                      NameCase{"20081231_1234.jpeg", false}, NameCase{"20081231_12345.jpg", false},
                      NameCase{"20081231_123.jpg", false}, NameCase{"20081231_1234.png", false},
                      NameCase{"20081231a1234.jpg", false}, NameCase{"2008123__1234.jpg", false},
                      NameCase{"20081231 1234.jpg", false}, NameCase{"jpg", false},
                      NameCase{"", false}));

class PictureFolderTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
        // Created out of order: the listing must not depend on it.
        for (const char* name : {"20081231_1235.bmp", "notes.txt", "20081231_1234.jpg"}) {
            QFile file(folder + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        a = folder + "20081231_1234.jpg";
        b = folder + "20081231_1235.bmp";
    }

    // A move with hooks that log the steps the editor window would take.
    bool Move(int direction, QString& path, bool modified = false, int answer = 7,
              bool loads = true)
    {
        AdjacentPictureSteps steps;
        steps.isModified = [=] {
            return modified;
        };
        steps.askSave = [=, this] {
            log << "ask";
            return answer;
        };
        steps.saveAs = [this] {
            log << "saveAs";
        };
        steps.cancelOperation = [this] {
            log << "cancel";
        };
        steps.savePictureInfo = [this] {
            log << "saveInfo";
        };
        steps.loadPicture = [=, this](const QString& p) {
            log << "load " + p.section('/', -1);
            return loads;
        };
        steps.loadPictureInfo = [this](const QString& p) {
            log << "loadInfo " + p.section('/', -1);
        };
        steps.refreshBoxes = [this] {
            log << "refresh";
        };
        return ShowAdjacentPicture(direction, path, folder, steps);
    }

    QTemporaryDir dir;
    QString folder, a, b;
    QStringList log;
};

TEST_F(PictureFolderTest, ListsOnlyPictureNamesInAscendingOrder)
{
    EXPECT_EQ(BuildPictureList(folder), QStringList({a, b}));
    EXPECT_EQ(BuildPictureList(dir.path()), QStringList({a, b}));
    EXPECT_TRUE(BuildPictureList(folder + "missing/").isEmpty());
}

TEST_F(PictureFolderTest, AdjacentPictureHasNoWrapAround)
{
    const QStringList list = BuildPictureList(folder);
    EXPECT_EQ(AdjacentPicture(list, a, Next), b);
    EXPECT_EQ(AdjacentPicture(list, b, Next), std::nullopt);
    EXPECT_EQ(AdjacentPicture(list, a, Previous), std::nullopt);
    EXPECT_EQ(AdjacentPicture(list, b, Previous), a);
    // The current picture is found without regard to case.
    EXPECT_EQ(AdjacentPicture(list, folder + "20081231_1234.JPG", Next), b);
    EXPECT_EQ(AdjacentPicture(list, folder + "notes.txt", Next), std::nullopt);
}

TEST_F(PictureFolderTest, StartPictureWithALongerNameIsNotFound)
{
    const QString odd = folder + "20081231_12345.jpg";
    QFile(odd).open(QIODevice::WriteOnly);
    QString path = odd;
    EXPECT_FALSE(Move(Next, path));
    EXPECT_FALSE(Move(Previous, path));
    EXPECT_EQ(path, odd);
    EXPECT_EQ(log, QStringList({"cancel", "cancel"}));
}

TEST_F(PictureFolderTest, NextRunsTheStepsInOrder)
{
    QString path = a;
    EXPECT_TRUE(Move(Next, path));
    EXPECT_EQ(path, b);
    EXPECT_EQ(log, QStringList({"cancel", "saveInfo", "load 20081231_1235.bmp",
                                "loadInfo 20081231_1235.bmp", "refresh"}));
}

TEST_F(PictureFolderTest, SaveQuestionYesSavesThenMovesAndNoJustMoves)
{
    QString path = a;
    EXPECT_TRUE(Move(Next, path, true, 1));
    EXPECT_EQ(log.mid(0, 3), QStringList({"ask", "saveAs", "cancel"}));
    log.clear();
    path = a;
    EXPECT_TRUE(Move(Next, path, true, 7));
    EXPECT_EQ(log.mid(0, 2), QStringList({"ask", "cancel"}));
    EXPECT_EQ(path, b);
}

TEST_F(PictureFolderTest, AtTheEndNothingChangesEvenAfterTheQuestion)
{
    QString path = b;
    EXPECT_FALSE(Move(Next, path, true, 1));
    EXPECT_EQ(path, b);
    EXPECT_EQ(log, QStringList({"ask", "saveAs", "cancel"}));
}

TEST_F(PictureFolderTest, FailedLoadStillMovesAndRefreshes)
{
    QString path = b;
    EXPECT_TRUE(Move(Previous, path, false, 7, false));
    EXPECT_EQ(path, a);
    EXPECT_EQ(log, QStringList({"cancel", "saveInfo", "load 20081231_1234.jpg", "refresh"}));
}

TEST(PictureList, SortIsCaseSensitiveOnWholePaths)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + '/';
    for (const char* name : {"2008123101234.jpg", "20081231_1234.jpg", "1999123101234.BMP"})
        QFile(folder + name).open(QIODevice::WriteOnly);
    EXPECT_EQ(BuildPictureList(folder),
              QStringList({folder + "1999123101234.BMP", folder + "2008123101234.jpg",
                           folder + "20081231_1234.jpg"}));
}

TEST(PictureList, MagnificationBoxAfterAStep)
{
    auto box = MagnificationBoxAfterStep(0.0, 50.0, 7.0, Next);
    EXPECT_EQ(box.text, "50.0");
    EXPECT_EQ(box.measuringMagnification, 50.0);
    box = MagnificationBoxAfterStep(0.0, 50.0, 7.0, Previous);
    EXPECT_EQ(box.text, "50.000000");
    box = MagnificationBoxAfterStep(123.26, 50.0, 7.0, Next);
    EXPECT_EQ(box.text, "123.3");
    EXPECT_EQ(box.measuringMagnification, 123.26);
    box = MagnificationBoxAfterStep(1.0, 1.0, 7.0, Next);
    EXPECT_EQ(box.text, "NONE");
    EXPECT_EQ(box.measuringMagnification, 7.0);
}

} // namespace
