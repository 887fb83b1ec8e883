#include "store/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

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

std::shared_ptr<TFileOps> DefaultFileOps() {
    static const std::shared_ptr<TFileOps> ops = std::make_shared<TFileOps>();
    return ops;
}
