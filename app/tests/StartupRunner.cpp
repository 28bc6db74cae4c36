#include "StartupRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <vector>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Hard link where possible (same file system), else copy.
void LinkOrCopy(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    fs::create_hard_link(from, to, ec);
    if (ec)
        fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

}  // namespace

StartupSandbox::StartupSandbox()
{
    QDir().mkpath(STARTUP_TEST_TMP);
    QByteArray tmpl = QByteArray(STARTUP_TEST_TMP) + "/run_XXXXXX";
    if (::mkdtemp(tmpl.data()))
        m_root = QString::fromLocal8Bit(tmpl);
    for (const QString& d : {App(), ConfigHome(), DataHome(), Home()})
        QDir().mkpath(d);
    QDir().mkpath(RuntimeDir());
    ::chmod(QFile::encodeName(RuntimeDir()).constData(), 0700);

    // The staged application folder: programs and libraries side by side,
    // data folders copied so the tests can damage them.
    const fs::path staged(KESTREL_APP_DIR);
    const fs::path app(App().toStdString());
    for (const auto& e : fs::directory_iterator(staged)) {
        const std::string name = e.path().filename().string();
        if (e.is_regular_file())
            LinkOrCopy(e.path(), app / name);
        else if (e.is_directory() && name != "plugins")
            fs::copy(e.path(), app / name, fs::copy_options::recursive);
    }
    fs::create_directory(app / "plugins");
    AddPlugin("startup_plugin_quartzen");
    SetScreen(1920, 1080);
}

StartupSandbox::~StartupSandbox()
{
    if (!m_root.isEmpty() && qEnvironmentVariable("KESTREL_KEEP_SANDBOX") != "1")
        QDir(m_root).removeRecursively();
}

void StartupSandbox::AddPlugin(const QString& moduleName)
{
    const fs::path from = fs::path(STARTUP_TEST_PLUGIN_DIR) / (moduleName.toStdString() + ".so");
    LinkOrCopy(from, fs::path(App().toStdString()) / "plugins" / (moduleName.toStdString() + ".so"));
}

void StartupSandbox::WriteFile(const QString& relativeToRoot, const QByteArray& text)
{
    const QString path = m_root + '/' + relativeToRoot;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(text);
}

void StartupSandbox::SetScreen(int width, int height)
{
    m_screenFile = m_root + QStringLiteral("/screen.json");
    WriteFile("screen.json", QStringLiteral("{\"screens\":[{\"name\":\"S\",\"x\":0,\"y\":0,\"width\":%1,"
                                            "\"height\":%2,\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}")
                                 .arg(width)
                                 .arg(height)
                                 .toUtf8());
}

pid_t StartupSandbox::Start()
{
    ++m_runs;
    QFile::remove(m_root + "/messages.log");
    QStringList env;
    for (char** e = environ; *e; ++e)
        env << QString::fromLocal8Bit(*e);
    const QStringList overrides = {
        "QT_QPA_PLATFORM=offscreen:configfile=" + m_screenFile,
        "XDG_CONFIG_HOME=" + ConfigHome(),
        "XDG_DATA_HOME=" + DataHome(),
        "XDG_RUNTIME_DIR=" + RuntimeDir(),
        "HOME=" + Home(),
        "KESTREL_MESSAGEBOX_LOG=" + m_root + "/messages.log",
        "KESTREL_TRACE=1",
        "KESTREL_AUTOCLOSE_MS=0",
        "LC_ALL=en_US.UTF-8",
        // A leak gets an exit status of its own, so it cannot pass for a
        // start-up failure.
        "LSAN_OPTIONS=exitcode=23",
    };
    auto set = [&env](const QString& kv) {
        const QString key = kv.section('=', 0, 0) + '=';
        env.erase(std::remove_if(env.begin(), env.end(), [&](const QString& e) { return e.startsWith(key); }),
                  env.end());
        env << kv;
    };
    for (const QString& kv : overrides)
        set(kv);
    for (const QString& kv : m_env)
        set(kv);

    std::vector<QByteArray> store;
    for (const QString& kv : env)
        store.push_back(kv.toLocal8Bit());
    std::vector<char*> envp;
    for (QByteArray& b : store)
        envp.push_back(b.data());
    envp.push_back(nullptr);
    const QByteArray program = QFile::encodeName(App() + "/kestrel");
    const QByteArray errFile = QFile::encodeName(m_root + QStringLiteral("/stderr%1.txt").arg(m_runs));

    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(errFile.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0)
            ::dup2(fd, 2);
        char* argv[] = {const_cast<char*>(program.constData()), nullptr};
        ::execve(program.constData(), argv, envp.data());
        ::_exit(127);
    }
    return pid;
}

StartupResult StartupSandbox::Wait(pid_t pid, int timeoutMs)
{
    StartupResult r;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            r.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!r.timedOut && WIFEXITED(status))
        r.exitCode = WEXITSTATUS(status);
    r.trace = QString::fromUtf8(ReadAll(m_root + QStringLiteral("/stderr%1.txt").arg(m_runs)));
    const QString log = QString::fromUtf8(ReadAll(m_root + "/messages.log"));
    r.messages = log.split('\n', Qt::SkipEmptyParts);
    return r;
}

StartupResult StartupSandbox::Run(int timeoutMs)
{
    return Wait(Start(), timeoutMs);
}

QString StartupSandbox::ProfileValue(const QString& section, const QString& key) const
{
    const QString text = QString::fromUtf8(ReadAll(ProfileFile()));
    QString current;
    for (const QString& raw : text.split('\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith('['))
            current = line.mid(1, line.indexOf(']') - 1);
        else if (current.compare(section, Qt::CaseInsensitive) == 0 && line.contains('=') &&
                 line.section('=', 0, 0).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.section('=', 1).trimmed();
    }
    return QStringLiteral("<missing>");
}

bool LockIsHeld(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}
