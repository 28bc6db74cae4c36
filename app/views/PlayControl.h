// The transport controls whose enabled state follows the play state.
#pragma once

namespace kestrel::views {

enum class PlayControl {
    Play,
    Pause,
    Stop,
    StepBackward,
    StepForward,
    PrevFile,
    NextFile,
    TimeLapse,
    PlayBar,
    SpeedSlider,
    SpeedReset,
    Snapshot,
    Report,
    Backup,
    Delete,
};

}  // namespace kestrel::views
