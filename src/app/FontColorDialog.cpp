#include "app/FontColorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPixmap>

#include <iterator>

namespace {

constexpr ColorRef BasicColors[] = {
    MakeColorRef(0, 0, 0),       MakeColorRef(128, 0, 0),     MakeColorRef(0, 128, 0),
    MakeColorRef(128, 128, 0),   MakeColorRef(0, 0, 128),     MakeColorRef(128, 0, 128),
    MakeColorRef(0, 128, 128),   MakeColorRef(128, 128, 128), MakeColorRef(192, 192, 192),
    MakeColorRef(255, 0, 0),     MakeColorRef(0, 255, 0),     MakeColorRef(255, 255, 0),
    MakeColorRef(0, 0, 255),     MakeColorRef(255, 0, 255),   MakeColorRef(0, 255, 255),
    MakeColorRef(255, 255, 255),
};
static_assert(std::size(BasicColors) == Texts::BasicColorCount);

QIcon Swatch(ColorRef color)
{
    QPixmap pixmap(24, 12);
    pixmap.fill(ToQColor(color));
    return QIcon(pixmap);
}

// The stored font as the dialog can show it: the installed family, and the
// weight and slant that family really has nearest to the stored ones.
QFont ShownFont(const LogFont& font, const QString& family)
{
    QFont shown = font.ToQFont();
    shown.setFamily(family);
    const QFontInfo real(shown);
    shown.setWeight(QFont::Weight(real.weight()));
    shown.setItalic(real.italic());
    // The dialog finds its style row by name, which a translation would miss.
    shown.setStyleName(real.styleName());
    return shown;
}

} // namespace

QString FontColorDialog::ShownFamily(const LogFont& font)
{
    const QString face = font.FaceName();
    if (QFontDatabase::families().contains(face, Qt::CaseInsensitive))
        return face;
    return QFontInfo(font.ToQFont()).family();
}

FontColorDialog::FontColorDialog(const LogFont& font, ColorRef color, const LanguageTable& texts,
                                 QWidget* parent)
    : QFontDialog(parent), stored(font), shownFamily(ShownFamily(font))
{
    setOption(QFontDialog::DontUseNativeDialog);
    setCurrentFont(ShownFont(font, shownFamily));
    shown = currentFont();
    colorBox = new QComboBox(this);
    for (size_t i = 0; i < std::size(BasicColors); ++i)
        colorBox->addItem(Swatch(BasicColors[i]), texts.Text(Texts::BasicColorName(int(i))),
                          uint(BasicColors[i]));
    int index = colorBox->findData(uint(color & 0xFFFFFF));
    if (index < 0) {
        colorBox->addItem(Swatch(color), texts.Text(Texts::FontColorCustom), uint(color));
        index = colorBox->count() - 1;
    }
    colorBox->setCurrentIndex(index);
    PlaceColorAndSample(texts);
}

void FontColorDialog::PlaceColorAndSample(const LanguageTable& texts)
{
    // The colour sits with the other effects, where the platform's font
    // dialog has always had it; the sample beside them keeps its whole width.
    QGroupBox* effects = nullptr;
    for (QGroupBox* box : findChildren<QGroupBox*>()) {
        if (box->findChild<QLineEdit*>())
            sample = box;
        else if (box->findChild<QCheckBox*>() && box->layout())
            effects = box;
    }
    auto* label = new QLabel(texts.Text(Texts::FontColorLabel), this);
    if (effects) {
        effects->layout()->addWidget(label);
        effects->layout()->addWidget(colorBox);
    } else if (layout()) {
        layout()->addWidget(label);
        layout()->addWidget(colorBox);
    }
}

ColorRef FontColorDialog::Color() const
{
    return ColorRef(colorBox->currentData().toUInt());
}

LogFont FontColorDialog::ChosenFont() const
{
    // What the dialog showed in place of the stored font is not a choice: the
    // record shared with the capture program keeps every part the user left alone.
    const QFont chosen = selectedFont();
    LogFont font = LogFont::FromQFont(chosen, stored);
    if (chosen.family().compare(shown.family(), Qt::CaseInsensitive) == 0)
        font.faceName = stored.faceName;
    if (chosen.weight() == shown.weight())
        font.weight = stored.weight;
    if (chosen.italic() == shown.italic())
        font.italic = stored.italic;
    if (chosen.pointSizeF() == shown.pointSizeF() && chosen.pixelSize() == shown.pixelSize())
        font.height = stored.height;
    return font;
}

bool FontColorDialog::Choose(LogFont& font, ColorRef& color, const LanguageTable& texts,
                             QWidget* parent)
{
    FontColorDialog dialog(font, color, texts, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.ChosenFont();
    color = dialog.Color();
    return true;
}
