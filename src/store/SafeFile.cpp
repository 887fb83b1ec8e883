#include "store/SafeFile.h"

#include "store/IniErrors.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <signal.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kMostLinksFollowed = 40;
constexpr int kMostNameAttempts = 100;

std::string Reason(int error) {
    return std::strerror(error);
}

TFileStamp StampOf(const struct stat& info) {
    TFileStamp stamp;
    stamp.Exists = true;
    stamp.Size = static_cast<std::uint64_t>(info.st_size);
    stamp.ModifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    stamp.Device = info.st_dev;
    stamp.Inode = info.st_ino;
    return stamp;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save must replace: the end of a chain of symbolic links, or the path itself.
std::string FinalTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMostLinksFollowed; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) {
            const int error = errno;
            throw EIniFileError(path, "save", Reason(error), error);
        }
        target.resize(static_cast<std::size_t>(length));
        current = (!target.empty() && target.front() == '/') ? target : FolderOf(current) + "/" + target;
    }
    throw EIniFileError(path, "save", Reason(ELOOP), ELOOP);
}

std::string TemporaryPrefix(const std::string& target) {
    // Built by appending: GCC 12's -Wrestrict misfires on "." + std::string at -O2 and above.
    std::string prefix = ".";
    prefix += BaseNameOf(target);
    prefix += ".tmp-";
    return prefix;
}

std::string TemporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return FolderOf(target) + "/" + TemporaryPrefix(target) + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
}

// The process number of a temporary file name of `target` (".NAME.tmp-PID-N"), or 0.
pid_t TemporaryOwner(const std::string& name, const std::string& prefix) {
    if (!name.starts_with(prefix)) {
        return 0;
    }
    const char* begin = name.data() + prefix.size();
    const char* end = name.data() + name.size();
    pid_t pid = 0;
    const auto [afterPid, error] = std::from_chars(begin, end, pid);
    if (error != std::errc() || afterPid == begin || afterPid == end || *afterPid != '-' || pid <= 0) {
        return 0;
    }
    unsigned counter = 0;
    const auto [afterCounter, counterError] = std::from_chars(afterPid + 1, end, counter);
    if (counterError != std::errc() || afterCounter != end || afterCounter == afterPid + 1) {
        return 0;
    }
    return pid;
}

// A save killed half-way leaves its temporary file behind; once its process is gone nothing
// else will remove it. Files of other processes that still run, and of this one, stay.
void RemoveStaleTemporaries(const std::string& target, TFileOps& ops) {
    const std::string prefix = TemporaryPrefix(target);
    std::error_code error;
    std::filesystem::directory_iterator entries(FolderOf(target), error);
    if (error) {
        return;
    }
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        const pid_t owner = TemporaryOwner(name, prefix);
        if (owner == 0 || owner == ::getpid()) {
            continue;
        }
        if (::kill(owner, 0) != 0 && errno == ESRCH && entry.is_regular_file(error)) {
            ops.Remove(entry.path().string());
        }
    }
}

} // namespace

std::string NotRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "it is a folder, not a regular file";
    }
    if (S_ISFIFO(mode)) {
        return "it is a FIFO (named pipe), not a regular file";
    }
    if (S_ISSOCK(mode)) {
        return "it is a socket, not a regular file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "it is a device, not a regular file";
    }
    return "it is not a regular file";
}

namespace {

[[noreturn]] void RefuseNotRegular(const std::string& path, const std::string& action, mode_t mode) {
    throw EIniFileError(path, action, NotRegularReason(mode), S_ISDIR(mode) ? EISDIR : 0,
                        TFileProblem::NotRegularFile);
}

} // namespace

TFileStamp StampOfFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    return StampOf(info);
}

