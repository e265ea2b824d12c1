<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>velto::AboutWindow</name>
    <message>
        <source>About Velto</source>
        <translation>À propos de Velto</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Analog clock, timer, alarm, time intervals announcer, punch clock.</source>
        <translation>Horloge analogique, minuteur, alarme, annonce des intervalles, pointeuse.</translation>
    </message>
    <message>
        <source>Open the page in your web browser</source>
        <translation>Ouvrir la page dans votre navigateur web</translation>
    </message>
</context>
<context>
    <name>velto::AlarmWindow</name>
    <message>
        <source>Alarm</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Close now (Esc on the clock)</source>
        <translation>Fermer maintenant (Échap sur l’horloge)</translation>
    </message>
    <message>
        <source>Rang at</source>
        <translation>A sonné à</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Stop the alarm (Esc or Space)</source>
        <translation>Arrêter l'alarme (Échap ou Espace)</translation>
    </message>
    <message>
        <source>Stop the alarm (Esc on the clock)</source>
        <translation>Arrêter l'alarme (Échap sur l'horloge)</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Répéter</translation>
    </message>
    <message>
        <source>Stop (%1)</source>
        <translation>Arrêter (%1)</translation>
    </message>
    <message numerus="yes">
        <source>Ring again in %n minute(s) (S)</source>
        <translation>
            <numerusform>Sonner à nouveau dans %n minute (S)</numerusform>
            <numerusform>Sonner à nouveau dans %n minutes (S)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>velto::ClockCommands</name>
    <message>
        <source>Alarm: off</source>
        <translation>Alarme : désactivée</translation>
    </message>
    <message>
        <source>in less than a minute</source>
        <translation>dans moins d’une minute</translation>
    </message>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>dans %n minute</numerusform>
            <numerusform>dans %n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Alarm: countdown, rings at %1 (%2)</source>
        <translation>Alarme : compte à rebours, sonne à %1 (%2)</translation>
    </message>
    <message>
        <source>Alarm: at %1 (%2)</source>
        <translation>Alarme : à %1 (%2)</translation>
    </message>
    <message>
        <source>Announcer: off</source>
        <translation>Annonce : désactivée</translation>
    </message>
    <message numerus="yes">
        <source>Announcer: every %n minute(s)</source>
        <translation>
            <numerusform>Annonce : chaque minute</numerusform>
            <numerusform>Annonce : toutes les %n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Punch clock: out</source>
        <translation>Pointeuse : sortie</translation>
    </message>
    <message numerus="yes">
        <source>Punch clock: in since %1 (%n minute(s))</source>
        <translation>
            <numerusform>Pointeuse : entrée depuis %1 (%n minute)</numerusform>
            <numerusform>Pointeuse : entrée depuis %1 (%n minutes)</numerusform>
        </translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation>Heure : %1</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>No alarm is ringing</source>
        <translation>Aucune alarme ne sonne</translation>
    </message>
    <message>
        <source>Alarm stopped</source>
        <translation>Alarme arrêtée</translation>
    </message>
    <message>
        <source>Alarm: ringing</source>
        <translation>Alarme : sonne</translation>
    </message>
    <message>
        <source>Alarm: snoozed, rings at %1 (%2)</source>
        <translation>Alarme : répétée, sonne à %1 (%2)</translation>
    </message>
</context>
<context>
    <name>velto::ClockModel</name>
    <message>
        <source>a label cannot hold control characters or line breaks</source>
        <translation>un libellé ne peut contenir ni caractères de contrôle ni retours à la ligne</translation>
    </message>
    <message numerus="yes">
        <source>a label has at most %n character(s)</source>
        <translation>
            <numerusform>un libellé a au plus %n caractère</numerusform>
            <numerusform>un libellé a au plus %n caractères</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>velto::Depot</name>
    <message>
        <source>Alarm ON</source>
        <translation>Alarme ACTIVÉE</translation>
    </message>
    <message>
        <source>Alarm OFF</source>
        <translation>Alarme DÉSACTIVÉE</translation>
    </message>
