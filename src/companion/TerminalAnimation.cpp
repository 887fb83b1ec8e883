#include "companion/TerminalAnimation.h"

#include "companion/StopSignals.h"
#include "engine/Animation.h"
#include "engine/OutputSink.h"

#include <time.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <string>

namespace {

using TClock = std::chrono::steady_clock;

// Sleeps until `when`, or until a stop signal arrives (which ends the sleep early).
void SleepUntil(TClock::time_point when) {
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(when - TClock::now());
    if (left.count() <= 0) {
        return;
    }
    timespec pause{static_cast<time_t>(left.count() / 1'000'000'000),
                   static_cast<long>(left.count() % 1'000'000'000)};
    nanosleep(&pause, nullptr);
}

} // namespace

int PlayOnTerminal(const TAnimationFrames& frames, const TUnitText& text, const THtmlOptions& options,
                   const TTagVocabulary& tg, const TTerminalPlay& play, TOutputSink& out) {
    const TStopSignals stop;
    const int fps = std::max(play.Fps, 1);
    const auto tick = std::chrono::nanoseconds(1'000'000'000 / fps);
    const long long ticks = std::max(1LL, static_cast<long long>(play.Seconds * fps));
    const double framesPerTick = 1000.0 / fps / std::max(play.Interval, 1);
    out.Write(kHideCursor);
    const TClock::time_point start = TClock::now();
    for (long long t = 0; t < ticks && TStopSignals::Caught() == 0; ++t) {
        const auto frame = static_cast<int>(static_cast<long long>(static_cast<double>(t) * framesPerTick) %
                                            std::max(frames.Count(), 1));
        const std::string line =
            BuildAnimationFrame(frames, frame, text.Text, text.Clusters, options, tg).OneLine();
        // The line drawn over the last, and whatever of the last stood beyond it cleared.
        out.Write("\r" + line + kResetColours + "\x1b[K");
        out.Flush();
        SleepUntil(start + tick * (t + 1));
    }
    out.Write(std::string(kResetColours) + kShowCursor + "\n");
    out.Flush();
    return TStopSignals::Caught();
}
