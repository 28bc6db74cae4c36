#include "PanelTestEnv.h"

#include "startup/CKestrelApp.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace paneltest {
namespace {

std::unique_ptr<CKestrelApp> g_app;
bool g_ready = false;

class PanelEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // Per-user files go to a fresh folder, never the account's own.
        m_home = std::make_unique<QTemporaryDir>();
        const QByteArray home = m_home->path().toUtf8();
        for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            qputenv(var, home);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "display_panel_tests";
        static char* argv[] = {name, nullptr};
        m_qapp = std::make_unique<QApplication>(argc, argv);
        g_app = std::make_unique<CKestrelApp>();
        g_ready = g_app->PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR));
    }
    void TearDown() override
    {
        g_app.reset();
        m_qapp.reset();
        m_home.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QApplication> m_qapp;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new PanelEnvironment);

}  // namespace

CKestrelApp* App()
{
    return g_ready ? g_app.get() : nullptr;
}

}  // namespace paneltest
