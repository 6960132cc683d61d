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

struct StartCase
{
    int language;
    const char* title;
    const char* smallSize;
    const char* originalSize;
    const char* tiffType;
    const char* scaleBar;
    const char* withoutScale;
};

// Both languages take every text from the string table, and the chooser starts
// in the picture's folder rather than wherever the program was started.
TEST(CSaveAsDialog, OpensInThePicturesFolderWithTheBaseNameTypesAndOriginalSize)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("20081231_1234.jpg");
    const StartCase cases[] = {{0, "Save as...", "320X240", "Original size", "TIFF image(*.tif)",
                                "Scale bar", "Not calibrated: saved without a scale"},
                               {1, "另存为...", "320X240", "原始尺寸", "TIFF 图像(*.tif)", "比例尺",
                                "未校准：保存的图片不带比例尺"}};
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.language);
        const SaveStart start = SaveStart::For(c.language, picture);
        EXPECT_EQ(start.folder, dir.path());
        CSaveAsDialog dialog(nullptr, start);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(dialog.SmallSizeButton()->text(), QString::fromUtf8(c.smallSize));
        EXPECT_EQ(dialog.OriginalSizeButton()->text(), QString::fromUtf8(c.originalSize));
        EXPECT_EQ(QFileInfo(dialog.directory().path()), QFileInfo(dir.path()));
        EXPECT_EQ(dialog.nameFilters(), QStringList({"Bitmap image(*.bmp)", "JPEG image(*.jpg)",
                                                     QString::fromUtf8(c.tiffType)}));
        EXPECT_EQ(dialog.ScaleBarBox()->text(), QString::fromUtf8(c.scaleBar));
        EXPECT_EQ(dialog.NoScaleNote()->text(), QString::fromUtf8(c.withoutScale));
        EXPECT_FALSE(dialog.ScaleBarBox()->isChecked());
        EXPECT_TRUE(dialog.OriginalSizeButton()->isChecked());
        EXPECT_FALSE(dialog.SmallSizeButton()->isChecked());
        ASSERT_NE(dialog.FileNameEdit(), nullptr);
        EXPECT_EQ(dialog.FileNameEdit()->text(), "20081231_1234");
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    }
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
