#pragma once

#include <QIcon>

// The program's icon in every size the desktop may ask for.
class ProgramIcon
{
  public:
    static QIcon Load();
};
