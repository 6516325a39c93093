// Runs a check in a child process with its own mount namespace, so that the mounts it makes
// vanish with it. The check answers 0 for success or the number of the step that failed.
#pragma once

#include <QByteArray>

#include <functional>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

// The child's answer; -1 when it could not start or did not exit normally, 100 when the
// namespace could not be made.
inline int inPrivateMounts(const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            ::_exit(100);
        ::_exit(check());
    }
    if (child < 0)
        return -1;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

inline bool bindMount(const QByteArray& folder, bool readOnly)
{
    return ::mount(folder.constData(), folder.constData(), nullptr, MS_BIND, nullptr) == 0
        && (!readOnly || ::mount(nullptr, folder.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0);
}
