#include "MainKeyTable.h"

#include "MainWndIds.h"

#include <array>

namespace kestrel::mainwnd {
namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;

const std::array<KeyBinding, 28> kKeys{{
    {Qt::Key_F1, kNone, kBtnManual},
    {Qt::Key_F5, kNone, kBtnBackup},
    {Qt::Key_F6, kNone, kBtnSnapshot},
    {Qt::Key_F7, kNone, kBtnVideoCtrl},
    {Qt::Key_F9, kNone, kCmdZoomPipPos},
    {Qt::Key_F10, kNone, kCmdZoomPipShow},
    {Qt::Key_F11, kNone, kBtnLang},
    {Qt::Key_F12, kNone, kBtnInfo},
    {Qt::Key_Delete, kNone, kBtnDelete},
    {Qt::Key_O, kCtrl, kBtnOpen},
    {Qt::Key_F4, kAlt, kBtnExit},
    {Qt::Key_Escape, kNone, kBtnFRestore},
    {Qt::Key_Return, kNone, kCmdFullScreenToggle},
    {Qt::Key_Enter, kNone, kCmdFullScreenToggle},
    {Qt::Key_Return, kCtrl, kCmdMaximiseToggle},
    {Qt::Key_Enter, kCtrl, kCmdMaximiseToggle},
    {Qt::Key_Space, kNone, kCmdPlayPauseToggle},
    {Qt::Key_Space, kCtrl, kBtnStop},
    {Qt::Key_Backspace, kNone, kCmdRestart},
    {Qt::Key_PageDown, kNone, kBtnFileNext},
    {Qt::Key_PageUp, kNone, kBtnFilePrev},
    {Qt::Key_Right, kNone, kBtnStepForward},
    {Qt::Key_Left, kNone, kBtnStepBackward},
    {Qt::Key_Up, kNone, kCmdVolumeUp},
    {Qt::Key_Down, kNone, kCmdVolumeDown},
    {Qt::Key_F, kNone, kCmdFrameStep},
    {Qt::Key_M, kNone, kCmdMuteToggle},
    {Qt::Key_F10, kCtrl | kAlt, kCmdAudioLevel},
}};

}  // namespace

std::span<const KeyBinding> MainKeyTable()
{
    return kKeys;
}

int CommandForKey(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    for (const KeyBinding& binding : kKeys)
        if (binding.key == key && binding.modifiers == mods)
            return binding.command;
    return 0;
}

}  // namespace kestrel::mainwnd
