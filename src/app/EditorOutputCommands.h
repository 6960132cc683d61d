#pragma once

#include "output/CClipboardOutput.h"
#include "output/CSaveAsCommand.h"

#include <memory>

class CLumvexImgEdtDlg;
class CMailSender;
class CProcessDlg;

// The editor window's commands that browse, resize, save and share: it hands
// them the window's picture, record and controls.
class EditorOutputCommands
{
  public:
    explicit EditorOutputCommands(CLumvexImgEdtDlg& window);
    ~EditorOutputCommands();
    EditorOutputCommands(const EditorOutputCommands&) = delete;
    EditorOutputCommands& operator=(const EditorOutputCommands&) = delete;

    // Fills the window's output commands with these.
    void Install();

    void SaveAs();
    void CopyFile();
    void CopyImage();
    void Mail();
    void ShowAdjacentPicture(int direction);
    void Zoom(int delta);
    void Relayout(int step);
    void FullScreen();
    void Cancel();

    CSaveAsCommand& SaveAsCommand() { return saveAs; }
    CClipboardOutput& Clipboard() { return clipboard; }
    CMailSender& MailSender() { return *mail; }
    CProcessDlg& Progress() { return *progress; }

  private:
    CLumvexImgEdtDlg& window;
    CSaveAsCommand saveAs;
    CClipboardOutput clipboard;
    std::unique_ptr<CMailSender> mail;
    // Owned by the window as its child.
    CProcessDlg* progress = nullptr;
};
