#include "IPlaybackCtrl.h"

namespace playcore {

int IPlaybackCtrl::SetSource(int, CRecFileInfo*) { return -1; }
void IPlaybackCtrl::ReleaseSource() {}
int IPlaybackCtrl::OpenStreams() { return -1; }
void IPlaybackCtrl::CloseStreams() {}
double IPlaybackCtrl::GetDuration() { return 0.0; }
int IPlaybackCtrl::StartThreads() { return -1; }
void IPlaybackCtrl::StopThreads() {}
void IPlaybackCtrl::Seek(double) {}
int IPlaybackCtrl::GetDecodeSeekState() { return 0; }
void IPlaybackCtrl::SetReadSeekState(int) {}
void IPlaybackCtrl::SetVolume(double) {}
int IPlaybackCtrl::GetVideoState() { return kStreamAbsent; }
int IPlaybackCtrl::GetAudioState() { return kStreamAbsent; }

}  // namespace playcore
