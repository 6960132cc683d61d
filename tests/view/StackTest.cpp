#include "view/Stack.h"
#include "view/CLumvexImgEdtView.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// A view whose commits put a given picture into the history, and whose
// snapshots can be made to fail.
class TestView : public CLumvexImgEdtView
{
  public:
    bool failSnapshots = false;
    std::unique_ptr<QImage> TakeSnapshot() override
    {
        return failSnapshots ? nullptr : CLumvexImgEdtView::TakeSnapshot();
    }
    void Commit(const QImage& picture)
    {
        workingPicture = picture;
        CommitObject();
    }
};

class HistoryTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        loaded.fill(qRgb(0, 0, 0));
        const QString path = folder.filePath(QStringLiteral("20081231_0000.bmp"));
        ASSERT_TRUE(loaded.save(path) && view.LoadPicture(path));
    }

    // An odd size spanning several tiles each way.
    QImage loaded{139, 83, QImage::Format_RGB32};
    QTemporaryDir folder;
    TestView view;
};

// A few rectangles of the picture repainted.
QImage Edited(const QImage& from, std::mt19937& rng)
{
    QImage edited = from.copy();
    for (uint32_t n = rng() % 4; n > 0; --n) {
        const int x = int(rng() % uint32_t(edited.width()));
        const int y = int(rng() % uint32_t(edited.height()));
        for (int dy = 0; dy < int(rng() % 20) && y + dy < edited.height(); ++dy)
            for (int dx = 0; dx < int(rng() % 90) && x + dx < edited.width(); ++dx)
                edited.setPixel(x + dx, y + dy, rng() | 0xFF000000u);
    }
    return edited;
}

// Random commits, undos and redos against whole pictures kept the plain way:
// at most sixteen, a commit drops what could be redone, an undo after the
// oldest and a redo past the newest are refused, and the modification count
// follows every step that happened (so it stays above zero once the loaded
// picture has left the history).
TEST_F(HistoryTest, DifferencesGiveBackEveryPictureAPlainHistoryWould)
{
    std::mt19937 rng{7};
    std::vector<QImage> pictures{loaded};
    int top = 0, count = 0;
    for (int step = 0; step < 400; ++step) {
        const uint32_t action = rng() % 10;
        if (action < 5) {
            pictures.resize(size_t(top + 1));
            if (pictures.size() == Stack::MaxCapacity)
                pictures.erase(pictures.begin());
            pictures.push_back(Edited(pictures.back(), rng));
            top = int(pictures.size()) - 1;
            ++count;
            view.Commit(pictures.back());
        } else if (action < 8) {
            count -= top > 0;
            top -= top > 0;
            view.Undo();
        } else {
            count += top + 1 < int(pictures.size());
            top += top + 1 < int(pictures.size());
            view.Redo();
        }
        ASSERT_EQ(view.History().Count(), int(pictures.size())) << "step " << step;
        ASSERT_EQ(view.modificationCount, count) << "step " << step;
        ASSERT_TRUE(view.WorkingPicture() == pictures[size_t(top)]) << "step " << step;
    }
    // A commit whose snapshot fails leaves the history and the count as they were.
    view.failSnapshots = true;
    view.Commit(Edited(pictures[size_t(top)], rng));
    EXPECT_EQ(view.modificationCount, count);
    EXPECT_EQ(view.History().Count(), int(pictures.size()));
}

// Fifteen one-pixel edits cost a tile each at most; edits that repaint
// everything give up the oldest steps once their differences pass the cap.
TEST(StackTest, DifferencesCostTheirTilesUpToTheByteCap)
{
    QImage picture(1000, 800, QImage::Format_RGB32);
    picture.fill(qRgb(40, 80, 120));
    Stack stack(16);
    for (int i = 0; i < 16; ++i) {
        picture.setPixel(i * 60, i * 50, qRgb(255, 0, 0));
        stack.Push(std::make_unique<QImage>(picture));
    }
    const qsizetype tileBytes = Stack::TileWidth * Stack::TileHeight * 4;
    EXPECT_LE(stack.SizeInBytes(), picture.sizeInBytes() + 15 * (tileBytes + 64));

    std::mt19937 rng{3};
    const qsizetype change = 128 * 64 * 4;
    Stack capped(16, 3 * change + change / 2);
    std::vector<QImage> pushed;
    for (int i = 0; i < 10; ++i) {
        QImage noise(128, 64, QImage::Format_RGB32); // does not compress
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 128; ++x)
                noise.setPixel(x, y, rng() | 0xFF000000u);
        pushed.push_back(noise);
        capped.Push(std::make_unique<QImage>(noise));
    }
    EXPECT_EQ(capped.Count(), 4) << "three differences fit under the cap";
    EXPECT_LE(capped.SizeInBytes(), 4 * change + 3 * 256);
    while (capped.CanUndo())
        capped.Undo();
    EXPECT_TRUE(*capped.Top() == pushed[6]);
}

} // namespace
