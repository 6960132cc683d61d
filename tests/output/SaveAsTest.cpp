#include "magnification/PictureInfoRecord.h"
#include "output/CSaveAsCommand.h"
#include "output/CSaveAsDialog.h"
#include "output/JpegScaleRecord.h"
#include "platform/ByteCodec.h"
#include "platform/FileErrorReason.h"

#include "FileSizeLimit.h"
#include "TestFiles.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <tuple>

using namespace ByteCodec;
using TestFiles::Read;
using Result = CSaveAsCommand::Result;
constexpr SaveAsRules::SaveType Bmp = SaveAsRules::SaveType::Bmp;
constexpr SaveAsRules::SaveType Jpeg = SaveAsRules::SaveType::Jpeg;
constexpr SaveAsRules::SaveType Tiff = SaveAsRules::SaveType::Tiff;

namespace {

// Reads a saved picture with another language's imaging library, a reader
// that shares no code with the writer. Keys: x and y (resolution "num/den" or
// "none"), unit, datetime, software, document, pixels (MD5 of the RGB bytes).
QMap<QString, QString> ReadWithImagingLibrary(const QString& path)
{
    static const char* script = R"(
import hashlib, sys
from PIL import Image
im = Image.open(sys.argv[1])
tags = im.tag_v2 if im.format == "TIFF" else im.getexif()
for key, tag in (("x", 282), ("y", 283), ("unit", 296), ("datetime", 306), ("software", 305), ("document", 269)):
    v = tags.get(tag, "none")
    print(key, "%d/%d" % (v.numerator, v.denominator) if type(v).__name__ == "IFDRational" else v)
print("pixels", hashlib.md5(im.convert("RGB").tobytes()).hexdigest())
)";
    QProcess python;
    python.start(QStringLiteral(LUMVEX_PYTHON),
                 {QStringLiteral("-c"), QString::fromUtf8(script), path});
    QMap<QString, QString> values;
    python.waitForFinished(-1);
    values[QStringLiteral("error")] = QString::fromUtf8(python.readAllStandardError());
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split(u'\n'))
        if (const qsizetype space = line.indexOf(u' '); space > 0)
            values[line.left(space)] = line.mid(space + 1);
    return values;
}

