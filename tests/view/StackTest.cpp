#include "view/Stack.h"
#include "view/CLumvexImgEdtView.h"

#include <QTemporaryDir>

#include <random>
#include <string_view>

#include <gtest/gtest.h>

namespace {

// Whole pictures kept the plain way, the history's rules applied to them.
struct PlainHistory
{
    int capacity;
    std::vector<QImage> pictures;
    int top = -1;

    void Push(const QImage& picture)
    {
        pictures.resize(size_t(top + 1));
        if (int(pictures.size()) >= capacity)
            pictures.erase(pictures.begin());
        pictures.push_back(picture);
        top = int(pictures.size()) - 1;
    }
};

// A picture with a few rectangles repainted, or now and then another shape.
QImage Edited(const QImage& from, std::mt19937& rng)
{
    if (from.isNull() || rng() % 9 == 0) {
        QImage other(int(40 + rng() % 100), int(30 + rng() % 90), QImage::Format_RGB32);
        other.fill(QColor::fromRgb(rng() | 0xFF000000u));
        return other;
    }
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

// Random edits, undos and redos; a capacity asked above sixteen keeps sixteen.
TEST(StackTest, DifferencesGiveBackEveryPictureAPlainHistoryWould)
{
    const std::pair<int, int> capacities[] = {{1, 1}, {3, 3}, {40, 16}};
    for (const auto& [asked, capacity] : capacities) {
        std::mt19937 rng{uint32_t(asked)};
        Stack stack(asked);
        EXPECT_EQ(stack.Top(), nullptr);
        PlainHistory plain{capacity};
        QImage latest;
        for (int step = 0; step < 400; ++step) {
            const uint32_t action = rng() % 10;
            if (action < 5 || plain.top < 0) {
                latest = Edited(plain.top >= 0 ? plain.pictures[size_t(plain.top)] : latest, rng);
                stack.Push(std::make_unique<QImage>(latest));
                plain.Push(latest);
            } else if (action < 8 && stack.CanUndo()) {
                stack.Undo();
                --plain.top;
            } else if (stack.CanRedo()) {
                stack.Redo();
                ++plain.top;
            }
            ASSERT_EQ(stack.Count(), int(plain.pictures.size())) << "step " << step;
            ASSERT_EQ(stack.TopIndex(), plain.top) << "step " << step;
            ASSERT_TRUE(*stack.Top() == plain.pictures[size_t(plain.top)])
                << "capacity " << capacity << ", step " << step;
        }
        stack.Clear();
        EXPECT_EQ(stack.SizeInBytes(), 0);
        EXPECT_EQ(stack.TopIndex(), -1);
    }
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

// A view whose snapshots can be made to fail, with commits that paint the
// whole picture one shade.
class TestView : public CLumvexImgEdtView
{
  public:
    bool failSnapshots = false;
    std::unique_ptr<QImage> TakeSnapshot() override
    {
        return failSnapshots ? nullptr : CLumvexImgEdtView::TakeSnapshot();
    }
    void Commit(int shade)
    {
        workingPicture.fill(qRgb(shade, shade, shade));
        CommitObject();
    }
    int Shade() const { return qRed(workingPicture.pixel(0, 0)); }
};

class HistoryTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(qRgb(0, 0, 0));
        const QString path = folder.filePath(QStringLiteral("20081231_0000.bmp"));
        ASSERT_TRUE(picture.save(path) && view.LoadPicture(path));
    }

    QTemporaryDir folder;
    TestView view;
};

// Commits (c), undos (u) and redos (r): an undo right after the load and a
// redo past the end are refused, and a commit drops what could be redone.
TEST_F(HistoryTest, ModificationCountFollowsCommitsUndosAndRedos)
{
    QString counts;
    int shade = 0;
    for (const char step : std::string_view("uccuurrrucr")) {
        if (step == 'c')
            view.Commit(shade += 10);
        if (step == 'u')
            view.Undo();
        if (step == 'r')
            view.Redo();
        counts += QString::number(view.modificationCount);
    }
    EXPECT_EQ(counts, QStringLiteral("01210122122"));
    EXPECT_EQ(view.Shade(), 30);
}

// Once the loaded picture has left the history, undoing all the way still
// leaves the picture modified.
TEST_F(HistoryTest, SixteenCommitsLoseTheLoadedPicture)
{
    for (int i = 1; i <= 16; ++i)
        view.Commit(i * 10);
    EXPECT_EQ(view.History().Count(), 16);
    for (int i = 0; i < 20; ++i)
        view.Undo();
    EXPECT_EQ(view.Shade(), 10) << "back to the first edit, not to the loaded picture";
    EXPECT_EQ(view.modificationCount, 1);
}

TEST_F(HistoryTest, FailedSnapshotLeavesEverythingAsItWas)
{
    view.failSnapshots = true;
    view.Commit(100);
    EXPECT_EQ(view.modificationCount, 0);
    EXPECT_EQ(view.History().Count(), 1);
}

} // namespace
