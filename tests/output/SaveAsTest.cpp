#include "FileSizeLimit.h"
#include "ImagingReader.h"

#include "magnification/PictureInfoRecord.h"
#include "output/BmpWriter.h"
#include "output/CSaveAsCommand.h"
#include "output/JpegScaleRecord.h"
#include "platform/ByteCodec.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace ByteCodec;
using SaveAsRules::StampFlag;
constexpr SaveAsRules::SaveType Bmp = SaveAsRules::SaveType::Bmp;
constexpr SaveAsRules::SaveType Jpeg = SaveAsRules::SaveType::Jpeg;
constexpr SaveAsRules::SaveType Tiff = SaveAsRules::SaveType::Tiff;

namespace {

QImage Pattern(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x * 7 + y * 3) & 0xFF));
    return image;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const uint8_t* Bytes(const QByteArray& a)
{
    return reinterpret_cast<const uint8_t*>(a.constData());
}

// The BGR triple of pixel (x, y) in a top-down file of the saved layout.
QRgb FilePixel(const QByteArray& file, int width, int x, int y)
{
    const uint8_t* p =
        Bytes(file) + BmpWriter::HeaderSize + BmpWriter::RowLength(width) * y + 3 * x;
    return qRgb(p[2], p[1], p[0]);
}

class SaveAsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        record.captureTime = {2008, 12, 3, 31, 12, 34, 56, 0};
        record.pictureMagnification = 50.0;
        command.choose = [this](QWidget*, const SaveStart& start) {
            chooserTitle = start.title;
            chooserStart = start.name;
            chooserFolder = start.folder;
            return choice;
        };
        command.beginProgress = [this](const QString& title, int rows) {
            progressTitle = title;
            progressRange = rows;
            lastRow = -1;
            ++progressOpened;
        };
        command.stepProgress = [this](int row) {
            EXPECT_EQ(row, lastRow + 1);
            lastRow = row;
        };
        command.endProgress = [this] {
            ++progressClosed;
        };
        command.showError = [this](const QString& message) {
            errors << message;
        };
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    PictureInfoRecord record;
    CSaveAsCommand command;
    std::optional<SaveChoice> choice;
    QString picturePath = QStringLiteral("/pictures/20081231_1234.jpg");
    QString chooserTitle, chooserStart, chooserFolder, progressTitle;
    int progressRange = -1, progressOpened = 0, progressClosed = 0, lastRow = -1;
    QStringList errors;
};

TEST_F(SaveAsTest, OriginalSizeOfTheSampleMatchesItsPixelsByteForByte)
{
    const QString sample = QStringLiteral(LUMVEX_SAMPLES_DIR "/20081231_1235.bmp");
    const QImage picture = QImage(sample).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(1280, 1024));
    choice = SaveChoice{Path("a.bmp"), Bmp, true};

    ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);
    EXPECT_EQ(chooserTitle, "Save as...");
    EXPECT_EQ(chooserStart, "20081231_1234");
    EXPECT_EQ(chooserFolder, "/pictures");
    EXPECT_EQ(progressTitle, "Save as...");
    EXPECT_EQ(progressRange, 1024);
    EXPECT_EQ(lastRow, 1023);
    EXPECT_EQ(progressClosed, 1);

    const QByteArray file = ReadAll(Path("a.bmp"));
    ASSERT_EQ(file.size(), 3932214);
    const uint8_t* p = Bytes(file);
    EXPECT_EQ(GetU16(p + 0), 0x4D42);
    EXPECT_EQ(GetU32(p + 2), 3932214u);
    EXPECT_EQ(GetU16(p + 6), 0);
    EXPECT_EQ(GetU16(p + 8), 0);
    EXPECT_EQ(GetU32(p + 10), 54u);
    EXPECT_EQ(GetU32(p + 14), 40u);
    EXPECT_EQ(GetI32(p + 18), 1280);
    EXPECT_EQ(GetI32(p + 22), -1024);
    EXPECT_EQ(GetU16(p + 26), 1);
    EXPECT_EQ(GetU16(p + 28), 24);
    EXPECT_EQ(GetU32(p + 30), 0u);
    EXPECT_EQ(GetU32(p + 34), 3932160u);
    for (int i = 38; i < 54; ++i)
        EXPECT_EQ(p[i], 0) << "offset " << i;

    // The sample is stored bottom-up; every row must equal its mirror there.
    const QByteArray original = ReadAll(sample);
    ASSERT_EQ(original.size(), 3932214);
    for (int y = 0; y < 1024; ++y) {
        const int mirrored = 1023 - y;
        ASSERT_EQ(file.mid(54 + 3840 * y, 3840), original.mid(54 + 3840 * mirrored, 3840))
            << "row " << y;
    }
}

