// The language files found under the language folder, and the choice of
// one of them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct LanguageCatalog {
    QStringList paths;    // full path of each usable language file
    QStringList names;    // its LanguageName
    QList<quint16> ids;   // its LanguageID
    QStringList folders;  // the folder it lives in (manual and map page)

    int Count() const { return static_cast<int>(paths.size()); }
    void Clear();

    // Appends every "lang*.ini" of `folder` whose LanguageID is not 0 (in
    // name order), then searches each subfolder the same way, depth first
    // in name order. A folder reached twice (through a link) is searched
    // once.
    void FindLanguageFiles(const QString& folder);

    // Index of the language to load: the only one; else the first whose id
    // is `wantedId` (0 meaning `systemId`); else the first US English
    // (0x0409) one; else 0. -1 when the catalog is empty.
    int Choose(quint16 wantedId, quint16 systemId) const;

private:
    void Search(const QString& folder, QStringList& visited, int depth);
};
