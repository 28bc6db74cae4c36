// Runs the built viewer against a prepared copy of the application folder,
// with its per-user folders in the same temporary tree, on Qt's offscreen
// platform.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <sys/types.h>

struct StartupResult {
    int exitCode = -1;      // -1: killed or timed out
    bool timedOut = false;
    QString trace;          // stderr (KESTREL_TRACE=1)
    QStringList messages;   // message boxes, one per line
};

class StartupSandbox {
public:
    StartupSandbox();
    ~StartupSandbox();
    StartupSandbox(const StartupSandbox&) = delete;
    StartupSandbox& operator=(const StartupSandbox&) = delete;

    QString Root() const { return m_root; }
    QString App() const { return m_root + "/app"; }
    QString ConfigHome() const { return m_root + "/config"; }
    QString DataHome() const { return m_root + "/data"; }
    QString Home() const { return m_root + "/home"; }
    QString RuntimeDir() const { return m_root + "/run"; }
    QString ProfileFile() const { return ConfigHome() + "/Kestrel/kestrel.ini"; }

    // Adds a stand-in plug-in ("startup_plugin_quartzen" / "_other").
    void AddPlugin(const QString& moduleName);
    void WriteFile(const QString& relativeToRoot, const QByteArray& text);
    void SetScreen(int width, int height);
    void SetEnv(const QString& name, const QString& value) { m_env << name + '=' + value; }

    StartupResult Run(int timeoutMs = 60000);
    // Starts without waiting; Wait collects it.
    pid_t Start();
    StartupResult Wait(pid_t pid, int timeoutMs = 60000);

    QString ProfileValue(const QString& section, const QString& key) const;

private:
    QString m_root;
    QString m_screenFile;
    QStringList m_env;
    int m_runs = 0;
};

// True when another process holds the flock on `path`.
bool LockIsHeld(const QString& path);
