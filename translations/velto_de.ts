<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>velto::AboutWindow</name>
    <message>
        <source>About Velto</source>
        <translation>Über Velto</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Analog clock, timer, alarm, time intervals announcer, punch clock.</source>
        <translation>Analoguhr, Timer, Wecker, Intervallansage, Stempeluhr.</translation>
    </message>
    <message>
        <source>Open the page in your web browser</source>
        <translation>Die Seite im Webbrowser öffnen</translation>
    </message>
</context>
<context>
    <name>velto::AlarmWindow</name>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close now (Esc on the clock)</source>
        <translation>Jetzt schließen (Esc auf der Uhr)</translation>
    </message>
    <message>
        <source>Rang at</source>
        <translation>Geklingelt um</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stop the alarm (Esc or Space)</source>
        <translation>Den Alarm stoppen (Esc oder Leertaste)</translation>
    </message>
    <message>
        <source>Stop the alarm (Esc on the clock)</source>
        <translation>Den Alarm stoppen (Esc auf der Uhr)</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Schlummern</translation>
    </message>
    <message>
        <source>Stop (%1)</source>
        <translation>Stopp (%1)</translation>
    </message>
    <message numerus="yes">
        <source>Ring again in %n minute(s) (S)</source>
        <translation>
            <numerusform>In %n Minute noch einmal läuten (S)</numerusform>
            <numerusform>In %n Minuten noch einmal läuten (S)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>velto::ClockCommands</name>
    <message>
        <source>Alarm: off</source>
        <translation>Wecker: aus</translation>
    </message>
    <message>
        <source>in less than a minute</source>
        <translation>in weniger als einer Minute</translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>in %n Minute</numerusform>
            <numerusform>in %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>Alarm: countdown, rings at %1 (%2)</source>
        <translation>Wecker: Countdown, klingelt um %1 (%2)</translation>
    </message>
    <message>
        <source>Alarm: at %1 (%2)</source>
        <translation>Wecker: um %1 (%2)</translation>
    </message>
    <message>
        <source>Announcer: off</source>
        <translation>Ansage: aus</translation>
    </message>
    <message numerus="yes">
        <source>Announcer: every %n minute(s)</source>
        <translation>
            <numerusform>Ansage: jede Minute</numerusform>
            <numerusform>Ansage: alle %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>Punch clock: out</source>
        <translation>Stempeluhr: ausgestempelt</translation>
    </message>
    <message numerus="yes">
        <source>Punch clock: in since %1 (%n minute(s))</source>
        <translation>
            <numerusform>Stempeluhr: eingestempelt seit %1 (%n Minute)</numerusform>
            <numerusform>Stempeluhr: eingestempelt seit %1 (%n Minuten)</numerusform>
        </translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Zeit: %1</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 Min.</translation>
    </message>
    <message>
        <source>No alarm is ringing</source>
        <translation>Kein Alarm läutet</translation>
    </message>
    <message>
        <source>Alarm stopped</source>
        <translation>Alarm gestoppt</translation>
    </message>
    <message>
        <source>Alarm: ringing</source>
        <translation>Alarm: läutet</translation>
    </message>
    <message>
        <source>Alarm: snoozed, rings at %1 (%2)</source>
        <translation>Alarm: schlummert, läutet um %1 (%2)</translation>
    </message>
</context>
<context>
    <name>velto::ClockModel</name>
    <message>
        <source>a label cannot hold control characters or line breaks</source>
        <translation>eine Beschriftung darf keine Steuerzeichen oder Zeilenumbrüche enthalten</translation>
    </message>
    <message numerus="yes">
        <source>a label has at most %n character(s)</source>
        <translation>
            <numerusform>eine Beschriftung hat höchstens %n Zeichen</numerusform>
            <numerusform>eine Beschriftung hat höchstens %n Zeichen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>velto::Depot</name>
    <message>
        <source>Alarm ON</source>
        <translation>Alarm EIN</translation>
    </message>
    <message>
        <source>Alarm OFF</source>
        <translation>Alarm AUS</translation>
    </message>
