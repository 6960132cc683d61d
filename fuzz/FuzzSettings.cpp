// The settings file as another program may have left it: every value the
// editor reads, read over its default and then put to use the way the window,
// the view and the save command use it.
#include "FuzzSupport.h"

#include "app/PropertiesRecord.h"
#include "magnification/MagnificationModel.h"
#include "magnification/PictureInfoRecord.h"
#include "output/SaveRendering.h"
#include "output/StampSettings.h"
#include "platform/SettingsStore.h"
#include "text/LanguageTable.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

QString SettingsPath()
{
    static QTemporaryDir folder;
    return folder.filePath(QStringLiteral("Lumvex.ini"));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using FuzzSupport::Require;
    // The settings class caches files by name, size and time: a new name for
    // each input makes it parse this one.
    static int serial = 0;
    const QString path = SettingsPath() + QString::number(++serial % 2);
    {
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reinterpret_cast<const char*>(data), qsizetype(size));
    }
    const SettingsStore store(path);

    const int32_t language = store.ReadValue<int32_t>(QStringLiteral("Language"), 0);
    const int32_t skin = store.ReadValue<int32_t>(QStringLiteral("Skin"), 0);
    const double capture = store.ReadValue<double>(QStringLiteral("InputMaginification"), 0.0);
    (void)LanguageTable(language).MessageText(Texts::ModifiedMessage);
    (void)skin;
    (void)MagnificationModel::FormatBoxValue(capture, MagnificationModel::BoxFormat::Full);

    QByteArray properties = PropertiesRecord().ToBytes();
    store.Read(QStringLiteral("Properties"), properties.data(), PropertiesRecord::ByteSize);
    const PropertiesRecord record = PropertiesRecord::FromBytes(properties);
    Require(record.ToBytes() == properties);
    (void)record.textFont.ToQFont();
    (void)record.labelFont.ToQFont();

    // The stamp with every item, on a small picture.
    StampSettings stamp = StampSettings::Read(store);
    stamp.flags |= 0x3C;
    PictureInfoRecord info;
    info.pictureMagnification = capture;
    QImage output(64, 48, QImage::Format_RGB32);
    output.fill(Qt::gray);
    if (stamp.font.ToQFont().pixelSize() <= 512)
        SaveRendering::DrawStamp(output, stamp, info, QStringLiteral("/pics/20081231_1234.jpg"));
    return 0;
}
