#include "popups/CLoadFile.h"

#include "jobs/CLoadJob.h"
#include "skin/CUIResources.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

namespace {

const QString kTitleKey = QStringLiteral("popup_dlg_loadfile");
// The worker's news, posted to the popup (never waited for).
const int kCloseEvent = QEvent::registerEventType();
constexpr int kCancelPollMs = 10;
// The bar is moved at most this often: a fast load reports thousands of
// files a second, and every wake of the user-interface thread costs the
// worker processor time.
constexpr int kProgressFrameMs = 16;
constexpr int kBarLeft = 12;
constexpr int kBarTop = 60;
constexpr int kBarHeight = 28;

}  // namespace

CLoadFile::CLoadFile(const CUIResources& resources, CPluginManager* manager, const QString& folder, QWidget* parent)
    : IPopupBase(kTemplateId, resources, parent), m_progress(this)
{
    ApplyPopupSkin(kTitleKey);
    OkButton().hide();
    PlaceButtons();
    m_progress.setTextVisible(false);
    // The bar in the popup's dark frame rather than the toolkit's light one
    // (a palette: a style sheet would cost the popup's opening far more).
    QPalette colours = m_progress.palette();
    colours.setColor(QPalette::Base, QColor(0x11, 0x16, 0x1d));
    colours.setColor(QPalette::Window, QColor(0x11, 0x16, 0x1d));
    colours.setColor(QPalette::Highlight, QColor(0x2d, 0x8f, 0xd5));
    m_progress.setPalette(colours);
    m_progress.setRange(0, 0);  // busy until the scan tells how many files there are
    PlaceProgress();

    std::unique_ptr<kestrel::jobs::ILoadTarget> target;
    if (manager)
        target = std::make_unique<kestrel::jobs::CPluginLoadTarget>(*manager);
    m_hasTarget = manager != nullptr;
    kestrel::jobs::CLoadJob::Events events;
    // The worker's news are calls by name that carry nothing: what they
    // report is read from the job under its own lock, so the thread checker
    // sees every hand-off.
    events.scanned = [this] { PostOnce(m_scanPosted, "ShowFileCount"); };
    events.progressed = [this] { PostOnce(m_progressPosted, "ShowProgress"); };
    events.finished = [this] { QMetaObject::invokeMethod(this, "CloseWhenLoaded", Qt::QueuedConnection); };
    m_job = std::make_shared<kestrel::jobs::CLoadJob>(std::move(target), folder.toStdWString(), std::move(events));
}

CLoadFile::~CLoadFile()
{
    // No news may reach a popup that is going; the job itself lives on with
    // whoever took it.
    m_job->ClearEvents();
}

int CLoadFile::Result() const
{
    if (!m_hasTarget)
        return kestrel::jobs::CLoadJob::kNoTarget;
    return m_job->Finished() ? m_job->Result() : static_cast<int>(kestrel::jobs::CLoadJob::kLoadEnded);
}

int CLoadFile::FileCount() const { return m_job->FileCount(); }
int CLoadFile::Handled() const { return m_job->Handled(); }

void CLoadFile::PlaceProgress()
{
    m_progress.setGeometry(kBarLeft, kBarTop, std::max(0, width() - 2 * kBarLeft), kBarHeight);
}

void CLoadFile::resizeEvent(QResizeEvent* event)
{
    IPopupBase::resizeEvent(event);
    PlaceProgress();
}

void CLoadFile::showEvent(QShowEvent* event)
{
    IPopupBase::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    m_job->Start();
    if (!m_hasTarget)  // nothing to load with: the job ended at once
        QCoreApplication::postEvent(this, new QEvent(QEvent::Type(kCloseEvent)));
}

// Progress is posted at most once until the popup has shown it: a fast load
// does not fill the event queue with one message per file.
void CLoadFile::PostOnce(std::atomic<bool>& pending, const char* method)
{
    if (!pending.exchange(true))
        QMetaObject::invokeMethod(this, method, Qt::QueuedConnection);
}

void CLoadFile::ShowFileCount()
{
    m_scanPosted = false;
    const int count = m_job->FileCount();
    // A range of 0 to 0 would show the busy bar: an empty folder shows an
    // empty bar instead.
    m_progress.setRange(0, std::max(1, count));
    m_progress.setValue(std::min(m_job->Handled(), std::max(1, count)));
}

void CLoadFile::ShowProgress()
{
    // The next report may post again once this frame is over.
    if (!m_progressFrame.isActive())
        m_progressFrame.start(kProgressFrameMs, this);
    if (m_progress.maximum() == 0)
        ShowFileCount();
    m_progress.setValue(std::min(m_job->Handled(), m_progress.maximum()));
}

bool CLoadFile::event(QEvent* event)
{
    if (event->type() == kCloseEvent) {
        CloseWhenLoaded();
        return true;
    }
    return IPopupBase::event(event);
}

void CLoadFile::CloseWhenLoaded()
{
    if (!m_closed && !m_cancelling) {
        m_closed = true;
        ShowProgress();
        done(IdOk);
    }
}

void CLoadFile::OnOK()
{
    // No OK here: the popup closes when the load ends.
}

void CLoadFile::OnCancel()
{
    if (m_closed || m_cancelling)
        return;
    if (!m_started) {  // closed before it was shown: nothing runs yet
        m_closed = true;
        done(IdCancel);
        return;
    }
    if (!m_job->Cancel())
        return;  // the load has just ended; its close message is on the way
    m_cancelling = true;
    CancelButton().setEnabled(false);
    ExitButton().setEnabled(false);
    m_cancelClock.start();
    m_cancelWait.start(kCancelPollMs, this);
}

// After a cancel: close once the worker has ended, or when the wait is over.
void CLoadFile::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_progressFrame.timerId()) {
        m_progressFrame.stop();
        m_progressPosted = false;
        if (m_progress.value() != std::min(m_job->Handled(), m_progress.maximum()))
            ShowProgress();  // files reported during the frame
        return;
    }
    if (event->timerId() != m_cancelWait.timerId()) {
        IPopupBase::timerEvent(event);
        return;
    }
    if (!m_job->Finished() && m_cancelClock.elapsed() < kCancelWaitMs)
        return;
    m_cancelWait.stop();
    m_closed = true;
    done(IdCancel);
}
