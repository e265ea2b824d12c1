#include "observers/login_item.h"

#include "platform/console.h"

#include <QSet>
#include <memory>

namespace velto {

void makeLoginStartItem(TrayMenuItem& item, LoginStart& login) {
    item.checked = [&login] { return login.enabled(); };
    auto said = std::make_shared<QSet<QString>>();
    item.onChosen = [&login, said] {
        QString why;
        if (!login.setEnabled(!login.enabled(), &why) && !said->contains(why)) {
            said->insert(why);
            qCWarning(lcDesktop, "%s", qPrintable(why));
        }
    };
}

} // namespace velto
