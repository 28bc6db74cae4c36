#include "FolderScan.h"

#include "kestrel/WideText.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace recplugin {

namespace {

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

std::vector<FolderEntry> ListFolder(const std::wstring& folder)
{
    std::vector<std::pair<std::string, FolderEntry>> found;
    const std::string dirPath = kestrel::ToUtf8(folder);
    DIR* dir = opendir(dirPath.empty() ? "." : dirPath.c_str());
    if (!dir)
        return {};
    while (const dirent* d = readdir(dir)) {
        const std::string name = d->d_name;
        if (name == "." || name == "..")
            continue;
        FolderEntry e;
        e.name = kestrel::FromUtf8(name);
        if (d->d_type == DT_REG) {
            e.isFile = true;
        } else if (d->d_type == DT_DIR) {
            e.isDir = true;
        } else {
            struct stat st {};
            if (fstatat(dirfd(dir), d->d_name, &st, 0) == 0) {
                e.isFile = S_ISREG(st.st_mode);
                e.isDir = S_ISDIR(st.st_mode);
            }
        }
        found.emplace_back(name, std::move(e));
    }
    closedir(dir);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<FolderEntry> out;
    out.reserve(found.size());
    for (auto& f : found)
        out.push_back(std::move(f.second));
    return out;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name)
{
    if (!folder.empty() && folder.back() == L'/')
        return folder + name;
    return folder + L'/' + name;
}

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.rfind(L'/');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring NameOf(const std::wstring& path)
{
    const size_t slash = path.rfind(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool HasExtension(const std::wstring& name, const wchar_t* ext)
{
    const std::wstring e = ext;
    if (name.size() < e.size())
        return false;
    for (size_t i = 0; i < e.size(); ++i)
        if (LowerAscii(name[name.size() - e.size() + i]) != LowerAscii(e[i]))
            return false;
    return true;
}

void ScanFolder(const std::wstring& folder, const wchar_t* ext, bool skipHidden, int depth,
                std::vector<std::wstring>& out)
{
    if (depth <= 0)
        return;
    const std::vector<FolderEntry> entries = ListFolder(folder);
    for (const FolderEntry& e : entries)
        if (e.isFile && HasExtension(e.name, ext) && !(skipHidden && IsHiddenName(e.name)))
            out.push_back(JoinPath(folder, e.name));
    for (const FolderEntry& e : entries)
        if (e.isDir)
            ScanFolder(JoinPath(folder, e.name), ext, skipHidden, depth - 1, out);
}

std::wstring CChannelSiblings::Find(const std::wstring& folder, int channel, const std::wstring& rest)
{
    auto it = m_folders.find(folder);
    if (it == m_folders.end()) {
        std::map<std::wstring, std::wstring> names;
        for (const FolderEntry& e : ListFolder(folder)) {
            if (!e.isFile || e.name.size() < 8 || !HasExtension(e.name, L".avi"))
                continue;
            const std::wstring prefix = e.name.substr(0, 2);
            if (prefix != L"ch" && prefix != L"CH")
                continue;
            std::wstring key = e.name;
            key[0] = L'c';
            key[1] = L'h';
            for (size_t i = key.size() - 4; i < key.size(); ++i)
                key[i] = LowerAscii(key[i]);
            // Both spellings present: the lower-case one is the exact match.
            const auto [slot, added] = names.emplace(key, e.name);
            if (!added && e.name == key)
                slot->second = e.name;
        }
        it = m_folders.emplace(folder, std::move(names)).first;
    }
    const std::wstring key = L"ch" + std::to_wstring(channel) + L"_" + rest + L".avi";
    const auto hit = it->second.find(key);
    return hit == it->second.end() ? std::wstring() : JoinPath(folder, hit->second);
}

}  // namespace recplugin
