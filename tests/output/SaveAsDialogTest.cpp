#include "output/CSaveAsDialog.h"

#include <QApplication>
#include <QCheckBox>
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

TEST(CSaveAsDialog, OpensWithTheBaseNameTheTypesAndOriginalSize)
{
    CSaveAsDialog dialog(nullptr, {CSaveAsDialog::Title(0), "20081231_1234"});
    EXPECT_EQ(dialog.windowTitle(), "Save as...");
    EXPECT_EQ(CSaveAsDialog::Title(1), "另存为...");
    EXPECT_EQ(dialog.nameFilters(),
              QStringList({"Bitmap image(*.bmp)", "JPEG image(*.jpg)", "TIFF image(*.tif)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), "Bitmap image(*.bmp)");
    EXPECT_EQ(CSaveAsDialog::NameFilters(1).last(), "TIFF 图像(*.tif)");
    EXPECT_EQ(dialog.SmallSizeButton()->text(), "320X240");
    EXPECT_EQ(dialog.OriginalSizeButton()->text(), "Original size");
    EXPECT_TRUE(dialog.OriginalSizeButton()->isChecked());
    EXPECT_FALSE(dialog.SmallSizeButton()->isChecked());
    ASSERT_NE(dialog.FileNameEdit(), nullptr);
    EXPECT_EQ(dialog.FileNameEdit()->text(), "20081231_1234");
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(CSaveAsDialog, ScaleBarChoiceAndTheNoteOnPicturesWithoutScale)
{
    CSaveAsDialog english(nullptr, {"Save as...", "a", 0, true, false});
    CSaveAsDialog chinese(nullptr, {"另存为...", "a", 1, false, true});
    EXPECT_EQ(english.ScaleBarBox()->text(), "Scale bar");
    EXPECT_EQ(chinese.ScaleBarBox()->text(), "比例尺");
    EXPECT_EQ(english.NoScaleNote()->text(), "Not calibrated: saved without a scale");
    EXPECT_EQ(chinese.NoScaleNote()->text(), "未校准：保存的图片不带比例尺");
    for (CSaveAsDialog* d : {&english, &chinese}) {
        const bool calibrated = d == &english;
        EXPECT_EQ(d->ScaleBarBox()->isEnabled(), calibrated);
        EXPECT_EQ(d->NoScaleNote()->isVisibleTo(d), !calibrated);
        EXPECT_EQ(d->Choice().scaleBar, !calibrated);
    }
}

TEST(CSaveAsDialog, TypedFullPathAndEnterSaveThere)
{
    QTemporaryDir dir;
    CSaveAsDialog dialog(nullptr, {"Save as...", "20081231_1234"});
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
