#include "EditorWindowSupport.h"

#include "app/ResultsController.h"
#include "results/ResultsWindow.h"
#include "view/ToolMode.h"

#include <QClipboard>
#include <QTableWidget>

namespace {

class ResultsEditorTest : public EditorWindowTest
{
  protected:
    // Three clicks of a two-point tool, the third placing the label.
    void MeasureLine(QPoint from, QPoint to)
    {
        CLumvexImgEdtView& v = window->View();
        for (QPoint q : {from, to, to + QPoint(5, 5)}) {
            v.PointerMove(q);
            v.LeftButtonDown(q);
            v.LeftButtonUp(q);
        }
    }
    void DrawShape()
    {
        CLumvexImgEdtView& v = window->View();
        v.SetToolMode(ToolRectangle);
        v.LeftButtonDown({20, 20});
        v.PointerMove({60, 60});
        v.LeftButtonUp({60, 60});
        v.SetToolMode(ToolAnyAngleLine);
    }
    size_t Rows() const { return window->Results()->Rows().size(); }
    QByteArray StoredFile(const QString& base) const
    {
        QFile file(InfoPath(base) + QStringLiteral(".csv"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// As a user does it: three lines, Ctrl+R on the view, the table with its
// summary, the file beside the picture, and the rows on the clipboard.
TEST_F(ResultsEditorTest, ThreeLinesShowInTheWindowTheFileAndTheClipboard)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    Choose(CLumvexImgEdtDlg::IdMeasurement, ToolAnyAngleLine);
    ASSERT_EQ(w.View().GetToolMode(), ToolAnyAngleLine);
    MeasureLine({100, 100}, {200, 100});
    MeasureLine({100, 150}, {300, 150});
    MeasureLine({100, 200}, {400, 200});

    w.View().setFocus();
    QTest::keyClick(&w.View(), Qt::Key_R, Qt::ControlModifier);
    ResultsWindow* results = w.Results()->Window();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisible());
    EXPECT_EQ(results->windowTitle(), QStringLiteral("Results - 20081231_1234"));
    QTableWidget* table = results->Table();
    ASSERT_EQ(table->rowCount(), 3 + 5);
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("Any Angle Line"));
    EXPECT_EQ(table->item(3, 1)->text(), QStringLiteral("Count"));
    EXPECT_EQ(table->item(3, 2)->text(), QStringLiteral("3"));

    EXPECT_EQ(StoredFile(QStringLiteral("20081231_1234")).count("\r\n"), 4);
    results->Copy();
    const QStringList pasted = QApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(pasted.size(), 4);
    EXPECT_TRUE(pasted[0].startsWith(QStringLiteral("No.\tKind\tLength (mm)\t")));
    EXPECT_TRUE(pasted[3].startsWith(QStringLiteral("3\tAny Angle Line\t")));
    // Twice the length in the picture is twice the value in the row.
    const double first = pasted[1].split(u'\t')[2].toDouble();
    EXPECT_NEAR(pasted[2].split(u'\t')[2].toDouble(), 2 * first, 1e-5);
}

TEST_F(ResultsEditorTest, RowsFollowUndoRedoAndEviction)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    CLumvexImgEdtView& v = w.View();
    v.SetToolMode(ToolAnyAngleLine);
    MeasureLine({100, 100}, {200, 100});
    DrawShape();
    MeasureLine({100, 200}, {300, 200});
    ASSERT_EQ(Rows(), 2u);

    const struct
    {
        uint32_t command;
        size_t rows;
    } steps[] = {{CLumvexImgEdtDlg::IdUndo, 1}, {CLumvexImgEdtDlg::IdUndo, 1},
                 {CLumvexImgEdtDlg::IdRedo, 1}, {CLumvexImgEdtDlg::IdRedo, 2},
                 {CLumvexImgEdtDlg::IdRedo, 2}, {CLumvexImgEdtDlg::IdUndo, 1}};
    for (const auto& step : steps) {
        w.OnCommand(step.command);
        EXPECT_EQ(Rows(), step.rows);
        EXPECT_EQ(StoredFile(QStringLiteral("20081231_1234")).count("\r\n"),
                  qsizetype(step.rows + 1));
    }
    // A new measurement after an undo gives up the undone one for good.
    MeasureLine({100, 300}, {150, 300});
    w.OnCommand(CLumvexImgEdtDlg::IdRedo);
    EXPECT_EQ(Rows(), 2u);

