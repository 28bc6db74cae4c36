// CKestrelDlg: creation, message and command routing, input and the test
// hooks. Layout, paint, window states, texts and controls live in the
// MainWnd*.cpp files beside this one.
#include "CKestrelDlg.h"

#include "FlowPrompt.h"
#include "ReadoutStatics.h"
#include "TransportControls.h"

#include "CPlayFlow.h"
#include "KeepAwake.h"
#include "PlayStats.h"
#include "MainKeyTable.h"
#include "util/ReentryGuard.h"
#include "ShellActions.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlSliderEx.h"
#include "controls/CCtrlStatic.h"
#include "controls/CtrlMessages.h"
#include "startup/CKestrelApp.h"
#include "util/PostedMessage.h"

#include "filehub/CPluginManager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

using namespace kestrel::mainwnd;

namespace {

constexpr int kKeepAwakeMs = 30000;

}  // namespace

CKestrelDlg::CKestrelDlg(CKestrelApp& app, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_app(&app), m_res(&app.Resources()), m_deck(DeckHooks())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_keepAwake = std::make_unique<CKeepAwake>();
    m_reference = Pos(QStringLiteral("base_window")).rect;
    if (m_reference.right <= m_reference.left || m_reference.bottom <= m_reference.top)
        m_reference = KSkinRect{0, 0, 1920, 1080};  // the skin's authoring size, when it names none

    LoadSettings();
    CreateControls();

    if (m_app) {
        setWindowTitle(m_app->WindowTitle());
        if (const QIcon* icon = m_res->GetUIIcon(QStringLiteral("main-icon")))
            setWindowIcon(*icon);
        m_dialogSize = QSize(m_app->DialogWidth(), m_app->DialogHeight());
    } else {
        m_dialogSize = QSize(kMinLayoutWidth, kMinLayoutHeight);
    }
    ApplyWindowTexts();
    PlaceCentred();
    LayoutForSize(m_dialogSize.width(), m_dialogSize.height());

    if (m_setup.m_nPowerSaveMode == 0) {
        m_keepAwakeTimer.start(kKeepAwakeMs, this);
        m_keepAwake->Refresh();
    }
    // Table keys reach the window before the focused child, as accelerators do.
    qApp->installEventFilter(this);
}

CKestrelDlg::~CKestrelDlg()
{
    qApp->removeEventFilter(this);
}

void CKestrelDlg::LoadSettings()
{
    if (!m_app)
        return;
    const _PLUGIN_INFO& info = m_app->PluginInfo();
    m_setup.SetPluginDefaults(info.nAudioLevel, info.wStepPlaying, info.wStepPaused);
    m_setup.LoadSettings(m_app->UserDataFolder());
    if (m_setup.m_strLatestJpegPath.isEmpty())
        m_setup.m_strLatestJpegPath = m_app->BackupFolder();
    if (m_setup.m_strLatestBackupPath.isEmpty())
        m_setup.m_strLatestBackupPath = m_app->BackupFolder();
    if (m_setup.m_strFtpDir.isEmpty())
        m_setup.m_strFtpDir = m_app->FtpFolder();
}

const _WIN_POS& CKestrelDlg::Pos(const QString& key) const
{
    static const _WIN_POS kNone{};  // an absent record: zero size, no margins
    const _WIN_POS* pos = m_res->GetUIPos(key);
    return pos ? *pos : kNone;
}

// ---- Controls -------------------------------------------------------------

CCtrlWnd* CKestrelDlg::Control(int id) const
{
    return m_controls.value(id, nullptr);
}

CCtrlButton* CKestrelDlg::Button(int id) const
{
    return qobject_cast<CCtrlButton*>(Control(id));
}

CCtrlStatic* CKestrelDlg::Static(int id) const
{
    return qobject_cast<CCtrlStatic*>(Control(id));
}

CCtrlSliderEx* CKestrelDlg::Slider(int id) const
{
    return qobject_cast<CCtrlSliderEx*>(Control(id));
}

