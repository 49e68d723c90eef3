#include "control/stop_signals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace merovan {

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The write end of the pipe of the one StopSignals object.
volatile sig_atomic_t signalPipe = -1;

void onStopSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    if (signalPipe >= 0)
        [[maybe_unused]] const auto written = ::write(signalPipe, &byte, 1);
    errno = saved;
}

} // namespace

StopSignals::StopSignals(QObject *parent) : QObject(parent)
{
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    signalPipe = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::drain);

    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kStopSignals)
        sigaction(signal, &action, nullptr);
}

StopSignals::~StopSignals()
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int signal : kStopSignals)
        sigaction(signal, &action, nullptr);
    signalPipe = -1;
    for (int fd : pipe_) {
        if (fd >= 0)
            ::close(fd);
    }
}

void StopSignals::drain()
{
    char bytes[16];
    for (ssize_t n; (n = ::read(pipe_[0], bytes, sizeof bytes)) > 0;) {
        for (ssize_t i = 0; i < n; ++i)
            Q_EMIT stopRequested();
    }
}

} // namespace merovan
