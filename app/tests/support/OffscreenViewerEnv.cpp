#include "OffscreenViewerEnv.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace kestrel::testenv {

OffscreenViewerEnv::OffscreenViewerEnv(const char* program, int screenWidth, int screenHeight)
    : m_program(program)
{
    const QString home = m_home.path();
    m_ok = m_home.isValid();
    for (const char* sub : {"config", "data", "runtime"})
        m_ok = m_ok && QDir(home).mkpath(QString::fromLatin1(sub));
    // The runtime folder must be private, or Qt complains on every start.
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home + QStringLiteral("/runtime")).toUtf8());

    // The offscreen platform reads its screens from a JSON file.
    QFile screen(home + QStringLiteral("/screen.json"));
    m_ok = m_ok && screen.open(QIODevice::WriteOnly);
    screen.write(QStringLiteral(R"({"screens":[{"name":"S","x":0,"y":0,"width":%1,"height":%2,)"
                                R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                     .arg(screenWidth)
                     .arg(screenHeight)
                     .toUtf8());
    screen.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screen.fileName()).toUtf8());

    m_argv[0] = m_program.data();
    m_qt = std::make_unique<QApplication>(m_argc, m_argv);
}

OffscreenViewerEnv::~OffscreenViewerEnv() = default;

}  // namespace kestrel::testenv
