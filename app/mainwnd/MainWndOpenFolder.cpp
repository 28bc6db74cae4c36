// CKestrelDlg: opening recordings. The open command (btn_open, Ctrl+O, the
// drive watch) offers the removable drives, or a folder chooser, stops what
// plays once a folder is chosen, loads the folder through the load popup and
// fills the list. The command line's folder and a folder dropped on the
// window take the same load.
#include "CKestrelDlg.h"

#include "CPlayFlow.h"

#include "jobs/CLoadJob.h"
#include "controls/CCtrlListbox.h"
#include "panels/list/CWndList.h"
#include "popups/CLoadFile.h"
#include "popups/COpenAll.h"
#include "popups/CTranslatedMessageBox.h"
#include "services/CDriveWatcher.h"
#include "skin/CUIResources.h"
#include "startup/CKestrelApp.h"
#include "util/CUtilMessageBox.h"
#include "util/ReentryGuard.h"

#include "filehub/CPluginManager.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>

using kestrel::jobs::CLoadJob;
using kestrel::playflow::CPlayFlow;

namespace {

// No language key tells of a folder without recordings.
QString NoRecordingsText(const QString& folder)
{
    return QStringLiteral("No recordings were found in %1.").arg(QDir::toNativeSeparators(folder));
}

// Keys off while a popup of the open command runs, on again after it.
class AcceleratorsOff {
public:
    explicit AcceleratorsOff(CKestrelApp* app) : m_app(app)
    {
        if (m_app)
            m_app->SetAcceleratorsEnabled(false);
    }
    ~AcceleratorsOff()
    {
        if (m_app)
            m_app->SetAcceleratorsEnabled(true);
    }
    AcceleratorsOff(const AcceleratorsOff&) = delete;
    AcceleratorsOff& operator=(const AcceleratorsOff&) = delete;

private:
    CKestrelApp* m_app;
};

// The folder a dropped item opens: a folder itself, or the folder of a file.
QString DroppedFolder(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty() || !mime->urls().first().isLocalFile())
        return QString();
    const QFileInfo info(mime->urls().first().toLocalFile());
    if (info.isDir())
        return info.absoluteFilePath();
    return info.isFile() ? info.absolutePath() : QString();
}

}  // namespace

bool CKestrelDlg::LoadRunning() const
{
    return m_lingeringLoad && !m_lingeringLoad->Finished();
}

void CKestrelDlg::OpenCommand()
{
    // Not re-entrant; nor while a cancelled load still holds the plug-in.
    KReentryGuard guard(m_openRunning);
    if (!guard.Acquired() || LoadRunning())
        return;
    OnInitDialog();

    QString folder;
    {
        COpenAll popup(*m_res, m_driveWatcher.get(), this);
        popup.SetPreferred(m_pendingOpenFolder);
        m_pendingOpenFolder.clear();  // offered once
        AcceleratorsOff keys(m_app);
        popup.exec();
        if (popup.ResultCode() == COpenAll::kDriveChosen)
            folder = popup.ResultFolder();
        else if (popup.ResultCode() == COpenAll::kOtherFolder)
            folder = AskForFolder();
    }
    if (folder.isEmpty())
        return;  // cancelled: nothing stops, nothing is said
    LoadFolder(folder);
}

