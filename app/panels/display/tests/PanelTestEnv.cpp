#include "PanelTestEnv.h"

#include "OffscreenViewerEnv.h"
#include "startup/CKestrelApp.h"

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
        m_env = std::make_unique<kestrel::testenv::OffscreenViewerEnv>("display_panel_tests");
        g_app = std::make_unique<CKestrelApp>();
        g_ready = m_env->Ok() && g_app->PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR));
    }
    void TearDown() override
    {
        g_app.reset();
        m_env.reset();
    }

private:
    std::unique_ptr<kestrel::testenv::OffscreenViewerEnv> m_env;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new PanelEnvironment);

}  // namespace

const CUIResources* Res()
{
    return g_ready ? &g_app->Resources() : nullptr;
}

}  // namespace paneltest
