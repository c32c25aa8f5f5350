#include "output/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {

QStringList Folders()
{
    const QString self = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    return {self + QLatin1String("translations"),
            QDir::cleanPath(self + QLatin1String(QUENVALE_TRANSLATIONS_FROM_BIN)),
            QDir::cleanPath(self + QLatin1String(QUENVALE_TRANSLATIONS_FROM_LIBEXEC))};
}

bool Install(QCoreApplication &app, const QLocale &locale)
{
    auto *own = new QTranslator(&app);
    bool found = false;
    for (const QString &folder : Folders()) {
        if (own->load(locale, QStringLiteral("quenvale"), QStringLiteral("_"), folder)) {
            found = true;
            break;
        }
    }
    if (!found) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own dialogs (a file's, a printer's) speak the same language
    // where Qt's translations are installed.
    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

} // namespace Translations