QString CKestrelDlg::AskForFolder()
{
    const QString title = m_res->GetUIText(QStringLiteral("main_open_folder_title"));
    // Unattended runs cannot answer a folder chooser: KESTREL_OPEN_FOLDER
    // names the answer, else it is cancelled.
    if (CUtilMessageBox::LogInsteadOfShowing(title))
        return qEnvironmentVariable("KESTREL_OPEN_FOLDER");
    QFileDialog dialog(this, title, m_setup.m_strLatestFilePath);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setLabelText(QFileDialog::Accept, m_res->GetUIText(QStringLiteral("common_ok")));
    dialog.setLabelText(QFileDialog::Reject, m_res->GetUIText(QStringLiteral("common_cancel")));
    AcceleratorsOff keys(m_app);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

int CKestrelDlg::LoadFolder(const QString& folder)
{
    if (m_flow->PlayState() == CPlayFlow::kPlaying)
        m_flow->Stop();  // play shown, pause hidden, list mark off, stopped

    CPluginManager* manager = m_app ? m_app->PluginManager() : nullptr;
    ++m_loadsRun;
    CLoadFile popup(*m_res, manager, folder, this);
    {
        AcceleratorsOff keys(m_app);
        popup.exec();
    }
    const std::shared_ptr<CLoadJob> job = popup.Job();
    if (!job->Finished()) {
        // The plug-in did not stop within the wait: the job keeps it until it
        // ends (the drive watch's tick then shows what it read). Until then
        // the list shows nothing, so no row points into records the load is
        // replacing.
        m_lingeringLoad = job;
        EmptyList();
        return CPlayFlow::kNoRecordings;
    }
    return ApplyLoadResult(popup.Result(), folder, job->Cancelled());
}

int CKestrelDlg::ApplyLoadResult(int result, const QString& folder, bool cancelled)
{
    if (result != CLoadJob::kLoadEnded && result != CLoadJob::kScanFailed)
        return m_flow->PlayState();  // nothing was loaded: all stays as it was

    CPluginManager* manager = m_app ? m_app->PluginManager() : nullptr;
    int state = CPlayFlow::kNoRecordings;
    if (manager && m_listWnd) {
        m_listWnd->ResetTypeFilter();
        manager->MergeData(m_listWnd->Filter());
        m_listWnd->FillList();
        state = manager->GetMergedDataCount() > 0 ? CPlayFlow::kStopped : CPlayFlow::kNoRecordings;
    }
    m_flow->SetPlayState(state);
    m_flow->SetControlState(state);
    m_setup.m_strLatestFilePath = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (state == CPlayFlow::kNoRecordings && !cancelled)
        CTranslatedMessageBox::Show(*m_res, this, NoRecordingsText(folder), windowTitle());
    return state;
}

void CKestrelDlg::EmptyList()
{
    if (m_listWnd) {
        m_listWnd->ResetTypeFilter();
        m_listWnd->ListBox()->DeleteAllItems();
    }
    m_flow->SetPlayState(CPlayFlow::kNoRecordings);
    m_flow->SetControlState(CPlayFlow::kNoRecordings);
}

void CKestrelDlg::FinishLingeringLoad()
{
    if (!m_lingeringLoad || !m_lingeringLoad->Finished())
        return;
    const QString folder = QString::fromStdWString(m_lingeringLoad->Folder());
    m_lingeringLoad.reset();
    ApplyLoadResult(CLoadJob::kLoadEnded, folder, /*cancelled=*/true);
}

int CKestrelDlg::LoadRecordingFolder(const QString& folder)
{
    OnInitDialog();
    KReentryGuard guard(m_openRunning);
    if (!guard.Acquired() || LoadRunning())
        return m_flow->PlayState();
    return LoadFolder(QFileInfo(folder).absoluteFilePath());
}

void CKestrelDlg::RunCommandLine()
{
    if (!m_app || m_app->StartFolder().isEmpty())
        return;
    if (LoadRecordingFolder(m_app->StartFolder()) != CPlayFlow::kStopped)
        return;
    const int row = m_app->StartPlayIndex();
    if (row >= 0 && !PlayRow(row))
        CTranslatedMessageBox::Show(*m_res, this, QStringLiteral("Recording %1 cannot be played.").arg(row),
                                    windowTitle());
}

void CKestrelDlg::dragEnterEvent(QDragEnterEvent* e)
{
    if (!DroppedFolder(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void CKestrelDlg::dropEvent(QDropEvent* e)
{
    const QString folder = DroppedFolder(e->mimeData());
    if (folder.isEmpty())
        return;
    e->acceptProposedAction();
    // Loaded once the drop has finished, not inside the drag's own loop.
    QMetaObject::invokeMethod(this, [this, folder] { LoadRecordingFolder(folder); }, Qt::QueuedConnection);
}
