#include "app/startup/QuitOnSignal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>

#include "app/dialogs/MessageBox.h"

namespace orvalen {

namespace {

// The handler may only write to a pipe; the event loop reads the other end.
int wakeWriteEnd = -1;

extern "C" void WakeEventLoop(int signal) {
    std::signal(signal, SIG_DFL);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeWriteEnd, &byte, 1);
}

}  // namespace

QuitOnSignal::QuitOnSignal(std::initializer_list<int> quitSignals) : signals_(quitSignals) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return;
    wakeWriteEnd = ends[1];
    notifier_ = new QSocketNotifier(ends[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignal::Quit);
    for (const int signal : signals_) std::signal(signal, WakeEventLoop);
}

QuitOnSignal::~QuitOnSignal() {
    if (notifier_ == nullptr) return;
    for (const int signal : signals_) std::signal(signal, SIG_DFL);
    ::close(static_cast<int>(notifier_->socket()));
    ::close(wakeWriteEnd);
    wakeWriteEnd = -1;
}

void QuitOnSignal::Quit() {
    char bytes[16];
    while (::read(static_cast<int>(notifier_->socket()), bytes, sizeof bytes) > 0) {
    }
    // No one may be there to answer a box any more (a logout, Ctrl+C in a terminal): what the
    // exit steps have to say, such as a settings file that cannot be written, goes to the
    // standard error, and the program ends.
    SetMessageHandler([](const QString& text) {
        std::fprintf(stderr, "orvalen: %s\n", text.toLocal8Bit().constData());
    });
    // Leaves every event loop, a modal dialog's included.
    QCoreApplication::quit();
}

}  // namespace orvalen
