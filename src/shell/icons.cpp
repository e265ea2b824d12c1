#include "shell/icons.h"

#include <QGuiApplication>

namespace velto {

void SetWindowIcon(const Ctx& c, int16_t off) {
    const QIcon& icon = c.depot.windowIcon(off != 0 ? 1 : 0);
    c.main.setWindowIcon(icon);
    // The application icon stands for the program in task switchers and docks.
    QGuiApplication::setWindowIcon(icon);
}

} // namespace velto
