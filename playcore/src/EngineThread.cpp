#include "EngineThread.h"

#include <pthread.h>
#include <sched.h>

#include <chrono>
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

}  // namespace playcore
