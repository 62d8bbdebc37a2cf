#pragma once

#include <QObject>
#include <initializer_list>
#include <vector>

class QSocketNotifier;

namespace orvalen {

// While it lives, the given signals (SIGTERM at logout, SIGINT from Ctrl+C in a terminal) quit
// the application through its event loop, so the exit steps run as after File > Exit: the
// film is closed and the settings are written; their messages then go to the standard error
// instead of boxes that would wait for an answer. A second signal ends the program at once, as
// it would have without this object. Needs the application object; one at a time.
class QuitOnSignal : public QObject {
  public:
    explicit QuitOnSignal(std::initializer_list<int> quitSignals);
    ~QuitOnSignal() override;

    QuitOnSignal(const QuitOnSignal&) = delete;
    QuitOnSignal& operator=(const QuitOnSignal&) = delete;

  private:
    void Quit();

    std::vector<int> signals_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orvalen
