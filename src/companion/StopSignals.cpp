#include "companion/StopSignals.h"

namespace {

// Written by the handler only, and read by the animation between frames.
volatile std::sig_atomic_t gCaught = 0;

extern "C" void NoteStop(int signal) {
    gCaught = signal;
}

} // namespace

TStopSignals::TStopSignals() {
    gCaught = 0;
    struct sigaction action {};
    action.sa_handler = NoteStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: the animation's sleep ends at once, so it stops within a moment.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, &oldInterrupt_);
    sigaction(SIGTERM, &action, &oldTerminate_);
}

TStopSignals::~TStopSignals() {
    sigaction(SIGINT, &oldInterrupt_, nullptr);
    sigaction(SIGTERM, &oldTerminate_, nullptr);
}

int TStopSignals::Caught() {
    return gCaught;
}
