// CKestrelDlg: the removable-drive watch. From the start-up event on, the
// drives are scanned every 500 ms (timer 4106) and at once when the drive
// watcher reports a mount change. A card with recordings that appears is
// offered by the open command; the card the list came from disappearing
// stops playback and empties the list.
//
// A scan waits while a popup is open or a load still holds the plug-in: the
// probe and the emptying use the plug-in, which serves one caller at a time,
// and stopping playback under an open popup (the open-failed question runs
// inside the engine's open call) would pull the engine from under it.
#include "CKestrelDlg.h"

#include "CPlayFlow.h"
#include "FlowPrompt.h"

#include "services/CDriveWatchRule.h"
#include "services/CDriveWatcher.h"
#include "startup/CKestrelApp.h"

#include "filehub/CPluginManager.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

using kestrel::playflow::CPlayFlow;

namespace {

constexpr int kDriveWatchMs = 500;  // timer 4106

}  // namespace

void CKestrelDlg::StartDriveWatch()
{
    if (m_driveTimer || m_destroyed)
        return;
    setAcceptDrops(true);
    m_driveRule = std::make_unique<kestrel::services::CDriveWatchRule>();
    m_driveWatcher = std::make_unique<kestrel::services::CDriveWatcher>();
    connect(m_driveWatcher.get(), &kestrel::services::CDriveWatcher::DrivesChanged, this, &CKestrelDlg::ScanDrives);
    if (m_prompt)
        m_prompt->SetSkipWhen([this] { return SourceFolderGone(); });
    m_driveTimer = new QTimer(this);
    m_driveTimer->setObjectName(QStringLiteral("timer4106"));
    connect(m_driveTimer, &QTimer::timeout, this, &CKestrelDlg::ScanDrives);
    ScanDrives();
    m_driveTimer->start(kDriveWatchMs);
}

void CKestrelDlg::StopDriveWatch()
{
    if (m_driveTimer)
        m_driveTimer->stop();
    if (m_driveWatcher)
        m_driveWatcher->disconnect(this);
    if (m_prompt)
        m_prompt->SetSkipWhen(nullptr);
}

bool CKestrelDlg::SourceFolderGone() const
{
    const QString source = m_setup.m_strLatestFilePath;
    return !source.isEmpty() && m_flow && m_flow->PlayState() != CPlayFlow::kNoRecordings &&
           !QFileInfo(source).isDir();
}

void CKestrelDlg::ScanDrives()
{
    FinishLingeringLoad();
    // The window itself runs modally in the program; any other modal window
    // is a popup over it.
    const QWidget* modal = QApplication::activeModalWidget();
    if (!m_driveRule || !m_driveWatcher || !m_flow || m_destroyed || m_openRunning || LoadRunning() ||
        (modal && modal != this))
        return;
    QStringList roots;
    for (const auto& drive : m_driveWatcher->Drives())
        roots.append(drive.root);
    CPluginManager* manager = m_app ? m_app->PluginManager() : nullptr;
    const bool playing = m_flow->PlayState() == CPlayFlow::kPlaying;
    bool probed = false;
    const int loadsBefore = m_loadsRun;
    const auto outcome =
        m_driveRule->Step(roots, playing, m_setup.m_strLatestFilePath, [manager, &probed](const QString& root) {
            probed = true;
            return manager && manager->SelectFileType(root.toStdWString()) > 0;
        });
    if (outcome.sourceRemoved) {
        if (m_flow->PlayState() == CPlayFlow::kPlaying)
            m_flow->Stop();
        if (manager)
            manager->ResetRecData();
        EmptyList();
    }
    if (!outcome.openFolder.isEmpty()) {
        m_pendingOpenFolder = outcome.openFolder;
        OpenCommand();
    }
    if (probed && m_loadsRun == loadsBefore)
        ReselectLoadedFolder();
}

// The plug-in answers record questions through the reader that accepted the
// folder it was last asked about. Asking about an inserted card makes that
// card's reader the current one (or none, for a card without recordings),
// and the listed records would no longer be found; when no load followed,
// the loaded folder is asked about again to bring its reader back.
void CKestrelDlg::ReselectLoadedFolder()
{
    CPluginManager* manager = m_app ? m_app->PluginManager() : nullptr;
    const QString source = m_setup.m_strLatestFilePath;
    if (manager && m_flow->PlayState() != CPlayFlow::kNoRecordings && QFileInfo(source).isDir())
        manager->SelectFileType(source.toStdWString());
}
