#include "app/languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace velto {

namespace {

/// Loads `name` for the best of `locale`'s languages from `folder` into a translator owned by
/// `owner`; null when there is none.
QTranslator* load(QObject& owner, const QLocale& locale, const QString& name,
                  const QString& folder) {
    auto* translator = new QTranslator(&owner);
    if (translator->load(locale, name, QStringLiteral("_"), folder)) {
        return translator;
    }
    delete translator;
    return nullptr;
}

} // namespace

QString installTranslations(QObject& owner, const QLocale& locale) {
    const QString ours = QStringLiteral(":/velto/i18n");
    // Installed first, so that it is asked last: the user's language comes before it.
    if (QTranslator* english =
            load(owner, QLocale(QLocale::English), QStringLiteral("velto"), ours)) {
        QCoreApplication::installTranslator(english);
    }
    QString language = QStringLiteral("en");
    if (locale.language() != QLocale::C && locale.language() != QLocale::English) {
        if (QTranslator* own = load(owner, locale, QStringLiteral("velto"), ours)) {
            QCoreApplication::installTranslator(own);
            language = own->language();
            const QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
            if (QTranslator* base = load(owner, locale, QStringLiteral("qtbase"), qt)) {
                QCoreApplication::installTranslator(base);
            }
        }
    }
    return language;
}

} // namespace velto