</context>
<context>
    <name>velto::MainWindow</name>
    <message>
        <source>%1, preset</source>
        <translation>%1, présélection</translation>
    </message>
    <message>
        <source>%1, dial</source>
        <translation>%1, cadran</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>Secondes</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activée</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivée</translation>
    </message>
    <message>
        <source>less than a minute</source>
        <translation>moins d’une minute</translation>
    </message>
    <message>
        <source>Alarm on: click to switch it off (A)</source>
        <translation>Alarme activée : cliquer pour la désactiver (A)</translation>
    </message>
    <message>
        <source>Alarm off: click to switch it on; it rings %1 seconds later (A)</source>
        <translation>Alarme désactivée : cliquer pour l’activer ; elle sonne %1 secondes plus tard (A)</translation>
    </message>
    <message>
        <source>out</source>
        <translation>non pointé</translation>
    </message>
    <message>
        <source>No countdown</source>
        <translation>Pas de compte à rebours</translation>
    </message>
    <message>
        <source>Alarm in %1</source>
        <translation>Alarme dans %1</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <comment>a span of time</comment>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>Alarm switch</source>
        <translation>Interrupteur d’alarme</translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Hide the window; the clock runs on (Esc)</source>
        <translation>Masquer la fenêtre ; l’horloge continue (Échap)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>End the clock (Ctrl+Q)</source>
        <translation>Quitter l’horloge (Ctrl+Q)</translation>
    </message>
    <message>
        <source>Key %1</source>
        <translation>Touche %1</translation>
    </message>
    <message>
        <source>down</source>
        <translation>enfoncée</translation>
    </message>
    <message>
        <source>up</source>
        <translation>relevée</translation>
    </message>
    <message>
        <source>The keypad only latches: the key pressed last stays down. It sets nothing else.</source>
        <translation>Le clavier ne fait que s’enclencher : la dernière touche enfoncée reste enfoncée. Il ne règle rien d’autre.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Alarm time: click here to type it or to set it digit by digit</source>
        <translation>Heure de l’alarme : cliquer ici pour la taper ou la régler chiffre par chiffre</translation>
    </message>
    <message>
        <source>Type the time, or click the bars above the digits; click here or press Return to set it</source>
        <translation>Tapez l’heure ou cliquez sur les barres au-dessus des chiffres ; cliquez ici ou appuyez sur Entrée pour la régler</translation>
    </message>
    <message>
        <source>editing %1</source>
        <translation>en cours de saisie : %1</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Heure de l’alarme</translation>
    </message>
    <message>
        <source>tens of hours</source>
        <translation>dizaines des heures</translation>
    </message>
    <message>
        <source>hours</source>
        <translation>unités des heures</translation>
    </message>
    <message>
        <source>tens of minutes</source>
        <translation>dizaines des minutes</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>unités des minutes</translation>
    </message>
    <message>
        <source>One more on the %1</source>
        <translation>Un de plus sur les %1</translation>
    </message>
    <message>
        <source>%1 (key %2)</source>
        <translation>%1 (touche %2)</translation>
    </message>
    <message>
        <source>Clock face</source>
        <translation>Cadran</translation>
    </message>
    <message>
        <source>Alarm switch on the face</source>
        <translation>Interrupteur d’alarme sur le cadran</translation>
    </message>
    <message>
        <source>Countdown mark</source>
        <translation>Repère du compte à rebours</translation>
    </message>
    <message>
        <source>Drag to set the countdown (arrow keys)</source>
        <translation>Faire glisser pour régler le compte à rebours (touches fléchées)</translation>
    </message>
    <message>
        <source>Minutes to the alarm</source>
        <translation>Minutes avant l’alarme</translation>
    </message>
    <message>
        <source>Minutes left until the alarm</source>
        <translation>Minutes restantes avant l’alarme</translation>
    </message>
    <message>
        <source>Punch clock</source>
        <translation>Pointeuse</translation>
    </message>
    <message>
        <source>in, %1</source>
        <translation>pointé, %1</translation>
    </message>
    <message>
        <source>Punch in: counts the minutes from now (P)</source>
        <translation>Pointer l’arrivée : compte les minutes à partir de maintenant (P)</translation>
    </message>
    <message>
        <source>Punch out; the count starts again at the next punch in (P)</source>
        <translation>Pointer le départ ; le compte repart de zéro au prochain pointage (P)</translation>
    </message>
    <message>
        <source>Minutes punched in</source>
        <translation>Minutes pointées</translation>
    </message>
    <message>
        <source>Announcer</source>
        <translation>Annonce des intervalles</translation>
    </message>
    <message>
        <source>every %1</source>
        <translation>toutes les %1</translation>
    </message>
    <message>
        <source>switch it off</source>
        <translation>la désactiver</translation>
    </message>
    <message>
        <source>chime every %1</source>
        <translation>sonner toutes les %1</translation>
    </message>
    <message>
        <source>Announcer off (the blank circle)</source>
        <translation>Annonce des intervalles désactivée (le cercle vide)</translation>
    </message>
    <message>
        <source>Chimes every %1, at the yellow marks</source>
        <translation>Sonne toutes les %1, aux repères jaunes</translation>
    </message>
    <message>
        <source>%1. Click to %2 (I)</source>
        <translation>%1. Cliquer pour %2 (I)</translation>
    </message>
