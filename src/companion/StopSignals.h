#pragma once

#include <csignal>

// While it lives, Ctrl+C (SIGINT) and a terminate signal (SIGTERM) only ask the companion to
// stop, so that a terminal animation can give the terminal back as it found it (the cursor
// shown, the colours reset) before the program ends. The handlers before it come back with its
// end. One at a time.
class TStopSignals {
public:
    TStopSignals();
    ~TStopSignals();
    TStopSignals(const TStopSignals&) = delete;
    TStopSignals& operator=(const TStopSignals&) = delete;

    // The signal that asked to stop; 0 while none has.
    static int Caught();

private:
    struct sigaction oldInterrupt_ {};
    struct sigaction oldTerminate_ {};
};
