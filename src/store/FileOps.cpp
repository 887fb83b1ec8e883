#include "store/FileOps.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

int TFileOps::Open(const std::string& path, int flags, mode_t mode) {
    return ::open(path.c_str(), flags, mode);
}

ssize_t TFileOps::Write(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

int TFileOps::Sync(int fd) {
    return ::fsync(fd);
}

int TFileOps::ChangeMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int TFileOps::Close(int fd) {
    return ::close(fd);
}

int TFileOps::Rename(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str());
}

int TFileOps::Remove(const std::string& path) {
    return ::unlink(path.c_str());
}

bool TFileOps::IsFolderWritable(const std::string& folder) {
    return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

int TFileOps::LockExclusive(const std::string& path) {
    // A copy that hangs while it holds the lock must not hang this one: after a few seconds the
    // save goes on without the lock, guarded by the stamp check alone.
    using namespace std::chrono_literals;
    const auto giveUp = std::chrono::steady_clock::now() + 5s;
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            return -1;
        }
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > giveUp) {
                ::close(fd);
                return -1;
            }
            std::this_thread::sleep_for(5ms);
        }
        // The lock counts only on the file that is still there: the copy before may have removed it.
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            return fd;
        }
        ::close(fd);
    }
}

void TFileOps::Unlock(const std::string& path, int fd) {
    if (fd >= 0) {
        ::unlink(path.c_str());
        ::close(fd); // closing the only descriptor releases the lock
    }
}

std::shared_ptr<TFileOps> DefaultFileOps() {
    static const std::shared_ptr<TFileOps> ops = std::make_shared<TFileOps>();
    return ops;
}
