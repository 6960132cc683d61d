#include "app/MenuItem.h"

MenuItem MenuItem::Command(uint32_t id, const QString& text)
{
    MenuItem item;
    item.id = id;
    item.text = text;
    return item;
}

MenuItem MenuItem::Separator()
{
    MenuItem item;
    item.separator = true;
    return item;
}

MenuItem MenuItem::Popup(const QString& text, std::vector<MenuItem> items)
{
    MenuItem item;
    item.id = PopupId;
    item.text = text;
    item.items = std::move(items);
    return item;
}

MenuItem* MenuItem::Find(uint32_t commandId)
{
    for (MenuItem& item : items) {
        if (item.IsPopup()) {
            if (MenuItem* found = item.Find(commandId))
                return found;
        } else if (!item.separator && item.id == commandId) {
            return &item;
        }
    }
    return nullptr;
}

const MenuItem* MenuItem::Find(uint32_t commandId) const
{
    return const_cast<MenuItem*>(this)->Find(commandId);
}

namespace {

struct MenuTexts
{
    QString drawing;
    QString drawTools[5];
    QString drawLineProperties;
    QString drawStyle, drawWidth, drawColor;
    QString measure;
    QString calibration;
    QString setMagnification, setPicture, setCapture;
    QString resetMagnification, resetPicture, resetCapture;
    QString measureTools[11];
    QString measureLineProperties;
    QString measureStyle, measureWidth, measureColor;
    QString textProperties;
    QString units;
    QString unitNames[4];
};

MenuTexts English()
{
    return {QStringLiteral("Drawing"),
            {QStringLiteral("Line"), QStringLiteral("Arrow"), QStringLiteral("Freelance"),
             QStringLiteral("Rectangle"), QStringLiteral("Ellipse")},
            QStringLiteral("Line Properties  "),
            QStringLiteral("Style..."),
            QStringLiteral("Width..."),
            QStringLiteral("Color..."),
            QStringLiteral("Measure"),
            QStringLiteral("Calibration..."),
            QStringLiteral("Set magnification"),
            QStringLiteral("Set picture magnification"),
            QStringLiteral("Set capture manification"),
            QStringLiteral("Reset magnification"),
            QStringLiteral("Reset picture magnification"),
            QStringLiteral("Reset capture manification"),
            {QStringLiteral("Any Angle Line"), QStringLiteral("Straight Angle Line"),
             QStringLiteral("45 Degrees' Angle Line"), QStringLiteral("Continuous line"),
             QStringLiteral("Polygon"), QStringLiteral("Radius circle"),
             QStringLiteral("Diameter circle"), QStringLiteral("Three points circle"),
             QStringLiteral("Three points arc"), QStringLiteral("Three points angle"),
             QStringLiteral("Four points Angle")},
            QStringLiteral("Line Properties"),
            QStringLiteral("Style..."),
            QStringLiteral("Width..."),
            QStringLiteral("Color..."),
            QStringLiteral("Text Properties..."),
            QStringLiteral("Set Units"),
            {QStringLiteral("mm"), QStringLiteral("um"), QStringLiteral("mil"),
             QStringLiteral("inch")}};
}

MenuTexts Chinese()
{
    return {QStringLiteral("标记"),
            {QStringLiteral("直线"), QStringLiteral("箭头"), QStringLiteral("随笔"),
             QStringLiteral("长方型"), QStringLiteral("椭圆")},
            QStringLiteral("画线属性"),
            QStringLiteral("线形..."),
            QStringLiteral("线宽..."),
            QStringLiteral("颜色..."),
            QStringLiteral("测量"),
            QStringLiteral("倍率校正..."),
            QStringLiteral("设定倍率"),
            QStringLiteral("设定/修改本张图片的倍率"),
            QStringLiteral("设定将拍照的倍率"),
            QStringLiteral("取消倍率"),
            QStringLiteral("取消本张图片的倍率"),
            QStringLiteral("取消目前设定的倍率"),
            {QStringLiteral("任意角度直线"), QStringLiteral("直角直线"),
             QStringLiteral("45度角直线"), QStringLiteral("折线"), QStringLiteral("多边形"),
             QStringLiteral("圆半径"), QStringLiteral("圆直径"), QStringLiteral("三点定圆"),
             QStringLiteral("三点弧线"), QStringLiteral("角度"), QStringLiteral("直线夹角")},
            QStringLiteral("画线属性设置"),
            QStringLiteral("线型..."),
            QStringLiteral("线宽..."),
            QStringLiteral("颜色..."),
            QStringLiteral("文字属性设置..."),
            QStringLiteral("单位设置"),
            {QStringLiteral("毫米"), QStringLiteral("微米"), QStringLiteral("密尔"),
             QStringLiteral("英寸")}};
}

} // namespace

MenuItem ToolMenus::Load(int language)
{
    const MenuTexts t = language == 0 ? English() : Chinese();

    std::vector<MenuItem> drawing;
    const uint32_t drawIds[5] = {32803, 32804, 32805, 32806, 32807};
    for (int i = 0; i < 5; ++i)
        drawing.push_back(MenuItem::Command(drawIds[i], t.drawTools[i]));
    drawing.push_back(MenuItem::Separator());
    drawing.push_back(
        MenuItem::Popup(t.drawLineProperties, {MenuItem::Command(32827, t.drawStyle),
                                               MenuItem::Command(32826, t.drawWidth),
                                               MenuItem::Command(32825, t.drawColor)}));

    std::vector<MenuItem> measuring;
    measuring.push_back(MenuItem::Command(32814, t.calibration));
    measuring.push_back(
        MenuItem::Popup(t.setMagnification, {MenuItem::Command(32892, t.setPicture),
                                             MenuItem::Command(32893, t.setCapture)}));
    measuring.push_back(
        MenuItem::Popup(t.resetMagnification, {MenuItem::Command(32894, t.resetPicture),
                                               MenuItem::Command(32895, t.resetCapture)}));
    measuring.push_back(MenuItem::Separator());
    const uint32_t measureIds[11] = {32874, 32875, 32876, 32809, 32810, 32811,
                                     32812, 32799, 32800, 32801, 32802};
    for (int i = 0; i < 11; ++i)
        measuring.push_back(MenuItem::Command(measureIds[i], t.measureTools[i]));
    measuring.push_back(MenuItem::Separator());
    measuring.push_back(
        MenuItem::Popup(t.measureLineProperties, {MenuItem::Command(32851, t.measureStyle),
                                                  MenuItem::Command(32852, t.measureWidth),
                                                  MenuItem::Command(32853, t.measureColor)}));
    measuring.push_back(MenuItem::Command(32832, t.textProperties));
    std::vector<MenuItem> units;
    for (uint32_t i = 0; i < 4; ++i)
        units.push_back(MenuItem::Command(32855 + i, t.unitNames[i]));
    measuring.push_back(MenuItem::Popup(t.units, std::move(units)));

    MenuItem menu = MenuItem::Popup(QString(), {});
    menu.items.push_back(MenuItem::Popup(t.drawing, std::move(drawing)));
    menu.items.push_back(MenuItem::Popup(t.measure, std::move(measuring)));
    return menu;
}
