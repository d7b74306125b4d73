#include "platform/instance/singleinstance.h"

#include <QDir>
#include <QFile>

#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray pathOf(const char *name)
{
    return QFile::encodeName(QDir(SingleInstance::sessionFolder()).filePath(QString::fromLatin1(name)));
}

bool fillAddress(sockaddr_un &address, const QByteArray &path)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

} // namespace

QString SingleInstance::sessionFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    const QString fallback = QDir::temp().filePath(QStringLiteral("orbilane-%1").arg(getuid()));
    QDir().mkpath(fallback);
    QFile::setPermissions(fallback, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return fallback;
}

SingleInstance::~SingleInstance()
{
    if (m_socketFd >= 0) {
        ::close(m_socketFd);
        ::unlink(pathOf(kNotificationName).constData());
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd); // releases the lock
}

bool SingleInstance::acquire()
{
    if (m_lockFd >= 0)
        return true;
    const int fd = ::open(pathOf(kLockName).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;

    // Holding the lock means no other copy owns the socket path: a file left
    // there by a copy that crashed can go.
    const QByteArray socketPath = pathOf(kNotificationName);
    sockaddr_un address;
    if (fillAddress(address, socketPath)) {
        ::unlink(socketPath.constData());
        m_socketFd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (m_socketFd >= 0 && ::bind(m_socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
            ::close(m_socketFd);
            m_socketFd = -1;
        }
    }
    return true;
}

void SingleInstance::notifyRunningCopy()
{
    sockaddr_un address;
    if (!fillAddress(address, pathOf(kNotificationName)))
        return;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    const QByteArray message = QByteArray(kNotificationName) + ' ' + QByteArray::number(kRestoreCommand) + " 0";
    ::sendto(fd, message.constData(), size_t(message.size()), MSG_DONTWAIT, reinterpret_cast<sockaddr *>(&address),
             sizeof address);
    ::close(fd);
}
