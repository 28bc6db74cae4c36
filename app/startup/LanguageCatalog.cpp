#include "startup/LanguageCatalog.h"

#include "skin/CUIText.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kMaxDepth = 16;
constexpr quint16 kUsEnglish = 0x0409;
}  // namespace

void LanguageCatalog::Clear()
{
    paths.clear();
    names.clear();
    ids.clear();
    folders.clear();
}

void LanguageCatalog::FindLanguageFiles(const QString& folder)
{
    QStringList visited;
    Search(folder, visited, 0);
}

void LanguageCatalog::Search(const QString& folder, QStringList& visited, int depth)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || visited.contains(canonical) || depth > kMaxDepth)
        return;
    visited << canonical;

    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("lang*.ini")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString& name : files) {
        const QString path = dir.filePath(name);
        const quint16 id = CUIText::GetLangID(path);
        if (id == 0)
            continue;
        paths << path;
        names << CUIText::GetLangName(path);
        ids << id;
        folders << dir.path();
    }
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        Search(dir.filePath(sub), visited, depth + 1);
}

int LanguageCatalog::Choose(quint16 wantedId, quint16 systemId) const
{
    if (paths.isEmpty())
        return -1;
    if (paths.size() == 1)
        return 0;
    const quint16 wanted = wantedId == 0 ? systemId : wantedId;
    int index = static_cast<int>(ids.indexOf(wanted));
    if (index < 0)
        index = static_cast<int>(ids.indexOf(kUsEnglish));
    return index < 0 ? 0 : index;
}
