#include "platform/SettingsStore.h"
#include "app/PropertiesRecord.h"

#include "FileSizeLimit.h"
#include "TestFiles.h"

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

    QByteArray ReadIni() const { return TestFiles::Read(path); }
    void WriteIni(const QByteArray& text)
    {
        QDir().mkpath(folder.filePath(QStringLiteral("Lumvex")));
        ASSERT_TRUE(TestFiles::Write(path, text));
    }
};

// Reading never creates the file; a key that cannot be opened (a file where
// its folder should be) keeps every default and takes no write.
TEST_F(SettingsStoreTest, MissingOrUnopenableKeyLeavesEveryDefault)
{
    SettingsStore store(path);
    EXPECT_EQ(store.ReadValue<double>(QStringLiteral("InputMaginification"), 0.0), 0.0);
    QByteArray properties = PropertiesRecord().ToBytes();
    store.Read(QStringLiteral("Properties"), properties.data(), PropertiesRecord::ByteSize);
    EXPECT_EQ(PropertiesRecord::FromBytes(properties), PropertiesRecord());
    EXPECT_FALSE(QFile::exists(path));

    QFile(folder.filePath(QStringLiteral("Lumvex"))).open(QIODevice::WriteOnly);
    SettingsStore blocked(path);
    EXPECT_FALSE(blocked.IsOpen());
    EXPECT_FALSE(blocked.WriteValue<double>(QStringLiteral("InputMaginification"), 52.0));
    EXPECT_EQ(blocked.ReadValue<double>(QStringLiteral("InputMaginification"), 0.0), 0.0);
}

// The layout the capture program shares: top-level values of exact bytes.
// A stored value shorter or longer than asked covers only its own bytes.
TEST_F(SettingsStoreTest, ValuesAreTheirExactBytesAtTheTopLevel)
{
    WriteIni("Language=@ByteArray(\\x2\\0\\0\\0)\n");
    SettingsStore store(path);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Language"), 0u), 2u);
    ASSERT_TRUE(store.WriteValue<uint32_t>(QStringLiteral("Skin"), 1));
    EXPECT_TRUE(ReadIni().contains("Skin=@ByteArray(\\x1\\0\\0\\0)")) << ReadIni().constData();
    EXPECT_TRUE(QSettings(path, QSettings::IniFormat).childGroups().isEmpty());

    const char two[2] = {0x34, 0x12};
    store.Write(QStringLiteral("PhotoSavedInfo"), two, 2);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("PhotoSavedInfo"), 0xAABBCCDDu),
              0xAABB1234u);
    const char six[6] = {1, 2, 3, 4, 5, 6};
    store.Write(QStringLiteral("Skin"), six, 6);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Skin"), 0u), 0x04030201u);
}

// The whole record survives a new store on the same file; a short stored
// record (108 bytes) updates only the drawing and text settings.
TEST_F(SettingsStoreTest, PropertiesRoundTripAndShortRecords)
{
    PropertiesRecord record;
    record.drawColor = 0x00123456;
    record.drawWidth = 7;
    record.measureWidth = 9;
    record.labelFont.SetFaceName(QStringLiteral("Liberation Serif"));
    record.labelFont.height = -40;
    record.unit = 2;
    ASSERT_TRUE(SettingsStore(path).Write(
        QStringLiteral("Properties"), record.ToBytes().constData(), PropertiesRecord::ByteSize));
    QByteArray buffer = PropertiesRecord().ToBytes();
    ASSERT_TRUE(SettingsStore(path).Read(QStringLiteral("Properties"), buffer.data(),
                                         PropertiesRecord::ByteSize));
    EXPECT_EQ(buffer, record.ToBytes());
    EXPECT_EQ(uint8_t(buffer[PropertiesRecord::UnitOffset]), 2);

    SettingsStore store(path);
    store.Write(QStringLiteral("Properties"), record.ToBytes().constData(), 108);
    buffer = PropertiesRecord().ToBytes();
    store.Read(QStringLiteral("Properties"), buffer.data(), PropertiesRecord::ByteSize);
    const PropertiesRecord read = PropertiesRecord::FromBytes(buffer);
    EXPECT_EQ(read.drawWidth, 7);
    EXPECT_EQ(read.measureWidth, 1);
    EXPECT_EQ(read.unit, 0);
}

// A write cut short (a full disk, a quota) fails with the system's reason and
// leaves the file as it was; with room again the same write goes through.
TEST_F(SettingsStoreTest, AShortWriteKeepsTheOldFileAndSaysWhy)
{
    WriteIni("Skin=@ByteArray(\\x1\\0\\0\\0)\nLanguage=@ByteArray(\\x2\\0\\0\\0)\n");
    const QByteArray before = ReadIni();
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
    EXPECT_EQ(ReadIni(), before);
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Language"), 0u), 2u);

    ASSERT_TRUE(store.Write(QStringLiteral("Properties"), properties.constData(),
                            PropertiesRecord::ByteSize));
    EXPECT_TRUE(store.ErrorString().isEmpty());
    EXPECT_EQ(store.ReadValue<uint32_t>(QStringLiteral("Skin"), 0u), 1u);
}

} // namespace
