#include "app/QtTranslations.h"

#include "text/LanguageTable.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

QTranslator*& Installed()
{
    static QTranslator* translator = nullptr;
    return translator;
}

} // namespace

bool QtTranslations::Install(int language)
{
    QTranslator*& installed = Installed();
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    if (LanguageTable::IsEnglish(language))
        return true;
    auto* translator = new QTranslator;
    // Debian keeps the toolkit's translations in qt6-translations-l10n.
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}
