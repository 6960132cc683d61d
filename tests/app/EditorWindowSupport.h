#pragma once

#include "app/CLumvexImgEdtDlg.h"
#include "app/EditorToolCommands.h"
#include "magnification/PictureInfoRecord.h"
#include "platform/MessageBus.h"
#include "platform/SettingsStore.h"
#include "view/CLumvexImgEdtView.h"

#include "TestFiles.h"

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
        const QString target = folder.filePath("pics/" + base + sample.right(4));
        QFile::copy(samples + u'/' + sample, target);
        if (withInfo)
            QFile::copy(samples + "/Info/" + sample.left(13), InfoPath(base));
        return target;
    }

    QString InfoPath(const QString& base) const { return folder.filePath("pics/Info/" + base); }

    // The info file of a picture as it is stored.
    PictureInfoRecord StoredInfo(const QString& base) const
    {
        return PictureInfoRecord::FromBytes(TestFiles::Read(InfoPath(base)));
    }

    QByteArray ReadSetting(const QString& name, int size)
    {
        QByteArray bytes(size, '\xEE');
        SettingsStore(settingsPath).Read(name, bytes.data(), size);
        return bytes;
    }

    template <typename... Values> static bool Decline(Values&...) { return false; }
    // A dialog answered with OK and value.
    template <typename T> static auto Answer(T value)
    {
        return [value](T& shown) {
            return (shown = value, true);
        };
    }

    // Opens the window; dialogs a test does not answer are declined.
    CLumvexImgEdtDlg& Open(const QString& picturePath)
    {
        window = std::make_unique<CLumvexImgEdtDlg>(picturePath,
                                                    std::make_unique<SettingsStore>(settingsPath),
                                                    std::make_unique<MessageBus>(QString()));
        auto& hooks = window->hooks;
        hooks.messageBox = [this](const QString& caption, const QString& message,
                                  const QString& yes, const QString& no) {
            boxes.push_back(QStringList{caption, message, yes, no}.join(u'|'));
            return boxAnswer;
        };
        hooks.popupMenu = [this](CSpawnMenu& menu, QPoint) {
            ++popups;
            if (onPopup)
                onPopup(menu);
            return chosen;
        };
        hooks.chooseColor = Decline<ColorRef>;
        hooks.chooseFont = Decline<LogFont, ColorRef>;
        hooks.chooseLineStyle = Decline<int>;
        hooks.chooseLineWidth = Decline<int>;
        window->View().showError = [this](const QString& message) {
            loadErrors.push_back(message);
        };
        opened = window->OpenEditor();
        window->activateWindow();
        EXPECT_TRUE(!opened || QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    // The sample with magnification 50.
    CLumvexImgEdtDlg& OpenMagnified()
    {
        return Open(Picture("20081231_1234.jpg", "20081231_1234", true));
    }
    // A picture without info file and without capture magnification.
    CLumvexImgEdtDlg& OpenUnmagnified()
    {
        return Open(Picture("20081231_1234.jpg", "20081231_1299", false));
    }

    void Press(ControlId button) { window->OnCommand(CommandOf(button)); }

    // Chooses a menu item the way a click in the pop-up does.
    void Choose(ControlId button, uint32_t command)
    {
        chosen = command;
        Press(button);
        chosen = 0;
        MoveOverBackground();
    }

    void MoveOverBackground()
    {
        const QPoint at(300, 45);
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(window->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &move);
    }

    // A click of the view's tool in picture coordinates.
    void Click(QPoint at)
    {
        window->View().PointerMove(at);
        window->View().LeftButtonDown(at);
        window->View().LeftButtonUp(at);
    }

    EditorToolCommands& Tools() { return window->Tools(); }

    QTemporaryDir folder;
    QString settingsPath;
    std::unique_ptr<CLumvexImgEdtDlg> window;
    bool opened = false;
    // Each box asked: caption, message and button texts, joined by "|".
    std::vector<QString> boxes;
    int boxAnswer = 1;
    uint32_t chosen = 0;
    int popups = 0;
    std::function<void(CSpawnMenu&)> onPopup;
    std::vector<QString> loadErrors;
};
