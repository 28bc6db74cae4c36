#include "ListTestEnv.h"

#include "OffscreenViewerEnv.h"
#include "filehub/CPluginManager.h"
#include "startup/CKestrelApp.h"

#include <gtest/gtest.h>

#include <memory>

namespace listtest {
namespace {

std::unique_ptr<CKestrelApp> g_app;
bool g_ready = false;
kestrel::cardgen::CardResult g_card;

class ListEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        m_env = std::make_unique<kestrel::testenv::OffscreenViewerEnv>("list_panel_tests");
        g_app = std::make_unique<CKestrelApp>();
        g_ready = m_env->Ok() && g_app->PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR));
        if (!g_ready)
            return;

        // Channel-file sets only, so whichever reader takes the folder finds all.
        auto options = kestrel::cardgen::SmallTestCard(m_env->Home().toStdString() + "/card", 11);
        options.recordings = 5;
        options.container = kestrel::cardgen::Container::AviChannelFiles;
        std::string error;
        kestrel::cardgen::CardResult card;
        if (!kestrel::cardgen::GenerateCard(options, &card, &error)) {
            ADD_FAILURE() << error;
            return;
        }
        CPluginManager* pm = g_app->PluginManager();
        const std::wstring folder = QString::fromStdString(options.folder).toStdWString();
        if (!pm || pm->SelectFileType(folder) <= 0 || pm->LoadFile(folder) != 0) {
            ADD_FAILURE() << "the plug-in did not load the card";
            return;
        }
        g_card = card;
    }
    void TearDown() override
    {
        g_app.reset();
        m_env.reset();
    }

private:
    std::unique_ptr<kestrel::testenv::OffscreenViewerEnv> m_env;
};

[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new ListEnvironment);

}  // namespace

CKestrelApp* App()
{
    return g_ready ? g_app.get() : nullptr;
}

const kestrel::cardgen::CardResult& Card()
{
    return g_card;
}

}  // namespace listtest