TEST_F(SaveAsTest, SmallSizeTakesEveryFourthPixelAndStampsTheResolution)
{
    const QImage picture = Pattern(1280, 1024);
    choice = SaveChoice{Path("small"), Bmp, false};

    ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);
    const QByteArray plain = ReadAll(Path("small.bmp"));
    ASSERT_EQ(plain.size(), 54 + 960 * 240);
    EXPECT_EQ(progressRange, 240);
    EXPECT_EQ(lastRow, 239);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(FilePixel(plain, 320, x, y), picture.pixel(4 * x, 4 * y)) << x << "," << y;

    command.stamp.flags = SaveAsRules::StampResolution;
    command.stamp.color = MakeColorRef(255, 0, 0);
    choice = SaveChoice{Path("stamped.bmp"), Bmp, false};
    ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);
    const QByteArray stamped = ReadAll(Path("stamped.bmp"));
    ASSERT_EQ(stamped.size(), plain.size());

    // "320X240" at the top left: changes only there, in both colours.
    int changed = 0, red = 0, cyan = 0;
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            const QRgb c = FilePixel(stamped, 320, x, y);
            if (c == FilePixel(plain, 320, x, y))
                continue;
            ++changed;
            EXPECT_LT(y, 30);
            EXPECT_LT(x, 7 * 21);
            red += c == qRgb(255, 0, 0);
            cyan += c == qRgb(0, 255, 255);
        }
    }
    EXPECT_GT(changed, 100);
    EXPECT_GT(red, 20);
    EXPECT_GT(cyan, 5);
}

TEST_F(SaveAsTest, OddWidthRowsArePaddedWithZeros)
{
    const QImage picture = Pattern(1281, 3);
    choice = SaveChoice{Path("wide.bmp"), Bmp, true};

    ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);
    const QByteArray file = ReadAll(Path("wide.bmp"));
    ASSERT_EQ(file.size(), 54 + 3 * 3844);
    EXPECT_EQ(GetU32(Bytes(file) + 34), 3u * 3844u);
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(FilePixel(file, 1281, 1280, y), picture.pixel(1280, y));
        EXPECT_EQ(file.at(54 + 3844 * y + 3843), '\0');
    }
}

TEST_F(SaveAsTest, PictureSmallerThanTheSmallSizeIsEnlarged)
{
    const QImage picture = Pattern(100, 80);
    choice = SaveChoice{Path("tiny.bmp"), Bmp, false};

    ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);
    const QByteArray file = ReadAll(Path("tiny.bmp"));
    ASSERT_EQ(file.size(), 54 + 960 * 240);
    const float s = 100.0f / 320.0f;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(FilePixel(file, 320, x, y), picture.pixel(int(x * s), int(y * s)));
}

