#include "platform/qt_desktop.h"

#include "platform/console.h"
#include "platform/process.h"
#include "platform/sound_names.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace velto {

int QtMessageBoxes::inform(const QString& title, const QString& text) {
    // Said on the terminal too, so that a session's log keeps what the user was told.
    qCWarning(lcDesktop, "%s", qPrintable(text));
    // Not modal: the clock goes on being used while the box is up.
    auto* box = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
    std::erase_if(boxes_, [](const auto& entry) { return entry.second.isNull(); });
    boxes_[++last_] = box;
    return last_;
}

void QtMessageBoxes::withdraw(int id) {
    const auto it = boxes_.find(id);
    if (it == boxes_.end()) {
        return;
    }
    if (!it->second.isNull()) {
        it->second->close();
    }
    boxes_.erase(it);
}

// ---- QtUrlOpener ----

void QtUrlOpener::open(const QString& url) {
    const SoundNamesHidden hidden; // the browser's sound is not the clock's
    QDesktopServices::openUrl(QUrl(url));
}

// ---- QtDesktop ----

bool QtDesktop::startSystemMove(QWidget& window) {
    QWindow* handle = window.windowHandle();
    return handle != nullptr && handle->startSystemMove();
}

void QtDesktop::endProcess() {
    QCoreApplication::exit(0);
}

QString QtDesktop::programFolder() const {
    return QCoreApplication::applicationDirPath();
}

bool QtDesktop::managesOwnWindows() const {
    return !onWayland();
}

} // namespace velto
