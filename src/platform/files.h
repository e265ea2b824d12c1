#pragma once
// The few files the clock reads and locks (its settings, its locks, the autostart entry) come
// from folders that anybody's program may have written into. Whatever is found there, these
// never wait on it for long and never read more than a clock could need.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <chrono>

namespace velto {

/// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path (a relative
/// one is ignored, as the XDG rules say), else ~/.config; the system's own place elsewhere.
/// Both the settings and the start at login are found from here.
QString userConfigFolder();

/// What reading a small file found.
enum class FileRead {
    Read,       // the file, whole
    Missing,    // nothing there, or a link to nothing
    NotAFile,   // a folder, a FIFO, a socket or a device: never opened for reading
    TooLarge,   // larger than asked for: nothing read
    LinkLoop,   // symbolic links that lead round in a circle
    Unreadable, // there, but it cannot be opened or read (`error` says why)
};

struct SmallFile {
    FileRead result = FileRead::Missing;
    QByteArray bytes; // the whole file when Read, else its first `largest` bytes at most
    QString error;    // the system's words, when Unreadable
};

/// Reads the regular file at `path` (links followed) when it holds at most `largest` bytes.
/// Returns at once whatever is there: a FIFO nobody writes to, a device, a folder. With
/// `evenIfLarger`, a larger file gives its first `largest` bytes and TooLarge.
SmallFile readSmallFile(const QString& path, qint64 largest, bool evenIfLarger = false);

/// Renames `from` to `to`, links and all, never following them; false when it could not.
bool renameEntry(const QString& from, const QString& to);

/// An exclusive lock on a lock file, held by the system for this process (flock on Unix):
/// one whose holder ended, however it ended, is free at once, whatever the file says.
class FileLock {
public:
    enum class Result {
        Held,     // ours until release() or the end of the object
        Busy,     // somebody else still holds it after the wait
        InTheWay, // a FIFO, socket, device or link is where the lock goes (`found` says which)
        Failed,   // no lock file can be made there (`found` says why)
    };
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /// Takes the lock at `path`, making the file when it is missing; waits up to `patience`
    /// for a holder to let go, never longer. A folder in the lock's place is locked itself.
    Result acquire(const QString& path, std::chrono::milliseconds patience);
    /// After a result other than Held or Busy: what was found.
    [[nodiscard]] QString found() const { return found_; }
    /// Whether the lock held is a folder that was in the lock file's place.
    [[nodiscard]] bool isFolder() const { return isFolder_; }
    /// Writes `text` into the lock held (who holds it, for a person who looks).
    void describe(const QByteArray& text);
    /// Lets go, removing the file first so that no empty lock is left behind.
    void release();

private:
    QString path_;
    QString found_;
    qintptr held_ = -1; // the descriptor (a handle on Windows) while held
    bool isFolder_ = false;
};

} // namespace velto
