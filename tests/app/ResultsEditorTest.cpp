#include "EditorWindowSupport.h"

#include "app/ResultsController.h"
#include "dialogs/ModalRunner.h"
#include "results/ResultsWindow.h"
#include "view/ToolMode.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTableWidget>

namespace {

using enum ToolMode;
using enum ControlId;

class ResultsEditorTest : public EditorWindowTest
{
  protected:
    // Three clicks of a two-point tool, the third placing the label.
    void MeasureLine(QPoint from, QPoint to)
    {
        for (QPoint q : {from, to, to + QPoint(5, 5)})
            Click(q);
    }
    size_t Rows() const { return window->Results()->Rows().size(); }
    // The lines of the file kept beside the picture.
    qsizetype StoredLines() const
    {
        QFile file(window->Results()->FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll().count("\r\n") : 0;
    }
};

// As a user does it: three lines, Ctrl+R on the view, the table with its
// summary, Ctrl+S and a typed path, and the rows on the clipboard.
TEST_F(ResultsEditorTest, ThreeLinesToTheWindowAFileAndTheClipboard)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    Choose(Measurement, uint32_t(ToolAnyAngleLine));
    MeasureLine({100, 100}, {200, 100});
    MeasureLine({100, 150}, {300, 150});
    MeasureLine({100, 200}, {400, 200});
    EXPECT_EQ(StoredLines(), 4); // kept beside the picture as it changes

    w.View().setFocus();
    QTest::keyClick(&w.View(), Qt::Key_R, Qt::ControlModifier);
    ResultsWindow* results = w.Results()->Window();
    ASSERT_TRUE(results && QTest::qWaitForWindowExposed(results));
    results->activateWindow(); // the test platform activates only exposed windows
    ASSERT_TRUE(QTest::qWaitForWindowActive(results));
    EXPECT_EQ(results->windowTitle(), QStringLiteral("Results - 20081231_1234"));
    QTableWidget* table = results->Table();
    ASSERT_EQ(table->rowCount(), 3 + 5); // rows, then count, mean, SD, min and max
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("Any Angle Line"));

    const QString typed = folder.filePath(QStringLiteral("report.csv"));
    QString offered;
    ModalRunner::Scope runner([&](QDialog& dialog) {
        dialog.show();
        QLineEdit* edit = nullptr;
        const bool focused = QTest::qWaitFor([&] {
            edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            return edit && edit->hasSelectedText();
        });
        if (!focused)
            return int(QDialog::Rejected);
        offered = edit->selectedText();
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        return dialog.result();
    });
    QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(offered, QStringLiteral("20081231_1234_results.csv"));
    QFile exported(typed), kept(w.Results()->FilePath());
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly) && kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll(), kept.readAll()); // the summary lines are not exported

    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    const QStringList pasted = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(pasted.size(), 4);
    EXPECT_TRUE(pasted[0].startsWith(QStringLiteral("No.\tKind\tLength (mm)\tUnit\t")));
    // Twice the length in the picture is twice the value in the row.
    EXPECT_NEAR(pasted[2].split(u'\t')[2].toDouble(), 2 * pasted[1].split(u'\t')[2].toDouble(),
                1e-5);

    // Undo takes the last row away, in the table and in the file; redo brings it back.
    Press(Undo);
    EXPECT_EQ(Rows(), 2u);
    EXPECT_EQ(StoredLines(), 3);
    Press(Redo);
    EXPECT_EQ(Rows(), 3u);
    // The picture opened again finds its table.
    OpenMagnified();
    EXPECT_EQ(Rows(), 3u);
}

// The item comes after every measuring item, so each keeps its position, and
// opening the results is no tool choice.
TEST_F(ResultsEditorTest, MenuItemComesLastAndChoosesNoTool)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    const MenuItem& shown = Tools().MeasuringMenu();
    ASSERT_EQ(shown.items.size(), 19u + 2); // a separator and the item
    EXPECT_EQ(shown.items[18].id, MenuItem::PopupId);
    EXPECT_EQ(shown.items.back().text, QStringLiteral("Results..."));

    Choose(Measurement, uint32_t(ToolPolygon));
    Choose(Measurement, ResultsController::CommandId);
    EXPECT_TRUE(w.Results()->Window()->isVisible());
    EXPECT_EQ(w.View().GetToolMode(), ToolPolygon);
    w.View().CancelOperation(); // toggles the tool chosen last, not the results
    EXPECT_EQ(w.View().GetToolMode(), ToolNone);
}

} // namespace
