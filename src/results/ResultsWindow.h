#pragma once

#include "results/ResultRow.h"
#include "results/ResultsTexts.h"

#include <QWidget>

#include <functional>
#include <vector>

class QFileDialog;
class QPushButton;
class QTableWidget;

// The non-modal tool window beside the editor: the table of one picture with
// its summary lines, CSV export and copying for spreadsheets.
class ResultsWindow : public QWidget
{
    Q_OBJECT

  public:
    ResultsWindow(const ResultsTexts& texts, QWidget* parent);

    // The picture whose rows are shown: its base name titles the window and
    // its folder is where an export starts.
    void SetPicture(const QString& baseName, const QString& folder);
    void SetRows(const std::vector<ResultRow>& rows);

    // Ctrl+S: asks for a file, starting in the picture's folder.
    void Export();
    bool ExportTo(const QString& path);
    // Ctrl+C: the selected rows, or all rows when none is selected.
    void Copy();

    QTableWidget* Table() const { return table; }
    QPushButton* CopyButton() const { return copyButton; }
    QString StartExportPath() const;
    // Indexes of the selected table rows, summary lines left out.
    std::vector<int> SelectedRows() const;

    // Shows a failure to the user; the editor routes it to its message box.
    std::function<void(const QString& message)> showMessage;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ResultsTexts texts;
    QString baseName;
    QString folder;
    std::vector<ResultRow> rows;
    QTableWidget* table = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* copyButton = nullptr;
};
