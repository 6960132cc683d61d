#include "output/CSaveAsDialog.h"

#include "text/LanguageTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

QString CSaveAsDialog::Title(int language)
{
    return LanguageTable(language).Text(Texts::SaveAsTitle);
}

QStringList CSaveAsDialog::NameFilters(int language)
{
    return {LanguageTable::Common(Texts::SaveBitmapType),
            LanguageTable::Common(Texts::SaveJpegType),
            LanguageTable(language).Text(Texts::SaveTiffType)};
}

CSaveAsDialog::CSaveAsDialog(QWidget* parent, const SaveChooserSetup& setup)
    : QFileDialog(parent, setup.title), language(setup.language)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    // Saving over an existing file is not confirmed.
    setOption(QFileDialog::DontConfirmOverwrite, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilters(NameFilters(language));
    selectNameFilter(NameFilters(language).first());
    selectFile(setup.startName);

    smallSize = new QRadioButton(LanguageTable::Common(Texts::SaveSmallSize), this);
    originalSize = new QRadioButton(LanguageTable::Common(Texts::SaveOriginalSize), this);
    auto* group = new QButtonGroup(this);
    group->addButton(smallSize, 100);
    group->addButton(originalSize, 101);
    originalSize->setChecked(true);

    const LanguageTable texts(language);
    scaleBar = new QCheckBox(texts.Text(Texts::SaveScaleBar), this);
    scaleBar->setChecked(setup.scaleBar);
    // The choice is kept for calibrated pictures even when this one has no scale.
    scaleBar->setEnabled(setup.calibrated);
    noScale = new QLabel(texts.Text(Texts::SaveWithoutScale), this);
    noScale->setVisible(!setup.calibrated);

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
    const qsizetype type = NameFilters(language).indexOf(selectedNameFilter());
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

std::optional<SaveChoice> CSaveAsDialog::Choose(QWidget* parent, const SaveChooserSetup& setup)
{
    CSaveAsDialog dialog(parent, setup);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}
