#include "ListTestEnv.h"

#include "filehub/CPluginManager.h"
#include "startup/CKestrelApp.h"

#include <QApplication>
#include <QTemporaryDir>

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
        // Per-user files go to a fresh folder, never the account's own.
        m_home = std::make_unique<QTemporaryDir>();
        const QByteArray home = m_home->path().toUtf8();
        for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            qputenv(var, home);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "list_panel_tests";
        static char* argv[] = {name, nullptr};
        m_qapp = std::make_unique<QApplication>(argc, argv);
        g_app = std::make_unique<CKestrelApp>();
        g_ready = g_app->PrepareWithoutWindow(QStringLiteral(KESTREL_APP_DIR));
        if (!g_ready)
            return;

        // Channel-file sets only, so whichever reader takes the folder finds all.
        auto options = kestrel::cardgen::SmallTestCard(m_home->path().toStdString() + "/card", 11);
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
        m_qapp.reset();
        m_home.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QApplication> m_qapp;
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
