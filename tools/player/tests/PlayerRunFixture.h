// A generated two-channel card with sound, shared by the player's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "CardGen.h"

namespace fs = std::filesystem;

class PlayerRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_folder = fs::temp_directory_path() / ("kestrel-player-card-" + std::to_string(getpid()));
        kestrel::cardgen::CardOptions o = kestrel::cardgen::SmallTestCard(s_folder, 3);
        o.recordings = 2;
        o.durationSec = 3.0;
        o.fps = 10;
        o.container = kestrel::cardgen::Container::AviChannelFiles;
        o.audio = true;
        std::string error;
        s_generated = kestrel::cardgen::GenerateCard(o, &s_card, &error);
        if (!s_generated)
            ADD_FAILURE() << "card generation failed: " << error;
    }
    static void TearDownTestSuite()
    {
        std::error_code ec;
        fs::remove_all(s_folder, ec);
    }
    void SetUp() override
    {
        if (!s_generated)
            GTEST_SKIP() << "no card";
    }

    // Runs the player offscreen; the exit code, or -1 when it did not exit.
    static int Run(const std::string& args, const std::string& capture = std::string())
    {
        std::string cmd = "QT_QPA_PLATFORM=offscreen ";
        if (!capture.empty())
            cmd += "KESTREL_SOUND_CAPTURE='" + capture + "' ";
        cmd += "'" KESTREL_APP_DIR "/kestrel-player' " + args + " 2>/dev/null";
        const int status = std::system(cmd.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static inline fs::path s_folder;
    static inline bool s_generated = false;
    static inline kestrel::cardgen::CardResult s_card;
};

