#pragma once
// The words of the windows, the menu and the notices in the user's language.

#include <QLocale>
#include <QString>

class QObject;

namespace velto {

/// Installs into the application the translations for `locale`'s languages, the first one found of
/// each: this program's own (built in), with the English plural forms beneath them so that a
/// language without a translation still says "1 minute", and Qt's own (the buttons of its
/// message boxes) where the system has them. Returns the language of the program's own
/// translation, "en" when none matched. The translators are children of `owner`, and are no
/// longer asked once it is gone.
QString installTranslations(QObject& owner, const QLocale& locale);

} // namespace velto
