#include "view/Stack.h"
#include "view/CLumvexImgEdtView.h"

#include <QTemporaryDir>

#include <random>

#include <gtest/gtest.h>

namespace {

TEST(StackTest, CapacityIsAtMostSixteen)
{
    EXPECT_EQ(Stack(40).Capacity(), 16);
    EXPECT_EQ(Stack(3).Capacity(), 3);
    Stack empty(16);
    EXPECT_EQ(empty.Top(), nullptr);
    EXPECT_FALSE(empty.CanUndo() || empty.CanRedo());
}

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

TEST(StackTest, DifferencesGiveBackEveryPictureAPlainHistoryWould)
{
    for (int capacity : {1, 3, 16}) {
        std::mt19937 rng{uint32_t(capacity)};
        Stack stack(capacity);
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

TEST(StackTest, SmallEditsCostTheirTilesNotWholePictures)
{
    QImage picture(1000, 800, QImage::Format_RGB32);
    picture.fill(qRgb(40, 80, 120));
    Stack stack(16);
    stack.Push(std::make_unique<QImage>(picture));
    EXPECT_EQ(stack.SizeInBytes(), picture.sizeInBytes());
    for (int i = 0; i < 15; ++i) {
        picture.setPixel(i * 60, i * 50, qRgb(255, 0, 0));
        stack.Push(std::make_unique<QImage>(picture));
    }
    // Fifteen one-pixel edits: one tile each, at most.
    const qsizetype tileBytes = Stack::TileWidth * Stack::TileHeight * 4;
    EXPECT_LE(stack.SizeInBytes(), picture.sizeInBytes() + 15 * (tileBytes + 64));
    const QImage* before = stack.Top();
    EXPECT_NE(stack.Undo(), before) << "an undone picture is a new object";
    EXPECT_EQ(stack.Top()->pixel(14 * 60, 14 * 50), qRgb(40, 80, 120));
}

TEST(StackTest, DifferencesBeyondTheByteCapGiveUpTheOldestSteps)
{
    // Every edit repaints the whole picture with noise that does not compress.
    std::mt19937 rng{3};
    auto noise = [&] {
        auto picture = std::make_unique<QImage>(128, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 128; ++x)
                picture->setPixel(x, y, rng() | 0xFF000000u);
        return picture;
    };
    const qsizetype change = 128 * 64 * 4;
    Stack stack(16, 3 * change + change / 2);
    std::vector<QImage> pushed;
    for (int i = 0; i < 10; ++i) {
        pushed.push_back(*noise());
        stack.Push(std::make_unique<QImage>(pushed.back()));
    }
    EXPECT_EQ(stack.Count(), 4) << "three differences fit under the cap";
    EXPECT_LE(stack.SizeInBytes(), 4 * change + 3 * 256);
    while (stack.CanUndo())
        stack.Undo();
    EXPECT_TRUE(*stack.Top() == pushed[6]);
}

// A view with a loaded picture whose snapshots can be made to fail.
class TestView : public CLumvexImgEdtView
{
  public:
    bool failSnapshots = false;
    std::unique_ptr<QImage> TakeSnapshot() override
    {
        return failSnapshots ? nullptr : CLumvexImgEdtView::TakeSnapshot();
    }
    // Stands in for an object drawn into the working picture before a commit.
    void Paint(int value) { workingPicture.fill(qRgb(value, value, value)); }
    int Shade() const { return qRed(workingPicture.pixel(0, 0)); }
};

class HistoryTest : public ::testing::Test
{
  protected:
    QTemporaryDir folder;
    TestView view;

    void Load(QSize size)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(qRgb(10, 10, 10));
        const QString path = folder.filePath(QStringLiteral("20081231_0000.bmp"));
        ASSERT_TRUE(picture.save(path));
        view.showError = [](const QString& message) {
            FAIL() << message.toStdString();
        };
        ASSERT_TRUE(view.LoadPicture(path));
    }

    void Commit(int value)
    {
        view.Paint(value);
        view.CommitObject();
    }
};

TEST_F(HistoryTest, ModificationCountFollowsCommitsUndosAndRedos)
{
    Load({64, 48});
    view.Undo();
    EXPECT_EQ(view.modificationCount, 0) << "nothing to undo after a load";
    std::vector<int> counts;
    for (const auto step : {+1, +2, -1, -1, 0}) {
        if (step > 0)
            Commit(step * 100);
        else if (step < 0)
            view.Undo();
        else
            view.Redo();
        counts.push_back(view.modificationCount);
    }
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 1, 0, 1}));
    EXPECT_EQ(view.Shade(), 100) << "the picture shows the first edit";
    view.Redo();
    view.Redo();
    EXPECT_EQ(view.modificationCount, 2) << "redo beyond the end is refused";
    view.Undo();
    Commit(150);
    EXPECT_FALSE(view.History().CanRedo());
    EXPECT_EQ(view.modificationCount, 2);
}

TEST_F(HistoryTest, SixteenCommitsLoseTheLoadedPicture)
{
    Load({64, 48});
    for (int i = 1; i <= 16; ++i)
        Commit(i * 10);
    EXPECT_EQ(view.History().Count(), 16);
    for (int i = 0; i < 20; ++i)
        view.Undo();
    EXPECT_EQ(view.Shade(), 10) << "back to the first edit, not to the loaded picture";
    EXPECT_EQ(view.modificationCount, 16 - 15);
}

TEST_F(HistoryTest, FailedSnapshotLeavesEverythingAsItWas)
{
    Load({64, 48});
    view.failSnapshots = true;
    Commit(100);
    EXPECT_EQ(view.modificationCount, 0);
    EXPECT_EQ(view.History().Count(), 1);
}

// Odd sizes and a picture taller than many tiles come back pixel for pixel.
TEST_F(HistoryTest, UndoRestoresTheLoadedPixelsExactly)
{
    for (const QSize size : {QSize(30, 500), QSize(7, 5)}) {
        Load(size);
        const QImage loaded = view.WorkingPicture();
        Commit(200);
        view.Undo();
        EXPECT_EQ(view.WorkingPicture(), loaded) << size.width();
    }
}

} // namespace
