#include "platform/UDesktop.h"

#include <QProcess>
#include <QStandardPaths>

bool DeschideSetariRegionale()
{
    const QList<QStringList> comenzi = {{"gnome-control-center", "region"}, {"systemsettings", "kcm_regionandlang"}};
    for (const QStringList& c : comenzi) {
        if (!QStandardPaths::findExecutable(c.first()).isEmpty())
            return QProcess::startDetached(c.first(), c.mid(1));
    }
    return false;
}
