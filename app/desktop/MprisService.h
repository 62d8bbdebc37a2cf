#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <cstdint>
#include <string>

#include "app/window/PlayerControl.h"

namespace orvalen {

class MprisPlayerAdaptor;

// The player as the desktop's media controls see it: the MPRIS 2 service
// org.mpris.MediaPlayer2.orvalen (with ".instance<pid>" appended when another copy holds the
// name) at /org/mpris/MediaPlayer2, answering through PlayerControl. Without a session bus it
// does nothing. The owner calls Refresh after each command and on its clock, and the service
// announces what changed.
class MprisService : public QObject {
    Q_OBJECT
  public:
    explicit MprisService(PlayerControl& player, QObject* parent = nullptr);
    MprisService(PlayerControl& player, const QDBusConnection& bus, QObject* parent = nullptr);
    ~MprisService() override;

    // The bus name it holds; empty when it is not on a bus.
    QString ServiceName() const { return serviceName_; }

    // Compares the player with what the bus was last told: PropertiesChanged for every
    // property that changed, Seeked when the position jumped.
    void Refresh();

    // What the adaptors publish and forward.
    QString PlaybackStatus() const;
    QVariantMap Metadata() const;
    qlonglong PositionUs() const;
    double Rate() const;
    void SetRate(double rate);
    double Volume() const;
    void SetVolume(double volume);
    bool CanPlay() const;
    bool CanSeek() const;
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Seek(qlonglong offsetUs);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong positionUs);
    void Raise();
    void Quit();

  private:
    QDBusObjectPath TrackId() const;
    QVariantMap PlayerProperties() const;
    void AnnounceSeek();
    void NotePosition(int32_t position);

    PlayerControl& player_;
    QDBusConnection bus_;
    MprisPlayerAdaptor* playerAdaptor_ = nullptr;
    QString serviceName_;
    // Each film opened gets a track id of its own.
    mutable std::string trackPath_;
    mutable quint64 trackNumber_ = 0;
    // What the bus was last told, and where the film stood then.
    QVariantMap announced_;
    int32_t lastPosition_ = -1;  // -1 when unknown
    QElapsedTimer sinceLastPosition_;
};

}  // namespace orvalen
