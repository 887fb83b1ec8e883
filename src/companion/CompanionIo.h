#pragma once

#include "engine/OutputSink.h"

#include <cstddef>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>

// Where the companion reads its standard input from: as much as is there, up to `size` bytes,
// waiting only while nothing is; 0 at the end.
class TCompanionInput {
public:
    virtual ~TCompanionInput() = default;
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A file descriptor (the process's standard input).
class TFdInput final : public TCompanionInput {
public:
    explicit TFdInput(int fd) : fd_(fd) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    int fd_;
};

// A stream (a text the caller holds).
class TStreamInput final : public TCompanionInput {
public:
    explicit TStreamInput(std::istream& in) : in_(in) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::istream& in_;
};

// Another input, refused (std::length_error naming standard input and the limit) by the read
// that takes it past `limit` bytes in all.
class TLimitedInput final : public TCompanionInput {
public:
    TLimitedInput(TCompanionInput& in, std::size_t limit) : in_(in), limit_(limit) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    TCompanionInput& in_;
    std::size_t limit_;
    std::size_t taken_ = 0;
};

// The reader of the output has gone (EPIPE): a filter stops there, quietly and successfully.
struct TBrokenPipe {};

// Writes to a file descriptor, held back in a buffer of a bounded size until it is full or
// flushed. A write that fails throws std::runtime_error naming the cause; a reader that has
// gone throws TBrokenPipe.
class TFdSink final : public TOutputSink {
public:
    explicit TFdSink(int fd, std::size_t capacity = std::size_t{1} << 16) : fd_(fd), capacity_(capacity) {
        held_.reserve(capacity);
    }
    void Write(std::string_view bytes) override;
    void Flush() override;

private:
    void WriteAll(std::string_view bytes);

    int fd_;
    std::size_t capacity_;
    std::string held_;
};

// Converts CP932 bytes to UTF-8 on their way to another sink; a two-byte character cut by the
// end of one piece is converted with the next. Finish converts what is left.
class TCp932ToUtf8Sink final : public TOutputSink {
public:
    explicit TCp932ToUtf8Sink(TOutputSink& target) : target_(target) {}
    void Write(std::string_view bytes) override;
    void Flush() override { target_.Flush(); }
    void Finish();

private:
    TOutputSink& target_;
    std::string lead_; // a lead byte whose second byte is still to come
};
