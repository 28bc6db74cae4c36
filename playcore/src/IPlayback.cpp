#include "playcore/IPlayback.h"

#include <new>

#include "PlayManager.h"

IPlayback::IPlayback(const IPlayback& other)
{
    std::lock_guard<std::mutex> lock(other.m_callbackLock);
    m_pCallback = other.m_pCallback;
    m_pUser = other.m_pUser;
}

IPlayback& IPlayback::operator=(const IPlayback& other)
{
    if (this == &other)
        return *this;
    PlaybackCallback cb;
    void* user;
    {
        std::lock_guard<std::mutex> lock(other.m_callbackLock);
        cb = other.m_pCallback;
        user = other.m_pUser;
    }
    std::lock_guard<std::mutex> lock(m_callbackLock);
    m_pCallback = cb;
    m_pUser = user;
    return *this;
}

IPlayback* IPlayback::Create()
{
    return new (std::nothrow) CPlayManager();
}

int IPlayback::OpenFile(CRecFileInfo*) { return -1; }
void IPlayback::CloseFile() {}
int IPlayback::GetStreamInfo(int, _TAG_STREAM_INFO*) { return -1; }
int IPlayback::Start() { return -1; }
void IPlayback::Stop() {}
void IPlayback::Pause(int) {}
void IPlayback::Resume() {}
void IPlayback::StepNext() {}
void IPlayback::SetPos(double) {}
void IPlayback::SetPBSpeed(double) {}
_TAG_DEC_INFO* IPlayback::GetLastVideo(int) { return nullptr; }
void IPlayback::SetAudioLevel(double) {}
int IPlayback::GetPlayState() { return 0; }

void IPlayback::SetCallback(PlaybackCallback callback, void* user)
{
    std::lock_guard<std::mutex> lock(m_callbackLock);
    m_pCallback = callback;
    m_pUser = user;
}

void IPlayback::Notify(uint32_t code, void* info)
{
    PlaybackCallback cb;
    void* user;
    {
        std::lock_guard<std::mutex> lock(m_callbackLock);
        cb = m_pCallback;
        user = m_pUser;
    }
    if (cb)
        cb(code, 0, info, user);
}
