// The controls of the main window as data: name (which is also the key of
// its skin record, images, text and tool tip), id, kind, the background
// picture drawn under it, whether it starts hidden, and for statics the
// text alignment.
#pragma once

#include <span>

namespace kestrel::mainwnd {

enum class ControlKind { Button, CheckButton, TextButton, Static, Slider };

struct ControlSpec {
    const char* name;
    int id;
    ControlKind kind;
    const char* background;  // picture under the control, or nullptr
    bool hidden;             // created hidden
    int hAlign = 1;          // statics: StringAlign of the text, per axis
    int vAlign = 1;
};

// Every control in creation order. btn_ftp and btn_division are listed but
// created only when the plug-in's description asks for them.
std::span<const ControlSpec> MainControls();

// The entry for an id, or nullptr.
const ControlSpec* FindControl(int id);

}  // namespace kestrel::mainwnd
