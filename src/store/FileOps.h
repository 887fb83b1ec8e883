#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <sys/types.h>

// The file operations a save goes through. Each behaves like the POSIX call of the same
// purpose: -1 and errno on failure. Tests derive from it to make a save fail half-way (a full
// disk, a folder that refuses new files) and check that the old file survives.
class TFileOps {
public:
    virtual ~TFileOps() = default;

    virtual int Open(const std::string& path, int flags, mode_t mode);
    virtual ssize_t Write(int fd, const void* data, std::size_t size);
    virtual int Sync(int fd);
    virtual int ChangeMode(int fd, mode_t mode);
    virtual int Close(int fd);
    virtual int Rename(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);
    // Whether new files can be made in the folder (an installed program's folder cannot).
    virtual bool IsFolderWritable(const std::string& folder);
    // Takes the advisory lock (flock) of the lock file at `path`, made when missing, and returns
    // the descriptor that holds it; -1 when the file cannot be made or the lock was not free
    // within a few seconds. Unlock removes the file and releases the lock; a copy that waited
    // on the removed file sees it gone and locks the next one.
    virtual int LockExclusive(const std::string& path);
    virtual void Unlock(const std::string& path, int fd);
};

// The plain POSIX operations, shared.
std::shared_ptr<TFileOps> DefaultFileOps();
