#include "ImagingReader.h"

#include "magnification/PictureInfoRecord.h"
#include "output/CSaveAsCommand.h"
#include "output/JpegScaleRecord.h"
#include "output/PixelScale.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using MeasureGeometry::Scale;
using PixelScale::Rational;
using SaveAsRules::SaveType;

namespace {

// The samples' scales from their info records, and what one saved pixel covers,
// by hand: pixel size x resolution factor / magnification, times the
// resampling step at 320X240.
struct SampleScale
{
    const char* name;
    QSize size;
    Scale labels;
    double originalMm;
    double smallMm;
};

const SampleScale samples[] = {
    {"20081231_1234.jpg", {640, 480}, {0.2, 1.0, 50.0, 0}, 0.2 / 50, 0.2 / 50 * 2},
    {"20081231_1235.bmp", {1280, 1024}, {0.38093, 1.0, 200.0, 0}, 0.38093 / 200, 0.38093 / 200 * 4},
    // The stage micrometer calibrated to 52.
    {"20081231_1236.bmp", {1280, 1024}, {0.355, 1.0, 52.0, 1}, 0.355 / 52, 0.355 / 52 * 4},
    // No info file: the default code 1280 x 1024 gives the resolution factor 0.5.
    {"20081231_1237.jpg",
     {2560, 1920},
     {0.355, 0.5, 50.0, 0},
     0.355 * 0.5 / 50,
     0.355 * 0.5 / 50 * 8},
};

void ExpectRelative(double actual, double expected, double tolerance, const char* what)
{
    EXPECT_LE(std::abs(actual - expected), tolerance * std::abs(expected))
        << what << ": " << actual << " against " << expected;
}

TEST(PixelScale, SamplesAtBothOutputSizesFollowTheLabelFormula)
{
    for (const SampleScale& s : samples) {
        const QImage picture(QStringLiteral(LUMVEX_SAMPLES_DIR "/") + s.name);
        ASSERT_EQ(picture.size(), s.size) << s.name;
        const auto original = PixelScale::MillimetresPerPixel(s.labels, s.size, s.size);
        const auto small = PixelScale::MillimetresPerPixel(s.labels, s.size, {320, 240});
        ASSERT_TRUE(original && small) << s.name;
        ExpectRelative(*original, s.originalMm, 1e-12, s.name);
        ExpectRelative(*small, s.smallMm, 1e-12, s.name);
        // In the labels' unit: um is 1000 times mm.
        const double factor = s.labels.unit == 1 ? 1000.0 : 1.0;
        ExpectRelative(*PixelScale::UnitPerPixel(s.labels, s.size, s.size), s.originalMm * factor,
                       1e-12, s.name);
    }
}

TEST(PixelScale, NoScaleWithoutAMagnificationAboveOne)
{
    for (double magnification : {0.0, 1.0, -5.0, std::nan("")})
        EXPECT_FALSE(
            PixelScale::MillimetresPerPixel({0.355, 1.0, magnification, 0}, {640, 480}, {640, 480}))
            << magnification;
    EXPECT_FALSE(PixelScale::MillimetresPerPixel({0.0, 1.0, 50.0, 0}, {640, 480}, {640, 480}));
}

TEST(PixelScale, BestRationalIsExactForFractionsAndCloseForAnyValue)
{
    for (Rational r :
         {Rational{104000, 71}, Rational{3, 1}, Rational{1, 3}, Rational{4000000000u, 3}})
        EXPECT_EQ(PixelScale::BestRational(double(r.numerator) / r.denominator), r);
    for (double v = 1e-3; v < 1e7; v *= 1.7) {
        const Rational r = PixelScale::BestRational(v);
        ASSERT_GT(r.denominator, 0u);
        EXPECT_LE(std::abs(r.Value() - v), 1e-9 * v) << v;
    }
    EXPECT_EQ(PixelScale::BestRational(0.0), (Rational{0, 1}));
    EXPECT_EQ(PixelScale::BestRational(1e12), (Rational{4294967295u, 1}));
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage Pattern(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 5 & 0xFF, y * 3 & 0xFF, (x ^ y) & 0xFF));
    return image;
}

QString Md5OfRgb(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    QCryptographicHash hash(QCryptographicHash::Md5);
    for (int y = 0; y < rgb.height(); ++y)
        hash.addData(
            QByteArrayView(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3));
    return QString::fromLatin1(hash.result().toHex());
}

class SavedFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        record.captureTime = {2008, 12, 3, 31, 12, 36, 7, 0};
        record.SetRemark(QStringLiteral("stage micrometer, 0.1 mm divisions"));
        command.choose = [this](QWidget*, const SaveChooserSetup& setup) {
            calibratedInChooser = setup.calibrated;
            return choice;
        };
        command.showError = [this](const QString& message) {
            errors << message;
        };
    }

    QString Save(const QString& name, SaveType type, bool keepSize, const Scale& labels)
    {
        command.labelScale = labels;
        choice = SaveChoice{dir.filePath(name), type, keepSize, false};
        EXPECT_EQ(command.Run(picture, QStringLiteral("/p/20081231_1236.bmp"), record),
                  CSaveAsCommand::Result::Saved);
        return SaveAsRules::TargetFor(choice->path, type).path;
    }

    QTemporaryDir dir;
    PictureInfoRecord record;
    CSaveAsCommand command;
    std::optional<SaveChoice> choice;
    QImage picture = Pattern(1280, 1024);
    bool calibratedInChooser = false;
    QStringList errors;
};

