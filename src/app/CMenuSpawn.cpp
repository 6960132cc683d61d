#include "app/CMenuSpawn.h"

#include "app/MenuSpawnStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace {

// Colours of the platform's classic 3D look, taken from the application palette.
CMenuSpawn::Colors SystemColors()
{
    const QPalette palette = QApplication::palette();
    CMenuSpawn::Colors c;
    c.menuText = palette.color(QPalette::Active, QPalette::WindowText);
    c.highlightText = palette.color(QPalette::Active, QPalette::HighlightedText);
    c.face3d = palette.color(QPalette::Active, QPalette::Button);
    c.menu = palette.color(QPalette::Active, QPalette::Window);
    c.highlight = palette.color(QPalette::Active, QPalette::Highlight);
    c.highlight3d = palette.color(QPalette::Active, QPalette::Light);
    c.shadow3d = palette.color(QPalette::Active, QPalette::Dark);
    c.grayText = palette.color(QPalette::Disabled, QPalette::WindowText);
    c.buttonFace = c.face3d;
    c.buttonHighlight = c.highlight3d;
    c.buttonShadow = c.shadow3d;
    // Plain 8-bit colours, as the platform's colour values are.
    for (QColor* color :
         {&c.menuText, &c.highlightText, &c.face3d, &c.menu, &c.highlight, &c.highlight3d,
          &c.shadow3d, &c.grayText, &c.buttonFace, &c.buttonHighlight, &c.buttonShadow})
        *color = QColor::fromRgb(color->rgb());
    return c;
}

// The strip's silver is its transparent colour.
QImage WithTransparentColor(const QImage& source, QRgb transparent)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (transparent & 0xFFFFFF))
                line[x] = 0;
    }
    return image;
}

// The check mark's greys become the current 3D colours; the face is transparent.
QImage MapCheckColors(const QImage& source, const CMenuSpawn::Colors& colors)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            switch (line[x] & 0xFFFFFF) {
            case 0x808080:
                line[x] = colors.shadow3d.rgb();
                break;
            case 0xC0C0C0:
                line[x] = 0;
                break;
            case 0xFFFFFF:
                line[x] = colors.highlight3d.rgb();
                break;
            default:
                break;
            }
        }
    }
    return image;
}

// A picture in one colour where the source is mostly opaque: the mask an
// embossed picture is drawn from.
QImage Silhouette(const QImage& image, const QColor& color)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage shape(source.size(), QImage::Format_ARGB32);
    const QRgb solid = color.rgb() | 0xFF000000;
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            out[x] = qAlpha(in[x]) >= 128 ? solid : 0;
    }
    return shape;
}

} // namespace

CMenuSpawn::CMenuSpawn()
    : systemMenuFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont)), colors(SystemColors())
{
    QImage check(CheckImagePath);
    if (!check.isNull())
        checkImage = MapCheckColors(check, colors);
}

CMenuSpawn::~CMenuSpawn() = default;

bool CMenuSpawn::LoadItemImages(const QString& stripPath)
{
    const QImage strip(stripPath);
    if (strip.isNull())
        return false;
    imageSize = ToolbarImageSize;
    const QImage transparent = WithTransparentColor(strip, qRgb(192, 192, 192));
    itemImages.clear();
    imageRecords.clear();
    int index = 0;
    for (uint32_t entry : ToolbarEntries) {
        if (entry == 0)
            continue;
        itemImages.push_back(
            transparent.copy(index * imageSize.width(), 0, imageSize.width(), imageSize.height()));
        imageRecords.emplace_back(index, entry);
        ++index;
    }
    return true;
}

int CMenuSpawn::ImageIndexOf(uint32_t commandId) const
{
    for (const auto& [index, command] : imageRecords)
        if (command == commandId)
            return index;
    return -1;
}

const QImage* CMenuSpawn::ItemImage(int index) const
{
    if (index < 0 || index >= int(itemImages.size()))
        return nullptr;
    return &itemImages[size_t(index)];
}

MenuItemRecord* CMenuSpawn::NewRecord(int imageIndex, int kindCode, const QString& text)
{
    auto record = std::make_unique<MenuItemRecord>();
    record->imageIndex = imageIndex;
    record->kindCode = kindCode;
    record->text = text.left(127);
    itemRecords.push_back(std::move(record));
    return itemRecords.back().get();
}

void CMenuSpawn::MakeOwnerDrawn(MenuItem& menu)
{
    Remap(menu);
}

void CMenuSpawn::Remap(MenuItem& menu)
{
    ++depth;
    for (auto item = menu.items.rbegin(); item != menu.items.rend(); ++item) {
        if (item->IsPopup()) {
            Remap(*item);
            if (!item->text.isEmpty() && !item->record) {
                const int kind = !popupMode && depth == 1 ? MenuItemRecord::SubmenuHeader
                                                          : MenuItemRecord::NestedSubmenuHeader;
                item->record = NewRecord(kind, kind, item->text);
            }
        } else if (item->separator) {
            if (!item->record)
                item->record = NewRecord(MenuItemRecord::Separator, MenuItemRecord::Separator,
                                         QStringLiteral("--"));
        } else if (!item->record) {
            item->record = NewRecord(ImageIndexOf(item->id), int(item->id), item->text);
        }
    }
    --depth;
}

void CMenuSpawn::UpdateItemStates(MenuItem& menu, const std::function<bool(uint32_t)>& hasHandler)
{
    for (MenuItem& item : menu.items) {
        if (item.IsPopup())
            UpdateItemStates(item, hasHandler);
        else if (!item.separator && !hasHandler(item.id))
            item.grayed = true;
    }
}

