#pragma once

#include "magnification/MagnificationModel.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A picture folder with an Info folder, a private settings file, a message bus
// and the picture last opened, all fresh for every test.
class MagnificationFixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        settingsPath = temp.filePath(QStringLiteral("Lumvex.ini"));
        qputenv("LUMVEX_SETTINGS", settingsPath.toLocal8Bit());
        folder = temp.filePath(QStringLiteral("pics"));
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/Info")));
        settings = std::make_unique<SettingsStore>(settingsPath);
        model = std::make_unique<MagnificationModel>(*settings, bus);
        model->writeFailed = [this](MagnificationModel::WriteFailure what, const QString& reason) {
            writeFailures << QStringLiteral("%1: %2").arg(
                what == MagnificationModel::WriteFailure::Info ? QStringLiteral("info")
                                                               : QStringLiteral("settings"),
                reason);
        };
    }

    // "info: reason" or "settings: reason" for each failed write.
    QStringList writeFailures;

    QString PicturePath(const QString& name) const { return folder + u'/' + name; }
    QString InfoPath(const QString& base) const { return folder + QStringLiteral("/Info/") + base; }

    // A real BMP of the given size; its header carries the width.
    QString WriteBmp(const QString& name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QString path = PicturePath(name);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    QString CopySample(const QString& name)
    {
        const QString to = PicturePath(name);
        EXPECT_TRUE(QFile::copy(QStringLiteral(LUMVEX_SAMPLES_DIR "/") + name, to));
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
        const QString info = QStringLiteral(LUMVEX_SAMPLES_DIR "/Info/") + name.left(13);
        if (QFile::exists(info)) {
            EXPECT_TRUE(QFile::copy(info, InfoPath(name.left(13))));
            QFile::setPermissions(InfoPath(name.left(13)), QFile::ReadOwner | QFile::WriteOwner);
        }
        return to;
    }

    void WriteInfo(const QString& base, const QByteArray& bytes)
    {
        QFile file(InfoPath(base));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray ReadInfo(const QString& base) const
    {
        QFile file(InfoPath(base));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    double CaptureSetting() const
    {
        return SettingsStore(settingsPath)
            .ReadValue<double>(QStringLiteral("InputMaginification"), -1.0);
    }

    void WriteCaptureSetting(double value)
    {
        SettingsStore(settingsPath).WriteValue(QStringLiteral("InputMaginification"), value);
    }

    // Broadcasts arrive queued, as they would from another process.
    int Broadcasts(QSignalSpy& spy)
    {
        QCoreApplication::processEvents();
        return int(spy.count());
    }

    // The model after a picture is loaded, as the window does it.
    bool Open(const QString& path, MagnificationModel::BoxFormat format)
    {
        picture = QImage(path);
        model->LoadPictureInfo(path, picture.size());
        model->ShowChosenMagnification(format);
        return !picture.isNull();
    }

    QTemporaryDir temp;
    QString settingsPath;
    QString folder;
    std::unique_ptr<SettingsStore> settings;
    MessageBus bus;
    QImage picture;
    std::unique_ptr<MagnificationModel> model;
};
