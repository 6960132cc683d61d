#include "FileSizeLimit.h"
#include "ImagingReader.h"
#include "TestFiles.h"

#include "magnification/PictureInfoRecord.h"
#include "output/CSaveAsCommand.h"
#include "output/JpegScaleRecord.h"
#include "platform/ByteCodec.h"
#include "platform/FileErrorReason.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace ByteCodec;
using TestFiles::Read;
using Result = CSaveAsCommand::Result;
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

class SaveAsTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        record.captureTime = {2008, 12, 3, 31, 12, 34, 56, 0};
        record.pictureMagnification = 50.0;
        command.choose = [this](QWidget*, const SaveStart& start) {
            chooserStart = start.name;
            return choice;
        };
        command.beginProgress = [this](const QString&, int rows) {
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
    Result Save(const QImage& picture, const QString& name, SaveAsRules::SaveType type = Bmp,
                bool keepSize = true)
    {
        choice = SaveChoice{Path(name), type, keepSize};
        return command.Run(picture, QStringLiteral("/pictures/20081231_1234.jpg"), record);
    }

    QTemporaryDir dir;
    PictureInfoRecord record;
    CSaveAsCommand command;
    std::optional<SaveChoice> choice;
    QString chooserStart;
    int progressRange = -1, progressOpened = 0, progressClosed = 0, lastRow = -1;
    QStringList errors;
};

TEST_F(SaveAsTest, SampleAtItsOwnSizeIsItsFileTurnedTopDown)
{
    const QString sample = QStringLiteral(LUMVEX_SAMPLES_DIR "/20081231_1235.bmp");
    const QByteArray original = Read(sample);
    ASSERT_EQ(original.size(), 3932214);
    ASSERT_EQ(Save(QImage(sample).convertToFormat(QImage::Format_RGB32), "a.bmp"), Result::Saved);
    EXPECT_EQ(chooserStart, "20081231_1234");
    EXPECT_EQ(progressClosed, 1);

    QByteArray header(54, '\0');
    auto* h = reinterpret_cast<uint8_t*>(header.data());
    PutU16(h, 0x4D42);
    PutU32(h + 2, 3932214);
    PutU32(h + 10, 54);
    PutU32(h + 14, 40);
    PutI32(h + 18, 1280);
    PutI32(h + 22, -1024); // top row first
    PutU16(h + 26, 1);
    PutU16(h + 28, 24);
    PutU32(h + 34, 3932160);
    const QByteArray file = Read(Path("a.bmp"));
    ASSERT_EQ(file.size(), original.size());
    EXPECT_EQ(file.left(54).toHex(), header.toHex());
    for (int y = 0; y < 1024; ++y)
        ASSERT_EQ(file.mid(54 + 3840 * y, 3840), original.mid(54 + 3840 * (1023 - y), 3840)) << y;
}

// Nearest neighbour with the smaller ratio s: output (x, y) is source
// (x s, y s) truncated, rows padded with zero bytes to four.
TEST_F(SaveAsTest, OutputPixelsAreTheSourcePixelsAtTheSmallerRatio)
{
    const struct
    {
        QSize source;
        bool keepSize;
        float s;
    } cases[] = {{{1280, 1024}, false, 4.0f},
                 {{100, 80}, false, 100.0f / 320.0f},
                 {{321, 241}, false, 321.0f / 320.0f},
                 {{1281, 3}, true, 1.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.width());
        const QImage picture = Pattern(c.source.width(), c.source.height());
        ASSERT_EQ(Save(picture, "out.bmp", Bmp, c.keepSize), Result::Saved);
        const QSize out = c.keepSize ? c.source : QSize(320, 240);
        const int row = (3 * out.width() + 3) & ~3;
        const QByteArray file = Read(Path("out.bmp"));
        ASSERT_EQ(file.size(), 54 + row * out.height());
        EXPECT_EQ(progressRange, out.height());
        EXPECT_EQ(lastRow, out.height() - 1);
        for (int y = 0; y < out.height(); ++y) {
            const auto* p = reinterpret_cast<const uint8_t*>(file.constData()) + 54 + row * y;
            for (int x = 0; x < out.width(); ++x, p += 3)
                ASSERT_EQ(qRgb(p[2], p[1], p[0]), picture.pixel(int(x * c.s), int(y * c.s)))
                    << x << "," << y;
            for (int pad = 3 * out.width(); pad < row; ++pad)
                ASSERT_EQ(file.at(54 + row * y + pad), '\0');
        }
    }
}

// "320X240" at the top left, and nothing else.
TEST_F(SaveAsTest, ResolutionStampChangesOnlyTheTopLeft)
{
    const QImage picture = Pattern(1280, 1024);
    ASSERT_EQ(Save(picture, "plain.bmp", Bmp, false), Result::Saved);
    command.stamp.flags = SaveAsRules::StampResolution;
    ASSERT_EQ(Save(picture, "stamped.bmp", Bmp, false), Result::Saved);
    QImage plain(Path("plain.bmp")), stamped(Path("stamped.bmp"));
    EXPECT_NE(stamped, plain);
    QPainter(&plain).fillRect(0, 0, 7 * 21, 30, Qt::black);
    QPainter(&stamped).fillRect(0, 0, 7 * 21, 30, Qt::black);
    EXPECT_EQ(stamped, plain);
}

