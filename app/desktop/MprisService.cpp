#include "app/desktop/MprisService.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QUrl>
#include <algorithm>
#include <cstdlib>

#include "app/desktop/MprisAdaptors.h"

namespace orvalen {
namespace {

const char kObjectPath[] = "/org/mpris/MediaPlayer2";
const char kServiceName[] = "org.mpris.MediaPlayer2.orvalen";
const char kPlayerInterface[] = "org.mpris.MediaPlayer2.Player";
const char kNoTrack[] = "/org/mpris/MediaPlayer2/TrackList/NoTrack";
// A position further than this from where steady playback would have taken the film was
// moved by a command: the desktop hears of it as a seek.
constexpr int64_t kJumpToleranceMs = 1000;

}  // namespace

MprisService::MprisService(PlayerControl& player, QObject* parent)
    : MprisService(player, QDBusConnection::sessionBus(), parent) {}

MprisService::MprisService(PlayerControl& player, const QDBusConnection& bus, QObject* parent)
    : QObject(parent), player_(player), bus_(bus) {
    if (!bus_.isConnected()) return;
    new MprisRootAdaptor(this);
    playerAdaptor_ = new MprisPlayerAdaptor(this);
    if (!bus_.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) return;
    // A second copy of the player takes an instance name, as media players do.
    const QString instance =
        QStringLiteral("%1.instance%2").arg(kServiceName).arg(QCoreApplication::applicationPid());
    for (const QString& name : {QString(kServiceName), instance}) {
        if (bus_.registerService(name)) {
            serviceName_ = name;
            break;
        }
    }
    if (serviceName_.isEmpty()) {
        bus_.unregisterObject(kObjectPath);
        return;
    }
    announced_ = PlayerProperties();
    NotePosition(player_.PositionMs());
}

MprisService::~MprisService() {
    if (serviceName_.isEmpty()) return;
    bus_.unregisterService(serviceName_);
    bus_.unregisterObject(kObjectPath);
}

void MprisService::Refresh() {
    if (serviceName_.isEmpty()) return;
    const bool wasPlaying = announced_.value("PlaybackStatus") == QStringLiteral("Playing");
    const QVariantMap current = PlayerProperties();
    QVariantMap changed;
    for (auto it = current.begin(); it != current.end(); ++it) {
        if (announced_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
    }
    announced_ = current;
    if (!changed.isEmpty()) {
        QDBusMessage signal = QDBusMessage::createSignal(
            kObjectPath, "org.freedesktop.DBus.Properties", "PropertiesChanged");
        signal << QString(kPlayerInterface) << changed << QStringList();
        bus_.send(signal);
    }

    const int32_t position = player_.PositionMs();
    if (position < 0) return;
    // Another film, or a position not known before: nothing to compare with.
    if (lastPosition_ < 0 || changed.contains("Metadata")) {
        NotePosition(position);
        return;
    }
    int64_t expected = lastPosition_;
    if (wasPlaying) {
        expected += static_cast<int64_t>(static_cast<double>(sinceLastPosition_.elapsed()) *
                                         player_.Rate());
    }
    if (std::llabs(position - expected) > kJumpToleranceMs) {
        AnnounceSeek();
    } else {
        NotePosition(position);
    }
}

QString MprisService::PlaybackStatus() const {
    if (!CanPlay()) return QStringLiteral("Stopped");
    switch (player_.State()) {
        case PlaybackState::Playing:
            return QStringLiteral("Playing");
        case PlaybackState::Paused:
            return QStringLiteral("Paused");
        case PlaybackState::Stopped:
            break;
    }
    return QStringLiteral("Stopped");
}

QVariantMap MprisService::Metadata() const {
    QVariantMap metadata;
    metadata.insert("mpris:trackid", QVariant::fromValue(TrackId()));
    const std::string path = player_.Path();
    if (path.empty()) return metadata;
    metadata.insert("xesam:title", QString::fromStdString(player_.Title()));
    // Percent-encoded from the bytes, so any file name makes a valid URL.
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    metadata.insert("xesam:url",
                    QString::fromLatin1("file://" + QUrl::toPercentEncoding(bytes, "/")));
    const int32_t length = player_.LengthMs();
    if (length > 0) metadata.insert("mpris:length", static_cast<qlonglong>(length) * 1000);
    return metadata;
}

qlonglong MprisService::PositionUs() const {
    return static_cast<qlonglong>(std::max<int32_t>(player_.PositionMs(), 0)) * 1000;
}

double MprisService::Rate() const {
    return player_.Rate();
}

void MprisService::SetRate(double rate) {
    player_.SetRate(rate);
    Refresh();
}

double MprisService::Volume() const {
    return player_.Volume();
}

void MprisService::SetVolume(double volume) {
    player_.SetVolume(volume);
    Refresh();
}

bool MprisService::CanPlay() const {
    return !player_.Path().empty();
}

bool MprisService::CanSeek() const {
    return CanPlay() && player_.LengthMs() > 0;
}

void MprisService::Play() {
    if (!CanPlay()) return;  // without a film the window would ask for one in a dialog
    player_.Play();
    Refresh();
}

void MprisService::Pause() {
    if (!CanPlay()) return;
    player_.Pause();
    Refresh();
}

void MprisService::PlayPause() {
    if (!CanPlay()) return;
    player_.PlayPause();
    Refresh();
}

void MprisService::Stop() {
    if (!CanPlay()) return;
    player_.Stop();
    Refresh();
}

void MprisService::Seek(qlonglong offsetUs) {
    if (!CanSeek()) return;
    const int64_t target =
        static_cast<int64_t>(std::max<int32_t>(player_.PositionMs(), 0)) + offsetUs / 1000;
    if (target > player_.LengthMs()) {
        // Past the end there is no next film to go to: playback stops.
        Stop();
        return;
    }
    player_.SeekTo(static_cast<int32_t>(std::max<int64_t>(target, 0)));
    AnnounceSeek();
    Refresh();
}

void MprisService::SetPosition(const QDBusObjectPath& trackId, qlonglong positionUs) {
    // A request about another film, or outside this one, is stale: ignored.
    if (!CanSeek() || trackId != TrackId()) return;
    if (positionUs < 0 || positionUs > static_cast<qlonglong>(player_.LengthMs()) * 1000) return;
    player_.SeekTo(static_cast<int32_t>(positionUs / 1000));
    AnnounceSeek();
    Refresh();
}

void MprisService::Raise() {
    player_.Raise();
}

void MprisService::Quit() {
    player_.Quit();
}

QDBusObjectPath MprisService::TrackId() const {
    const std::string path = player_.Path();
    if (path.empty()) {
        trackPath_.clear();
        return QDBusObjectPath(kNoTrack);
    }
    if (path != trackPath_) {
        trackPath_ = path;
        ++trackNumber_;
    }
    return QDBusObjectPath(QStringLiteral("/org/orvalen/Film/%1").arg(trackNumber_));
}

QVariantMap MprisService::PlayerProperties() const {
    return {{"PlaybackStatus", PlaybackStatus()},
            {"Metadata", Metadata()},
            {"Rate", Rate()},
            {"Volume", Volume()},
            {"CanPlay", CanPlay()},
            {"CanPause", CanPlay()},
            {"CanSeek", CanSeek()}};
}

void MprisService::AnnounceSeek() {
    const int32_t position = std::max<int32_t>(player_.PositionMs(), 0);
    if (playerAdaptor_) emit playerAdaptor_->Seeked(static_cast<qlonglong>(position) * 1000);
    NotePosition(position);
}

void MprisService::NotePosition(int32_t position) {
    lastPosition_ = position;
    sinceLastPosition_.start();
}

}  // namespace orvalen
