#pragma once

#include <string>
#include <string_view>

// Where an emitter hands over what it has written, piece by piece, so that a long output never
// stands whole in memory: a file, a pipe, a terminal, or a string.
class TOutputSink {
public:
    virtual ~TOutputSink() = default;
    virtual void Write(std::string_view bytes) = 0;
    // Passes on what is held back, where the sink holds any (a reader waits for it).
    virtual void Flush() {}
};

// Collects everything in a string.
class TStringSink final : public TOutputSink {
public:
    explicit TStringSink(std::string& text) : text_(text) {}
    void Write(std::string_view bytes) override { text_ += bytes; }

private:
    std::string& text_;
};
