#pragma once

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QSet>
#include <QStringList>
#include <QVariantMap>

#include "tests/app/WindowFixture.h"

namespace orvalen::testing {

// A desktop screen saver service that records what it is asked.
class ScreenSaverStub : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
  public:
    QStringList calls;  // "Inhibit <application> <cookie>", "UnInhibit <cookie>"
    QSet<uint> held;

  public Q_SLOTS:
    uint Inhibit(const QString& application, const QString& reason) {
        (void)reason;
        const uint cookie = ++lastCookie_;
        held.insert(cookie);
        calls << QStringLiteral("Inhibit %1 %2").arg(application).arg(cookie);
        return cookie;
    }
    void UnInhibit(uint cookie) {
        held.remove(cookie);
        calls << QStringLiteral("UnInhibit %1").arg(cookie);
    }

  private:
    uint lastCookie_ = 0;
};

// Records the PropertiesChanged signals of the player interface: one entry per signal, the
// names of the changed properties and, when it changed, the new PlaybackStatus.
class PropertiesRecorder : public QObject {
    Q_OBJECT
  public:
    QStringList received;
    QList<qlonglong> seeks;

  public Q_SLOTS:
    void OnPropertiesChanged(const QString& interface, const QVariantMap& changed,
                             const QStringList&) {
        QStringList keys = changed.keys();
        if (changed.contains("PlaybackStatus")) keys << changed["PlaybackStatus"].toString();
        received << interface + ": " + keys.join(' ');
    }
    void OnSeeked(qlonglong position) { seeks << position; }
};

// The other programs on a private session bus (the test program runs under dbus-run-session):
// a screen saver, a listener to the player's signals, dbus-send.
class BusPeers {
  protected:
    ~BusPeers() {
        for (const char* name : {"screensaver", "recorder", "other"}) {
            QDBusConnection::disconnectFromBus(name);
        }
    }

    static bool HaveBus() {
        return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
               QDBusConnection::sessionBus().isConnected();
    }

    // A second connection to the bus, as another program would have.
    static QDBusConnection OtherConnection(const QString& name) {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    }

    // The stub takes the screen saver's name on a connection of its own.
    void StartScreenSaver() {
        QDBusConnection bus = OtherConnection("screensaver");
        ASSERT_TRUE(bus.registerObject("/org/freedesktop/ScreenSaver", &screenSaver_,
                                       QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(bus.registerService("org.freedesktop.ScreenSaver"));
    }

    void RecordPlayerSignals() {
        QDBusConnection bus = OtherConnection("recorder");
        ASSERT_TRUE(bus.connect({}, "/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties",
                                "PropertiesChanged", &recorder_,
                                SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList))));
        ASSERT_TRUE(bus.connect({}, "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Player",
                                "Seeked", &recorder_, SLOT(OnSeeked(qlonglong))));
    }

    // Runs dbus-send against the player while this program keeps answering the bus; the
    // printed reply, or the error.
    static QString DbusSend(QStringList arguments) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        arguments.prepend("--dest=org.mpris.MediaPlayer2.orvalen");
        arguments.prepend("--print-reply");
        arguments.insert(2, "/org/mpris/MediaPlayer2");
        process.start("dbus-send", arguments);
        EXPECT_TRUE(PollUntil([&] { return process.state() == QProcess::NotRunning; }));
        return QString::fromUtf8(process.readAll());
    }
    static QString GetProperty(const QString& interface, const QString& name) {
        return DbusSend(
            {"org.freedesktop.DBus.Properties.Get", "string:" + interface, "string:" + name});
    }
    static QString Call(const QString& method, QStringList arguments = {}) {
        arguments.prepend("org.mpris.MediaPlayer2.Player." + method);
        return DbusSend(arguments);
    }

    ScreenSaverStub screenSaver_;
    PropertiesRecorder recorder_;
};

class BusTest : public ::testing::Test, protected BusPeers {
  protected:
    void SetUp() override {
        if (!HaveBus()) GTEST_SKIP() << "no session bus";
    }
};

// Whether a reply printed by dbus-send holds part.
inline ::testing::AssertionResult Has(const QString& reply, const QString& part) {
    if (reply.contains(part)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no " << part.toStdString() << " in\n"
                                         << reply.toStdString();
}

inline const QString kPlayer = "org.mpris.MediaPlayer2.Player";

}  // namespace orvalen::testing
