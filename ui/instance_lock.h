#pragma once
// The one-copy rule. A running copy holds an exclusive lock on a file named
// after the lock in the user's runtime folder; the kernel drops the lock when
// the process ends in any way, a crash included, so a stale lock never keeps
// the program from starting.

#include <string>

enum class InstanceLockResult {
    Acquired,    // this is the only running copy; the lock is held until exit
    HeldByOther, // another copy runs
    Unavailable, // no lock can be made here (no usable folder); run unguarded
};

// The folder for the lock file: $XDG_RUNTIME_DIR, else /tmp/zirs-<uid>
// (made private to the user when missing). Only a folder of our own that no
// one else may write into is used, so nobody can plant or hold the lock file
// for us; empty when neither is such a folder.
std::string InstanceLockFolder();

// Takes the lock `name` for the rest of the process's life.
InstanceLockResult AcquireInstanceLock(const std::string& name);