TEST_F(SaveAsTest, JpegTargetsAreEncodedAsJpegAndOthersAsBmp)
{
    const QImage picture = Pattern(64, 48);
    choice = SaveChoice{Path("report"), Jpeg, true};
    ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);
    choice = SaveChoice{Path("REPORT.JPG"), Bmp, true};
    ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);
    choice = SaveChoice{Path("report.png"), Jpeg, true};
    ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);

    EXPECT_TRUE(ReadAll(Path("report.jpg")).startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(ReadAll(Path("REPORT.JPG")).startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(ReadAll(Path("report.png.bmp")).startsWith("BM"));
    EXPECT_FALSE(QFile::exists(Path("report.png")));
    const QImage decoded(Path("report.jpg"));
    EXPECT_EQ(decoded.size(), QSize(64, 48));
}

TEST_F(SaveAsTest, CancelWritesNothing)
{
    choice = std::nullopt;
    EXPECT_EQ(command.Run(Pattern(32, 32), picturePath, record), CSaveAsCommand::Result::Cancelled);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    EXPECT_EQ(progressOpened, 0);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(SaveAsTest, TargetInsideAFileReportsTheNameAndTheReason)
{
    QFile blocker(Path("notes.txt"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    choice = SaveChoice{Path("notes.txt/out.bmp"), Bmp, true};

    EXPECT_EQ(command.Run(Pattern(32, 32), picturePath, record), CSaveAsCommand::Result::Failed);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(Path("notes.txt/out.bmp"))));
    EXPECT_TRUE(errors[0].contains("directory", Qt::CaseInsensitive)) << errors[0].toStdString();
    EXPECT_EQ(progressOpened, 1);
    EXPECT_EQ(progressClosed, 1);
}

TEST_F(SaveAsTest, FailedWriteLeavesTheExistingFileIntact)
{
    for (const char* extension : {".bmp", ".tif"}) {
        // A name so long that no temporary name beside it is possible.
        const QString name = QString(246, QLatin1Char('x')) + QLatin1String(extension);
        QFile old(Path(name));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
        old.close();
        choice = SaveChoice{Path(name), Bmp, true};
        command.labelScale = {0.355, 1.0, 52.0, 1};

        EXPECT_EQ(command.Run(Pattern(32, 32), picturePath, record),
                  CSaveAsCommand::Result::Failed);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors.takeFirst().contains(name));
        EXPECT_EQ(ReadAll(Path(name)), QByteArray("old content"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList(name));
        QFile::remove(Path(name));
    }
}

// A write cut short at any point (a full disk, a quota) names the system's
// reason and leaves the old file; small outputs included, which a buffered
// writer would only cut at its final flush.
TEST_F(SaveAsTest, ShortWriteReportsTheReasonAndKeepsTheOldFile)
{
    for (const char* name : {"small.bmp", "small.jpg", "small.tif", "large.bmp"}) {
        SCOPED_TRACE(name);
        errors.clear();
        QFile old(Path(name));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
        old.close();
        const int side = QByteArray(name).startsWith("large") ? 300 : 40;
        const QByteArray extension = QByteArray(name).right(3);
        choice = SaveChoice{Path(name),
                            extension == "jpg"   ? Jpeg
                            : extension == "tif" ? Tiff
                                                 : Bmp,
                            true};
        CSaveAsCommand::Result result;
        {
            FileSizeLimit limit(100);
            result = command.Run(Pattern(side, side), picturePath, record);
        }
        EXPECT_EQ(result, CSaveAsCommand::Result::Failed);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QString::fromLocal8Bit(strerror(EFBIG))))
            << errors[0].toStdString();
        EXPECT_EQ(ReadAll(Path(name)), QByteArray("old content"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

TEST_F(SaveAsTest, ExistingTargetIsReplacedWithoutAsking)
{
    QFile old(Path("a.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(10000000, 'x'));
    old.close();
    choice = SaveChoice{Path("a.bmp"), Bmp, true};
    ASSERT_EQ(command.Run(Pattern(4, 4), picturePath, record), CSaveAsCommand::Result::Saved);
    EXPECT_EQ(ReadAll(Path("a.bmp")).size(), 54 + 4 * 12);
}

QString Md5OfRgb(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(rgb.constScanLine(y), rgb.width() * 3));
    return QString::fromLatin1(hash.result().toHex());
}

TEST_F(SaveAsTest, ScaleOfTheLabelsReachesTiffAndJpegForAnotherReader)
{
    // The stage micrometer calibrated to 52, measuring in um.
    const MeasureGeometry::Scale calibrated{0.355, 1.0, 52.0, 1};
    const QImage picture = Pattern(1280, 1024);
    record.SetRemark(QStringLiteral("stage micrometer"));
    const struct
    {
        const char* name;
        SaveAsRules::SaveType type;
        bool keepSize;
        double magnification;
    } cases[] = {
        {"big.tif", Tiff, true, 52.0},  {"small.tif", Tiff, false, 52.0},
        {"plain.tif", Tiff, true, 1.0}, {"scaled.jpg", Jpeg, true, 52.0},
        {"plain.jpg", Jpeg, true, 0.0}, {"scaled.bmp", Bmp, true, 52.0},
        {"plain.bmp", Bmp, true, 0.0},
    };
    for (const auto& c : cases) {
        command.labelScale = calibrated;
        command.labelScale.magnification = c.magnification;
        choice = SaveChoice{Path(c.name), c.type, c.keepSize, false};
        ASSERT_EQ(command.Run(picture, picturePath, record), CSaveAsCommand::Result::Saved);
        if (c.type == Bmp)
            continue;
        const auto tags = ReadWithImagingLibrary(Path(c.name));
        SCOPED_TRACE(c.name + tags["error"].toStdString());
        EXPECT_EQ(tags["y"], tags["x"]);
        if (c.magnification <= 1.0) {
            EXPECT_EQ(tags["x"], "none");
            EXPECT_EQ(tags["unit"], "none");
            continue;
        }
        EXPECT_EQ(tags["unit"], "3"); // centimetre
        const double editor = calibrated.LineValue(c.keepSize ? 1.0 : 4.0);
        const PixelScale::Rational exact = PixelScale::PixelsPerCentimetre(editor / 1000.0);
        EXPECT_EQ(tags["x"], QStringLiteral("%1/%2").arg(exact.numerator).arg(exact.denominator));
        EXPECT_NEAR(MicrometresPerPixel(tags["x"]) / editor, 1.0, 1e-7) << tags["x"].toStdString();
    }

    const auto tiff = ReadWithImagingLibrary(Path("small.tif"));
    EXPECT_EQ(tiff["datetime"], "2008:12:31 12:34:56");
    EXPECT_EQ(tiff["software"], "LumvexImgEdt");
    EXPECT_EQ(tiff["document"], "stage micrometer");
    command.stepProgress = {};
    EXPECT_EQ(tiff["pixels"], Md5OfRgb(command.Render(picture, {320, 240}, picturePath, record)));
    // Around its scale record the JPEG is the one written without a scale;
    // a BMP does not change at all.
    QByteArray jpeg = ReadAll(Path("scaled.jpg"));
    const QByteArray segment =
        JpegScaleRecord::Segment(PixelScale::PixelsPerCentimetre(0.355 / 52));
    ASSERT_GT(jpeg.indexOf(segment), 0);
    EXPECT_EQ(jpeg.remove(jpeg.indexOf(segment), segment.size()), ReadAll(Path("plain.jpg")));
    EXPECT_EQ(ReadAll(Path("scaled.bmp")), ReadAll(Path("plain.bmp")));
}

} // namespace
