#include "ui/instance_lock.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The process keeps the descriptor open for its whole life; closing it would
// release the lock.
int HeldLockDescriptor = -1;

// A folder in /tmp is shared with every user: accept only a real folder owned
// by us that nobody else can write into, so no one can plant the lock file.
bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

std::string InstanceLockFolder() {
    std::vector<std::string> candidates;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        candidates.emplace_back(runtime);
    candidates.push_back("/tmp/zirs-" + std::to_string(getuid()));
    for (const std::string& folder : candidates) {
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            continue;
        if (IsPrivateFolder(folder))
            return folder;
    }
    return {};
}

InstanceLockResult AcquireInstanceLock(const std::string& name) {
    const std::string folder = InstanceLockFolder();
    if (folder.empty())
        return InstanceLockResult::Unavailable;

    const std::string path = folder + "/" + name;
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return InstanceLockResult::Unavailable;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        close(fd);
        return busy ? InstanceLockResult::HeldByOther : InstanceLockResult::Unavailable;
    }
    if (HeldLockDescriptor >= 0)
        close(HeldLockDescriptor);
    HeldLockDescriptor = fd;
    return InstanceLockResult::Acquired;
}