    // Far more edits than the history holds: undoing as far as it goes
    // keeps the rows of the edits it dropped.
    for (int i = 0; i < 20; ++i)
        MeasureLine({10, 10 + 20 * i}, {50 + 10 * i, 10 + 20 * i});
    EXPECT_EQ(Rows(), 22u);
    int undone = 0;
    for (; v.History().CanUndo(); ++undone)
        w.OnCommand(CLumvexImgEdtDlg::IdUndo);
    EXPECT_EQ(Rows(), 22u - size_t(undone));
    EXPECT_GT(Rows(), 2u);
}

TEST_F(ResultsEditorTest, EachPictureKeepsItsOwnTableAcrossBrowsingAndReopening)
{
    const QString second = Picture("20081231_1234.jpg", "20081231_1300", true);
    const QString first = Picture("20081231_1234.jpg", "20081231_1234", true);
    CLumvexImgEdtDlg& w = Open(first);
    w.View().SetToolMode(ToolAnyAngleLine);
    MeasureLine({100, 100}, {200, 100});
    w.Results()->ShowWindow();
    boxAnswer = 7; // leave without saving the picture

    w.OnCommand(CLumvexImgEdtDlg::IdNext);
    ASSERT_TRUE(w.picturePath.endsWith(QStringLiteral("20081231_1300.jpg")));
    EXPECT_EQ(Rows(), 0u);
    EXPECT_EQ(w.Results()->Window()->windowTitle(), QStringLiteral("Results - 20081231_1300"));
    w.View().SetToolMode(ToolAnyAngleLine);
    MeasureLine({100, 100}, {200, 100});
    MeasureLine({100, 200}, {200, 200});
    EXPECT_EQ(w.Results()->Window()->Table()->rowCount(), 2 + 5);

    w.OnCommand(CLumvexImgEdtDlg::IdPrevious);
    EXPECT_EQ(Rows(), 1u);
    w.OnCommand(CLumvexImgEdtDlg::IdUndo); // nothing to undo since the load
    EXPECT_EQ(Rows(), 1u);

    window.reset();
    Open(second);
    EXPECT_EQ(Rows(), 2u);
    for (const Box& box : boxes) // only the questions about leaving a changed picture
        EXPECT_FALSE(box.caption.startsWith(QStringLiteral("Results")))
            << box.message.toStdString();
}

TEST_F(ResultsEditorTest, MalformedFileGivesAMessageAndStaysUntilANewMeasurement)
{
    const QString picture = Picture("20081231_1234.jpg", "20081231_1234", true);
    const QByteArray garbage = "No.,Kind,Weight (g)\r\n1,\"open";
    QFile file(InfoPath(QStringLiteral("20081231_1234")) + QStringLiteral(".csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(garbage) == garbage.size());
    file.close();

    CLumvexImgEdtDlg& w = Open(picture);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, QStringLiteral("Results - 20081231_1234"));
    EXPECT_TRUE(boxes[0].message.contains(QStringLiteral("20081231_1234.csv")));
    EXPECT_EQ(Rows(), 0u);

    DrawShape();
    w.OnCommand(CLumvexImgEdtDlg::IdUndo);
    EXPECT_EQ(StoredFile(QStringLiteral("20081231_1234")), garbage);
    MeasureLine({100, 100}, {200, 100});
    EXPECT_EQ(StoredFile(QStringLiteral("20081231_1234")).count("\r\n"), 2);
}

TEST_F(ResultsEditorTest, MenuItemComesAfterEveryMeasuringItemAndChoosesNoTool)
{
    CLumvexImgEdtDlg& w = OpenMagnified();
    const MenuItem original = ToolMenus::Load(0).items[ToolMenus::MeasuringMenu];
    const MenuItem& shown = w.MeasuringMenu();
    ASSERT_EQ(shown.items.size(), original.items.size() + 2);
    for (size_t i = 0; i < original.items.size(); ++i)
        EXPECT_EQ(shown.items[i].id, original.items[i].id) << i;
    EXPECT_TRUE(shown.items[original.items.size()].separator);
    EXPECT_EQ(shown.items.back().id, ResultsController::CommandId);
    EXPECT_EQ(shown.items.back().text, QStringLiteral("Results..."));

    Choose(CLumvexImgEdtDlg::IdMeasurement, ToolPolygon);
    Choose(CLumvexImgEdtDlg::IdMeasurement, ResultsController::CommandId);
    EXPECT_TRUE(w.Results()->Window()->isVisible());
    EXPECT_EQ(w.lastDrawnMenuItem, uint32_t(ToolPolygon));
    w.View().CancelOperation();
    w.View().CancelOperation();
    EXPECT_FALSE(shown.items.back().checked);
}

} // namespace
