#pragma once

#include <QProxyStyle>

class CMenuSpawn;

// Hands the tool menus' item metrics and drawing to the owner-draw menu object.
class MenuSpawnStyle : public QProxyStyle
{
    Q_OBJECT

  public:
    static constexpr int CheckMarkWidth = 20;

    explicit MenuSpawnStyle(const CMenuSpawn& spawn);

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;

  private:
    const CMenuSpawn& spawn;
};
