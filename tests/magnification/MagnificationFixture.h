#pragma once

#include "magnification/MagnificationModel.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"

#include "TestFiles.h"

#include <QCoreApplication>
#include <QDir>
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
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/Info")));
        model->writeFailed = [this](MagnificationModel::WriteFailure what, const QString& reason) {
            writeFailures << (what == MagnificationModel::WriteFailure::Info ? "info: "
                                                                             : "settings: ") +
                                 reason;
        };
    }

    QString PicturePath(const QString& name) const { return folder + u'/' + name; }
    QString InfoPath(const QString& base) const { return folder + QStringLiteral("/Info/") + base; }
    void WriteInfo(const QString& base, const QByteArray& bytes)
    {
        ASSERT_TRUE(TestFiles::Write(InfoPath(base), bytes));
    }
    QByteArray ReadInfo(const QString& base) const { return TestFiles::Read(InfoPath(base)); }

    // A real BMP of the given size; its header carries the width.
    QString WriteBmp(const QString& name, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        EXPECT_TRUE(image.save(PicturePath(name), "BMP"));
        return PicturePath(name);
    }

    // A sample picture and its info file, if it has one, as writable copies.
    QString CopySample(const QString& name)
    {
        const QString from = QStringLiteral(LUMVEX_SAMPLES_DIR "/");
        const QString info = QStringLiteral("Info/") + name.left(13);
        for (const QString& file : {name, info})
            if (QFile::exists(from + file))
                EXPECT_TRUE(TestFiles::Write(PicturePath(file), TestFiles::Read(from + file)));
        return PicturePath(name);
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
    const QString settingsPath = temp.filePath(QStringLiteral("Lumvex.ini"));
    const QString folder = temp.filePath(QStringLiteral("pics"));
    SettingsStore settings{settingsPath};
    MessageBus bus;
    const std::unique_ptr<MagnificationModel> model =
        std::make_unique<MagnificationModel>(settings, bus);
    QImage picture;
    QStringList writeFailures; // "info: reason" or "settings: reason" for each failed write
};
