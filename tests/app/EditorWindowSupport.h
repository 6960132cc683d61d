#pragma once

#include "app/CLumvexImgEdtDlg.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"
#include "view/CLumvexImgEdtView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A folder with sample pictures, a settings file of its own and an editor
// window whose questions are answered by the test.
class EditorWindowTest : public ::testing::Test
{
  protected:
    struct Box
    {
        QString caption;
        QString message;
        QString yes;
        QString no;
    };

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        settingsPath = folder.filePath(QStringLiteral("settings/Lumvex.ini"));
        QDir(folder.path()).mkpath(QStringLiteral("settings"));
        QDir(folder.path()).mkpath(QStringLiteral("pics/Info"));
        qputenv("LUMVEX_SETTINGS", settingsPath.toLocal8Bit());
    }

    void TearDown() override { window.reset(); }

    // A sample copied into the folder under a new base name, with its info
    // file when one is asked for.
    QString Picture(const QString& sample, const QString& base, bool withInfo)
    {
        const QString samples = QStringLiteral(LUMVEX_SAMPLES_DIR);
        const QString extension = sample.right(4);
        const QString target = folder.filePath(QStringLiteral("pics/") + base + extension);
        QFile::copy(samples + u'/' + sample, target);
        if (withInfo)
            QFile::copy(samples + QStringLiteral("/Info/") + sample.left(13),
                        folder.filePath(QStringLiteral("pics/Info/") + base));
        return target;
    }

    QString InfoPath(const QString& base) const
    {
        return folder.filePath(QStringLiteral("pics/Info/") + base);
    }

    void WriteSetting(const QString& name, const QByteArray& bytes)
    {
        SettingsStore(settingsPath).Write(name, bytes.constData(), int(bytes.size()));
    }

    template <typename T> void WriteSettingValue(const QString& name, T value)
    {
        SettingsStore(settingsPath).WriteValue(name, value);
    }

    QByteArray ReadSetting(const QString& name, int size)
    {
        QByteArray bytes(size, '\xEE');
        SettingsStore(settingsPath).Read(name, bytes.data(), size);
        return bytes;
    }

    CLumvexImgEdtDlg& Open(const QString& picturePath)
    {
        window = std::make_unique<CLumvexImgEdtDlg>(picturePath,
                                                    std::make_unique<SettingsStore>(settingsPath),
                                                    std::make_unique<MessageBus>(QString()));
        auto& hooks = window->hooks;
        hooks.messageBox = [this](const QString& caption, const QString& message,
                                  const QString& yes, const QString& no) {
            boxes.push_back({caption, message, yes, no});
            return boxAnswer;
        };
        hooks.popupMenu = [this](CSpawnMenu& menu, QPoint) {
            ++popups;
            onPopup(menu);
            return chosen;
        };
        hooks.chooseColor = [](ColorRef&) {
            return false;
        };
        hooks.chooseFont = [](LogFont&, ColorRef&) {
            return false;
        };
        hooks.chooseLineStyle = [](int&) {
            return false;
        };
        if (!keepProgramDialogs) {
            hooks.chooseLineWidth = [](int&) {
                return false;
            };
            hooks.setMagnification = [](double&) {
                return false;
            };
        }
        window->View().showError = [this](const QString& message) {
            loadErrors.push_back(message);
        };
        opened = window->OpenEditor();
        if (opened) {
            window->activateWindow();
            QTest::qWaitForWindowActive(window.get());
        }
        return *window;
    }

    // Opens the sample with magnification 50.
    CLumvexImgEdtDlg& OpenMagnified()
    {
        return Open(Picture("20081231_1234.jpg", "20081231_1234", true));
    }
    // Opens a picture without info file and without capture magnification.
    CLumvexImgEdtDlg& OpenUnmagnified()
    {
        return Open(Picture("20081231_1234.jpg", "20081231_1299", false));
    }

    // Chooses a menu item the way a click in the pop-up does.
    void Choose(int button, uint32_t command)
    {
        chosen = command;
        window->OnCommand(uint32_t(button));
        chosen = 0;
        MoveOverBackground();
    }

    void MoveOverBackground(QPoint at = {300, 45}, Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(window->mapToGlobal(at)),
                         Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
    }

    QTemporaryDir folder;
    QString settingsPath;
    std::unique_ptr<CLumvexImgEdtDlg> window;
    bool opened = false;
    // The width and set-magnification commands then run the program's dialogs.
    bool keepProgramDialogs = false;
    std::vector<Box> boxes;
    int boxAnswer = 1;
    uint32_t chosen = 0;
    int popups = 0;
    std::function<void(CSpawnMenu&)> onPopup = [](CSpawnMenu&) {
    };
    std::vector<QString> loadErrors;
};
