// The per-user folders of the XDG base-directory rules, read at each call
// so that tests can point them at temporary folders.
#pragma once

#include <QString>

namespace kestrel::folders {

QString HomeFolder();       // $HOME, else the password entry's home
QString ConfigHome();       // $XDG_CONFIG_HOME, else ~/.config
QString DataHome();         // $XDG_DATA_HOME, else ~/.local/share
QString DocumentsFolder();  // the XDG documents folder, else ~/Documents
QString RuntimeFolder();    // $XDG_RUNTIME_DIR, else the temp folder
// The folder that stands for "the computer": the removable-media root
// (/media/$USER or /run/media/$USER) when it exists, else the home folder.
QString ComputerFolder();

}  // namespace kestrel::folders