// Micrometres per pixel from a resolution in pixels per centimetre, "num/den".
double MicrometresPerPixel(const QString& fraction)
{
    return 10000.0 * fraction.section(u'/', 1).toDouble() / fraction.section(u'/', 0, 0).toDouble();
}

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

    // The sample's header with the top row first and no resolution.
    QByteArray header = original.left(54);
    auto* h = reinterpret_cast<uint8_t*>(header.data());
    PutI32(h + 22, -1024);
    PutU32(h + 38, 0);
    PutU32(h + 42, 0);
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
    const std::tuple<QSize, bool, float> cases[] = {{{1280, 1024}, false, 4.0f},
                                                    {{100, 80}, false, 100.0f / 320.0f},
                                                    {{321, 241}, false, 321.0f / 320.0f},
                                                    {{1281, 3}, true, 1.0f}};
    for (const auto& [source, keepSize, s] : cases) {
        SCOPED_TRACE(source.width());
        const QImage picture = Pattern(source.width(), source.height());
        ASSERT_EQ(Save(picture, "out.bmp", Bmp, keepSize), Result::Saved);
        const QSize out = keepSize ? source : QSize(320, 240);
        const int row = (3 * out.width() + 3) & ~3;
        const QByteArray file = Read(Path("out.bmp"));
        ASSERT_EQ(file.size(), 54 + row * out.height());
        EXPECT_EQ(progressRange, out.height());
        EXPECT_EQ(lastRow, out.height() - 1);
        for (int y = 0; y < out.height(); ++y) {
            const auto* p = reinterpret_cast<const uint8_t*>(file.constData()) + 54 + row * y;
            for (int x = 0; x < out.width(); ++x, p += 3)
                ASSERT_EQ(qRgb(p[2], p[1], p[0]), picture.pixel(int(x * s), int(y * s)))
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

// Cancel writes nothing. Every writer goes through the checked writer: a failure
// names the file and the system's reason, closes the progress, keeps the old file.
TEST_F(SaveAsTest, CancelWritesNothingFailedWritesSayWhyAndKeepTheOldFile)
{
    choice = std::nullopt;
    EXPECT_EQ(command.Run(Pattern(32, 32), "/p/20081231_1234.jpg", record), Result::Cancelled);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_EQ(progressOpened, 0);
    EXPECT_TRUE(errors.isEmpty());
    QFile(Path("notes.txt")).open(QIODevice::WriteOnly);
    const std::tuple<const char*, SaveAsRules::SaveType, int, int> cases[] = {
        {"notes.txt/out.bmp", Bmp, 40, ENOTDIR},
        {"small.bmp", Bmp, 40, EFBIG},
        {"small.jpg", Jpeg, 40, EFBIG}, // small outputs fail at the final flush
        {"small.tif", Tiff, 40, EFBIG},
        {"large.bmp", Bmp, 300, EFBIG}};
    for (const auto& [name, type, side, reason] : cases) {
        SCOPED_TRACE(name);
        errors.clear();
        if (reason == EFBIG)
            ASSERT_TRUE(TestFiles::Write(Path(name), "old content"));
        Result result;
        {
            FileSizeLimit limit(100);
            result = Save(Pattern(side, side), name, type);
        }
        EXPECT_EQ(result, Result::Failed);
        ASSERT_EQ(errors.size(), 1);
        EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(Path(name))));
        EXPECT_TRUE(errors[0].contains(FileErrorReason::FromCode(reason).text))
            << errors[0].toStdString();
        if (reason == EFBIG)
            EXPECT_EQ(Read(Path(name)), QByteArray("old content"));
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
    const std::tuple<const char*, const char*, SaveAsRules::SaveType, bool, double> cases[] = {
        {"big", "big.tif", Tiff, true, 52.0},      {"small.tif", "small.tif", Tiff, false, 52.0},
        {"plain.tif", "plain.tif", Tiff, true, 1}, {"SCALED.JPG", "SCALED.JPG", Bmp, true, 52.0},
        {"plain.jpg", "plain.jpg", Jpeg, true, 0}, {"scaled.bmp", "scaled.bmp", Bmp, true, 52.0},
        {"plain.bmp", "plain.bmp", Bmp, true, 0},
    };
    QMap<QString, QString> tiff;
    for (const auto& [chosen, written, type, keepSize, magnification] : cases) {
        command.labelScale = calibrated;
        command.labelScale.magnification = magnification;
        ASSERT_EQ(Save(picture, chosen, type, keepSize), Result::Saved);
        if (QByteArray(written).endsWith(".bmp"))
            continue;
        const auto tags = ReadWithImagingLibrary(Path(written));
        if (QByteArray(written) == "small.tif")
            tiff = tags;
        SCOPED_TRACE(written + tags["error"].toStdString());
        EXPECT_EQ(tags["y"], tags["x"]);
        if (magnification <= 1.0) {
            EXPECT_EQ(tags["x"], "none");
            EXPECT_EQ(tags["unit"], "none");
            continue;
        }
        EXPECT_EQ(tags["unit"], "3"); // centimetre
        const double editor = calibrated.LineValue(keepSize ? 1.0 : 4.0);
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

namespace {

// English texts as the user reads them; the Chinese ones come from the same
// table (its completeness is the language table's invariant). The chooser
// starts in the picture's folder rather than wherever the program was started.
TEST(CSaveAsDialog, OpensInThePicturesFolderWithTheBaseNameTypesAndOriginalSize)
{
    QTemporaryDir dir;
    const SaveStart start = SaveStart::For(0, dir.filePath("20081231_1234.jpg"));
    EXPECT_EQ(start.folder, dir.path());
    EXPECT_NE(SaveStart::For(1, start.name).title, start.title);
    CSaveAsDialog dialog(nullptr, start);
    EXPECT_EQ(dialog.windowTitle(), "Save as...");
    EXPECT_EQ(dialog.SmallSizeButton()->text(), "320X240");
    EXPECT_EQ(dialog.OriginalSizeButton()->text(), "Original size");
    EXPECT_EQ(QFileInfo(dialog.directory().path()), QFileInfo(dir.path()));
    EXPECT_EQ(dialog.nameFilters(),
              QStringList({"Bitmap image(*.bmp)", "JPEG image(*.jpg)", "TIFF image(*.tif)"}));
    EXPECT_EQ(dialog.ScaleBarBox()->text(), "Scale bar");
    EXPECT_EQ(dialog.NoScaleNote()->text(), "Not calibrated: saved without a scale");
    EXPECT_TRUE(dialog.OriginalSizeButton()->isChecked());
    EXPECT_FALSE(dialog.SmallSizeButton()->isChecked());
    ASSERT_NE(dialog.FileNameEdit(), nullptr);
    EXPECT_EQ(dialog.FileNameEdit()->text(), "20081231_1234");
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));

    dialog.SmallSizeButton()->setChecked(true);
    dialog.selectNameFilter("JPEG image(*.jpg)");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const SaveChoice choice = dialog.Choice();
    EXPECT_EQ(QFileInfo(choice.path), QFileInfo(dir.filePath("20081231_1234")));
    EXPECT_EQ(choice.type, SaveAsRules::SaveType::Jpeg);
    EXPECT_FALSE(choice.keepPictureSize);

    // The scale bar choice only for calibrated pictures, the note otherwise.
    for (bool calibrated : {true, false}) {
        SaveStart marked = SaveStart::For(0, "/p/20081231_1236.bmp");
        marked.calibrated = calibrated;
        marked.scaleBar = true;
        CSaveAsDialog shown(nullptr, marked);
        EXPECT_EQ(shown.ScaleBarBox()->isEnabled(), calibrated);
        EXPECT_EQ(shown.NoScaleNote()->isVisibleTo(&shown), !calibrated);
        EXPECT_TRUE(shown.Choice().scaleBar);
        shown.ScaleBarBox()->setChecked(false);
        EXPECT_FALSE(shown.Choice().scaleBar);
    }
}

} // namespace
