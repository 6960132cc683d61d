#include "ResultsTestSupport.h"

#include "dialogs/ModalRunner.h"
#include "results/ResultsWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ResultsWindowTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        window.SetPicture(QStringLiteral("20081231_1234"), folder.path());
        window.SetRows({LineRow("Any Angle Line", "1.000000"),
                        LineRow("Any Angle Line", "2.000000"),
                        LineRow("Any Angle Line", "6.000000")});
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QStringList ClipboardLines() const
    {
        return QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir folder;
    ResultsWindow window{TestTexts(), nullptr};
};

TEST_F(ResultsWindowTest, ShowsRowsThenSummaryLines)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Results - 20081231_1234"));
    QTableWidget* table = window.Table();
    ASSERT_EQ(table->rowCount(), 3 + 5);
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Length (mm)"));
    EXPECT_EQ(table->item(4, 1)->text(), QStringLiteral("Mean"));
    EXPECT_EQ(table->item(4, 2)->text(), QStringLiteral("3.000000"));
    // Summary lines cannot be selected, so they are never copied.
    table->selectAll();
    EXPECT_EQ(window.SelectedRows(), (std::vector<int>{0, 1, 2}));

    window.SetRows({});
    EXPECT_EQ(table->rowCount(), 0);
}

TEST_F(ResultsWindowTest, CopyPutsTheSelectedRowsOrAllOnTheClipboard)
{
    QTest::keyClick(window.Table(), Qt::Key_C, Qt::ControlModifier);
    QStringList lines = ClipboardLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("No.\tKind\tLength (mm)\tUnit\tMagnification\t"
                                       "Pixel size (mm)\tPoints"));
    EXPECT_EQ(lines[3],
              QStringLiteral("3\tAny Angle Line\t6.000000\tmm\t50\t0.355\t(0,0) (100,0)"));

    window.Table()->selectRow(0);
    window.Table()->selectionModel()->select(window.Table()->model()->index(2, 0),
                                             QItemSelectionModel::Select |
                                                 QItemSelectionModel::Rows);
    window.CopyButton()->click();
    lines = ClipboardLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1\t")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("3\t")));
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(QStringLiteral("text/csv")));
    EXPECT_TRUE(data->data(QStringLiteral("text/csv")).startsWith("No.,Kind,Length (mm),"));
}

// Ctrl+S opens the chooser in the picture's folder with the name field
// focused; typing a full path and Enter saves there.
TEST_F(ResultsWindowTest, ExportSavesWhereTheTypedPathSays)
{
    const QString typed = folder.filePath(QStringLiteral("report.csv"));
    QString startName;
    ModalRunner::Scope runner([&](QDialog& dialog) {
        dialog.show();
        QLineEdit* edit = nullptr;
        const bool focused = QTest::qWaitFor([&] {
            edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            return edit && edit->hasSelectedText();
        });
        if (!focused)
            return int(QDialog::Rejected);
        startName = edit->selectedText();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        return dialog.result();
    });
    QTest::keyClick(window.Table(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(startName, QStringLiteral("20081231_1234_results.csv"));
    QFile file(typed);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_EQ(lines.size(), 5); // header, three rows and the last line end; no summary
    EXPECT_EQ(lines[1], QByteArray("1,Any Angle Line,1.000000,mm,50,0.355,\"(0,0) (100,0)\"\r"));
}

TEST_F(ResultsWindowTest, FailedExportTellsWhy)
{
    QString message;
    window.showMessage = [&](const QString& text) {
        message = text;
    };
    EXPECT_FALSE(window.ExportTo(folder.filePath(QStringLiteral("missing/report.csv"))));
    EXPECT_TRUE(message.startsWith(QStringLiteral("Could not write "))) << message.toStdString();
}

} // namespace
