#include "app/desktop/MprisAdaptors.h"

#include "app/desktop/MprisService.h"

namespace orvalen {

MprisRootAdaptor::MprisRootAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), service_(service) {}

void MprisRootAdaptor::Raise() {
    service_->Raise();
}

void MprisRootAdaptor::Quit() {
    service_->Quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), service_(service) {}

QString MprisPlayerAdaptor::PlaybackStatus() const {
    return service_->PlaybackStatus();
}

double MprisPlayerAdaptor::Rate() const {
    return service_->Rate();
}

void MprisPlayerAdaptor::SetRate(double rate) {
    service_->SetRate(rate);
}

double MprisPlayerAdaptor::Volume() const {
    return service_->Volume();
}

void MprisPlayerAdaptor::SetVolume(double volume) {
    service_->SetVolume(volume);
}

QVariantMap MprisPlayerAdaptor::Metadata() const {
    return service_->Metadata();
}

qlonglong MprisPlayerAdaptor::Position() const {
    return service_->PositionUs();
}

bool MprisPlayerAdaptor::CanPlay() const {
    return service_->CanPlay();
}

bool MprisPlayerAdaptor::CanPause() const {
    return service_->CanPlay();
}

bool MprisPlayerAdaptor::CanSeek() const {
    return service_->CanSeek();
}

void MprisPlayerAdaptor::Pause() {
    service_->Pause();
}

void MprisPlayerAdaptor::PlayPause() {
    service_->PlayPause();
}

void MprisPlayerAdaptor::Stop() {
    service_->Stop();
}

void MprisPlayerAdaptor::Play() {
    service_->Play();
}

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
    service_->Seek(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    service_->SetPosition(TrackId, Position);
}

}  // namespace orvalen
