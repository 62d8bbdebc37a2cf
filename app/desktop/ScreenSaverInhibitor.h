#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <optional>

class QDBusPendingCallWatcher;

namespace orvalen {

// Keeps the screen from blanking while asked to: through the desktop's
// org.freedesktop.ScreenSaver service on the session bus, or, where no such service answers,
// through a fallback (the X11 screen saver extension in the program). Everything is released
// when it is no longer asked for and when the inhibitor goes.
class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
  public:
    // Suspends blanking (true) or lets it resume (false); false when it cannot.
    using Fallback = std::function<bool(bool suspend)>;

    // On the session bus, with the X11 extension of the program's display as the fallback.
    explicit ScreenSaverInhibitor(QObject* parent = nullptr);
    ScreenSaverInhibitor(const QDBusConnection& bus, Fallback fallback, QObject* parent = nullptr);
    ~ScreenSaverInhibitor() override;

    // Asks for (true) or gives up (false) the inhibition; repeating a request is harmless.
    void SetInhibited(bool inhibited);
    bool Inhibited() const { return wanted_; }
    // True while the bus service holds an inhibition of ours or the fallback is in force.
    bool Holding() const { return cookie_.has_value() || fallbackActive_; }

  private:
    void RequestInhibit();
    void OnInhibitReply(QDBusPendingCallWatcher* call);
    void ReleaseCookie();
    void StartFallback();
    void StopFallback();

    QDBusConnection bus_;
    Fallback fallback_;
    bool wanted_ = false;
    QDBusPendingCallWatcher* pending_ = nullptr;  // an Inhibit call awaiting its answer
    std::optional<uint> cookie_;
    bool fallbackActive_ = false;
};

}  // namespace orvalen
