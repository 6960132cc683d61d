#include "output/CSaveAsDialog.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
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
};

// Both languages take every text from the string table, and the chooser starts
// in the picture's folder rather than wherever the program was started.
TEST(CSaveAsDialog, OpensInThePicturesFolderWithTheBaseNameTypesAndOriginalSize)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("20081231_1234.jpg");
    const StartCase cases[] = {{0, "Save as...", "320X240", "Original size"},
                               {1, "另存为...", "320X240", "原始尺寸"}};
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.language);
        const SaveStart start = SaveStart::For(c.language, picture);
        EXPECT_EQ(start.folder, dir.path());
        CSaveAsDialog dialog(nullptr, start);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
        EXPECT_EQ(dialog.SmallSizeButton()->text(), QString::fromUtf8(c.smallSize));
        EXPECT_EQ(dialog.OriginalSizeButton()->text(), QString::fromUtf8(c.originalSize));
        EXPECT_EQ(QFileInfo(dialog.directory().path()), QFileInfo(dir.path()));
        EXPECT_EQ(dialog.nameFilters(), QStringList({"Bitmap image(*.bmp)", "JPEG image(*.jpg)"}));
        EXPECT_TRUE(dialog.OriginalSizeButton()->isChecked());
        EXPECT_FALSE(dialog.SmallSizeButton()->isChecked());
        ASSERT_NE(dialog.FileNameEdit(), nullptr);
        EXPECT_EQ(dialog.FileNameEdit()->text(), "20081231_1234");
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
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
    dialog.selectNameFilter("JPEG image(*.jpg)");
    const QString target = dir.filePath("report");
    edit->setText(target);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
    Settle();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const SaveChoice choice = dialog.Choice();
    EXPECT_EQ(choice.path, target);
    EXPECT_TRUE(choice.jpegType);
    EXPECT_FALSE(choice.keepPictureSize);
    EXPECT_EQ(dialog.keepPictureSize, 0);
}

} // namespace
