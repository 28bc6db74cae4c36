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
SeekPhase IPlaybackCtrl::GetDecodeSeekState() { return SeekPhase::Idle; }
void IPlaybackCtrl::SetReadSeekState(SeekPhase) {}
void IPlaybackCtrl::SetVolume(double) {}
int IPlaybackCtrl::GetVideoState() { return kStreamAbsent; }
int IPlaybackCtrl::GetAudioState() { return kStreamAbsent; }

}  // namespace playcore