// ---- Messages and commands ------------------------------------------------

intptr_t CKestrelDlg::SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    switch (msg) {
    case ctrlmsg::WM_COMMAND:
        DispatchCommand(static_cast<int>(wParam & 0xFFFF));
        return 0;
    case ctrlmsg::WM_SLIDER_PRESSED:
    case ctrlmsg::WM_SLIDER_RELEASED:
    case ctrlmsg::WM_SLIDER_MOVED:
        OnSliderMessage(msg, static_cast<int>(wParam & 0xFFFF), static_cast<int>(lParam));
        return 0;
    default:
        return OnPlaybackMessage(msg, wParam, lParam);
    }
}

bool CKestrelDlg::IsPopupCommand(int id) const
{
    switch (id) {
    case kBtnInfo:
    case kBtnSnapshot:
    case kBtnVideoCtrl:
    case kBtnBackup:
    case kBtnDelete:
    case kBtnLang:
    case kBtnIcon:
    case kBtnViewerSetup:
        return true;
    default:
        return false;
    }
}

void CKestrelDlg::DispatchCommand(int id)
{
    if (IsPopupCommand(id)) {
        // The popup's modal loop still delivers clicks and keys: a second
        // call of the same command while the first runs is dropped.
        KReentryGuard guard(m_popupRunning[id]);
        if (!guard.Acquired())
            return;
        emit CommandRaised(id);
        if (id == kBtnDelete) {
            const _WIN_POS& pos = Pos(QStringLiteral("btn_delete"));
            if (pos.cx == 0 || pos.cy == 0)
                return;  // the skin switches deleting off
        }
        OnCommand(id);
        return;
    }

    emit CommandRaised(id);
    switch (id) {
    case kBtnExit: CloseByCommand(); break;
    case kBtnMax: Maximise(); break;
    case kBtnMRestore: Restore(); break;
    case kBtnFull: EnterFullScreen(); break;
    case kBtnFRestore: LeaveFullScreen(); break;
    case kBtnMin: showMinimized(); break;
    case kCmdFullScreenToggle: ToggleFullScreen(); break;
    case kCmdMaximiseToggle: ToggleMaximise(); break;
    case kBtnManual: OpenManual(); break;
    case kBtnSetup: StartSetupProgram(); break;
    case kBtnSite:
    case kBtnReport:
    case kBtnFtp:
    case kBtnDivision:
        break;  // these buttons carry no command
    default:
        OnCommand(id);
        break;
    }
}

// ---- The window's own commands --------------------------------------------

void CKestrelDlg::CloseByCommand()
{
    if (m_closing)
        return;
    m_closing = true;
    BeforeClose();
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

void CKestrelDlg::OpenManual()
{
    const _WIN_POS& pos = Pos(QStringLiteral("btn_manual"));
    if (pos.cx == 0 || pos.cy == 0 || !m_app)
        return;
    QString path;
    CPluginManager* manager = m_app->PluginManager();
    const _PLUGIN_INFO& info = m_app->PluginInfo();
    if (manager && info.bTexts && info.bManualFile)
        path = QString::fromStdWString(manager->GetManualFilePath());
    else if (m_app->CurrentLanguage() >= 0 && m_app->CurrentLanguage() < m_app->Languages().Count())
        path = FindManualIn(m_app->Languages().folders[m_app->CurrentLanguage()]);
    OpenDocument(path);
}

void CKestrelDlg::StartSetupProgram()
{
    if (m_app)
        StartDetachedProgram(m_app->Option().strSetupName);
}

// ---- Events ---------------------------------------------------------------

bool CKestrelDlg::event(QEvent* e)
{
    if (const KPostedMessage* m = AsPostedMessage(e)) {
        SendMsg(m->Msg(), m->WParam(), m->LParam());
        return true;
    }
    return QDialog::event(e);
}

bool CKestrelDlg::HandleKey(QKeyEvent* e)
{
    if (!m_app || !m_app->AcceleratorsEnabled())
        return false;
    const int command = CommandForKey(e->key(), e->modifiers());
    if (command == 0)
        return false;
    DispatchCommand(command);
    return true;
}

bool CKestrelDlg::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && watched->isWidgetType()) {
        QWidget* widget = static_cast<QWidget*>(watched);
        if (widget->window() == this && HandleKey(static_cast<QKeyEvent*>(e)))
            return true;
    }
    return QDialog::eventFilter(watched, e);
}