QSize CMenuSpawn::MeasureMenuItem(const MenuItemRecord& record) const
{
    return MeasureMenuItem(record, QFontMetrics(Font()));
}

QSize CMenuSpawn::MeasureMenuItem(const MenuItemRecord& record, const QFontMetrics& metrics) const
{
    if (record.kindCode == MenuItemRecord::Separator)
        return {10, 6};
    if (record.text.isEmpty())
        return {100, imageSize.height() + 5};
    const int textWidth = metrics.horizontalAdvance(record.text);
    const int textHeight = metrics.height();
    if (record.kindCode == MenuItemRecord::SubmenuHeader)
        return {textWidth + 20, std::max(20, textHeight)};
    const int height = std::max(imageSize.height() + 5, textHeight);
    return {textWidth + 17 + std::max(height, imageSize.width()), height};
}

void CMenuSpawn::DrawMenuItem(QPainter& painter, const QRect& rect, const MenuItemRecord& record,
                              ItemState state) const
{
    painter.save();
    painter.setFont(Font());
    // Edges as the platform's rectangles have them: right and bottom exclusive.
    const int left = rect.x(), top = rect.y();
    const int right = rect.x() + rect.width(), bottom = rect.y() + rect.height();

    if (record.kindCode == MenuItemRecord::Separator) {
        painter.fillRect(rect, colors.menu);
        painter.fillRect(QRect(left + 2, top + 2, right - 2 - (left + 2), 1), colors.shadow3d);
        painter.fillRect(QRect(left + 2, top + 3, right - 2 - (left + 2), 1), colors.highlight3d);
        painter.restore();
        return;
    }

    const QRect square(left, top, rect.height(), rect.height());
    QRect text(QPoint(left + rect.height() + 1, top), QPoint(right - 1, bottom - 1));
    const QImage* image = ItemImage(record.imageIndex);

    const QColor fill = state.selected ? colors.highlight : colors.menu;
    const QColor textColor = state.selected ? colors.highlightText : colors.menuText;
    painter.fillRect(image || state.checked ? text : rect, fill);
    if (image || state.checked)
        painter.fillRect(square, colors.menu);

    if (image) {
        const QPoint at(square.x() + (square.width() - image->width()) / 2,
                        square.y() + (square.height() - image->height()) / 2);
        if (state.selected && !state.disabled) {
            painter.setPen(colors.highlight3d);
            painter.drawLine(square.topLeft(), square.topRight());
            painter.drawLine(square.topLeft(), square.bottomLeft());
            painter.setPen(colors.shadow3d);
            painter.drawLine(square.bottomLeft(), square.bottomRight());
            painter.drawLine(square.topRight(), square.bottomRight());
        } else {
            painter.setPen(colors.menu);
            painter.drawRect(square.adjusted(0, 0, -1, -1));
        }
        if (state.disabled) {
            painter.drawImage(at + QPoint(1, 1), Silhouette(*image, colors.highlight3d));
            painter.drawImage(at, Silhouette(*image, colors.shadow3d));
        } else if (state.checked) {
            QImage blended = image->convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QPainter blend(&blended);
            blend.setCompositionMode(QPainter::CompositionMode_SourceAtop);
            QColor half = colors.highlight;
            half.setAlpha(128);
            blend.fillRect(blended.rect(), half);
            blend.end();
            painter.drawImage(at, blended);
        } else {
            painter.drawImage(at, *image);
        }
    } else if (state.checked && !checkImage.isNull()) {
        // Centred with the item picture's size, as the toolbar images are laid out.
        painter.drawImage(QPoint(square.x() + (square.width() - imageSize.width()) / 2,
                                 square.y() + (square.height() - imageSize.height()) / 2 - 2),
                          checkImage);
    }

    const QFontMetrics metrics(Font());
    text.setTop(text.top() + (text.height() - metrics.height()) / 2);
    text.setLeft(text.left() + 2);
    text.setRight(text.right() - 15);
    const int tab = record.text.indexOf(u'\t');
    auto drawText = [&](const QRect& area, const QColor& color) {
        painter.setPen(color);
        if (tab >= 0) {
            painter.drawText(area, Qt::AlignLeft | Qt::AlignTop, record.text.left(tab));
            painter.drawText(area, Qt::AlignRight | Qt::AlignTop, record.text.mid(tab + 1));
        } else {
            painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, record.text);
        }
    };
    if (!state.disabled) {
        drawText(text, textColor);
    } else if (!state.selected) {
        drawText(text.adjusted(1, 1, -1, -1), colors.highlight3d);
        drawText(text, colors.grayText);
    } else {
        drawText(text, colors.menu);
    }
    if (record.kindCode == MenuItemRecord::SubmenuHeader ||
        record.kindCode == MenuItemRecord::NestedSubmenuHeader) {
        // The arrow of a submenu, in the space kept free right of the text.
        const QColor arrow = state.disabled ? colors.grayText : textColor;
        const int cx = right - 9, cy = top + rect.height() / 2;
        painter.setPen(Qt::NoPen);
        painter.setBrush(arrow);
        const QPoint points[3] = {QPoint(cx - 2, cy - 4), QPoint(cx + 2, cy),
                                  QPoint(cx - 2, cy + 4)};
        painter.drawPolygon(points, 3);
    }
    painter.restore();
}

QStyle* CMenuSpawn::MenuStyle()
{
    if (!style)
        style = std::make_unique<MenuSpawnStyle>(*this);
    return style.get();
}
