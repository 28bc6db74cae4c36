#include "util/UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

namespace kestrel::folders {

namespace {

// An XDG variable counts only when it holds an absolute path.
QString XdgVariable(const char* name)
{
    const QString v = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(v) ? QDir::cleanPath(v) : QString();
}

QString UserName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        if (const passwd* pw = ::getpwuid(::getuid()))
            user = QString::fromLocal8Bit(pw->pw_name);
    return user;
}

}  // namespace

QString HomeFolder()
{
    const QString home = XdgVariable("HOME");
    if (!home.isEmpty())
        return home;
    if (const passwd* pw = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(pw->pw_dir);
    return QDir::rootPath();
}

QString ConfigHome()
{
    const QString v = XdgVariable("XDG_CONFIG_HOME");
    return v.isEmpty() ? HomeFolder() + QStringLiteral("/.config") : v;
}

QString DataHome()
{
    const QString v = XdgVariable("XDG_DATA_HOME");
    return v.isEmpty() ? HomeFolder() + QStringLiteral("/.local/share") : v;
}

QString DocumentsFolder()
{
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return docs.isEmpty() ? HomeFolder() + QStringLiteral("/Documents") : docs;
}

QString RuntimeFolder()
{
    const QString v = XdgVariable("XDG_RUNTIME_DIR");
    return !v.isEmpty() && QFileInfo(v).isDir() ? v : QDir::tempPath();
}

QString ComputerFolder()
{
    const QString user = UserName();
    if (!user.isEmpty()) {
        for (const QString& root : {QStringLiteral("/media/"), QStringLiteral("/run/media/")}) {
            if (QFileInfo(root + user).isDir())
                return root + user;
        }
    }
    return HomeFolder();
}

}  // namespace kestrel::folders