</context>
<context>
    <name>velto::MainWindow</name>
    <message>
        <source>%1, preset</source>
        <translation>%1, Vorwahl</translation>
    </message>
    <message>
        <source>%1, dial</source>
        <translation>%1, Zifferblatt</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ein</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>less than a minute</source>
        <translation>weniger als eine Minute</translation>
    </message>
    <message>
        <source>Alarm on: click to switch it off (A)</source>
        <translation>Alarm ein: klicken, um ihn auszuschalten (A)</translation>
    </message>
    <message>
        <source>Alarm off: click to switch it on; it rings %1 seconds later (A)</source>
        <translation>Alarm aus: klicken, um ihn einzuschalten; er klingelt %1 Sekunden später (A)</translation>
    </message>
    <message>
        <source>out</source>
        <translation>ausgestempelt</translation>
    </message>
    <message>
        <source>No countdown</source>
        <translation>Kein Countdown</translation>
    </message>
    <message>
        <source>Alarm in %1</source>
        <translation>Alarm in %1</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <comment>a span of time</comment>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>Alarm switch</source>
        <translation>Alarmschalter</translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Hide the window; the clock runs on (Esc)</source>
        <translation>Das Fenster ausblenden; die Uhr läuft weiter (Esc)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>End the clock (Ctrl+Q)</source>
        <translation>Die Uhr beenden (Strg+Q)</translation>
    </message>
    <message>
        <source>Key %1</source>
        <translation>Taste %1</translation>
    </message>
    <message>
        <source>down</source>
        <translation>gedrückt</translation>
    </message>
    <message>
        <source>up</source>
        <translation>oben</translation>
    </message>
    <message>
        <source>The keypad only latches: the key pressed last stays down. It sets nothing else.</source>
        <translation>Das Tastenfeld rastet nur ein: Die zuletzt gedrückte Taste bleibt unten. Sonst stellt es nichts ein.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Alarm time: click here to type it or to set it digit by digit</source>
        <translation>Alarmzeit: hier klicken, um sie einzutippen oder Ziffer für Ziffer einzustellen</translation>
    </message>
    <message>
        <source>Type the time, or click the bars above the digits; click here or press Return to set it</source>
        <translation>Die Uhrzeit eintippen oder auf die Balken über den Ziffern klicken; zum Stellen hier klicken oder die Eingabetaste drücken</translation>
    </message>
    <message>
        <source>editing %1</source>
        <translation>wird bearbeitet: %1</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Alarmzeit</translation>
    </message>
    <message>
        <source>tens of hours</source>
        <translation>Zehnerstelle der Stunden</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>Einerstelle der Stunden</translation>
    </message>
    <message>
        <source>tens of minutes</source>
        <translation>Zehnerstelle der Minuten</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>Einerstelle der Minuten</translation>
    </message>
    <message>
        <source>One more on the %1</source>
        <translation>Eins mehr auf der %1</translation>
    </message>
    <message>
        <source>%1 (key %2)</source>
        <translation>%1 (Taste %2)</translation>
    </message>
    <message>
        <source>Clock face</source>
        <translation>Zifferblatt</translation>
    </message>
    <message>
        <source>Alarm switch on the face</source>
        <translation>Alarmschalter auf dem Zifferblatt</translation>
    </message>
    <message>
        <source>Countdown mark</source>
        <translation>Countdown-Marke</translation>
    </message>
    <message>
        <source>Drag to set the countdown (arrow keys)</source>
        <translation>Ziehen, um den Countdown einzustellen (Pfeiltasten)</translation>
    </message>
    <message>
        <source>Minutes to the alarm</source>
        <translation>Minuten bis zum Alarm</translation>
    </message>
    <message>
        <source>Minutes left until the alarm</source>
        <translation>Verbleibende Minuten bis zum Alarm</translation>
    </message>
    <message>
        <source>Punch clock</source>
        <translation>Stempeluhr</translation>
    </message>
    <message>
        <source>in, %1</source>
        <translation>eingestempelt, %1</translation>
    </message>
    <message>
        <source>Punch in: counts the minutes from now (P)</source>
        <translation>Einstempeln: zählt die Minuten ab jetzt (P)</translation>
    </message>
    <message>
        <source>Punch out; the count starts again at the next punch in (P)</source>
        <translation>Ausstempeln; die Zählung beginnt beim nächsten Einstempeln von vorn (P)</translation>
    </message>
    <message>
        <source>Minutes punched in</source>
        <translation>Eingestempelte Minuten</translation>
    </message>
    <message>
        <source>Announcer</source>
        <translation>Intervallansage</translation>
    </message>
    <message>
        <source>every %1</source>
        <translation>alle %1</translation>
    </message>
    <message>
        <source>switch it off</source>
        <translation>sie auszuschalten</translation>
    </message>
    <message>
        <source>chime every %1</source>
        <translation>alle %1 zu läuten</translation>
    </message>
    <message>
        <source>Announcer off (the blank circle)</source>
        <translation>Intervallansage aus (der leere Kreis)</translation>
    </message>
    <message>
        <source>Chimes every %1, at the yellow marks</source>
        <translation>Läutet alle %1, an den gelben Marken</translation>
    </message>
    <message>
        <source>%1. Click to %2 (I)</source>
        <translation>%1. Klicken, um %2 (I)</translation>
    </message>
