#include "platform/SettingsStore.h"
#include "app/PropertiesRecord.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

class SettingsStoreTest : public ::testing::Test
{
  protected:
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("Lumvex/Lumvex.ini"));

    void WriteIni(const QByteArray& text)
    {
        QDir().mkpath(folder.filePath(QStringLiteral("Lumvex")));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
};

TEST_F(SettingsStoreTest, MissingFileLeavesEveryDefault)
{
    SettingsStore store(path);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Skin"), 0u), 0u);
    EXPECT_EQ(store.ReadValue<double>(QStringLiteral("InputMaginification"), 0.0), 0.0);
    QByteArray properties = PropertiesRecord().ToBytes();
    store.Read(QStringLiteral("Properties"), properties.data(), PropertiesRecord::ByteSize);
    EXPECT_EQ(PropertiesRecord::FromBytes(properties), PropertiesRecord());
    EXPECT_FALSE(QFile::exists(path)) << "reading must not create the file";
}

TEST_F(SettingsStoreTest, ValuesAreStoredAsTheirExactBytes)
{
    SettingsStore store(path);
    ASSERT_TRUE(store.WriteValue<uint32_t>(QStringLiteral("Skin"), 1));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("Skin=@ByteArray(\\x1\\0\\0\\0)")) << text.constData();
    EXPECT_TRUE(QSettings(path, QSettings::IniFormat).childGroups().isEmpty())
        << "values live at the top level, in no group";
}

TEST_F(SettingsStoreTest, ReadsTheCaptureProgramsLayout)
{
    WriteIni("Skin=@ByteArray(\\x1\\0\\0\\0)\nLanguage=@ByteArray(\\x2\\0\\0\\0)\n");
    SettingsStore store(path);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Skin"), 0u), 1u);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Language"), 0u), 2u);
}

TEST_F(SettingsStoreTest, ShortAndLongValuesCoverOnlyTheirBytes)
{
    SettingsStore store(path);
    const char two[2] = {0x34, 0x12};
    store.Write(QStringLiteral("PhotoSavedInfo"), two, 2);
    // The window keeps only the low 8 bits of the flags.
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("PhotoSavedInfo"), 0u) & 0xFF, 0x34u);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("PhotoSavedInfo"), 0xAABBCCDDu),
              0xAABB1234u);

    const char six[6] = {1, 2, 3, 4, 5, 6};
    store.Write(QStringLiteral("Skin"), six, 6);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Skin"), 0u), 0x04030201u);
}

TEST_F(SettingsStoreTest, ShortPropertiesUpdateOnlyTheDrawingAndTextSettings)
{
    PropertiesRecord stored;
    stored.drawWidth = 5;
    stored.textColor = 0x0000FF;
    stored.measureWidth = 9;
    stored.unit = 3;
    SettingsStore store(path);
    store.Write(QStringLiteral("Properties"), stored.ToBytes().constData(), 108);

    QByteArray buffer = PropertiesRecord().ToBytes();
    store.Read(QStringLiteral("Properties"), buffer.data(), PropertiesRecord::ByteSize);
    const PropertiesRecord read = PropertiesRecord::FromBytes(buffer);
    EXPECT_EQ(read.drawWidth, 5);
    EXPECT_EQ(read.textColor, 0x0000FFu);
    EXPECT_EQ(read.measureWidth, 1);
    EXPECT_EQ(read.unit, 0);
}

TEST_F(SettingsStoreTest, PropertiesRoundTripThroughARealFile)
{
    PropertiesRecord record;
    record.drawColor = 0x00123456;
    record.drawWidth = 7;
    record.drawPenStyle = 3;
    record.measureColor = 0x00ABCDEF;
    record.labelFont.SetFaceName(QStringLiteral("Liberation Serif"));
    record.labelFont.height = -40;
    record.labelFont.italic = 1;
    record.unit = 2;
    {
        SettingsStore store(path);
        ASSERT_TRUE(store.Write(QStringLiteral("Properties"), record.ToBytes().constData(),
                                PropertiesRecord::ByteSize));
    }
    SettingsStore again(path);
    QByteArray buffer = PropertiesRecord().ToBytes();
    ASSERT_TRUE(
        again.Read(QStringLiteral("Properties"), buffer.data(), PropertiesRecord::ByteSize));
    EXPECT_EQ(PropertiesRecord::FromBytes(buffer), record);
    EXPECT_EQ(uint8_t(buffer[PropertiesRecord::UnitOffset]), 2);
}

TEST_F(SettingsStoreTest, AKeyThatCannotBeOpenedKeepsDefaultsAndWritesNothing)
{
    // A regular file where the folder should be: nothing can be created below it.
    QFile blocker(folder.filePath(QStringLiteral("Lumvex")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsStore store(path);
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(store.WriteValue<double>(QStringLiteral("InputMaginification"), 52.0));
    EXPECT_EQ(store.ReadValue<double>(QStringLiteral("InputMaginification"), 0.0), 0.0);
}

TEST_F(SettingsStoreTest, EnvironmentNamesTheFile)
{
    qputenv("LUMVEX_SETTINGS", path.toLocal8Bit());
    EXPECT_EQ(SettingsStore::DefaultPath(), path);
    qunsetenv("LUMVEX_SETTINGS");
    EXPECT_TRUE(SettingsStore::DefaultPath().endsWith(QStringLiteral("/Lumvex/Lumvex.ini")));
}

// A write cut short (a full disk, a quota) fails with the system's reason and
// leaves the file as it was: no value is lost, the new one is not half stored.
TEST_F(SettingsStoreTest, AShortWriteKeepsTheOldFileAndSaysWhy)
{
    WriteIni("Skin=@ByteArray(\\x1\\0\\0\\0)\nLanguage=@ByteArray(\\x2\\0\\0\\0)\n");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    SettingsStore store(path);
    const QByteArray properties = PropertiesRecord().ToBytes();
    bool written = true;
    {
        FileSizeLimit limit(rlim_t(before.size()) + 16);
        written = store.Write(QStringLiteral("Properties"), properties.constData(),
                              PropertiesRecord::ByteSize);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(store.ErrorString().toStdString(), std::strerror(EFBIG));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Language"), 0u), 2u);

    // With room again the same write goes through.
    ASSERT_TRUE(store.Write(QStringLiteral("Properties"), properties.constData(),
                            PropertiesRecord::ByteSize));
    EXPECT_TRUE(store.ErrorString().isEmpty());
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Skin"), 0u), 1u);
}

} // namespace
