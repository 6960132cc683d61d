#include "app/FontColorDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPixmap>

namespace {

struct NamedColor
{
    const char* name;
    ColorRef color;
};

constexpr NamedColor BasicColors[] = {
    {"Black", MakeColorRef(0, 0, 0)},        {"Maroon", MakeColorRef(128, 0, 0)},
    {"Green", MakeColorRef(0, 128, 0)},      {"Olive", MakeColorRef(128, 128, 0)},
    {"Navy", MakeColorRef(0, 0, 128)},       {"Purple", MakeColorRef(128, 0, 128)},
    {"Teal", MakeColorRef(0, 128, 128)},     {"Gray", MakeColorRef(128, 128, 128)},
    {"Silver", MakeColorRef(192, 192, 192)}, {"Red", MakeColorRef(255, 0, 0)},
    {"Lime", MakeColorRef(0, 255, 0)},       {"Yellow", MakeColorRef(255, 255, 0)},
    {"Blue", MakeColorRef(0, 0, 255)},       {"Fuchsia", MakeColorRef(255, 0, 255)},
    {"Aqua", MakeColorRef(0, 255, 255)},     {"White", MakeColorRef(255, 255, 255)},
};

QIcon Swatch(ColorRef color)
{
    QPixmap pixmap(24, 12);
    pixmap.fill(ToQColor(color));
    return QIcon(pixmap);
}

} // namespace

FontColorDialog::FontColorDialog(const LogFont& font, ColorRef color, QWidget* parent)
    : QFontDialog(font.ToQFont(), parent)
{
    setOption(QFontDialog::DontUseNativeDialog);
    colorBox = new QComboBox(this);
    for (const NamedColor& c : BasicColors)
        colorBox->addItem(Swatch(c.color), QString::fromLatin1(c.name), uint(c.color));
    int index = colorBox->findData(uint(color & 0xFFFFFF));
    if (index < 0) {
        colorBox->addItem(Swatch(color), tr("Custom"), uint(color));
        index = colorBox->count() - 1;
    }
    colorBox->setCurrentIndex(index);

    // The colour sits with the other effects, where the platform's font
    // dialog has always had it.
    QGroupBox* effects = nullptr;
    for (QGroupBox* box : findChildren<QGroupBox*>())
        if (box->layout())
            effects = box;
    if (effects) {
        effects->layout()->addWidget(new QLabel(tr("Color:"), effects));
        effects->layout()->addWidget(colorBox);
    } else if (layout()) {
        layout()->addWidget(colorBox);
    }
}

ColorRef FontColorDialog::Color() const
{
    return ColorRef(colorBox->currentData().toUInt());
}

bool FontColorDialog::Choose(LogFont& font, ColorRef& color, QWidget* parent)
{
    FontColorDialog dialog(font, color, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = LogFont::FromQFont(dialog.selectedFont(), font);
    color = dialog.Color();
    return true;
}
