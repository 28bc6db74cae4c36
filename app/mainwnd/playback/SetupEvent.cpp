#include "SetupEvent.h"

#include <fcntl.h>

namespace kestrel::playflow {

bool CSetupEvent::Create()
{
    if (m_sem != SEM_FAILED)
        return true;
    m_sem = sem_open(kName, O_CREAT, 0600, 0);
    return m_sem != SEM_FAILED;
}

void CSetupEvent::Signal()
{
    if (m_sem == SEM_FAILED)
        return;
    // An event is either set or not: post only when nobody has yet taken
    // the previous signal, so repeated changes do not pile up.
    int value = 0;
    if (sem_getvalue(m_sem, &value) == 0 && value > 0)
        return;
    sem_post(m_sem);
}

void CSetupEvent::Delete()
{
    if (m_sem == SEM_FAILED)
        return;
    sem_close(m_sem);
    sem_unlink(kName);
    m_sem = SEM_FAILED;
}

}  // namespace kestrel::playflow
