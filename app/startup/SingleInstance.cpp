#include "startup/SingleInstance.h"

#include "startup/Trace.h"
#include "util/UserFolders.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

CSingleInstance::~CSingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString CSingleInstance::LockFileFor(const QString& name)
{
    QString safe = name;
    for (QChar& c : safe)
        if (c == u'/' || c == u'\0')
            c = u'_';
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = kestrel::folders::RuntimeFolder();
    const bool shared = runtime.isEmpty() || QDir::cleanPath(runtime) != folder;
    return folder + (shared ? QStringLiteral("/kestrel-%1-%2.lock").arg(::getuid()).arg(safe)
                            : QStringLiteral("/kestrel-%1.lock").arg(safe));
}

bool CSingleInstance::Acquire(const QString& name)
{
    if (m_fd >= 0)
        return true;
    m_path = LockFileFor(name);
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // No lock file possible: run rather than refuse, and say so.
        const int err = errno;
        kestrel::Trace(QStringLiteral("no lock file %1 (%2): a second copy is not kept out")
                           .arg(m_path, QString::fromLocal8Bit(std::strerror(err))));
        return true;
    }
    int rc;
    do
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return !held;
    }
    m_fd = fd;
    return true;
}
