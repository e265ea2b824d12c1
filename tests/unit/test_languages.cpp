// The clock in the desktop's language: the built-in translations, their plural forms, and
// English where the language has none.
#include "app/languages.h"
#include "fakes.h"
#include "views/words.h"

#include <QAccessible>

namespace velto::test {

class Languages : public ProgramTest {
protected:
    /// Holds the translators; with it gone the next test reads English again.
    QObject translations;

    QString install(QLocale::Language language, QLocale::Territory territory) {
        return installTranslations(translations, QLocale(language, territory));
    }
};

TEST_F(Languages, AGermanDesktopReadsTheMenuTipsAndNamesInGerman) {
    ASSERT_EQ(install(QLocale::German, QLocale::Austria), "de");
    startAt("10:00:00");
    EXPECT_EQ(tray.captions(),
              QStringList({"Alarm EIN", "-", "Velto &zeigen", "&Über", "Stempel&protokoll",
                           "&Einstellungen...", "Bei der &Anmeldung starten", "-", "&Beenden"}));
    EXPECT_EQ(tray.tip, "Alarm AUS");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w().imgFixed[3])->text(QAccessible::Name),
              "Alarm in 5 Minuten, Vorwahl");
    EXPECT_EQ(inWords(1), "1 Minute");
}

TEST(Language, EachCountsMinutesByItsOwnPluralRulesAndOneWithoutATranslationReadsEnglish) {
    {
        QObject french;
        ASSERT_EQ(installTranslations(french, QLocale(QLocale::French, QLocale::Canada)), "fr");
        EXPECT_EQ(inWords(0), "0 minute"); // French counts nought as one
        EXPECT_EQ(inWords(30), "30 minutes");
    }
    QObject spanish;
    EXPECT_EQ(installTranslations(spanish, QLocale(QLocale::Spanish, QLocale::Spain)), "en");
    EXPECT_EQ(inWords(0), "0 minutes");
    EXPECT_EQ(inWords(1), "1 minute");
}

} // namespace velto::test
