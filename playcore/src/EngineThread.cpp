#include "EngineThread.h"

#include <pthread.h>
#include <sched.h>

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace playcore {

void NameThisThread(const std::string& name)
{
    pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
}

uint64_t TickMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void YieldThread()
{
    sched_yield();
}

static bool TraceEnabled()
{
    static const bool enabled = [] {
        const char* v = std::getenv("KESTREL_TRACE");
        return v && std::strcmp(v, "1") == 0;
    }();
    return enabled;
}

void Trace(const char* format, ...)
{
    if (!TraceEnabled())
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}

}  // namespace playcore
