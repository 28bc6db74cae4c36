// What every windowed viewer test needs before its first widget: the
// per-user files in a fresh private home (never the account's own), the
// offscreen platform on one screen of a chosen size, and the QApplication.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QApplication;

namespace kestrel::testenv {

class OffscreenViewerEnv {
public:
    // `program` names the test program in argv[0].
    explicit OffscreenViewerEnv(const char* program, int screenWidth = 1920, int screenHeight = 1080);
    ~OffscreenViewerEnv();
    OffscreenViewerEnv(const OffscreenViewerEnv&) = delete;
    OffscreenViewerEnv& operator=(const OffscreenViewerEnv&) = delete;

    // false when the private home could not be made.
    bool Ok() const { return m_ok; }
    QString Home() const { return m_home.path(); }

private:
    QTemporaryDir m_home;
    bool m_ok = false;
    // QApplication keeps references to argc and argv for its whole life.
    QByteArray m_program;
    int m_argc = 1;
    char* m_argv[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> m_qt;
};

}  // namespace kestrel::testenv
