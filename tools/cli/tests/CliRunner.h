// Runs the built kestrel-cli from the application folder and captures its
// exit code, standard output and standard error.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& s)
{
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string ReadWholeFile(const std::string& path)
{
    std::stringstream ss;
    ss << std::ifstream(path, std::ios::binary).rdbuf();
    return ss.str();
}

// `stdoutTarget` replaces the captured standard output (e.g. "/dev/full").
inline CliRun RunCli(const std::vector<std::string>& args, const std::string& stdoutTarget = "")
{
    const std::string base = std::filesystem::temp_directory_path() / ("kestrel-cli-run-" + std::to_string(getpid()));
    std::string cmd = ShellQuote(std::string(KESTREL_APP_DIR) + "/kestrel-cli");
    for (const std::string& a : args)
        cmd += " " + ShellQuote(a);
    cmd += " > " + (stdoutTarget.empty() ? base + ".out" : stdoutTarget) + " 2> " + base + ".err";
    CliRun run;
    const int status = std::system(cmd.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = stdoutTarget.empty() ? ReadWholeFile(base + ".out") : std::string();
    run.err = ReadWholeFile(base + ".err");
    std::remove((base + ".out").c_str());
    std::remove((base + ".err").c_str());
    return run;
}

// True when a recording plug-in has been built into the application folder.
inline bool PluginBuilt()
{
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(std::string(KESTREL_APP_DIR) + "/plugins", ec))
        if (e.path().extension() == ".so")
            return true;
    return false;
}

inline size_t CountOf(const std::string& hay, const std::string& needle)
{
    size_t n = 0;
    for (size_t p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + needle.size()))
        ++n;
    return n;
}
