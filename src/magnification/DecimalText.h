#pragma once

#include <QString>

// Number reading shared by the magnification dialogs. Both read the text the
// way the C runtime's text-to-double conversion does, with '.' as the decimal
// point whatever the user's locale.
namespace DecimalText {

// Reads the leading number of the text (blanks before it skipped, the rest
// ignored). Returns 0.0 and sets consumed to 0 when there is no number.
double ReadLeading(const QString& text, qsizetype* consumed = nullptr);

// Reads a text that is one number with optional blanks (spaces, tabs) around
// it. Returns false for anything else, including an empty text.
bool ReadWhole(const QString& text, double& value);

} // namespace DecimalText
