// The real sound player: which WAV files it takes, what it says about the others, the
// built-in chime it plays instead, and a file that changes while the program runs.
#include "platform/qt_sound.h"
#include "platform/sound_loader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace velto::test {

namespace {

/// A WAV file as the tests want it, right or wrong in one way.
struct Wave {
    quint16 format = 1;
    quint16 channels = 1;
    quint32 rate = 22050;
    quint16 bits = 16;
    int frames = 2205;
    bool dataFirst = false;  // the sound data before the format
    bool extraChunk = false; // an odd-sized chunk the player must step over
    qint64 cutBytes = 0;     // bytes cut off the end

    [[nodiscard]] QByteArray bytes() const {
        const auto le16 = [](quint16 v) {
            QByteArray b(2, 0);
            qToLittleEndian(v, b.data());
            return b;
        };
        const auto le32 = [](quint32 v) {
            QByteArray b(4, 0);
            qToLittleEndian(v, b.data());
            return b;
        };
        const quint16 align = static_cast<quint16>(channels * bits / 8);
        const QByteArray fmt = "fmt " + le32(16) + le16(format) + le16(channels) + le32(rate) +
                               le32(rate * align) + le16(align) + le16(bits);
        QByteArray samples(qsizetype{frames} * align, 0);
        for (qsizetype i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<char>((i * 37) & 0x7f); // not silence
        }
        const QByteArray data = "data" + le32(static_cast<quint32>(samples.size())) + samples;
        const QByteArray extra = extraChunk ? "LIST" + le32(3) + QByteArray("abc\0", 4) : "";
        const QByteArray body = "WAVE" + (dataFirst ? data + fmt : fmt + extra + data);
        QByteArray all = "RIFF" + le32(static_cast<quint32>(body.size())) + body;
        all.chop(cutBytes);
        return all;
    }
};

} // namespace

class Sound : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("alarm.wav");

    void write(const QByteArray& bytes, const QString& to = {}) {
        QFile f(to.isEmpty() ? path : to);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    void write(const Wave& w) { write(w.bytes()); }
};

TEST_F(Sound, PlayableFilesPass) {
    write(Wave{});
    EXPECT_EQ(wavProblem(path), "");
    write(Wave{.channels = 2, .rate = 44100, .bits = 8, .extraChunk = true});
    EXPECT_EQ(wavProblem(path), "");
}

TEST_F(Sound, EachKindOfBadFileIsNamed) {
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* says;
    };
    const std::vector<Case> cases{
        {"empty", "", "is empty"},
        {"text", "hello, I am not a sound at all", "is not a WAV file"},
        {"cut in the header", Wave{}.bytes().left(8), "is truncated"},
        {"cut before the format", Wave{}.bytes().left(14), "is truncated (no format chunk)"},
        {"cut in the samples", Wave{.cutBytes = 100}.bytes(), "is truncated (4310 of 4410"},
        {"no samples", Wave{.frames = 0}.bytes(), "holds no sound"},
        {"32-bit", Wave{.bits = 32}.bytes(), "has 32-bit samples"},
        {"24-bit", Wave{.bits = 24}.bytes(), "has 24-bit samples"},
        {"float", Wave{.format = 3, .bits = 32}.bytes(), "is not plain PCM (format 3)"},
        {"no channels", Wave{.channels = 0}.bytes(), "claims 0 channels"},
        {"data first", Wave{.dataFirst = true}.bytes(), "has its sound data before the format"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write(c.bytes);
        EXPECT_TRUE(wavProblem(path).startsWith(QString::fromLatin1(c.says)))
            << wavProblem(path).toStdString();
    }
}

TEST_F(Sound, FilesThatAreNotFilesAtAllAreNamed) {
    EXPECT_EQ(wavProblem(path), "not found");
    ASSERT_TRUE(QDir(dir.path()).mkdir("alarm.wav"));
    EXPECT_EQ(wavProblem(path), "is a folder, not a sound file");

    const QString big = dir.filePath("big.wav");
    write(Wave{}.bytes(), big);
    QFile f(big);
    ASSERT_TRUE(f.resize(100LL * 1024 * 1024)); // sparse: costs no disk
    EXPECT_TRUE(wavProblem(big).startsWith("is too large (100 MiB"))
        << wavProblem(big).toStdString();
}

TEST_F(Sound, UnreadableFileIsNamed) {
    const QString locked = dir.filePath("locked.wav");
    write(Wave{}.bytes(), locked);
    QFile::setPermissions(locked, QFileDevice::WriteOwner);
    if (QFile(locked).open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "running as a user who reads every file";
    }
    EXPECT_TRUE(wavProblem(locked).startsWith("cannot be read"))
        << wavProblem(locked).toStdString();
}

