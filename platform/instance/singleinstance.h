#pragma once

#include <QString>

// One running copy per desktop session. The lock is a file in the session's
// runtime folder held with flock for the whole run: the kernel drops it when
// the process ends, however it ends, so a crash never blocks the next start.
// A copy that does not get the lock sends a notification on a datagram
// socket of the same session and ends; the running copy keeps that socket
// bound but does nothing with what arrives.
class SingleInstance
{
public:
    static constexpr const char *kLockName = "KVOrbilane_1_0_mtx";
    static constexpr const char *kNotificationName = "KVOrbilane_1_0";
    static constexpr int kRestoreCommand = 61728; // what the notification carries

    // The session's runtime folder (XDG_RUNTIME_DIR), or a per-user temporary
    // folder when the session names none.
    static QString sessionFolder();

    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this copy now holds the lock. False when another copy holds
    // it, or when the lock cannot be made at all (treated the same way).
    bool acquire();
    bool isHeld() const { return m_lockFd >= 0; }

    // Best effort: tells the running copy that another start happened.
    static void notifyRunningCopy();

private:
    int m_lockFd = -1;
    int m_socketFd = -1;
};
