// CKestrelDlg: loading a folder of recordings the way the open command does
// once its load popup has run, and the command line's folder and row.
#include "CKestrelDlg.h"

#include "CPlayFlow.h"

#include "panels/list/CWndList.h"
#include "popups/CTranslatedMessageBox.h"
#include "startup/CKestrelApp.h"

#include "filehub/CPluginManager.h"

#include <QDir>
#include <QFileInfo>

using kestrel::playflow::CPlayFlow;

namespace {

// No language key tells of a folder without recordings.
QString NoRecordingsText(const QString& folder)
{
    return QStringLiteral("No recordings were found in %1.").arg(QDir::toNativeSeparators(folder));
}

}  // namespace

int CKestrelDlg::LoadRecordingFolder(const QString& folder)
{
    OnInitDialog();
    if (m_flow->PlayState() == CPlayFlow::kPlaying)
        m_flow->Stop();  // play shown, pause hidden, list mark off, stopped

    CPluginManager* manager = m_app ? m_app->PluginManager() : nullptr;
    const QFileInfo info(folder);
    bool loaded = false;
    if (manager && info.isDir() && info.isReadable()) {
        const std::wstring path = info.absoluteFilePath().toStdWString();
        loaded = manager->SelectFileType(path) > 0 && manager->LoadFile(path) == 0;
        if (!loaded)
            manager->ResetRecData();  // no rows of an earlier folder under play state 0
    }

    int state = CPlayFlow::kNoRecordings;
    if (manager && m_listWnd) {
        m_listWnd->ResetTypeFilter();
        manager->MergeData(m_listWnd->Filter());
        m_listWnd->FillList();
        state = manager->GetMergedDataCount() > 0 ? CPlayFlow::kStopped : CPlayFlow::kNoRecordings;
    }
    m_flow->SetPlayState(state);
    m_flow->SetControlState(state);
    if (loaded)
        m_setup.m_strLatestFilePath = info.absoluteFilePath();
    if (state == CPlayFlow::kNoRecordings)
        CTranslatedMessageBox::Show(*m_res, this, NoRecordingsText(folder), windowTitle());
    return state;
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
