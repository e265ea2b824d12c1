// Start at login through XDG autostart entries, in a configuration folder of the test's own.
#include "fakes.h"
#include "platform/file_settings.h"
#include "platform/login_start.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velto::test {

class XdgLoginStart : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString home = dir.path() + QStringLiteral("/home");
    QString system = dir.path() + QStringLiteral("/system");
    QString program = QStringLiteral("/opt/my clocks/velto");
    SystemLoginStart login{QStringLiteral("org.example.Clock"), program};
    QString entry = home + QStringLiteral("/autostart/org.example.Clock.desktop");
    QByteArray savedHome = qgetenv("XDG_CONFIG_HOME");
    QByteArray savedDirs = qgetenv("XDG_CONFIG_DIRS");
    QString why;

    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", home.toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", (QStringLiteral("relative:") + system).toLocal8Bit());
    }
    void TearDown() override {
        qputenv("XDG_CONFIG_HOME", savedHome);
        qputenv("XDG_CONFIG_DIRS", savedDirs);
    }
    static void write(const QString& path, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(XdgLoginStart, OnWritesAnEntryThatStartsTheProgramAndOffRemovesIt) {
    ASSERT_EQ(login.entryPath(), entry);
    EXPECT_FALSE(login.enabled());
    ASSERT_TRUE(login.setEnabled(true, &why)) << qPrintable(why);
    EXPECT_TRUE(login.enabled());
    const QByteArray text = read(entry);
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nType=Application\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nExec=\"/opt/my clocks/velto\"\n")) << text.constData();
    EXPECT_TRUE(text.contains("\nIcon=org.example.Clock\n")) << text.constData();

    ASSERT_TRUE(login.setEnabled(false, &why)) << qPrintable(why);
    EXPECT_FALSE(login.enabled());
    EXPECT_FALSE(QFile::exists(entry));
}

TEST_F(XdgLoginStart, ExecQuotesAndEscapesWhatTheRulesReserve) {
    for (const auto& [path, exec] : {
             std::pair{"/usr/bin/velto", "Exec=/usr/bin/velto\n"},
             std::pair{"/home/a$b/100%/velto", "Exec=\"/home/a\\\\$b/100%%/velto\"\n"},
             std::pair{"/home/\"q\"/velto", "Exec=\"/home/\\\\\"q\\\\\"/velto\"\n"},
         }) {
        SystemLoginStart other(QStringLiteral("org.example.Clock"), QString::fromUtf8(path));
        ASSERT_TRUE(other.setEnabled(true, &why)) << qPrintable(why);
        EXPECT_TRUE(read(entry).contains(exec)) << read(entry).constData();
    }
}

TEST_F(XdgLoginStart, EntriesOfOthersCountAndAHiddenOneIsOff) {
    const QString systemEntry = system + QStringLiteral("/autostart/org.example.Clock.desktop");
    write(systemEntry, "[Desktop Entry]\nType=Application\nName=Clock\nExec=clock\n");
    EXPECT_TRUE(login.enabled()); // the administrator's entry starts it for everybody

    write(entry, "[Desktop Entry]\nType=Application\nName=Clock\nExec=clock\nHidden=true\n");
    EXPECT_FALSE(login.enabled()); // the user's own says no to it

    ASSERT_TRUE(login.setEnabled(true, &why)) << qPrintable(why);
    EXPECT_TRUE(login.enabled());
    // Off again needs the user's hidden entry, as the system's stays where it is.
    ASSERT_TRUE(login.setEnabled(false, &why)) << qPrintable(why);
    EXPECT_FALSE(login.enabled());
    EXPECT_TRUE(read(entry).contains("\nHidden=true\n"));
    EXPECT_TRUE(QFile::exists(systemEntry));

    write(entry,
          "[Desktop Entry]\nType=Application\nExec=clock\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(login.enabled());
}

TEST_F(XdgLoginStart, WhatIsNotOursToWriteIsLeftAsItIsAndSaidWhy) {
    // A link to the user's own file: neither switch may replace or remove it.
    const QString target = dir.path() + QStringLiteral("/mine.desktop");
    write(target, "[Desktop Entry]\nType=Application\nName=Mine\nExec=mine\n");
    QDir().mkpath(QFileInfo(entry).path());
    ASSERT_TRUE(QFile::link(target, entry));
    for (const bool on : {true, false}) {
        why.clear();
        EXPECT_FALSE(login.setEnabled(on, &why));
        EXPECT_TRUE(why.contains(entry) && why.contains(QStringLiteral("symbolic link")))
            << qPrintable(why);
    }
    EXPECT_TRUE(QFileInfo(entry).isSymLink());
    EXPECT_EQ(read(target), "[Desktop Entry]\nType=Application\nName=Mine\nExec=mine\n");

    // A folder where the file goes.
    ASSERT_TRUE(QFile::remove(entry));
    ASSERT_TRUE(QDir().mkpath(entry + QStringLiteral("/inside")));
    why.clear();
    EXPECT_FALSE(login.setEnabled(true, &why));
    EXPECT_TRUE(why.contains(entry)) << qPrintable(why);
    EXPECT_TRUE(QFileInfo::exists(entry + QStringLiteral("/inside")));

    // No autostart folder can be made: a file stands in its place.
    ASSERT_TRUE(QDir(home).removeRecursively());
    write(home + QStringLiteral("/autostart"), "kept");
    why.clear();
    EXPECT_FALSE(login.setEnabled(true, &why));
    EXPECT_TRUE(why.contains(home + QStringLiteral("/autostart"))) << qPrintable(why);
    EXPECT_EQ(read(home + QStringLiteral("/autostart")), "kept");
}

TEST_F(XdgLoginStart, ARelativeConfigHomeIsIgnoredByTheSettingsAndTheEntryAlike) {
    qputenv("XDG_CONFIG_HOME", "relative/config");
    const QString config = QDir::homePath() + QStringLiteral("/.config/");
    EXPECT_TRUE(FileSettingsStore::defaultPath().startsWith(config));
    EXPECT_TRUE(login.entryPath().startsWith(config));
}

TEST_F(XdgLoginStart, AnEntryTooLargeIsReadInPartAndSaidOnce) {
    write(entry, "[Desktop Entry]\nType=Application\nX-Padding=" + QByteArray(1 << 20, 'x') + "\n");
    Console console;
    EXPECT_TRUE(login.enabled());
    EXPECT_TRUE(login.enabled());
    ASSERT_EQ(Console::lines().size(), 1);
    EXPECT_TRUE(Console::lines()[0].contains(entry));
}

} // namespace velto::test
