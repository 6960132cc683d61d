#include "output/CSaveAsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

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

TEST(CSaveAsDialog, TypedFullPathAndEnterSaveThere)
{
    QTemporaryDir dir;
    CSaveAsDialog dialog(nullptr, SaveStart::For(0, dir.filePath("20081231_1234.bmp")));
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    Settle();
    QLineEdit* edit = dialog.FileNameEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), edit);

    dialog.SmallSizeButton()->setChecked(true);
    dialog.selectNameFilter("TIFF image(*.tif)");
    const QString target = dir.filePath("report");
    edit->setText(target);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
    Settle();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const SaveChoice choice = dialog.Choice();
    EXPECT_EQ(choice.path, target);
    EXPECT_EQ(choice.type, SaveAsRules::SaveType::Tiff);
    EXPECT_FALSE(choice.keepPictureSize);
    EXPECT_EQ(dialog.keepPictureSize, 0);
}

} // namespace
