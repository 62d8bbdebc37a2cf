#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "autosync/AutoSync.h"

class QProgressDialog;
class QWidget;

namespace orvalen {

// Runs the synchronisation with the film's sound on a thread of its own, behind a progress
// dialog with Cancel, while the window (and the film) go on.
class SoundSyncRunner : public QObject {
  public:
    explicit SoundSyncRunner(QWidget* window);
    // Cancels a running analysis and waits for its thread.
    ~SoundSyncRunner() override;

    bool Running() const { return worker_.joinable(); }

    // Analyses a copy of track against the film; done then runs on the window's thread, unless
    // the user cancelled.
    void Start(const std::string& filmPath, const SubtitleTrack& track,
               std::function<void(const SoundSync&)> done);

  private:
    void Finish(const SoundSync& sync);

    QWidget* window_;
    QPointer<QProgressDialog> dialog_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::function<void(const SoundSync&)> done_;
};

}  // namespace orvalen
