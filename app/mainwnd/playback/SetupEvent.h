// The named set-up event "IPC_SHARED_EVT_SETUP": signalled after each
// language change so that other programs of the camera family can reload
// their texts. A POSIX named semaphore stands for the named event.
#pragma once

#include <semaphore.h>

namespace kestrel::playflow {

class CSetupEvent {
public:
    static constexpr const char* kName = "/IPC_SHARED_EVT_SETUP";

    CSetupEvent() = default;
    ~CSetupEvent() { Delete(); }
    CSetupEvent(const CSetupEvent&) = delete;
    CSetupEvent& operator=(const CSetupEvent&) = delete;

    // Opens (creating when needed) the semaphore; false when that fails.
    bool Create();
    // Wakes one waiter; does nothing when not created.
    void Signal();
    // Closes and removes the name; safe when not created.
    void Delete();
    bool IsCreated() const { return m_sem != SEM_FAILED; }

private:
    sem_t* m_sem = SEM_FAILED;
};

}  // namespace kestrel::playflow
