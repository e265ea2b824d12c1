<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>velto::AlarmWindow</name>
    <message numerus="yes">
        <source>Ring again in %n minute(s) (S)</source>
        <translation>
            <numerusform>Ring again in %n minute (S)</numerusform>
            <numerusform>Ring again in %n minutes (S)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>velto::ClockCommands</name>
    <message numerus="yes">
        <source>in %n minute(s)</source>
        <translation>
            <numerusform>in %n minute</numerusform>
            <numerusform>in %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Announcer: every %n minute(s)</source>
        <translation>
            <numerusform>Announcer: every minute</numerusform>
            <numerusform>Announcer: every %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Punch clock: in since %1 (%n minute(s))</source>
        <translation>
            <numerusform>Punch clock: in since %1 (%n minute)</numerusform>
            <numerusform>Punch clock: in since %1 (%n minutes)</numerusform>
        </translation>
    </message>
    </context>
<context>
    <name>velto::ClockModel</name>
    <message numerus="yes">
        <source>a label has at most %n character(s)</source>
        <translation>
            <numerusform>a label has at most %n character</numerusform>
            <numerusform>a label has at most %n characters</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>velto::MainWindow</name>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <comment>a span of time</comment>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    </context>
<context>
    <name>velto::PreferencesWindow</name>
    <message numerus="yes">
        <source>Until stopped, at most %n minute(s)</source>
        <translation>
            <numerusform>Until stopped, at most %n minute</numerusform>
            <numerusform>Until stopped, at most %n minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n minute(s)</source>
        <translation>
            <numerusform>%n minute</numerusform>
            <numerusform>%n minutes</numerusform>
        </translation>
    </message>
    </context>
</TS>