TEST_F(SaveAsTest, CancelWritesNothing)
{
    choice = std::nullopt;
    EXPECT_EQ(command.Run(Pattern(32, 32), "/p/20081231_1234.jpg", record), Result::Cancelled);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_EQ(progressOpened, 0);
    EXPECT_TRUE(errors.isEmpty());
}

// Every writer goes through the checked writer: a failure names the file and
// the system's reason, closes the progress and keeps the old file whole.
TEST_F(SaveAsTest, FailedWritesNameTheFileAndTheReasonAndKeepTheOldFile)
{
    QFile(Path("notes.txt")).open(QIODevice::WriteOnly);
    const struct
    {
        const char* name;
        SaveAsRules::SaveType type;
        int side;
        int reason;
    } cases[] = {{"notes.txt/out.bmp", Bmp, 40, ENOTDIR},
                 {"small.bmp", Bmp, 40, EFBIG},
                 {"small.jpg", Jpeg, 40, EFBIG}, // small outputs fail at the final flush
                 {"small.tif", Tiff, 40, EFBIG},
                 {"large.bmp", Bmp, 300, EFBIG}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        errors.clear();
        if (c.reason == EFBIG) {
            QFile old(Path(c.name));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old content");
        }
        Result result;
        {
            FileSizeLimit limit(100);
            result = Save(Pattern(c.side, c.side), c.name, c.type);
        }
        EXPECT_EQ(result, Result::Failed);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(Path(c.name))));
        EXPECT_TRUE(errors[0].contains(FileErrorReason::FromCode(c.reason).text))
            << errors[0].toStdString();
        if (c.reason == EFBIG)
            EXPECT_EQ(Read(Path(c.name)), QByteArray("old content"));
        EXPECT_EQ(progressClosed, progressOpened);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

QString Md5OfRgb(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(QByteArrayView(rgb.constScanLine(y), rgb.width() * 3));
    return QString::fromLatin1(hash.result().toHex());
}

// Another program's imaging library reads the saved pixel size as exactly
// what the editor's labels measure, in TIFF and JPEG (the name decides the
// type: SCALED.JPG is a JPEG whatever type was selected).
TEST_F(SaveAsTest, ScaleOfTheLabelsReachesTiffAndJpegForAnotherReader)
{
    const MeasureGeometry::Scale calibrated{0.355, 1.0, 52.0, 1}; // the stage micrometer, in um
    const QImage picture = Pattern(1280, 1024);
    record.SetRemark(QStringLiteral("stage micrometer"));
    const struct
    {
        const char *chosen, *written;
        SaveAsRules::SaveType type;
        bool keepSize;
        double magnification;
    } cases[] = {
        {"big", "big.tif", Tiff, true, 52.0},      {"small.tif", "small.tif", Tiff, false, 52.0},
        {"plain.tif", "plain.tif", Tiff, true, 1}, {"SCALED.JPG", "SCALED.JPG", Bmp, true, 52.0},
        {"plain.jpg", "plain.jpg", Jpeg, true, 0}, {"scaled.bmp", "scaled.bmp", Bmp, true, 52.0},
        {"plain.bmp", "plain.bmp", Bmp, true, 0},
    };
    QMap<QString, QString> tiff;
    for (const auto& c : cases) {
        command.labelScale = calibrated;
        command.labelScale.magnification = c.magnification;
        ASSERT_EQ(Save(picture, c.chosen, c.type, c.keepSize), Result::Saved);
        if (QByteArray(c.written).endsWith(".bmp"))
            continue;
        const auto tags = ReadWithImagingLibrary(Path(c.written));
        if (QByteArray(c.written) == "small.tif")
            tiff = tags;
        SCOPED_TRACE(c.written + tags["error"].toStdString());
        EXPECT_EQ(tags["y"], tags["x"]);
        if (c.magnification <= 1.0) {
            EXPECT_EQ(tags["x"], "none");
            EXPECT_EQ(tags["unit"], "none");
            continue;
        }
        EXPECT_EQ(tags["unit"], "3"); // centimetre
        const double editor = calibrated.LineValue(c.keepSize ? 1.0 : 4.0);
        EXPECT_NEAR(MicrometresPerPixel(tags["x"]) / editor, 1.0, 1e-7) << tags["x"].toStdString();
    }

    EXPECT_EQ(tiff["datetime"], "2008:12:31 12:34:56");
    EXPECT_EQ(tiff["software"], "LumvexImgEdt");
    EXPECT_EQ(tiff["document"], "stage micrometer");
    command.stepProgress = {};
    EXPECT_EQ(tiff["pixels"], Md5OfRgb(command.Render(picture, {320, 240}, "/p/a.jpg", record)));
    // Around its scale record the JPEG is the one written without a scale;
    // a BMP does not change at all.
    QByteArray jpeg = Read(Path("SCALED.JPG"));
    const QByteArray segment =
        JpegScaleRecord::Segment(PixelScale::PixelsPerCentimetre(0.355 / 52));
    ASSERT_GT(jpeg.indexOf(segment), 0);
    EXPECT_EQ(jpeg.remove(jpeg.indexOf(segment), segment.size()), Read(Path("plain.jpg")));
    EXPECT_EQ(Read(Path("scaled.bmp")), Read(Path("plain.bmp")));
}

} // namespace
