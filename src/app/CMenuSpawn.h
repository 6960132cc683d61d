#pragma once

#include "app/MenuItem.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QFontMetrics;
class QPainter;
class QStyle;

// What the owner-draw menu object keeps per drawn item.
struct MenuItemRecord
{
    static constexpr int SubmenuHeader = -4;
    static constexpr int Separator = -3;
    static constexpr int NestedSubmenuHeader = -2;

    // Index into the item images; negative for none (for separators and
    // submenu headers it equals the kind code).
    int imageIndex = -1;
    // The command id of a command item, else one of the codes above.
    int kindCode = 0;
    QString text;
};

// Draws the tool pop-up menus: a small picture beside each tool, check marks
// as a highlighted picture, embossed greyed items, thin 3D separators.
class CMenuSpawn
{
  public:
    // Item pictures, one per nonzero entry in this order; zero entries take none.
    static constexpr std::array<uint32_t, 18> ToolbarEntries = {
        32803, 32804, 32805, 32806, 32807, 0,     32874, 32875, 32876,
        32809, 32810, 32811, 32812, 32799, 32800, 32801, 32802, 32814};
    static constexpr QSize ToolbarImageSize{16, 15};
    static inline const QString ToolStripPath = QStringLiteral(":/artwork/MENUTOOLS.png");
    static inline const QString CheckImagePath = QStringLiteral(":/artwork/MENUCHECK.png");

    struct Colors
    {
        QColor menuText;
        QColor highlightText;
        QColor face3d;
        QColor menu;
        QColor highlight;
        QColor highlight3d;
        QColor shadow3d;
        QColor grayText;
        QColor buttonFace;
        QColor buttonHighlight;
        QColor buttonShadow;
    };

    struct ItemState
    {
        bool disabled = false;
        bool selected = false;
        bool checked = false;
    };

    CMenuSpawn();
    virtual ~CMenuSpawn();
    CMenuSpawn(const CMenuSpawn&) = delete;
    CMenuSpawn& operator=(const CMenuSpawn&) = delete;

    // Cuts the strip at stripPath into the item pictures; without it the items
    // show text only. Returns false when the strip is missing.
    bool LoadItemImages(const QString& stripPath = ToolStripPath);
    // Gives every item of the menu and of its submenus a drawing record.
    void MakeOwnerDrawn(MenuItem& menu);
    // Greys every command item the window has no handler for.
    void UpdateItemStates(MenuItem& menu, const std::function<bool(uint32_t)>& hasHandler);

    QSize MeasureMenuItem(const MenuItemRecord& record) const;
    QSize MeasureMenuItem(const MenuItemRecord& record, const QFontMetrics& metrics) const;
    void DrawMenuItem(QPainter& painter, const QRect& rect, const MenuItemRecord& record,
                      ItemState state) const;

    QFont Font() const { return menuFont.value_or(systemMenuFont); }
    QSize ImageSize() const { return imageSize; }
    int ImageIndexOf(uint32_t commandId) const;
    const QImage* ItemImage(int index) const;
    const QImage& CheckImage() const { return checkImage; }
    const Colors& Palette() const { return colors; }
    int RecordCount() const { return int(itemRecords.size()); }

    // The look of the menus on the toolkit: metrics and drawing come from here.
    QStyle* MenuStyle();

  private:
    void Remap(MenuItem& menu);
    MenuItemRecord* NewRecord(int imageIndex, int kindCode, const QString& text);

    std::optional<QFont> menuFont;
    QFont systemMenuFont;
    QSize imageSize{20, 20};
    std::vector<QImage> itemImages;
    QImage checkImage;
    Colors colors;
    std::vector<std::unique_ptr<MenuItemRecord>> itemRecords;
    std::vector<std::pair<int, uint32_t>> imageRecords;
    bool popupMode = false;
    int depth = 0;
    std::unique_ptr<QStyle> style;
};
