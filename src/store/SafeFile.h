#pragma once

#include "store/FileOps.h"

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

// What tells one version of a file from another: a save by someone else changes at least one.
struct TFileStamp {
    bool Exists = false;
    std::uint64_t Size = 0;
    std::int64_t ModifiedNs = 0;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;

    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

// Why a file of this kind (st_mode) is not read or written in place of a settings, style, page
// or text file: "it is a FIFO (named pipe), not a regular file" and the like.
std::string NotRegularReason(mode_t mode);

// The stamp of the file at `path` (following symbolic links); Exists is false when there is none.
TFileStamp StampOfFile(const std::string& path);

// The largest file that is read whole.
inline constexpr std::uint64_t kLargestReadFile = std::uint64_t{1} << 30;

// The whole file; an empty text and a stamp with Exists false when there is no file. Throws
// EIniFileError when the file exists but cannot be read, or is not a regular file (a FIFO is
// refused without waiting for a writer), or holds more than `limit` bytes (error code EFBIG;
// reading stops one block past the limit, so a file that grows is not read on without end).
std::string ReadFileBytes(const std::string& path, TFileStamp& stamp, std::uint64_t limit = kLargestReadFile);

// Replaces the file with `bytes` so that a crash leaves either the old or the new file whole:
// the bytes go to a temporary file in the same folder, which is flushed to disk and renamed over
// the old one. A symbolic link stays a link (its target is written) and the file keeps its
// permissions. With `createFolder`, a missing folder is made first. Refused, with the old file
// untouched: a target that is not a regular file (device, FIFO, socket, folder) and a file
// without owner write permission. Temporary files that killed saves of the same file left
// behind are removed. With `expected`, the save is refused (ChangedMeanwhile) when the file no
// longer has that stamp just before the rename. On failure the old file is untouched, no
// temporary file is left, and EIniFileError names the file and the reason.
// Returns the stamp of the file written.
TFileStamp SaveFileSafely(const std::string& path, std::string_view bytes, TFileOps& ops,
                          bool createFolder = false, const TFileStamp* expected = nullptr);
