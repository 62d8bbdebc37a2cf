#include "app/startup/DiscardQtSettings.h"

#include <QSettings>

namespace orvalen {

void DiscardQtSettings() {
    // Below the null device: no user, root included, can create it.
    const QString nowhere = QStringLiteral("/dev/null/orvalen-discards-qt-settings");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
}

}  // namespace orvalen
