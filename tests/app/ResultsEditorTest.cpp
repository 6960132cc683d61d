#include "EditorWindowSupport.h"

#include "app/ResultsController.h"
#include "dialogs/ModalRunner.h"
#include "results/ResultsWindow.h"
#include "view/ToolMode.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
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
    // A rectangle: an edit without a row.
    void DrawRectangle()
    {
        window->View().SetToolMode(ToolRectangle);
        window->View().LeftButtonDown({20, 20});
        window->View().LeftButtonUp({60, 60});
        window->View().SetToolMode(ToolAnyAngleLine);
    }
    size_t Rows() const { return window->Results()->Rows().size(); }
    QByteArray Stored() const
    {
        QFile file(window->Results()->FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList Clipboard() const
    {
        return QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
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
    EXPECT_EQ(Stored().count("\r\n"), 4); // kept beside the picture as it changes

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
    EXPECT_EQ(table->item(3, 1)->text() + table->item(3, 2)->text(), QStringLiteral("Count3"));

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
    QFile exported(typed);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll(), Stored()); // the summary lines are not exported

    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    QStringList pasted = Clipboard();
    ASSERT_EQ(pasted.size(), 4);
    EXPECT_TRUE(pasted[0].startsWith(QStringLiteral("No.\tKind\tLength (mm)\tUnit\t")));
    // Twice the length in the picture is twice the value in the row.
    EXPECT_NEAR(pasted[2].split(u'\t')[2].toDouble(), 2 * pasted[1].split(u'\t')[2].toDouble(),
                1e-5);

    table->selectRow(0);
    table->selectionModel()->select(table->model()->index(2, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    results->CopyButton()->click();
    pasted = Clipboard();
    ASSERT_EQ(pasted.size(), 3);
    EXPECT_TRUE(pasted[2].startsWith(QStringLiteral("3\tAny Angle Line\t")));
    EXPECT_TRUE(QApplication::clipboard()
                    ->mimeData()
                    ->data(QStringLiteral("text/csv"))
                    .startsWith("No.,Kind,Length (mm),"));
}

TEST_F(ResultsEditorTest, RowsFollowUndoRedoAndEviction)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    CLumvexImgEdtView& v = w.View();
    v.SetToolMode(ToolAnyAngleLine);
    MeasureLine({100, 100}, {200, 100});
    DrawRectangle();
    MeasureLine({100, 200}, {300, 200});

    const std::pair<ControlId, size_t> steps[] = {{Undo, 1}, {Undo, 1}, {Redo, 1},
                                                  {Redo, 2}, {Redo, 2}, {Undo, 1}};
    for (const auto& [button, rows] : steps) {
        Press(button);
        EXPECT_EQ(Rows(), rows);
        EXPECT_EQ(Stored().count("\r\n"), qsizetype(rows + 1));
    }
    // More edits than the history holds: undoing as far as it goes keeps the
    // rows of the edits it dropped.
    for (int i = 0; i < 20; ++i)
        MeasureLine({10, 10 + 20 * i}, {50 + 10 * i, 10 + 20 * i});
    int undone = 0;
    for (; v.History().CanUndo(); ++undone)
        Press(Undo);
    EXPECT_EQ(Rows(), 21u - size_t(undone));
    EXPECT_GT(Rows(), 1u);
}

TEST_F(ResultsEditorTest, EachPictureKeepsItsTableAcrossBrowsingAndReopening)
{
    const QString second = Picture("20081231_1234.jpg", "20081231_1300", true);
    CLumvexImgEdtDlg& w = OpenMagnified();
    w.View().SetToolMode(ToolAnyAngleLine);
    MeasureLine({100, 100}, {200, 100});
    w.Results()->ShowWindow();
    boxAnswer = 7; // leave without saving the picture

    Press(Next);
    EXPECT_EQ(Rows(), 0u);
    EXPECT_EQ(w.Results()->Window()->windowTitle(), QStringLiteral("Results - 20081231_1300"));
    w.View().SetToolMode(ToolAnyAngleLine);
    MeasureLine({100, 100}, {200, 100});
    MeasureLine({100, 200}, {200, 200});
    EXPECT_EQ(w.Results()->Window()->Table()->rowCount(), 2 + 5);

    Press(Previous);
    EXPECT_EQ(Rows(), 1u);
    window.reset();
    Open(second);
    EXPECT_EQ(Rows(), 2u);
    Press(Undo); // stored rows predate the history
    EXPECT_EQ(Rows(), 2u);
}

TEST_F(ResultsEditorTest, MalformedFileGivesAMessageAndStaysUntilANewMeasurement)
{
    const QString picture = Picture("20081231_1234.jpg", "20081231_1234", true);
    const QByteArray garbage = "No.,Kind,Weight (g)\r\n1,\"open";
    QFile file(InfoPath(QStringLiteral("20081231_1234.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(garbage) == garbage.size());
    file.close();

    CLumvexImgEdtDlg& w = Open(picture);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Results - 20081231_1234"));
    EXPECT_TRUE(boxes[0].message.contains(QStringLiteral("20081231_1234.csv")));
    EXPECT_EQ(Rows(), 0u);
    DrawRectangle(); // leaves the file
    EXPECT_EQ(Stored(), garbage);
    MeasureLine({100, 100}, {200, 100});
    EXPECT_EQ(Stored().count("\r\n"), 2);
}

TEST_F(ResultsEditorTest, MenuItemComesAfterEveryMeasuringItemAndChoosesNoTool)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    const MenuItem original = ToolMenus::Load(0).items[ToolMenus::MeasuringMenu];
    const MenuItem& shown = Tools().MeasuringMenu();
    ASSERT_EQ(shown.items.size(), original.items.size() + 2); // a separator and the item
    for (size_t i = 0; i < original.items.size(); ++i)
        EXPECT_EQ(shown.items[i].text, original.items[i].text) << i;
    EXPECT_EQ(shown.items.back().text, QStringLiteral("Results..."));

    Choose(Measurement, uint32_t(ToolPolygon));
    Choose(Measurement, ResultsController::CommandId);
    EXPECT_TRUE(w.Results()->Window()->isVisible());
    EXPECT_EQ(w.View().GetToolMode(), ToolPolygon);
    w.View().CancelOperation(); // toggles the tool chosen last, not the results
    EXPECT_EQ(w.View().GetToolMode(), ToolNone);
}

} // namespace