</context>
<context>
    <name>velto::PreferencesWindow</name>
    <message>
        <source>Velto Preferences</source>
        <translation>Préférences de Velto</translation>
    </message>
    <message>
        <source>The built-in sound</source>
        <translation>Le son intégré</translation>
    </message>
    <message>
        <source>&amp;Choose...</source>
        <translation>&amp;Choisir...</translation>
    </message>
    <message>
        <source>&amp;Built-in</source>
        <translation>&amp;Intégré</translation>
    </message>
    <message>
        <source>Ring with the built-in sound</source>
        <translation>Sonner avec le son intégré</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Écouter</translation>
    </message>
    <message>
        <source>Hear the alarm as it rings</source>
        <translation>Entendre l'alarme comme elle sonne</translation>
    </message>
    <message>
        <source>Alarm &amp;sound:</source>
        <translation>&amp;Son de l'alarme :</translation>
    </message>
    <message>
        <source>&amp;Alarm volume:</source>
        <translation>&amp;Volume de l'alarme :</translation>
    </message>
    <message>
        <source>Announcer v&amp;olume:</source>
        <translation>Volume de l'a&amp;nnonce :</translation>
    </message>
    <message>
        <source>Once</source>
        <translation>Une fois</translation>
    </message>
    <message numerus="yes">
        <source>Until stopped, at most %n minute(s)</source>
        <translation>
            <numerusform>Jusqu'à l'arrêt, au plus %n minute</numerusform>
            <numerusform>Jusqu'à l'arrêt, au plus %n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>The alarm &amp;rings:</source>
        <translation>L'alarme s&amp;onne :</translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    <message>
        <source>S&amp;nooze for:</source>
        <translation>&amp;Répéter après :</translation>
    </message>
    <message>
        <source>&amp;Quiet from</source>
        <translation>Sil&amp;ence de</translation>
    </message>
    <message>
        <source>The announcer does not ring in these hours</source>
        <translation>L'annonce ne sonne pas pendant ces heures</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>Quiet from</source>
        <translation>Silence de</translation>
    </message>
    <message>
        <source>Quiet until</source>
        <translation>Silence jusqu'à</translation>
    </message>
    <message>
        <source>Announcer:</source>
        <translation>Annonce :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Shown with the alarm: in the tray's tip, the ring's window and its notification</source>
        <translation>Affiché avec l'alarme : dans l'info-bulle de l'icône, la fenêtre de la sonnerie et sa notification</translation>
    </message>
    <message>
        <source>Alarm &amp;label:</source>
        <translation>&amp;Libellé de l'alarme :</translation>
    </message>
    <message>
        <source>Alarm sound</source>
        <translation>Son de l'alarme</translation>
    </message>
    <message>
        <source>WAV sounds (*.wav *.wave);;All files (*)</source>
        <translation>Sons WAV (*.wav *.wave);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Not taken: %1</source>
        <translation>Non retenu : %1</translation>
    </message>
