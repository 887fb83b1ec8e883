#pragma once

#include "store/FileOps.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

// The one step at which a save fails, the way a read-only folder, a full disk or a failing
// device would; or another program writing the file while this save flushes its own.
enum class TFileFault : std::uint8_t { None, Open, Write, Sync, Close, Rename, OtherWriter, Count };

// File operations that fail at the chosen step, and count the renames that got through.
class TFaultyFileOps : public TFileOps {
public:
    TFileFault Fault = TFileFault::None;
    // With the Write fault: the bytes that fit on the disk; unset, half of the first write.
    std::optional<std::size_t> WriteBudget;
    // With the OtherWriter fault: what the other program writes to Target.
    std::string Target;
    std::string OtherBytes;
    int Renames = 0;

    int Open(const std::string& path, int flags, mode_t mode) override {
        if (Fault == TFileFault::Open) {
            errno = EACCES;
            return -1;
        }
        return TFileOps::Open(path, flags, mode);
    }
    ssize_t Write(int fd, const void* data, std::size_t size) override {
        if (Fault == TFileFault::Write) {
            if (!WriteBudget) {
                WriteBudget = size / 2;
            }
            if (*WriteBudget == 0) {
                errno = ENOSPC;
                return -1;
            }
            size = std::min(size, *WriteBudget);
            *WriteBudget -= size;
        }
        return TFileOps::Write(fd, data, size);
    }
    int Sync(int fd) override {
        if (Fault == TFileFault::OtherWriter) {
            std::ofstream out(Target, std::ios::binary | std::ios::trunc);
            out.write(OtherBytes.data(), static_cast<std::streamsize>(OtherBytes.size()));
        }
        if (Fault == TFileFault::Sync) {
            errno = EIO;
            return -1;
        }
        return TFileOps::Sync(fd);
    }
    int Close(int fd) override {
        const int result = TFileOps::Close(fd);
        if (Fault == TFileFault::Close) {
            errno = EIO;
            return -1;
        }
        return result;
    }
    int Rename(const std::string& from, const std::string& to) override {
        if (Fault == TFileFault::Rename) {
            errno = EXDEV;
            return -1;
        }
        ++Renames;
        return TFileOps::Rename(from, to);
    }
};
