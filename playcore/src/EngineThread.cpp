#include "EngineThread.h"

#include <pthread.h>

namespace playcore {

void NameThisThread(const std::string& name)
{
    pthread_setname_np(pthread_self(), name.substr(0, 15).c_str());
}

}  // namespace playcore
