// A playback flow on a fake window with the real engine and the real
// recording plug-in, over a small generated card in a folder of its own.
#pragma once

#include "CPlayFlow.h"
#include "FakeViews.h"

#include "CardGen.h"
#include "filehub/CPluginManager.h"
#include "startup/CViewerSetup.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

namespace kestrel::playflow::test {

class PlayFlowTest : public ::testing::Test {
protected:
    // Writes the card (`shape` adjusts the small card) and loads it.
    void LoadCard(const std::function<void(cardgen::CardOptions&)>& shape = nullptr)
    {
        namespace fs = std::filesystem;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_folder = (fs::temp_directory_path() /
                    ("kestrel_playflow_" + std::to_string(getpid()) + "_" + info->name()))
                       .string();
        fs::remove_all(m_folder);
        cardgen::CardOptions o = cardgen::SmallTestCard(m_folder, 7);
        // One file per channel: the plug-in lists every recording, and one
        // channel file can be damaged on its own.
        o.container = cardgen::Container::AviChannelFiles;
        if (shape)
            shape(o);
        std::string error;
        ASSERT_TRUE(cardgen::GenerateCard(o, &m_card, &error)) << error;

        m_pm = std::make_unique<CPluginManager>();
        ASSERT_GT(m_pm->EnumPlugins(std::wstring(L"" KESTREL_APP_DIR)), 0) << "recplugin not staged";
        ASSERT_EQ(m_pm->LoadPlugin(0), 1);
        const std::wstring folder = fs::path(m_folder).wstring();
        ASSERT_GT(m_pm->SelectFileType(folder), 0);
        ASSERT_EQ(m_pm->LoadFile(folder), 0);
        int32_t flags[8] = {1, 1, 1, 1, 1, 1, 1, 1};
        m_pm->MergeData(flags);
        m_pm->SortMergedData(1);  // oldest first
        ASSERT_EQ(m_pm->GetMergedDataCount(), m_card.recordings);

        PlayFlowContext context;
        context.plugins = m_pm.get();
        context.settings = &settings;
        context.userDataFolder = userDataFolder;
        m_pm->GetPluginInfo(m_pm->GetLoadedPlugin(), &context.pluginInfo);
        flow = std::make_unique<CPlayFlow>(views.Roles());
        flow->Initialize(context);
        flow->SetPlayState(CPlayFlow::kStopped);
        flow->SetControlState(CPlayFlow::kStopped);
    }

    void TearDown() override
    {
        if (flow)
            flow->Uninitialize();
        flow.reset();
        m_pm.reset();
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder);
    }

    bool Pump(const std::function<bool()>& done, int timeoutMs = 10000) { return views.post.Pump(*flow, done, timeoutMs); }
    int RecordCount() { return m_pm->GetMergedDataCount(); }
    CRecFileInfo* Record(int i) { return m_pm->GetRecFileInfo(i); }

    FakeViews views;
    CViewerSetup settings;
    QString userDataFolder;  // where Uninitialize saves the settings; empty: nowhere
    std::unique_ptr<CPlayFlow> flow;
    cardgen::CardResult m_card;
    std::unique_ptr<CPluginManager> m_pm;
    std::string m_folder;
};

}  // namespace kestrel::playflow::test
