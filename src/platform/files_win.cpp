#include "platform/files.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <windows.h>

namespace velto {

QString userConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

SmallFile readSmallFile(const QString& path, qint64 largest, bool evenIfLarger) {
    SmallFile file;
    const QFileInfo info(path);
    if (!info.exists()) {
        file.result = FileRead::Missing;
        return file;
    }
    if (!info.isFile()) {
        file.result = FileRead::NotAFile;
        return file;
    }
    if (info.size() > largest && !evenIfLarger) {
        file.result = FileRead::TooLarge;
        return file;
    }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        file.result = FileRead::Unreadable;
        file.error = in.errorString();
        return file;
    }
    file.bytes = in.read(largest + 1);
    file.result = file.bytes.size() > largest ? FileRead::TooLarge : FileRead::Read;
    if (file.result == FileRead::TooLarge) {
        file.bytes.truncate(evenIfLarger ? static_cast<qsizetype>(largest) : 0);
    }
    return file;
}

bool renameEntry(const QString& from, const QString& to) {
    return MoveFileExW(reinterpret_cast<LPCWSTR>(from.utf16()),
                       reinterpret_cast<LPCWSTR>(to.utf16()), MOVEFILE_REPLACE_EXISTING) != 0;
}

// Windows has no FIFOs in the file system, and a file a process held open is free once it
// ends: the lock is a file opened for this process alone.
FileLock::~FileLock() {
    release();
}

FileLock::Result FileLock::acquire(const QString& path, std::chrono::milliseconds patience) {
    release();
    path_ = path;
    if (QFileInfo(path).isDir()) {
        found_ = QStringLiteral("a folder");
        return Result::InTheWay;
    }
    const auto deadline = GetTickCount64() + static_cast<ULONGLONG>(patience.count());
    for (;;) {
        HANDLE h =
            CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            held_ = reinterpret_cast<qintptr>(h);
            return Result::Held;
        }
        if (GetLastError() != ERROR_SHARING_VIOLATION) {
            found_ = QStringLiteral("error %1").arg(GetLastError());
            return Result::Failed;
        }
        if (GetTickCount64() >= deadline) {
            return Result::Busy;
        }
        Sleep(20);
    }
}

void FileLock::describe(const QByteArray& text) {
    if (held_ < 0) {
        return;
    }
    DWORD written = 0;
    SetFilePointer(reinterpret_cast<HANDLE>(held_), 0, nullptr, FILE_BEGIN);
    SetEndOfFile(reinterpret_cast<HANDLE>(held_));
    WriteFile(reinterpret_cast<HANDLE>(held_), text.constData(), static_cast<DWORD>(text.size()),
              &written, nullptr);
}

void FileLock::release() {
    if (held_ < 0) {
        return;
    }
    CloseHandle(reinterpret_cast<HANDLE>(held_));
    QFile::remove(path_);
    held_ = -1;
}

} // namespace velto
