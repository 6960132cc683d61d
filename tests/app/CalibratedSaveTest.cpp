#include "EditorWindowSupport.h"
#include "ImagingReader.h"

#include "draw/CDrawMeasure.h"
#include "output/CSaveAsDialog.h"
#include "output/StampSettings.h"
#include "view/ToolMode.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

namespace {

TEST_F(EditorWindowTest, TiffOfTheCalibratedStageMicrometerOpensAtTheEditorsScale)
{
    CLumvexImgEdtDlg& w = Open(Picture("20081231_1236.bmp", "20081231_1236", true));
    w.hooks.adjustMagnification = [](const CalibrationRequest&) {
        return CalibrationAnswer{true, 52.17, 0};
    };
    w.OnCalibrationResult(1775.0);

    // What the editor's own straight line measures per picture pixel, in um.
    w.View().SetToolMode(ToolMode::ToolAnyAngleLine);
    w.View().LeftButtonDown({10, 10});
    auto* line = dynamic_cast<CDrawMeasure*>(w.View().CurrentObject());
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->unit, 0);
    const double editor = line->LabelScale().LineValue(1.0) * 1000.0;

    // The real chooser, answered once it is up.
    const QString target = folder.filePath(QStringLiteral("micrometer"));
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CSaveAsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectNameFilter(QStringLiteral("TIFF image(*.tif)"));
        dialog->ScaleBarBox()->setChecked(true);
        dialog->FileNameEdit()->setText(target);
        dialog->accept();
    });
    Press(ControlId::SaveAs);

    const auto tags = ReadWithImagingLibrary(target + QStringLiteral(".tif"));
    EXPECT_EQ(tags["unit"], "3") << tags["error"].toStdString();
    EXPECT_NEAR(MicrometresPerPixel(tags["x"]) / editor, 1.0, 1e-6);
    EXPECT_TRUE(StampSettings::ReadScaleBar(w.Settings()));
}

} // namespace