</context>
<context>
    <name>velto::PreferencesWindow</name>
    <message>
        <source>Velto Preferences</source>
        <translation>Velto-Einstellungen</translation>
    </message>
    <message>
        <source>The built-in sound</source>
        <translation>Der eingebaute Klang</translation>
    </message>
    <message>
        <source>&amp;Choose...</source>
        <translation>&amp;Auswählen...</translation>
    </message>
    <message>
        <source>&amp;Built-in</source>
        <translation>&amp;Eingebaut</translation>
    </message>
    <message>
        <source>Ring with the built-in sound</source>
        <translation>Mit dem eingebauten Klang läuten</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>Ab&amp;spielen</translation>
    </message>
    <message>
        <source>Hear the alarm as it rings</source>
        <translation>Den Alarm hören, wie er läutet</translation>
    </message>
    <message>
        <source>Alarm &amp;sound:</source>
        <translation>Alarm&amp;klang:</translation>
    </message>
    <message>
        <source>&amp;Alarm volume:</source>
        <translation>&amp;Lautstärke des Alarms:</translation>
    </message>
    <message>
        <source>Announcer v&amp;olume:</source>
        <translation>Lautstärke der A&amp;nsage:</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>Einmal</translation>
    </message>
    <message numerus="yes">
        <source>Until stopped, at most %n minute(s)</source>
        <translation>
            <numerusform>Bis gestoppt, höchstens %n Minute</numerusform>
            <numerusform>Bis gestoppt, höchstens %n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>The alarm &amp;rings:</source>
        <translation>Der Alarm &amp;läutet:</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message>
        <source>S&amp;nooze for:</source>
        <translation>S&amp;chlummern für:</translation>
    </message>
    <message>
        <source>&amp;Quiet from</source>
        <translation>&amp;Ruhe von</translation>
    </message>
    <message>
        <source>The announcer does not ring in these hours</source>
        <translation>Die Ansage läutet in diesen Stunden nicht</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Quiet from</source>
        <translation>Ruhe von</translation>
    </message>
    <message>
        <source>Quiet until</source>
        <translation>Ruhe bis</translation>
    </message>
    <message>
        <source>Announcer:</source>
        <translation>Ansage:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Shown with the alarm: in the tray's tip, the ring's window and its notification</source>
        <translation>Mit dem Alarm gezeigt: im Tipp des Symbols, im Fenster des Läutens und in seiner Benachrichtigung</translation>
    </message>
    <message>
        <source>Alarm &amp;label:</source>
        <translation>Alarm&amp;beschriftung:</translation>
    </message>
    <message>
        <source>Alarm sound</source>
        <translation>Alarmklang</translation>
    </message>
    <message>
        <source>WAV sounds (*.wav *.wave);;All files (*)</source>
        <translation>WAV-Klänge (*.wav *.wave);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Not taken: %1</source>
        <translation>Nicht übernommen: %1</translation>
    </message>
