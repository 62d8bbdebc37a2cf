#include "app/desktop/ScreenSaverInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include "app/desktop/X11ScreenSaver.h"

namespace orvalen {
namespace {

const char kService[] = "org.freedesktop.ScreenSaver";
const char kPath[] = "/org/freedesktop/ScreenSaver";
const char kInterface[] = "org.freedesktop.ScreenSaver";
// A desktop's own service answers at once; one that hangs must not hold the player for long,
// and the inhibitor's end waits at most this long for an answer still due.
constexpr int kCallTimeoutMs = 2000;

}  // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QObject* parent)
    : ScreenSaverInhibitor(QDBusConnection::sessionBus(), SuspendX11ScreenSaver, parent) {}

ScreenSaverInhibitor::ScreenSaverInhibitor(const QDBusConnection& bus, Fallback fallback,
                                           QObject* parent)
    : QObject(parent), bus_(bus), fallback_(std::move(fallback)) {}

ScreenSaverInhibitor::~ScreenSaverInhibitor() {
    wanted_ = false;
    if (pending_) {
        // The cookie on its way would otherwise stay held until the program ends. Waiting
        // delivers the answer to OnInhibitReply.
        pending_->waitForFinished();
        if (pending_) OnInhibitReply(pending_);
    }
    ReleaseCookie();
    StopFallback();
}

void ScreenSaverInhibitor::SetInhibited(bool inhibited) {
    if (inhibited == wanted_) return;
    wanted_ = inhibited;
    if (inhibited) {
        // An Inhibit still on its way keeps the cookie it brings.
        if (!pending_ && !Holding()) RequestInhibit();
        return;
    }
    ReleaseCookie();
    StopFallback();
}

void ScreenSaverInhibitor::RequestInhibit() {
    if (!bus_.isConnected()) {
        StartFallback();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Inhibit");
    call << QStringLiteral("Orvalen") << QStringLiteral("Playing a film");
    pending_ = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this,
            &ScreenSaverInhibitor::OnInhibitReply);
}

void ScreenSaverInhibitor::OnInhibitReply(QDBusPendingCallWatcher* call) {
    if (!call || call != pending_) return;  // already handled
    pending_ = nullptr;
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    if (reply.isError()) {
        if (wanted_) StartFallback();
        return;
    }
    cookie_ = reply.value();
    if (!wanted_) ReleaseCookie();
}

void ScreenSaverInhibitor::ReleaseCookie() {
    if (!cookie_) return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "UnInhibit");
    call << *cookie_;
    cookie_.reset();
    bus_.send(call);
}

void ScreenSaverInhibitor::StartFallback() {
    if (!fallbackActive_ && fallback_) fallbackActive_ = fallback_(true);
}

void ScreenSaverInhibitor::StopFallback() {
    if (!fallbackActive_) return;
    fallbackActive_ = false;
    fallback_(false);
}

}  // namespace orvalen
