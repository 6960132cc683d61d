#pragma once

#include <QMenu>

#include <cstdint>

class CMenuSpawn;
struct MenuItem;

// A tool pop-up shown from the loaded menu: its items, check marks and grey
// states come from the menu, its look from the owner-draw menu object. Keys
// move and choose as in any menu, but letters select nothing.
class CSpawnMenu : public QMenu
{
    Q_OBJECT

  public:
    CSpawnMenu(MenuItem& menu, CMenuSpawn& spawn, QWidget* parent = nullptr);

    // The loaded item an action stands for.
    const MenuItem* ItemFor(const QStyleOptionMenuItem& option) const;
    static uint32_t CommandOf(const QAction* action);
    QAction* ActionFor(uint32_t commandId) const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    MenuItem& menu;
};
