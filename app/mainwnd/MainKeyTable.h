// The main window's keyboard table: key with modifiers -> command id. The
// window applies it only while the application's accelerators are enabled.
#pragma once

#include <Qt>

#include <span>

namespace kestrel::mainwnd {

struct KeyBinding {
    int key;                        // Qt::Key
    Qt::KeyboardModifiers modifiers;
    int command;
};

std::span<const KeyBinding> MainKeyTable();

// The command of a key press, or 0 when the table has none. The keypad
// modifier is ignored, so the keypad's Enter works like Return.
int CommandForKey(int key, Qt::KeyboardModifiers modifiers);

}  // namespace kestrel::mainwnd
