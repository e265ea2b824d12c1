#pragma once
// Message boxes, web addresses and window moves, on Qt.

#include "platform/seams.h"

#include <QMessageBox>
#include <QPointer>
#include <map>

namespace velto {

class QtMessageBoxes final : public MessageBoxes {
public:
    int inform(const QString& title, const QString& text) override;
    void withdraw(int id) override;

private:
    std::map<int, QPointer<QMessageBox>> boxes_;
    int last_ = 0;
};

class QtUrlOpener final : public UrlOpener {
public:
    void open(const QString& url) override;
};
class QtDesktop final : public Desktop {
public:
    bool startSystemMove(QWidget& window) override;
    void endProcess() override;
    [[nodiscard]] QString programFolder() const override;
    [[nodiscard]] bool managesOwnWindows() const override;
};

} // namespace velto
