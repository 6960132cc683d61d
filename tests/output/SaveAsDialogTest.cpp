#include "output/CSaveAsDialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// English texts as the user reads them; the Chinese ones come from the same
// table (its completeness is the language table's invariant). The chooser
// starts in the picture's folder rather than wherever the program was started.
TEST(CSaveAsDialog, OpensInThePicturesFolderWithTheBaseNameTypesAndOriginalSize)
{
    QTemporaryDir dir;
    const SaveStart start = SaveStart::For(0, dir.filePath("20081231_1234.jpg"));
    EXPECT_EQ(start.folder, dir.path());
    EXPECT_NE(SaveStart::For(1, start.name).title, start.title);
    CSaveAsDialog dialog(nullptr, start);
    EXPECT_EQ(dialog.windowTitle(), "Save as...");
    EXPECT_EQ(dialog.SmallSizeButton()->text(), "320X240");
    EXPECT_EQ(dialog.OriginalSizeButton()->text(), "Original size");
    EXPECT_EQ(QFileInfo(dialog.directory().path()), QFileInfo(dir.path()));
    EXPECT_EQ(dialog.nameFilters(),
              QStringList({"Bitmap image(*.bmp)", "JPEG image(*.jpg)", "TIFF image(*.tif)"}));
    EXPECT_EQ(dialog.ScaleBarBox()->text(), "Scale bar");
    EXPECT_EQ(dialog.NoScaleNote()->text(), "Not calibrated: saved without a scale");
    EXPECT_TRUE(dialog.OriginalSizeButton()->isChecked());
    EXPECT_FALSE(dialog.SmallSizeButton()->isChecked());
    ASSERT_NE(dialog.FileNameEdit(), nullptr);
    EXPECT_EQ(dialog.FileNameEdit()->text(), "20081231_1234");
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));

    dialog.SmallSizeButton()->setChecked(true);
    dialog.selectNameFilter("JPEG image(*.jpg)");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const SaveChoice choice = dialog.Choice();
    EXPECT_EQ(QFileInfo(choice.path), QFileInfo(dir.filePath("20081231_1234")));
    EXPECT_EQ(choice.type, SaveAsRules::SaveType::Jpeg);
    EXPECT_FALSE(choice.keepPictureSize);
}

TEST(CSaveAsDialog, ScaleBarChoiceOnlyForCalibratedPicturesTheNoteOtherwise)
{
    for (bool calibrated : {true, false}) {
        SaveStart start = SaveStart::For(0, "/p/20081231_1236.bmp");
        start.calibrated = calibrated;
        start.scaleBar = true;
        CSaveAsDialog dialog(nullptr, start);
        EXPECT_EQ(dialog.ScaleBarBox()->isEnabled(), calibrated);
        EXPECT_EQ(dialog.NoScaleNote()->isVisibleTo(&dialog), !calibrated);
        EXPECT_TRUE(dialog.Choice().scaleBar);
        dialog.ScaleBarBox()->setChecked(false);
        EXPECT_FALSE(dialog.Choice().scaleBar);
    }
}

} // namespace
