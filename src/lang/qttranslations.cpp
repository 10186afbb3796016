#include "lang/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "lang/log.h"

namespace tarvo {

namespace {

constexpr int32_t GermanLanguage = 1;

// The translator installed last; owned by the application object, so that it
// goes with it.
QPointer<QTranslator>& InstalledTranslator()
{
    static QPointer<QTranslator> translator;
    return translator;
}

} // namespace

void SelectQtLanguage(int32_t language)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    if (QPointer<QTranslator>& installed = InstalledTranslator()) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    if (language != GermanLanguage)
        return;
    auto* translator = new QTranslator(application);
    const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_de"), directory)) {
        qCWarning(lcLang) << "Qt's German texts are missing: no qtbase_de.qm in" << directory
                          << "(Debian package qt6-translations-l10n); Qt's buttons stay English";
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    InstalledTranslator() = translator;
}

} // namespace tarvo
