// CDriveWatchRule: what one scan of the removable drives means for the main
// window. It remembers the drive roots of the previous scan and compares
// them with the current ones as sets, so a card swapped for another between
// two scans counts as one removal and one insertion.
//
// - A removed drive that holds the loaded recordings (the source path lies
//   on it) asks the window to stop playback and empty the list.
// - Inserted drives are probed in root order while nothing plays; the first
//   one with recordings is the folder to open. While a recording plays the
//   inserted drives are not taken into the remembered list, so the scan
//   after playback stops offers them again.
//
// The first scan after start-up sees every present drive as inserted: a card
// already in its slot opens at once.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace kestrel::services {

class CDriveWatchRule {
public:
    struct Outcome {
        bool sourceRemoved = false;  // stop playback, empty the list
        QString openFolder;          // the inserted drive to offer; empty for none
    };
    using Probe = std::function<bool(const QString& root)>;

    // `current`: the drive roots now (with trailing '/'); `playing`: a
    // recording plays; `sourcePath`: the folder the list was loaded from;
    // `hasRecordings`: asked for inserted roots, at most until one answers
    // true.
    Outcome Step(const QStringList& current, bool playing, const QString& sourcePath, const Probe& hasRecordings);

    const QStringList& Previous() const { return m_previous; }

    // True when `path` lies on the drive `root` (root with trailing '/').
    static bool OnDrive(const QString& path, const QString& root);

private:
    QStringList m_previous;
};

}  // namespace kestrel::services