void CKestrelDlg::keyPressEvent(QKeyEvent* e)
{
    // Not QDialog's: Escape and Enter belong to the key table, never to
    // closing the window or a default button.
    QWidget::keyPressEvent(e);
}

void CKestrelDlg::closeEvent(QCloseEvent* e)
{
    if (m_closing) {
        e->accept();
        return;
    }
    // The window manager's close (Alt+F4) takes the same road as btn_exit.
    e->ignore();
    DispatchCommand(kBtnExit);
}

void CKestrelDlg::done(int result)
{
    if (!m_destroyed) {
        m_destroyed = true;
        m_pictureTimer.stop();
        m_keepAwakeTimer.stop();
        m_keepAwake->Release();
        Uninitialize();
    }
    QDialog::done(result);
}

void CKestrelDlg::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == m_pictureTimer.timerId()) {
        m_pictureTimer.stop();
        m_pictureSuppressed = false;
        if (m_flow)
            m_flow->ResumePictures();
    } else if (e->timerId() == m_keepAwakeTimer.timerId()) {
        m_keepAwake->Refresh();
    } else {
        QDialog::timerEvent(e);
    }
}

void CKestrelDlg::SuppressPictures(int ms)
{
    if (m_flow) {
        m_flow->SuppressPictures(ms);  // starts the timer through StartPictureResumeTimer
        return;
    }
    m_pictureSuppressed = true;
    m_pictureTimer.start(ms, this);
}

void CKestrelDlg::mousePressEvent(QMouseEvent* e)
{
    // The title bar drags the window in the normal state only.
    if (m_drag.Press(*this, *e, m_windowState == kStateNormal && m_titleBar.contains(e->position().toPoint())))
        return;
    QDialog::mousePressEvent(e);
}

void CKestrelDlg::mouseMoveEvent(QMouseEvent* e)
{
    if (m_drag.Move(*this, *e))
        return;
    QDialog::mouseMoveEvent(e);
}

void CKestrelDlg::mouseReleaseEvent(QMouseEvent* e)
{
    if (m_drag.Release(*e))
        return;
    QDialog::mouseReleaseEvent(e);
}

void CKestrelDlg::resizeEvent(QResizeEvent* e)
{
    QDialog::resizeEvent(e);
    LayoutForSize(width(), height());
}

void CKestrelDlg::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    OnInitDialog();

    if (qEnvironmentVariableIntValue("KESTREL_START_FULL") != 0)
        QTimer::singleShot(0, this, [this] { DispatchCommand(kBtnFull); });
    const QString grabFile = qEnvironmentVariable("KESTREL_GRAB_MAIN");
    if (!grabFile.isEmpty()) {
        // In full screen the picture is the full-screen view's, which covers the window.
        const int delayMs = std::max(0, qEnvironmentVariableIntValue("KESTREL_GRAB_DELAY_MS"));
        QTimer::singleShot(delayMs, this, [this, grabFile] {
            const bool full = m_windowState == kStateFullFromMaximised || m_windowState == kStateFullFromNormal;
            QWidget* view = m_deck.FullScreenView();
            QWidget* shown = full && view && view->isVisible() ? view : this;
            shown->grab().save(grabFile, "PNG");
        });
    }
    bool ok = false;
    const int closeMs = qEnvironmentVariableIntValue("KESTREL_AUTOCLOSE_MS", &ok);
    if (ok && closeMs >= 0)
        QTimer::singleShot(closeMs, this, [this] { DispatchCommand(kBtnExit); });
}