TEST_F(Sound, BuiltInChimeIsAboutOneSecondOfSound) {
    const QString chime = QStringLiteral(":/velto/wav/alarm.wav");
    ASSERT_EQ(wavProblem(chime), "");
    QFile f(chime);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    const qsizetype data = all.indexOf("data");
    ASSERT_GT(data, 0);
    const quint32 byteRate = qFromLittleEndian<quint32>(all.constData() + 28);
    const double seconds =
        qFromLittleEndian<quint32>(all.constData() + data + 4) / static_cast<double>(byteRate);
    EXPECT_GT(seconds, 0.7);
    EXPECT_LT(seconds, 1.5);
    int peak = 0;
    for (qsizetype i = data + 8; i + 1 < all.size(); i += 2) {
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(all.constData() + i))));
    }
    EXPECT_GT(peak, 8000) << "clearly audible";
    EXPECT_LT(peak, 32767) << "not clipped";
}

TEST_F(Sound, BadFileGivesTheChimeAndSaysWhichFileAndWhy) {
    write(Wave{.bits = 32});
    QtSound sound;
    EXPECT_FALSE(sound.prepare(path));
    sound.play(path);
    EXPECT_EQ(sound.lastPlayed(), QtSound::chimeUrl());
    const QString said = sound.error();
    // Without a sound server (as here) that is what counts; else the file is named.
    if (!said.contains("the sound server cannot be reached")) {
        EXPECT_EQ(said, path + ": has 32-bit samples; only 8- and 16-bit PCM can be played; "
                               "the built-in chime plays instead");
    }
}

TEST_F(Sound, FileReplacedWhileRunningIsLoadedAgain) {
    write(Wave{});
    QtSound sound;
    sound.prepare(path);
    sound.play(path);
    const QUrl first = sound.lastPlayed();
    EXPECT_EQ(first.toLocalFile(), path);
    sound.play(path);
    EXPECT_EQ(sound.lastPlayed(), first) << "unchanged: not loaded again";
    sound.prepare(path);
    sound.play(path);
    EXPECT_EQ(sound.lastPlayed(), first) << "nor by a second prepare";

    write(""); // emptied by the user
    sound.play(path);
    EXPECT_EQ(sound.lastPlayed(), QtSound::chimeUrl());

    write(Wave{.rate = 44100});
    sound.play(path);
    EXPECT_EQ(sound.lastPlayed().toLocalFile(), path);
    EXPECT_NE(sound.lastPlayed(), first) << "a new load, not the old sound kept by address";
}

TEST_F(Sound, ThePlayerComesFromItsModuleAndAMissingModuleIsSaid) {
    write(Wave{.bits = 32});
    SoundLoader missing({dir.path()});
    EXPECT_FALSE(missing.prepare(path));
    EXPECT_FALSE(missing.play(path)) << "silent, and nothing else breaks";
    EXPECT_TRUE(
        missing.error().startsWith("the sound module could not be loaded, so rings are silent ("))
        << missing.error().toStdString();

    SoundLoader found({dir.path(), QStringLiteral(VELTO_MODULE_BUILD_DIR)});
    EXPECT_FALSE(found.prepare(path));
    // The real player answers: without a sound server (as here) it says so, else it names
    // the file.
    EXPECT_TRUE(found.error().startsWith("the sound server cannot be reached") ||
                found.error().startsWith(path))
        << found.error().toStdString();
}

TEST_F(Sound, SilenceIsPutDownToItsRealCause) {
    // Qt lists no audio device when it cannot reach the sound server, and the player said
    // "no audio output device" for a server that was not running and for a program out of
    // file descriptors alike.
    const QByteArray server = qgetenv("PULSE_SERVER");
    const QString socket = dir.filePath("native");
    qputenv("PULSE_SERVER", QFile::encodeName("unix:" + socket));
    {
        QtSound sound;
        EXPECT_FALSE(sound.prepare(path));
        EXPECT_EQ(sound.error(), "the sound server cannot be reached (connecting to " + socket +
                                     ": No such file or directory), so rings are silent");
        EXPECT_FALSE(sound.play(path));
        EXPECT_EQ(sound.error(), "a ring could not be played: the sound server cannot be "
                                 "reached (connecting to " +
                                     socket + ": No such file or directory)");
    }

    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit full = limit;
    full.rlim_cur = static_cast<rlim_t>(lowestFree); // no descriptor left to open
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &full), 0);
    QString said;
    {
        QtSound sound;
        sound.prepare(path);
        said = sound.error();
    }
    ::setrlimit(RLIMIT_NOFILE, &limit);
    qputenv("PULSE_SERVER", server);
    EXPECT_EQ(said, "the program is out of file descriptors (Too many open files), so rings "
                    "are silent");
}

} // namespace velto::test
