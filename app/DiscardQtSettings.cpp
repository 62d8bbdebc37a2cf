#include "app/DiscardQtSettings.h"

#include <QSettings>

namespace orvalen {

namespace {

bool ReadNothing(QIODevice&, QSettings::SettingsMap&) {
    return true;
}

// A refused write leaves no file: QSettings drops its temporary copy.
bool RefuseWrite(QIODevice&, const QSettings::SettingsMap&) {
    return false;
}

}  // namespace

void DiscardQtSettings() {
    const QSettings::Format discarded =
        QSettings::registerFormat(QStringLiteral("orvalen-discarded"), ReadNothing, RefuseWrite);
    if (discarded != QSettings::InvalidFormat) QSettings::setDefaultFormat(discarded);
}

}  // namespace orvalen