</context>
<context>
    <name>velto::PunchLogWindow</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Punch log</source>
        <translation>Stempelprotokoll</translation>
    </message>
    <message>
        <source>This week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>Last 30 days</source>
        <translation>Letzte 30 Tage</translation>
    </message>
    <message>
        <source>Everything</source>
        <translation>Alles</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Zeigen:</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Worked</source>
        <translation>Gearbeitet</translation>
    </message>
    <message>
        <source>&amp;Correct...</source>
        <translation>&amp;Korrigieren …</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren …</translation>
    </message>
    <message>
        <source>The punch log cannot be read: %1</source>
        <translation>Das Stempelprotokoll kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Week of %1</source>
        <translation>Woche vom %1</translation>
    </message>
    <message>
        <source>running</source>
        <translation>läuft</translation>
    </message>
    <message>
        <source>Not changed: the end must come after the start.</source>
        <translation>Nicht geändert: Das Ende muss nach dem Beginn liegen.</translation>
    </message>
    <message>
        <source>Not changed: those times overlap another session.</source>
        <translation>Nicht geändert: Diese Zeiten überschneiden sich mit einer anderen Sitzung.</translation>
    </message>
    <message>
        <source>Not changed: %1</source>
        <translation>Nicht geändert: %1</translation>
    </message>
    <message>
        <source>Session of %1 deleted.</source>
        <translation>Sitzung vom %1 gelöscht.</translation>
    </message>
    <message>
        <source>Could not export to %1: %2</source>
        <translation>Export nach %1 nicht möglich: %2</translation>
    </message>
    <message>
        <source>Exported to %1.</source>
        <translation>Nach %1 exportiert.</translation>
    </message>
    <message>
        <source>Choose a session to correct.</source>
        <translation>Wählen Sie eine Sitzung zum Korrigieren.</translation>
    </message>
    <message>
        <source>Correct session</source>
        <translation>Sitzung korrigieren</translation>
    </message>
    <message>
        <source>&amp;Start:</source>
        <translation>&amp;Beginn:</translation>
    </message>
    <message>
        <source>&amp;End:</source>
        <translation>&amp;Ende:</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>iCalendar (*.ics)</source>
        <translation>iCalendar (*.ics)</translation>
    </message>
    <message>
        <source>Export the punch log</source>
        <translation>Stempelprotokoll exportieren</translation>
    </message>
</context>
<context>
    <name>velto::Readout</name>
    <message>
        <source>hours tens</source>
        <translation>Stunden, Zehner</translation>
    </message>
    <message>
        <source>hours units</source>
        <translation>Stunden, Einer</translation>
    </message>
    <message>
        <source>colon</source>
        <translation>Doppelpunkt</translation>
    </message>
    <message>
        <source>minutes tens</source>
        <translation>Minuten, Zehner</translation>
    </message>
    <message>
        <source>minutes units</source>
        <translation>Minuten, Einer</translation>
    </message>
    <message>
        <source>hundreds</source>
        <translation>Hunderter</translation>
    </message>
    <message>
        <source>tens</source>
        <translation>Zehner</translation>
    </message>
    <message>
        <source>units</source>
        <translation>Einer</translation>
    </message>
</context>
<context>
    <name>velto::RingNotices</name>
    <message>
        <source>Alarm %1, rang at %2: the computer was asleep</source>
        <translation>Alarm %1, geklingelt um %2: Der Computer hat geschlafen</translation>
    </message>
    <message>
        <source>Alarm %1</source>
        <translation>Alarm %1</translation>
    </message>
    <message>
        <source>Alarm %1 passed while Velto was not running</source>
        <translation>Der Alarm um %1 ist verstrichen, während Velto nicht lief</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Schlummern</translation>
    </message>
</context>
<context>
    <name>velto::TrayPresenter</name>
    <message>
        <source>&amp;Show Velto</source>
        <translation>Velto &amp;zeigen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>Start at &amp;login</source>
        <translation>Bei der &amp;Anmeldung starten</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Unable to add icon to system tray</source>
        <translation>Das Symbol kann nicht in den Infobereich gelegt werden</translation>
    </message>
    <message>
        <source>&amp;Punch log</source>
        <translation>Stempel&amp;protokoll</translation>
    </message>
    <message>
        <source>S&amp;top the alarm</source>
        <translation>Den Alarm s&amp;toppen</translation>
    </message>
    <message>
        <source>S&amp;nooze</source>
        <translation>Sc&amp;hlummern</translation>
    </message>
    <message>
        <source>P&amp;references...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Snoozed until %1</source>
        <translation>Schlummert bis %1</translation>
    </message>
</context>
</TS>