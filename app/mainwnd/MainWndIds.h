// Identifiers of the main window: its controls (which are also the command
// ids their clicks raise), the commands that only a key raises, and its
// timers. The numbers are the ones the rest of the viewer is written against.
#pragma once

#include <cstdint>

namespace kestrel::mainwnd {

// Buttons.
inline constexpr int kBtnExit = 8192;
inline constexpr int kBtnMax = 8193;
inline constexpr int kBtnMRestore = 8194;
inline constexpr int kBtnFull = 8195;
inline constexpr int kBtnFRestore = 8196;
inline constexpr int kBtnMin = 8197;
inline constexpr int kBtnInfo = 8198;
inline constexpr int kBtnSite = 8199;
inline constexpr int kBtnLang = 8200;
inline constexpr int kBtnIcon = 8201;
inline constexpr int kBtnManual = 8202;
inline constexpr int kBtnViewerSetup = 8203;
inline constexpr int kBtnOpen = 8208;
inline constexpr int kBtnPlayForward = 8209;
inline constexpr int kBtnPause = 8210;
inline constexpr int kBtnStop = 8211;
inline constexpr int kBtnStepBackward = 8212;
inline constexpr int kBtnStepForward = 8213;
inline constexpr int kBtnFilePrev = 8214;
inline constexpr int kBtnFileNext = 8215;
inline constexpr int kBtnTimelapse = 8216;
inline constexpr int kBtnDelete = 8224;
inline constexpr int kBtnBackup = 8225;
inline constexpr int kBtnSnapshot = 8226;
inline constexpr int kBtnReport = 8227;
inline constexpr int kBtnVideoCtrl = 8228;
inline constexpr int kBtnSetup = 8229;
inline constexpr int kBtnSwitch = 8230;
inline constexpr int kBtnGpsMap = 8240;
inline constexpr int kBtnGpsSpeedUnitKm = 8241;
inline constexpr int kBtnGpsSpeedUnitMile = 8242;
inline constexpr int kBtnGpsStatus = 8243;
inline constexpr int kBtnGsenZoomIn = 8256;
inline constexpr int kBtnGsenZoomOut = 8257;
inline constexpr int kBtnVolume = 8275;
inline constexpr int kBtnPbSpeed = 8277;
inline constexpr int kBtnFtp = 8392;
inline constexpr int kBtnDivision = 8393;

// Statics.
inline constexpr int kStcGpsSpeed = 8244;
inline constexpr int kStcGpsLatLng = 8245;
inline constexpr int kStcGpsSpeedTag = 8246;
inline constexpr int kStcGpsLatLngTag = 8247;
inline constexpr int kStcGpsStatusTag = 8248;
inline constexpr int kStcGsenRangeTop = 8258;
inline constexpr int kStcGsenRangeCenter = 8259;
inline constexpr int kStcGsenRangeBottom = 8260;
inline constexpr int kStcGsenX = 8261;
inline constexpr int kStcGsenY = 8262;
inline constexpr int kStcGsenZ = 8263;
inline constexpr int kStcPlaybar = 8273;
inline constexpr int kStcPbSpeed = 8278;

// Sliders.
inline constexpr int kSldPlaybar = 8272;
inline constexpr int kSldVolume = 8274;
inline constexpr int kSldPbSpeed = 8276;

// Commands raised only by keys (no control carries them). Kept clear of the
// control ids above and of the list panel's 8292..8300.
inline constexpr int kCmdFullScreenToggle = 33001;  // Enter
inline constexpr int kCmdMaximiseToggle = 33002;    // Ctrl+Enter
inline constexpr int kCmdZoomPipPos = 33003;        // F9
inline constexpr int kCmdZoomPipShow = 33004;       // F10
inline constexpr int kCmdPlayPauseToggle = 33005;   // Space
inline constexpr int kCmdRestart = 33006;           // Backspace
inline constexpr int kCmdVolumeUp = 33007;          // Up
inline constexpr int kCmdVolumeDown = 33008;        // Down
inline constexpr int kCmdFrameStep = 33009;         // F
inline constexpr int kCmdMuteToggle = 33010;        // M
inline constexpr int kCmdAudioLevel = 33011;        // Ctrl+Alt+F10

// Posted by the playback flow's worker: one position update is due. A
// private number above the viewer's shared messages.
inline constexpr uint32_t kMsgPositionUpdate = 0x8001;

// Timers.
inline constexpr int kTimerPictureResume = 4105;  // ends the picture suppression after a re-layout
inline constexpr int kTimerDriveWatch = 4106;     // removable-drive watch
inline constexpr int kTimerKeepAwake = 4108;      // keeps the system awake every 30 s

// Window states.
enum WindowState { kStateNormal = 0, kStateMaximised = 1, kStateFullFromMaximised = 2, kStateFullFromNormal = 3 };

// Smallest client area that is laid out.
inline constexpr int kMinLayoutWidth = 1280;
inline constexpr int kMinLayoutHeight = 720;

}  // namespace kestrel::mainwnd
