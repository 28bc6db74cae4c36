// CLoadFile: the load popup. It scans and loads a folder of recordings with
// the plug-in on a worker thread (a load job), moves its progress bar with
// each file the plug-in reports, and closes by itself when the load ends.
//
// Cancel (the button, the exit button, Escape) stops the load once and
// closes the popup as soon as the worker has ended, at the latest one second
// later; the user-interface thread keeps running meanwhile. A worker still
// running after that second stays with the job: the owner takes it (Job())
// and must not use the plug-in until it has ended.
//
// Result(): -1 no reader accepted the folder, 2 the load call answered above
// 0, 0 any other end (a cancelled load too), 1 when no plug-in was given.
#pragma once

#include "popups/IPopupBase.h"

#include "controls/CCtrlStatic.h"

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QProgressBar>

#include <atomic>
#include <memory>

class CPluginManager;

namespace kestrel::jobs {
class CLoadJob;
class ILoadTarget;
}

class CLoadFile : public IPopupBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 105;
    static constexpr int kCancelWaitMs = 1000;

    // `manager` may be null (nothing is loaded; the result is 1); it must
    // outlive the job, which may outlive the popup.
    CLoadFile(const CUIResources& resources, CPluginManager* manager, const QString& folder,
              QWidget* parent = nullptr);
    ~CLoadFile() override;

    int Result() const;
    int FileCount() const;
    int Handled() const;
    QProgressBar& ProgressBar() { return m_progress; }
    // The load job; still running after a cancel that outlasted the wait.
    std::shared_ptr<kestrel::jobs::CLoadJob> Job() const { return m_job; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void PlaceProgress();
    void PostOnce(std::atomic<bool>& pending, const char* method);
    Q_INVOKABLE void ShowProgress();
    Q_INVOKABLE void ShowFileCount();
    // The load ended (not after a cancel, which closes on its own clock).
    Q_INVOKABLE void CloseWhenLoaded();

    bool m_hasTarget = false;
    std::shared_ptr<kestrel::jobs::CLoadJob> m_job;
    QProgressBar m_progress;
    std::atomic<bool> m_progressPosted{false};
    std::atomic<bool> m_scanPosted{false};
    bool m_started = false;
    bool m_cancelling = false;
    bool m_closed = false;
    QBasicTimer m_progressFrame;
    QBasicTimer m_cancelWait;
    QElapsedTimer m_cancelClock;
};
