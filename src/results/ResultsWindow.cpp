#include "results/ResultsWindow.h"

#include "dialogs/ModalRunner.h"
#include "results/ResultsCsv.h"
#include "results/ResultsLayout.h"
#include "results/ResultsStore.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

ResultsWindow::ResultsWindow(const ResultsTexts& texts, QWidget* parent)
    : QWidget(parent, Qt::Tool), texts(texts)
{
    table = new QTableWidget(this);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->installEventFilter(this);

    exportButton = new QPushButton(texts.exportButton, this);
    copyButton = new QPushButton(texts.copyButton, this);
    connect(exportButton, &QPushButton::clicked, this, &ResultsWindow::Export);
    connect(copyButton, &QPushButton::clicked, this, &ResultsWindow::Copy);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(copyButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table, 1);
    layout->addLayout(buttons);

    auto* save = new QAction(this);
    save->setShortcut(QKeySequence::Save);
    save->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(save, &QAction::triggered, this, &ResultsWindow::Export);
    addAction(save);
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &ResultsWindow::Copy);
    addAction(copy);

    resize(720, 320);
}

void ResultsWindow::SetPicture(const QString& name, const QString& pictureFolder)
{
    baseName = name;
    folder = pictureFolder;
    setWindowTitle(texts.title.arg(baseName));
}

void ResultsWindow::SetRows(const std::vector<ResultRow>& newRows)
{
    rows = newRows;
    const ResultsLayout layout(rows);
    const std::vector<QStringList> summary = layout.SummaryLines(rows, texts);
    table->clear();
    table->setColumnCount(layout.ColumnCount());
    table->setHorizontalHeaderLabels(layout.Header(texts));
    table->setRowCount(int(rows.size() + (rows.empty() ? 0 : summary.size())));

    const auto fill = [this](int r, const QStringList& cells, bool isSummary) {
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c >= ResultsLayout::LeadingColumns)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (isSummary) {
                // Summary lines are read, never selected or copied.
                item->setFlags(Qt::ItemIsEnabled);
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(palette().alternateBase());
            }
            table->setItem(r, c, item);
        }
    };
    int r = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        fill(r++, layout.Cells(rows[i], int(i) + 1), false);
    if (!rows.empty())
        for (const QStringList& line : summary)
            fill(r++, line, true);
    table->resizeColumnsToContents();
}

std::vector<int> ResultsWindow::SelectedRows() const
{
    std::vector<int> selected;
    for (const QModelIndex& index : table->selectionModel()->selectedRows())
        if (size_t(index.row()) < rows.size())
            selected.push_back(index.row());
    std::sort(selected.begin(), selected.end());
    return selected;
}

QString ResultsWindow::StartExportPath() const
{
    return QDir(folder).filePath(baseName + QStringLiteral("_results.csv"));
}

void ResultsWindow::Export()
{
    QFileDialog dialog(this, texts.exportButton);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QStringLiteral("CSV (*.csv)")});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setDirectory(folder);
    dialog.selectFile(StartExportPath());
    // Once the dialog has placed its own focus, the name field takes it, so a
    // typed name or full path and Enter save at once.
    QTimer::singleShot(0, &dialog, [&dialog] {
        if (auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
    });
    if (ModalRunner::Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ExportTo(dialog.selectedFiles().first());
}

bool ResultsWindow::ExportTo(const QString& path)
{
    QString error;
    if (ResultsStore::Save(path, ResultsCsv::Csv(ResultsCsv::Lines(rows, {}, texts)), error))
        return true;
    if (showMessage)
        showMessage(texts.writeFailed.arg(QDir::toNativeSeparators(path), error));
    return false;
}

void ResultsWindow::Copy()
{
    const QList<QStringList> lines = ResultsCsv::Lines(rows, SelectedRows(), texts);
    auto* data = new QMimeData;
    data->setText(ResultsCsv::Tabbed(lines));
    data->setData(QStringLiteral("text/csv"), ResultsCsv::Csv(lines));
    QApplication::clipboard()->setMimeData(data);
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The table would copy only its current cell; the window copies rows.
    if (watched == table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        Copy();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
