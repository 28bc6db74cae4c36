#include "services/CDriveWatchRule.h"

namespace kestrel::services {

bool CDriveWatchRule::OnDrive(const QString& path, const QString& root)
{
    if (path.isEmpty() || root.isEmpty())
        return false;
    QString bare = root;
    while (bare.size() > 1 && bare.endsWith(QLatin1Char('/')))
        bare.chop(1);
    return path == bare || path.startsWith(bare == QLatin1String("/") ? bare : bare + QLatin1Char('/'));
}

CDriveWatchRule::Outcome CDriveWatchRule::Step(const QStringList& current, bool playing, const QString& sourcePath,
                                               const Probe& hasRecordings)
{
    Outcome out;
    QStringList kept;
    for (const QString& root : m_previous) {
        if (current.contains(root))
            kept.append(root);
        else if (OnDrive(sourcePath, root))
            out.sourceRemoved = true;
    }
    m_previous = kept;
    // The window stops playback for a removed source before it acts on the
    // inserted drives.
    if (playing && !out.sourceRemoved)
        return out;

    for (const QString& root : current) {
        if (m_previous.contains(root))
            continue;
        m_previous.append(root);
        if (out.openFolder.isEmpty() && hasRecordings && hasRecordings(root))
            out.openFolder = root;
    }
    return out;
}

}  // namespace kestrel::services
