// Rewriting an INI file while other processes read and write it: readers
// always see a whole file, and writers never lose each other's keys.
#include "ini/CIniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kKeys = 40;
constexpr int kRounds = 150;

std::wstring Key(int i)
{
    return L"key" + std::to_wstring(i);
}

// Runs `body` in a child process; returns its pid.
template <typename Fn>
pid_t Spawn(Fn body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() ? 0 : 1);
    return pid;
}

int WaitExit(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

class IniConcurrency : public ::testing::Test {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/ini_conc_XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
        path = (dir / "ViewerSet.ini").wstring();
        ASSERT_TRUE(CIniFile::Update(path, [](CIniFile& d) {
            for (int i = 0; i < kKeys; ++i)
                d.SetInt(L"Global", Key(i), i);
        }));
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path dir;
    std::wstring path;
};

TEST_F(IniConcurrency, ReaderNeverSeesAPartialFile)
{
    const pid_t writer = Spawn([&] {
        for (int r = 1; r <= kRounds; ++r)
            if (!CIniFile::WriteInt(path, L"Global", L"round", r))
                return false;
        return true;
    });
    int lastRound = 0;
    bool allPresent = true;
    for (int n = 0; n < 4 * kRounds && lastRound < kRounds; ++n) {
        const CIniFile seen = CIniFile::Load(path);
        for (int i = 0; i < kKeys; ++i)
            allPresent = allPresent && seen.GetInt(L"Global", Key(i), -1) == i;
        const int round = seen.GetInt(L"Global", L"round", 0);
        EXPECT_GE(round, lastRound);
        lastRound = round;
    }
    EXPECT_EQ(WaitExit(writer), 0);
    EXPECT_TRUE(allPresent);
    EXPECT_EQ(CIniFile::ReadInt(path, L"Global", L"round", 0), kRounds);
}

TEST_F(IniConcurrency, TwoWritersKeepEachOthersKeys)
{
    auto writerOf = [&](const wchar_t* section) {
        return [&, section] {
            for (int r = 0; r < kRounds; ++r)
                if (!CIniFile::WriteInt(path, section, Key(r), r))
                    return false;
            return true;
        };
    };
    const pid_t a = Spawn(writerOf(L"Channel0"));
    const pid_t b = Spawn(writerOf(L"Channel1"));
    EXPECT_EQ(WaitExit(a), 0);
    EXPECT_EQ(WaitExit(b), 0);
    const CIniFile done = CIniFile::Load(path);
    for (int r = 0; r < kRounds; ++r) {
        EXPECT_EQ(done.GetInt(L"Channel0", Key(r), -1), r);
        EXPECT_EQ(done.GetInt(L"Channel1", Key(r), -1), r);
    }
    for (int i = 0; i < kKeys; ++i)
        EXPECT_EQ(done.GetInt(L"Global", Key(i), -1), i);
}

}  // namespace
