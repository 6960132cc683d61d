#pragma once

// Qt's own dialogs (file, colour, font, message box buttons) speak the editor's
// language: Chinese loads the toolkit's Simplified Chinese translation, English
// removes it again.
class QtTranslations
{
  public:
    // Returns true when the dialogs now speak the language: always for English,
    // for Chinese only when the translation is installed on this system.
    static bool Install(int language);
};