const Scale calibrated{0.355, 1.0, 52.0, 1};
const Scale uncalibrated{0.355, 1.0, 1.0, 1};

TEST_F(SavedFileTest, TiffCarriesTheScaleTimeProgramAndRemarkReadByAnotherLibrary)
{
    for (bool keepSize : {true, false}) {
        const QString path = Save(keepSize ? "big" : "small", SaveType::Tiff, keepSize, calibrated);
        EXPECT_TRUE(calibratedInChooser);
        const auto tags = ReadWithImagingLibrary(path);
        ASSERT_FALSE(tags.contains("error")) << tags["error"].toStdString();
        EXPECT_EQ(tags["format"], "TIFF");
        EXPECT_EQ(tags["mode"], "RGB");
        EXPECT_EQ(tags["unit"], "3"); // centimetre
        EXPECT_EQ(tags["x"], tags["y"]);
        const QStringList fraction = tags["x"].split(u'/');
        ASSERT_EQ(fraction.size(), 2);
        const double umPerPixel = 10000.0 * fraction[1].toDouble() / fraction[0].toDouble();
        const double editor = calibrated.LineValue(keepSize ? 1.0 : 4.0);
        ExpectRelative(umPerPixel, editor, 1e-7, "um per pixel");
        EXPECT_EQ(tags["datetime"], "2008:12:31 12:36:07");
        EXPECT_EQ(tags["software"], "LumvexImgEdt");
        EXPECT_EQ(tags["document"], "stage micrometer, 0.1 mm divisions");
        // Lossless: the reader sees the very pixels the editor rendered.
        const QSize size = keepSize ? picture.size() : QSize(320, 240);
        EXPECT_EQ(tags["size"], QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
        EXPECT_EQ(tags["pixels"],
                  Md5OfRgb(command.Render(picture, size, "/p/20081231_1236.bmp", record)));
    }
}

TEST_F(SavedFileTest, UncalibratedTiffHasNoScale)
{
    const auto tags =
        ReadWithImagingLibrary(Save("plain.tif", SaveType::Tiff, false, uncalibrated));
    EXPECT_FALSE(calibratedInChooser);
    EXPECT_EQ(tags["format"], "TIFF");
    EXPECT_EQ(tags["x"], "none");
    EXPECT_EQ(tags["y"], "none");
    EXPECT_EQ(tags["unit"], "none");
}

TEST_F(SavedFileTest, JpegGainsOnlyTheScaleRecordAndBmpNothing)
{
    const QByteArray plainJpeg = ReadAll(Save("plain.jpg", SaveType::Jpeg, true, uncalibrated));
    const QByteArray scaledJpeg = ReadAll(Save("scaled.jpg", SaveType::Jpeg, true, calibrated));
    const Rational perCm = PixelScale::PixelsPerCentimetre(
        *PixelScale::MillimetresPerPixel(calibrated, picture.size(), picture.size()));
    const QByteArray segment = JpegScaleRecord::Segment(perCm);
    const qsizetype at = scaledJpeg.indexOf(segment);
    ASSERT_GT(at, 0);
    EXPECT_EQ(QByteArray(scaledJpeg).remove(at, segment.size()), plainJpeg);

    const auto tags = ReadWithImagingLibrary(dir.filePath("scaled.jpg"));
    EXPECT_EQ(tags["format"], "JPEG");
    EXPECT_EQ(tags["unit"], "3");
    EXPECT_EQ(tags["x"], QStringLiteral("%1/%2").arg(perCm.numerator).arg(perCm.denominator));
    EXPECT_EQ(tags["y"], tags["x"]);
    EXPECT_EQ(ReadWithImagingLibrary(dir.filePath("plain.jpg"))["x"], "none");

    EXPECT_EQ(ReadAll(Save("plain.bmp", SaveType::Bmp, true, uncalibrated)),
              ReadAll(Save("scaled.bmp", SaveType::Bmp, true, calibrated)));
}

TEST_F(SavedFileTest, FailedTiffWriteReportsTheReasonAndKeepsTheOldFile)
{
    // A name so long that no temporary name beside it is possible.
    const QString name = QString(246, QLatin1Char('x')) + QStringLiteral(".tif");
    QFile old(dir.filePath(name));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content");
    old.close();
    command.labelScale = calibrated;
    choice = SaveChoice{dir.filePath(name), SaveType::Tiff, false, false};

    EXPECT_EQ(command.Run(picture, "/p/20081231_1236.bmp", record), CSaveAsCommand::Result::Failed);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(name));
    // The reason follows the name on a line of its own.
    EXPECT_FALSE(errors[0].section(u'\n', 1).trimmed().isEmpty()) << errors[0].toStdString();
    EXPECT_EQ(ReadAll(dir.filePath(name)), QByteArray("old content"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

} // namespace
