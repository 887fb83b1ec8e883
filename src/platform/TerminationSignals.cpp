#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

static_assert(TTerminationSignals::SIGHUP_VALUE == SIGHUP);
static_assert(TTerminationSignals::SIGINT_VALUE == SIGINT);
static_assert(TTerminationSignals::SIGTERM_VALUE == SIGTERM);

namespace {

volatile sig_atomic_t gWriteEnd = -1;
struct sigaction gPrevious[65];
// Signals written to the pipe that the event loop has not read yet.
std::atomic<int> gUnread{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnTerminationSignal(int signalNumber) {
    if (gUnread.fetch_add(1) > 0) {
        // The event loop has not taken the last one: it is stuck, so this one ends the program
        // at once, as if nothing had been watching.
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        sigaction(signalNumber, &fallback, nullptr);
        raise(signalNumber); // delivered when this handler returns
        return;
    }
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (gWriteEnd >= 0) {
        [[maybe_unused]] const ssize_t written = write(gWriteEnd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TTerminationSignals::TTerminationSignals(QObject* parent, std::initializer_list<int> signalNumbers)
    : QObject(parent) {
    if (gWriteEnd >= 0) {
        throw std::logic_error("termination signals are already being watched");
    }
    if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("cannot create the pipe for termination signals");
    }
    gWriteEnd = pipe_[1];
    gUnread = 0;
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TTerminationSignals::ReadPipe);

    for (const int signalNumber : signalNumbers) {
        if (installedCount_ >= 3 || signalNumber <= 0 || signalNumber >= 65) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = OnTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        if (sigaction(signalNumber, &action, &gPrevious[signalNumber]) == 0) {
            installed_[installedCount_++] = signalNumber;
        }
    }
}

TTerminationSignals::~TTerminationSignals() {
    for (int i = 0; i < installedCount_; ++i) {
        sigaction(installed_[i], &gPrevious[installed_[i]], nullptr);
    }
    gWriteEnd = -1;
    close(pipe_[0]);
    close(pipe_[1]);
}

void TTerminationSignals::ReadPipe() {
    unsigned char byte = 0;
    while (read(pipe_[0], &byte, 1) == 1) {
        gUnread.fetch_sub(1);
        emit terminationRequested(byte);
    }
}
