#include "output/CSaveAsDialog.h"

#include "output/SaveAsRules.h"
#include "text/LanguageTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

SaveStart SaveStart::For(int language, const QString& picturePath)
{
    const LanguageTable texts(language);
    SaveStart start{texts.Text(Texts::SaveAsTitle), SaveAsRules::FolderOf(picturePath),
                    SaveAsRules::StartFileName(picturePath),
                    LanguageTable::Common(Texts::SaveSmallSize),
                    texts.Text(Texts::SaveOriginalSize)};
    start.tiffTypeText = texts.Text(Texts::SaveTiffType);
    start.scaleBarText = texts.Text(Texts::SaveScaleBar);
    start.withoutScaleText = texts.Text(Texts::SaveWithoutScale);
    return start;
}

QStringList CSaveAsDialog::NameFilters(const SaveStart& start)
{
    return {LanguageTable::Common(Texts::SaveBitmapType),
            LanguageTable::Common(Texts::SaveJpegType), start.tiffTypeText};
}

CSaveAsDialog::CSaveAsDialog(QWidget* parent, const SaveStart& start)
    : QFileDialog(parent, start.title)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    // Saving over an existing file is not confirmed.
    setOption(QFileDialog::DontConfirmOverwrite, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters(NameFilters(start));
    selectNameFilter(nameFilters().first());
    if (!start.folder.isEmpty())
        setDirectory(start.folder);
    selectFile(start.name);

    smallSize = new QRadioButton(start.smallSizeText, this);
    originalSize = new QRadioButton(start.originalSizeText, this);
    auto* group = new QButtonGroup(this);
    group->addButton(smallSize, 100);
    group->addButton(originalSize, 101);
    originalSize->setChecked(true);

    scaleBar = new QCheckBox(start.scaleBarText, this);
    scaleBar->setChecked(start.scaleBar);
    // The choice is kept for calibrated pictures even when this one has no scale.
    scaleBar->setEnabled(start.calibrated);
    noScale = new QLabel(start.withoutScaleText, this);
    noScale->setVisible(!start.calibrated);

    auto* sizes = new QHBoxLayout;
    sizes->addWidget(smallSize);
    sizes->addWidget(originalSize);
    sizes->addSpacing(24);
    sizes->addWidget(scaleBar);
    sizes->addSpacing(12);
    sizes->addWidget(noScale);
    sizes->addStretch(1);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addLayout(sizes, grid->rowCount(), 0, 1, grid->columnCount());
    else if (layout())
        layout()->addItem(sizes);
}

QLineEdit* CSaveAsDialog::FileNameEdit() const
{
    return findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

SaveChoice CSaveAsDialog::Choice() const
{
    SaveChoice choice;
    const QStringList files = selectedFiles();
    choice.path = files.isEmpty() ? QString() : files.first();
    const qsizetype type = nameFilters().indexOf(selectedNameFilter());
    choice.type = SaveAsRules::SaveType(type < 0 ? 0 : type);
    choice.keepPictureSize = keepPictureSize == 1;
    choice.scaleBar = scaleBar->isChecked();
    return choice;
}

void CSaveAsDialog::accept()
{
    keepPictureSize = originalSize->isChecked() ? 1 : 0;
    QFileDialog::accept();
}

void CSaveAsDialog::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    // After the dialog has settled its own focus, the name field takes it so
    // that a typed name or full path followed by Enter saves at once.
    QTimer::singleShot(0, this, [this] {
        if (QLineEdit* edit = FileNameEdit()) {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        }
    });
}

std::optional<SaveChoice> CSaveAsDialog::Choose(QWidget* parent, const SaveStart& start)
{
    CSaveAsDialog dialog(parent, start);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}
