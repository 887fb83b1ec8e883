#pragma once

// The length of an output measured as it streams, as TargetLength measures it whole: a paste
// target's output is counted against its budget without being held.

#include "engine/OutputKind.h"
#include "engine/OutputSink.h"

#include <cstddef>
#include <string_view>

class TLengthSink final : public TOutputSink {
public:
    // Counts in `unit` and passes every piece on to `next` (none: counts only).
    explicit TLengthSink(TLengthUnit unit, TOutputSink* next = nullptr) : unit_(unit), next_(next) {}
    void Write(std::string_view bytes) override;
    // Counts `bytes` without passing them on.
    void Count(std::string_view bytes);
    void Flush() override;
    // The length of what was written, without one line end at its end.
    std::size_t Length() const;

private:
    TLengthUnit unit_;
    TOutputSink* next_;
    std::size_t length_ = 0;
    char tail_[2] = {0, 0}; // the last two bytes written
};