std::string ReadFileBytes(const std::string& path, TFileStamp& stamp, std::uint64_t limit) {
    stamp = {};
    // Without O_NONBLOCK, opening a FIFO waits for a writer; a device is not opened as a
    // terminal. What is not a regular file is refused right after the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT) {
            return {};
        }
        // A socket cannot be opened at all; say what it is rather than "no such device".
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
            RefuseNotRegular(path, "read", info.st_mode);
        }
        throw EIniFileError(path, "read", Reason(error), error);
    }
    struct stat info {};
    std::string bytes;
    int error = 0;
    if (::fstat(fd, &info) != 0) {
        error = errno;
    } else if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        RefuseNotRegular(path, "read", info.st_mode);
    } else if (static_cast<std::uint64_t>(info.st_size) > limit) {
        error = EFBIG;
    } else {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (true) {
            if (done == bytes.size()) {
                // The file may have grown since fstat; read on until its end.
                bytes.resize(done + 65536);
            }
            const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                error = errno;
                break;
            }
            if (got == 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
            if (done > limit) {
                error = EFBIG;
                break;
            }
        }
        bytes.resize(done);
    }
    ::close(fd);
    if (error != 0) {
        throw EIniFileError(path, "read", Reason(error), error);
    }
    stamp = StampOf(info);
    stamp.Size = bytes.size();
    return bytes;
}

TFileStamp SaveFileSafely(const std::string& path, std::string_view bytes, TFileOps& ops, bool createFolder,
                          const TFileStamp* expected) {
    if (path.empty()) {
        throw EIniFileError(path, "save", "no file name", ENOENT);
    }
    const std::string target = FinalTarget(path);
    const std::string folder = FolderOf(target);
    if (createFolder) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }

    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    // A link to a device, FIFO or socket must not turn into a regular file (as root, a link to
    // /dev/null would replace /dev/null).
    if (replacing && !S_ISREG(old.st_mode)) {
        RefuseNotRegular(path, "save", old.st_mode);
    }

    // A file marked read-only stays unchanged, as it would on Windows, although its folder
    // would allow replacing it. The mode bits decide: access() lets root write anything.
    if (replacing && (old.st_mode & S_IWUSR) == 0) {
        throw EIniFileError(path, "save", "the file is marked read-only", EACCES, TFileProblem::ReadOnly);
    }
    if (replacing && ::access(target.c_str(), W_OK) != 0) {
        const int error = errno;
        throw EIniFileError(path, "save", Reason(error), error);
    }

    RemoveStaleTemporaries(target, ops);

    std::string temporary;
    int fd = -1;
    // A temporary file left by a crashed process can hold the name; the next name is tried.
    for (int attempt = 0; attempt < kMostNameAttempts; ++attempt) {
        temporary = TemporaryName(target);
        fd = ops.Open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        const int error = errno;
        throw EIniFileError(path, "save", Reason(error), error);
    }
    auto fail = [&](int error, bool open) -> TFileStamp {
        if (open) {
            ops.Close(fd);
        }
        ops.Remove(temporary);
        throw EIniFileError(path, "save", Reason(error), error);
    };

    if (replacing) {
        if (ops.ChangeMode(fd, old.st_mode & 07777) != 0) {
            return fail(errno, true);
        }
        // Keeps the owner when an administrator saves someone else's file; not possible (and not
        // needed) otherwise.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        }
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ops.Write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return fail(wrote < 0 ? errno : EIO, true);
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (ops.Sync(fd) != 0) {
        return fail(errno, true);
    }
    struct stat written {};
    if (::fstat(fd, &written) != 0) {
        return fail(errno, true);
    }
    if (ops.Close(fd) != 0) {
        return fail(errno, false);
    }
    // Another program that saved the file since it was read would lose its change to this
    // rename; the caller reads the file again and retries.
    if (expected != nullptr && StampOfFile(target) != *expected) {
        ops.Remove(temporary);
        throw EIniFileError(path, "save", "another program changed the file meanwhile", 0,
                            TFileProblem::ChangedMeanwhile);
    }
    if (ops.Rename(temporary, target) != 0) {
        return fail(errno, false);
    }
    // The rename itself reaches the disk with the folder's entry.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return StampOf(written);
}
