#include <QCoreApplication>
#include <vector>

#include "app/desktop/MprisService.h"
#include "app/desktop/ScreenSaverInhibitor.h"
#include "tests/app/BusFixture.h"
#include "tests/app/QtPrinters.h"

namespace orvalen::testing {
namespace {

// A player whose state the test sets; it records the commands it receives.
struct FakePlayer : PlayerControl {
    std::string path;
    int32_t position = -1;
    int32_t length = -1;
    PlaybackState state = PlaybackState::Stopped;
    QStringList commands;

    void OpenFilm() {
        path = "/films/Le film é.avi";
        position = 60000;
        length = 95 * 60000;
        state = PlaybackState::Paused;
    }
    void Play() override { Do("Play", PlaybackState::Playing); }
    void Pause() override { Do("Pause", PlaybackState::Paused); }
    void PlayPause() override {
        Do("PlayPause",
           state == PlaybackState::Playing ? PlaybackState::Paused : PlaybackState::Playing);
    }
    void Stop() override { Do("Stop", PlaybackState::Stopped); }
    void SeekTo(int32_t ms) override { commands << QStringLiteral("SeekTo %1").arg(position = ms); }
    int32_t PositionMs() override { return position; }
    int32_t LengthMs() override { return length; }
    std::string Path() override { return path; }
    std::string Title() override { return path.empty() ? "" : "Le film é"; }
    PlaybackState State() override { return state; }
    double rate = 1.0;
    double volume = 1.0;
    double Rate() override { return rate; }
    void SetRate(double r) override { commands << QStringLiteral("Rate %1").arg(rate = r); }
    double Volume() override { return volume; }
    void SetVolume(double v) override { commands << QStringLiteral("Volume %1").arg(volume = v); }
    void Raise() override { commands << "Raise"; }
    void Quit() override { commands << "Quit"; }
    void Do(const char* command, PlaybackState next) {
        commands << command;
        state = next;
    }
};

QDBusConnection NoBus() {
    return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "nobus");
}

using ScreenSaverTest = BusTest;

// Requests that change faster than the service answers: the cookie granted after the
// inhibition was given up goes back at once.
TEST_F(ScreenSaverTest, QuickChangesEndInTheLastRequest) {
    struct Case {
        std::vector<bool> requests;
        QStringList calls;
        bool holding;
    };
    const Case cases[] = {
        {{true, false}, {"Inhibit Orvalen 1", "UnInhibit 1"}, false},
        {{true, false, true}, {"Inhibit Orvalen 2"}, true},  // cookies count on
    };
    StartScreenSaver();
    for (const Case& c : cases) {
        screenSaver_.calls.clear();
        {
            ScreenSaverInhibitor inhibitor(QDBusConnection::sessionBus(), {});
            for (bool request : c.requests) inhibitor.SetInhibited(request);
            PollUntil([&] { return screenSaver_.calls.size() > c.calls.size(); }, 300);
            EXPECT_EQ(screenSaver_.calls, c.calls);
            EXPECT_EQ(inhibitor.Holding(), c.holding);
        }
        ASSERT_TRUE(PollUntil([&] { return screenSaver_.held.isEmpty(); }));
    }
}

TEST_F(ScreenSaverTest, FallsBackWhereNoServiceAnswers) {
    for (const QDBusConnection& bus : {QDBusConnection::sessionBus(), NoBus()}) {
        std::vector<bool> fallback;
        ScreenSaverInhibitor inhibitor(bus, [&](bool suspend) {
            fallback.push_back(suspend);
            return true;
        });
        inhibitor.SetInhibited(true);
        ASSERT_TRUE(PollUntil([&] { return inhibitor.Holding(); }));
        inhibitor.SetInhibited(false);
        EXPECT_EQ(fallback, std::vector<bool>({true, false}));
        EXPECT_FALSE(inhibitor.Holding());
    }
}

using MprisTest = BusTest;

TEST_F(MprisTest, AnswersDbusSendAndForwardsCommands) {
    FakePlayer player;
    player.OpenFilm();
    MprisService service(player);
    ASSERT_EQ(service.ServiceName(), "org.mpris.MediaPlayer2.orvalen");

    EXPECT_TRUE(Has(GetProperty(kPlayer, "PlaybackStatus"), "string \"Paused\""));
    const QString metadata = GetProperty(kPlayer, "Metadata");
    EXPECT_TRUE(Has(metadata, "object path \"/org/orvalen/Film/1\""));
    EXPECT_TRUE(Has(metadata, "string \"Le film é\""));
    EXPECT_TRUE(Has(metadata, "string \"file:///films/Le%20film%20%C3%A9.avi\""));
    EXPECT_TRUE(Has(metadata, "int64 5700000000"));
    EXPECT_TRUE(Has(GetProperty("org.mpris.MediaPlayer2", "DesktopEntry"),
                    "string \"org.orvalen.Orvalen\""));

    Call("PlayPause");
    EXPECT_TRUE(Has(GetProperty(kPlayer, "PlaybackStatus"), "string \"Playing\""));
    Call("Seek", {"int64:-90000000"});                                   // before the start: 0
    Call("Seek", {"int64:30000000"});                                    // 30 s on
    Call("SetPosition", {"objpath:/org/orvalen/Film/2", "int64:1000"});  // another film
    Call("SetPosition", {"objpath:/org/orvalen/Film/1", "int64:1000000"});
    EXPECT_TRUE(Has(GetProperty(kPlayer, "Position"), "int64 1000000"));
    Call("Seek", {"int64:6000000000"});  // past the end
    DbusSend({"org.mpris.MediaPlayer2.Raise"});
    for (const auto& [name, value] : {std::pair{"Volume", "0.25"}, std::pair{"Rate", "2"}}) {
        DbusSend({"org.freedesktop.DBus.Properties.Set", "string:" + kPlayer,
                  QStringLiteral("string:") + name, QStringLiteral("variant:double:") + value});
    }
    EXPECT_TRUE(Has(GetProperty(kPlayer, "Volume"), "double 0.25"));
    EXPECT_EQ(player.commands, QStringList({"PlayPause", "SeekTo 0", "SeekTo 30000", "SeekTo 1000",
                                            "Stop", "Raise", "Volume 0.25", "Rate 2"}));
}

TEST_F(MprisTest, AnnouncesEachChangeOnce) {
    RecordPlayerSignals();
    FakePlayer player;
    MprisService service(player);
    // Without a film nothing plays: Play would ask for one in a dialog.
    Call("PlayPause");
    EXPECT_TRUE(Has(GetProperty(kPlayer, "Metadata"), "/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    EXPECT_TRUE(player.commands.isEmpty());
    service.Refresh();
    player.OpenFilm();
    service.Refresh();
    player.state = PlaybackState::Playing;
    service.Refresh();
    service.Refresh();
    player.position = 600000;  // moved by the window's own slider
    service.Refresh();
    player = FakePlayer();
    service.Refresh();
    ASSERT_TRUE(PollUntil([&] { return recorder_.received.size() >= 3; }));
    QApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_EQ(
        recorder_.received,
        QStringList({kPlayer + ": CanPause CanPlay CanSeek Metadata PlaybackStatus Paused",
                     kPlayer + ": PlaybackStatus Playing",
                     kPlayer + ": CanPause CanPlay CanSeek Metadata PlaybackStatus Stopped"}));
    EXPECT_EQ(recorder_.seeks, QList<qlonglong>({600000000}));
}

TEST_F(MprisTest, SecondCopyTakesAnInstanceNameAndNoBusIsSilent) {
    FakePlayer player;
    MprisService first(player);
    MprisService second(player, OtherConnection("other"));
    EXPECT_EQ(second.ServiceName(), QStringLiteral("org.mpris.MediaPlayer2.orvalen.instance%1")
                                        .arg(QCoreApplication::applicationPid()));
    MprisService none(player, NoBus());
    EXPECT_TRUE(none.ServiceName().isEmpty());
    player.OpenFilm();
    none.Refresh();
}

}  // namespace
}  // namespace orvalen::testing
