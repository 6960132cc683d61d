#include "app/PictureList.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

using namespace PictureList;

namespace {

TEST(PictureList, NamesAreThirteenDigitsAnyCharacterAndBmpOrJpg)
{
    for (const char* name : {"20081231_1234.jpg", "2008123101234.bmp", "2008123101234.JPG",
                             "20081231_1234.Bmp", "20081231_1234xjpg"})
        EXPECT_TRUE(IsPictureName(QString::fromUtf8(name))) << name;
    for (const char* name :
         {"2008123_11234.jpg", "20081231_1234.jpeg", "20081231_12345.jpg", "20081231_123.jpg",
          "20081231_1234.png", "20081231a1234.jpg", "20081231 1234.jpg", "jpg", ""})
        EXPECT_FALSE(IsPictureName(QString::fromUtf8(name))) << name;
}

class PictureFolderTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        folder = dir.path() + QLatin1Char('/');
        // Created out of order: the listing must not depend on it.
        for (const char* name : {"20081231_1235.bmp", "notes.txt", "20081231_1234.jpg",
                                 "1999123101234.BMP", "20081231_12345.jpg"})
            QFile(folder + name).open(QIODevice::WriteOnly);
        a = folder + "20081231_1234.jpg";
        b = folder + "20081231_1235.bmp";
    }

    QTemporaryDir dir;
    QString folder, a, b;
};

// Ascending by case-sensitive comparison of the whole path, no wrap-around,
// the current picture found without regard to case; a move runs its steps.
TEST_F(PictureFolderTest, ListsPictureNamesInOrderAndMovesAlongThem)
{
    const QString old = folder + "1999123101234.BMP";
    const QStringList list = BuildPictureList(folder);
    EXPECT_EQ(list, QStringList({old, a, b}));
    EXPECT_EQ(BuildPictureList(dir.path()), list);
    EXPECT_TRUE(BuildPictureList(folder + "missing/").isEmpty());
    EXPECT_EQ(AdjacentPicture(list, old, Previous), std::nullopt);
    EXPECT_EQ(AdjacentPicture(list, folder + "20081231_1234.JPG", Next), b);

    // The steps the editor window takes, in order: the save question never
    // cancels the move, a picture that fails to load is still moved to.
    // start, direction, modified, answer, loads, moved to (empty: no move), steps
    const std::tuple<const char*, int, bool, int, bool, const char*, const char*> cases[] = {
        {"20081231_1234.jpg", Next, false, 7, true, "20081231_1235.bmp",
         "cancel saveInfo load:20081231_1235.bmp loadInfo:20081231_1235.bmp refresh"},
        {"20081231_1234.jpg", Next, true, 1, true, "20081231_1235.bmp",
         "ask saveAs cancel saveInfo load:20081231_1235.bmp loadInfo:20081231_1235.bmp refresh"},
        {"20081231_1234.jpg", Next, true, 7, true, "20081231_1235.bmp",
         "ask cancel saveInfo load:20081231_1235.bmp loadInfo:20081231_1235.bmp refresh"},
        {"20081231_1235.bmp", Next, true, 1, true, "", "ask saveAs cancel"},
        {"20081231_1235.bmp", Previous, false, 7, false, "20081231_1234.jpg",
         "cancel saveInfo load:20081231_1234.jpg refresh"},
        {"20081231_12345.jpg", Previous, false, 7, true, "", "cancel"}, // not in the list
    };
    for (const auto& [start, direction, modified, answer, loads, movedTo, expected] : cases) {
        QStringList log;
        const auto note = [&log](const char* step) {
            return [&log, step] {
                log << step;
            };
        };
        const AdjacentPictureSteps steps{
            [&] { return modified; },
            [&] {
                log << "ask";
                return answer;
            },
            note("saveAs"),
            note("cancel"),
            note("saveInfo"),
            [&](const QString& p) {
                log << "load:" + p.section('/', -1);
                return loads;
            },
            [&](const QString& p) { log << "loadInfo:" + p.section('/', -1); },
            note("refresh")};
        QString path = folder + start;
        const bool moved = *movedTo != 0;
        EXPECT_EQ(ShowAdjacentPicture(direction, path, folder, steps), moved);
        EXPECT_EQ(path, folder + (moved ? movedTo : start));
        EXPECT_EQ(log.join(' '), expected) << start;
    }
}

} // namespace