</context>
<context>
    <name>velto::PunchLogWindow</name>
    <message>
        <source>&amp;Undo</source>
        <translation>Ann&amp;uler</translation>
    </message>
    <message>
        <source>Punch log</source>
        <translation>Journal de pointage</translation>
    </message>
    <message>
        <source>This week</source>
        <translation>Cette semaine</translation>
    </message>
    <message>
        <source>Last 30 days</source>
        <translation>30 derniers jours</translation>
    </message>
    <message>
        <source>Everything</source>
        <translation>Tout</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>&amp;Afficher :</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Worked</source>
        <translation>Travaillé</translation>
    </message>
    <message>
        <source>&amp;Correct...</source>
        <translation>&amp;Corriger…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exporter…</translation>
    </message>
    <message>
        <source>The punch log cannot be read: %1</source>
        <translation>Le journal de pointage est illisible : %1</translation>
    </message>
    <message>
        <source>Week of %1</source>
        <translation>Semaine du %1</translation>
    </message>
    <message>
        <source>running</source>
        <translation>en cours</translation>
    </message>
    <message>
        <source>Not changed: the end must come after the start.</source>
        <translation>Non modifié : la fin doit venir après le début.</translation>
    </message>
    <message>
        <source>Not changed: those times overlap another session.</source>
        <translation>Non modifié : ces heures chevauchent une autre séance.</translation>
    </message>
    <message>
        <source>Not changed: %1</source>
        <translation>Non modifié : %1</translation>
    </message>
    <message>
        <source>Session of %1 deleted.</source>
        <translation>Séance du %1 supprimée.</translation>
    </message>
    <message>
        <source>Could not export to %1: %2</source>
        <translation>Impossible d’exporter vers %1 : %2</translation>
    </message>
    <message>
        <source>Exported to %1.</source>
        <translation>Exporté vers %1.</translation>
    </message>
    <message>
        <source>Choose a session to correct.</source>
        <translation>Choisissez une séance à corriger.</translation>
    </message>
    <message>
        <source>Correct session</source>
        <translation>Corriger la séance</translation>
    </message>
    <message>
        <source>&amp;Start:</source>
        <translation>&amp;Début :</translation>
    </message>
    <message>
        <source>&amp;End:</source>
        <translation>&amp;Fin :</translation>
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
        <translation>Exporter le journal de pointage</translation>
    </message>
</context>
<context>
    <name>velto::Readout</name>
    <message>
        <source>hours tens</source>
        <translation>heures, dizaines</translation>
    </message>
    <message>
        <source>hours units</source>
        <translation>heures, unités</translation>
    </message>
    <message>
        <source>colon</source>
        <translation>deux-points</translation>
    </message>
    <message>
        <source>minutes tens</source>
        <translation>minutes, dizaines</translation>
    </message>
    <message>
        <source>minutes units</source>
        <translation>minutes, unités</translation>
    </message>
    <message>
        <source>hundreds</source>
        <translation>centaines</translation>
    </message>
    <message>
        <source>tens</source>
        <translation>dizaines</translation>
    </message>
    <message>
        <source>units</source>
        <translation>unités</translation>
    </message>
</context>
<context>
    <name>velto::RingNotices</name>
    <message>
        <source>Alarm %1, rang at %2: the computer was asleep</source>
        <translation>Alarme de %1, sonnée à %2 : l’ordinateur était en veille</translation>
    </message>
    <message>
        <source>Alarm %1</source>
        <translation>Alarme de %1</translation>
    </message>
    <message>
        <source>Alarm %1 passed while Velto was not running</source>
        <translation>L’alarme de %1 est passée pendant que Velto ne fonctionnait pas</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Snooze</source>
        <translation>Répéter</translation>
    </message>
</context>
<context>
    <name>velto::TrayPresenter</name>
    <message>
        <source>&amp;Show Velto</source>
        <translation>&amp;Afficher Velto</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>Start at &amp;login</source>
        <translation>Lancer à l’&amp;ouverture de session</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Unable to add icon to system tray</source>
        <translation>Impossible d’ajouter l’icône à la zone de notification</translation>
    </message>
    <message>
        <source>&amp;Punch log</source>
        <translation>&amp;Journal de pointage</translation>
    </message>
    <message>
        <source>S&amp;top the alarm</source>
        <translation>Arrê&amp;ter l'alarme</translation>
    </message>
    <message>
        <source>S&amp;nooze</source>
        <translation>Ré&amp;péter</translation>
    </message>
    <message>
        <source>P&amp;references...</source>
        <translation>&amp;Préférences...</translation>
    </message>
    <message>
        <source>Snoozed until %1</source>
        <translation>Répétée jusqu'à %1</translation>
    </message>
</context>
</TS>