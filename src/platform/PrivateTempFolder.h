#pragma once

#include <QString>

// A folder for temporary files that only this user can enter, so nobody else
// can place a link or a file under a name the program writes.
class PrivateTempFolder
{
  public:
    // <temporary folder>/lumvex-<uid> (the temporary folder honours TMPDIR),
    // else $XDG_RUNTIME_DIR/lumvex, created owner-only when missing. A folder
    // at that place that is a link, belongs to someone else or can be entered
    // by others is not used. Empty when neither will do; reason then says why.
    static QString Path(QString* reason = nullptr);

    // The checks for one candidate: creates it when missing, tightens its
    // permissions when it is our own, and refuses anything else.
    static bool Prepare(const QString& folder, QString* reason);
};
