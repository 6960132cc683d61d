#pragma once

#include "results/ResultsTable.h"
#include "results/ResultsTexts.h"
#include "results/ResultsWindow.h"
#include "view/HistoryListener.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class LanguageTable;
class QWidget;

// The results table of the picture on screen: rows follow the view's edit
// history, are read from and written to the picture's results file, and show
// in the results window whenever it is open.
class ResultsController : public HistoryListener
{
  public:
    // The menu command that opens the window, after the measuring menu's items.
    static constexpr uint32_t CommandId = 32896;

    ResultsController(const LanguageTable& language, QWidget* windowParent);
    ~ResultsController() override;

    // Info/<base name>.csv beside the picture; empty when the picture's name
    // gives no Info path.
    static QString FilePathFor(const QString& picturePath);

    // A picture was loaded: its own rows replace the last picture's.
    void PictureOpened(const QString& picturePath);
    void ShowWindow();

    void Committed(CDrawObject* object) override;
    void Undone() override;
    void Redone() override;

    const std::vector<ResultRow>& Rows() const { return table.Rows(); }
    ResultsWindow* Window() const { return window; }
    const QString& FilePath() const { return filePath; }

    // The menu's name for a measuring tool, in the editor's language.
    std::function<QString(int tool)> kindName;
    // The editor's message box, with the window's title as caption.
    std::function<void(const QString& caption, const QString& message)> showMessage;

  private:
    void RowsChanged();
    QString Title() const;

    ResultsTexts texts;
    std::vector<ResultsTexts> readableLanguages;
    QWidget* windowParent;
    QPointer<ResultsWindow> window;
    ResultsTable table;
    QString picturePath;
    QString filePath;
    // A file that could not be read stays as it is until a new measurement.
    bool keepUnreadableFile = false;
};
