// COpenAll: the open popup. It lists the mounted removable drives (memory
// cards), refreshed every second and at once when the drive watcher reports
// a change, preselects the drive the owner prefers, and answers:
// - OK with a drive chosen: ResultCode() 1, ResultFolder() its root;
// - "other folder": ResultCode() 2, the owner asks for a folder itself;
// - Cancel: ResultCode() 0.
// OK without a valid line shows "popup_dlg_open_err0" and stays open.
//
// Unattended runs (KESTREL_MESSAGEBOX_LOG set): the offered drives are logged
// like a message box and the popup answers at once: OK with the preselected
// drive, "other folder" when KESTREL_POPUP_ANSWER is "other", or Cancel when
// it is "cancel" (or no drive is listed).
#pragma once

#include "popups/IPopupBase.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlStatic.h"
#include "services/RemovableDrives.h"

#include <QBasicTimer>
#include <QComboBox>

namespace kestrel::services {
class CDriveWatcher;
}

class COpenAll : public IPopupBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 104;
    static constexpr int kIdOther = 8304;
    static constexpr int kRefreshMs = 1000;
    enum Code { kCancelled = 0, kDriveChosen = 1, kOtherFolder = 2 };

    // `watcher` (may be null: the system's drives are scanned directly)
    // must outlive the popup.
    COpenAll(const CUIResources& resources, kestrel::services::CDriveWatcher* watcher, QWidget* parent = nullptr);

    // The root to preselect when it is listed (the watch's inserted card).
    void SetPreferred(const QString& root) { m_preferred = root; }
    QString Preferred() const { return m_preferred; }

    int exec() override;

    int ResultCode() const { return m_code; }
    QString ResultFolder() const { return m_folder; }
    const QList<kestrel::services::RemovableDrive>& Drives() const { return m_drives; }
    QComboBox& DriveBox() { return m_driveBox; }
    CCtrlButton& OtherButton() { return m_btnOther; }

    // Scans again and rebuilds the list when a drive came, went or changed
    // its name; answers whether it did.
    bool Refresh();

    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void OnOK() override;

private:
    void ApplySkin();
    void PlaceControls();
    QList<kestrel::services::RemovableDrive> Scan() const;
    void Rebuild(const QList<kestrel::services::RemovableDrive>& drives);
    void SelectPreferred();
    QString OfferedText() const;

    kestrel::services::CDriveWatcher* m_watcher;
    CCtrlStatic m_stcSection;
    CCtrlStatic m_stcMessage;
    QComboBox m_driveBox;
    CCtrlButton m_btnOther;
    QList<kestrel::services::RemovableDrive> m_drives;
    QString m_preferred;
    QString m_folder;
    int m_code = kCancelled;
    QBasicTimer m_refresh;
};
