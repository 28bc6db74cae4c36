// Finding recording files in a folder tree and answering "does this sibling
// file exist" without touching the file system once per question.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace recplugin {

struct FolderEntry {
    std::wstring name;
    bool isDir = false;
    bool isFile = false;
};

// The entries of one folder except "." and "..", sorted by name (byte order of
// the UTF-8 names) so that scans are the same on every run and file system.
// Symbolic links count as what they point to. Empty when unreadable.
std::vector<FolderEntry> ListFolder(const std::wstring& folder);

// folder + '/' + name, without doubling a trailing '/'.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The part of a path before its last '/', and the part after it.
std::wstring FolderOf(const std::wstring& path);
std::wstring NameOf(const std::wstring& path);

// True when name ends with ext ('.' included), letters compared without case.
bool HasExtension(const std::wstring& name, const wchar_t* ext);

// A hidden entry's name starts with '.'.
inline bool IsHiddenName(const std::wstring& name) { return !name.empty() && name[0] == L'.'; }

// Appends the paths of the files with extension `ext` in `folder` and, depth
// first, in its subfolders: depth 3 searches the folder and two levels below.
// Each folder's files come before its subfolders.
void ScanFolder(const std::wstring& folder, const wchar_t* ext, bool skipHidden, int depth,
                std::vector<std::wstring>& out);

// Channel-file siblings ("ch<k>_<rest>.avi") per folder, listed once per
// folder and kept for the life of the object (one load).
class CChannelSiblings {
public:
    // The full path of the file "ch<channel>_<rest>.avi" in `folder`, also
    // when written "CH<channel>_<rest>.AVI" (any case of the extension);
    // empty when there is none.
    std::wstring Find(const std::wstring& folder, int channel, const std::wstring& rest);

private:
    // Normalised name ("ch" prefix and extension in lower case) -> real name.
    std::map<std::wstring, std::map<std::wstring, std::wstring>> m_folders;
};

}  // namespace recplugin
