#include "app/window/SoundSyncRunner.h"

#include <QMetaObject>
#include <QProgressDialog>
#include <QWidget>
#include <cmath>

namespace orvalen {

namespace {

constexpr int kProgressSteps = 100;

}  // namespace

SoundSyncRunner::SoundSyncRunner(QWidget* window) : QObject(window), window_(window) {}

SoundSyncRunner::~SoundSyncRunner() {
    stop_ = true;
    if (worker_.joinable()) worker_.join();
}

void SoundSyncRunner::Start(const std::string& filmPath, const SubtitleTrack& track,
                            std::function<void(const SoundSync&)> done) {
    if (Running()) return;
    done_ = std::move(done);
    stop_ = false;
    dialog_ = new QProgressDialog(QStringLiteral("Analysing the sound of the film..."),
                                  QStringLiteral("Cancel"), 0, kProgressSteps, window_);
    dialog_->setWindowTitle(QStringLiteral("Synchronise with the sound"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog_, &QProgressDialog::canceled, this, [this] { stop_ = true; });
    dialog_->show();
    worker_ = std::thread([this, filmPath, track] {
        auto progress = [this](double done) {
            int value = static_cast<int>(std::lround(done * kProgressSteps));
            QMetaObject::invokeMethod(
                this,
                [this, value] {
                    if (dialog_) dialog_->setValue(value);
                },
                Qt::QueuedConnection);
        };
        SoundSync sync = SynchroniseWithSound(filmPath, track, progress, stop_);
        QMetaObject::invokeMethod(
            this, [this, sync] { Finish(sync); }, Qt::QueuedConnection);
    });
}

void SoundSyncRunner::Finish(const SoundSync& sync) {
    if (worker_.joinable()) worker_.join();
    const bool cancelled = sync.Cancelled || stop_;
    if (dialog_) {
        // Closing the dialog reports a cancel of its own.
        dialog_->disconnect(this);
        dialog_->close();
    }
    if (cancelled) return;
    if (done_) done_(sync);
}

}  // namespace orvalen
