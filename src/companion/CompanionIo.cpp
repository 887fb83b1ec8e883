#include "companion/CompanionIo.h"

#include "engine/CodePage.h"
#include "engine/jstrm.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

std::size_t TFdInput::Read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            throw std::runtime_error(std::string("cannot read standard input: ") + std::strerror(errno));
        }
    }
}

std::size_t TStreamInput::Read(char* buffer, std::size_t size) {
    in_.read(buffer, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in_.gcount());
}

std::size_t TLimitedInput::Read(char* buffer, std::size_t size) {
    const std::size_t got = in_.Read(buffer, size);
    taken_ += got;
    if (taken_ > limit_) {
        throw std::length_error("standard input is too large (more than " + std::to_string(limit_) +
                                " bytes)");
    }
    return got;
}

void TFdSink::Write(std::string_view bytes) {
    if (held_.size() + bytes.size() > capacity_) {
        Flush();
        if (bytes.size() >= capacity_) {
            WriteAll(bytes);
            return;
        }
    }
    held_ += bytes;
}

void TFdSink::Flush() {
    if (!held_.empty()) {
        WriteAll(held_);
        held_.clear();
    }
}

void TFdSink::WriteAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            if (errno == EPIPE) {
                throw TBrokenPipe{};
            }
            throw std::runtime_error(std::string("cannot write the output: ") + std::strerror(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void TCp932ToUtf8Sink::Write(std::string_view bytes) {
    std::string joined;
    if (!lead_.empty() && !bytes.empty()) {
        joined = lead_ + std::string(bytes.substr(0, 1));
        target_.Write(Cp932ToUtf8(joined));
        lead_.clear();
        bytes.remove_prefix(1);
    }
    // Whole characters only: the last byte waits when it opens a character.
    std::size_t whole = 0;
    for (std::size_t offset = 0; offset < bytes.size();) {
        if (static_cast<unsigned char>(bytes[offset]) < 0x80) {
            whole = ++offset;
            continue;
        }
        const std::size_t length = IsDBCSLeadByte(static_cast<unsigned char>(bytes[offset])) ? 2 : 1;
        if (offset + length > bytes.size()) {
            break;
        }
        offset += length;
        whole = offset;
    }
    if (whole > 0) {
        target_.Write(Cp932ToUtf8(bytes.substr(0, whole)));
    }
    lead_ = bytes.substr(whole);
}

void TCp932ToUtf8Sink::Finish() {
    if (!lead_.empty()) {
        target_.Write(Cp932ToUtf8(lead_));
        lead_.clear();
    }
}
