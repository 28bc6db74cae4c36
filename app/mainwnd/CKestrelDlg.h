// CKestrelDlg: the viewer's one top-level window. A frameless window whose
// whole face comes from the skin: it creates the skinned controls, places
// them and the panels by scaling their skin records to the client size,
// paints the layered background, moves between the normal, maximised and
// two full-screen states, and turns every button click and table key into
// one command id that DispatchCommand routes to its handler.
//
// Panels (recording list, channel displays, full-screen view, G-sensor
// graph, map popups) are built elsewhere and attached; until then their
// places are computed but nothing is placed. Commands whose work belongs to
// the playback flow and the popups are raised (CommandRaised) and reach the
// virtual OnCommand, where that work is hooked in.
//
// On its first show (OnInitDialog) the window builds its own panels (the
// recording list, four channel displays, the full-screen view), starts the
// playback flow and hands it the views as roles (app/views): the panels and
// small objects over the window's controls implement them; the window only
// creates and wires them.
//
// Unattended runs: KESTREL_GRAB_MAIN=<file.png> saves what the window shows
// once it is up (KESTREL_GRAB_DELAY_MS=<n> later); KESTREL_START_FULL=1
// enters full screen at once; KESTREL_AUTOCLOSE_MS=<n> closes it after n
// milliseconds; KESTREL_PLAY_STATS=<file.json> counts pictures delivered
// and painted.
#pragma once

#include "DisplayDeck.h"
#include "MainWndIds.h"
#include "controls/CMsgTarget.h"
#include "skin/WinPos.h"
#include "util/CTitleBarDrag.h"
#include "startup/CViewerSetup.h"
#include "services/CDriveWatchRule.h"
#include "services/CDriveWatcher.h"

#include <QBasicTimer>
#include <QDialog>
#include <QHash>
#include <QPointer>

#include <array>
#include <map>
#include <memory>
#include <vector>

class CCtrlButton;
class CCtrlStatic;
class CCtrlSliderEx;
class CCtrlWnd;
class CFullScreen;
class CKestrelApp;
class CUIResources;
class CWndDisplay;
class CWndList;
class IDisplay;
class QTimer;

namespace kestrel::mainwnd {
class CFlowPrompt;
class CKeepAwake;
class CPlayStats;
class CReadoutStatics;
class CThreadPostQueue;
class CTransportControls;
struct ControlSpec;
}
namespace kestrel::playflow {
class CPlayFlow;
}
namespace kestrel::jobs {
class CLoadJob;
}


class CKestrelDlg : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    static constexpr int kDisplayCount = 4;

    // `app`: the running application (settings, plug-in, look-ups); it
    // outlives the window.
    explicit CKestrelDlg(CKestrelApp& app, QWidget* parent = nullptr);
    ~CKestrelDlg() override;

    // Messages from the skinned controls (button commands, slider moves).
    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

    // The one route of every command id (button or key) to its handler.
    void DispatchCommand(int id);

    // ---- Controls --------------------------------------------------------
    CCtrlWnd* Control(int id) const;
    CCtrlButton* Button(int id) const;
    CCtrlStatic* Static(int id) const;
    CCtrlSliderEx* Slider(int id) const;

    // ---- Window states ---------------------------------------------------
    int WindowState() const { return m_windowState; }
    // The window rectangle kept from the normal state.
    QRect KeptRect() const { return m_keptRect; }
    // The size the normal state uses; a new size class moves a normal
    // window to it at once, the other states use it when they return.
    QSize DialogSize() const { return m_dialogSize; }
    void ApplyDialogSize(QSize size);

    // ---- Layout ----------------------------------------------------------
    // Lays out for the client size (nothing below 1280 x 720).
    void LayoutForSize(int width, int height);
    // Places the channel panels at their "display%d" slots for the view
    // channel; hidden in the full-screen states.
    virtual void LayoutDisplays(int width, int height);
    // The playback flow's view channel (0 before the flow exists): the
    // window keeps no copy of its own.
    int ViewChannel() const;
    // The skin's reference size that every record scales from.
    const KSkinRect& Reference() const { return m_reference; }
    // Client rectangle of the skin's title bar, the drag area in state 0.
    QRect TitleBarRect() const { return m_titleBar; }
    // Where the list panel goes now (also while no panel is attached).
    QRect ListPanelRect() const { return m_listRect; }
    QRect GSensorPanelRect() const { return m_gsensorRect; }
    QRect DisplaySlotRect(int channel) const { return m_deck.SlotRect(channel); }
    // True for a short while after a re-layout; the engine's pictures are
    // dropped meanwhile.
    bool PictureSuppressed() const { return m_pictureSuppressed; }
    void SuppressPictures(int ms);

    // ---- Panels built elsewhere -------------------------------------------
    void AttachListPanel(QWidget* panel);
    void AttachDisplayPanel(int channel, QWidget* panel, IDisplay* display);
    void AttachFullScreenView(QWidget* view, IDisplay* display);
    void AttachGSensorPanel(QWidget* panel);
    void AttachMapPanel(QWidget* panel);
    QWidget* ListPanel() const { return m_listPanel; }
    QWidget* FullScreenView() const { return m_deck.FullScreenView(); }

    // ---- Texts and settings ----------------------------------------------
    // Captions and tool tips of the controls in the current language.
    void ApplyWindowTexts();
    // After a language change: lay out again, texts, repaint.
    void ReapplyLanguage();
    CViewerSetup& Settings() { return m_setup; }

    // Keeps the system awake while running (PowerSaveMode 0).
    bool KeepAwakeRunning() const { return m_keepAwakeTimer.isActive(); }

    // ---- Playback (MainWndPanels.cpp, MainWndPlayback.cpp) ----------------
    // Builds the panels and starts the playback flow; runs once, on the
    // first show, and may be called earlier.
    void OnInitDialog();
    kestrel::playflow::CPlayFlow* PlayFlow() const { return m_flow.get(); }
    CWndList* ListWnd() const { return m_listWnd; }
    CWndDisplay* ChannelPanel(int channel) const;
    CFullScreen* FullScreenWnd() const { return m_fullScreenWnd; }
    // The picture counters; null unless KESTREL_PLAY_STATS was set.
    const kestrel::mainwnd::CPlayStats* PlayStats() const { return m_stats.get(); }
    // Loads the recordings of `folder` through the load popup, as the open
    // command does once a folder is chosen; answers the new play state (0 or
    // 1). A folder that cannot be read or holds no recordings is reported in
    // a message box. The command line and a dropped folder come this way.
    int LoadRecordingFolder(const QString& folder);

    // ---- Opening recordings (MainWndOpenFolder.cpp, MainWndDriveWatch.cpp)
    // The open command: btn_open, Ctrl+O and the drive watch.
    void OpenCommand();
    // The inserted card the next open command offers (set by the watch).
    QString PendingOpenFolder() const { return m_pendingOpenFolder; }
    // A cancelled load whose worker has not ended yet still holds the plug-in.
    bool LoadRunning() const;
    // The drive watch's notifier; null before the start-up event.
    kestrel::services::CDriveWatcher* DriveWatcher() const { return m_driveWatcher.get(); }
    // Plays row `index` as a double click on it does; false when it cannot.
    bool PlayRow(int index);

signals:
    // Every dispatched command, before its handler runs.
    void CommandRaised(int id);

protected:
    // The work of the commands that are not the window's own (playback,
    // open, popups, ...). The window only guards and routes them.
    virtual void OnCommand(int id);
    // Before the window closes by btn_exit or Alt+F4: stop a playing
    // recording.
    virtual void BeforeClose();
    // When the window goes away: release what OnCommand's side set up.
    virtual void Uninitialize();
    // Slider messages (pressed, released, moved) for the playback flow.
    virtual void OnSliderMessage(uint32_t msg, int id, int position);

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void done(int result) override;

private:
    // Creation.
    void LoadSettings();
    void CreateControls();
    void CreateControl(const kestrel::mainwnd::ControlSpec& spec);
    void PlaceCentred();

    // Layout parts.
    void LayoutControls(int width, int height);
    void LayoutPanels(int width, int height);
    void ApplyRegion(int width, int height);
    QRect Scaled(const QString& key, int width, int height) const;
    // The font size of a skin key scaled as the controls' (empty `client`:
    // the window's size now).
    int ScaledFontSize(const QString& key, QSize client = QSize()) const;

    // Paint.
    void PaintBackground(QPainter& p);

    // Window states.
    void Maximise();
    void Restore();
    void EnterFullScreen();
    void LeaveFullScreen();
    void ToggleFullScreen();
    void ToggleMaximise();
    void ApplyWindowState(int previous);
    void ShowButton(int id, bool shown);

    // The window's own commands.
    void CloseByCommand();
    void OpenManual();
    void StartSetupProgram();
    bool HandleKey(QKeyEvent* e);
    bool IsPopupCommand(int id) const;
    const _WIN_POS& Pos(const QString& key) const;

    // Playback wiring.
    kestrel::mainwnd::CDisplayDeck::Hooks DeckHooks();
    void CreatePanels();
    void StartPlayFlow();
    intptr_t OnPlaybackMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    void OnStartupEvent(uintptr_t code);
    void RunCommandLine();

    // Opening recordings.
    QString AskForFolder();
    int LoadFolder(const QString& folder);
    int ApplyLoadResult(int result, const QString& folder, bool cancelled);
    void EmptyList();
    void FinishLingeringLoad();
    void StartDriveWatch();
    void StopDriveWatch();
    void ScanDrives();
    bool SourceFolderGone() const;
    void ReselectLoadedFolder();
    void ReapplyPanelTexts();

    CKestrelApp* m_app = nullptr;
    const CUIResources* m_res = nullptr;  // the application's look-ups, never null
    KSkinRect m_reference{};
    CViewerSetup m_setup;
    QHash<int, CCtrlWnd*> m_controls;
    std::map<int, bool> m_popupRunning;  // node-stable: guards hold references

    int m_windowState = kestrel::mainwnd::kStateNormal;
    QRect m_keptRect;
    QSize m_dialogSize;
    QSize m_laidOutSize;

    QRect m_titleBar;
    QRect m_listRect;
    QRect m_gsensorRect;

    QPointer<QWidget> m_listPanel;
    kestrel::mainwnd::CDisplayDeck m_deck;
    QPointer<QWidget> m_gsensorPanel;
    std::vector<QPointer<QWidget>> m_mapPanels;

    bool m_pictureSuppressed = false;
    QBasicTimer m_pictureTimer;    // kTimerPictureResume
    QBasicTimer m_keepAwakeTimer;  // kTimerKeepAwake
    std::unique_ptr<kestrel::mainwnd::CKeepAwake> m_keepAwake;

    // Playback: the panels the window built itself, the flow it hosts and
    // the optional picture counters (declared before the flow, so the flow
    // and its engine go first).
    CWndList* m_listWnd = nullptr;
    std::array<CWndDisplay*, kDisplayCount> m_channelPanels{};
    CFullScreen* m_fullScreenWnd = nullptr;
    std::unique_ptr<kestrel::mainwnd::CPlayStats> m_stats;
    kestrel::mainwnd::CThreadPostQueue* m_posts = nullptr;  // child of the window
    std::unique_ptr<kestrel::mainwnd::CTransportControls> m_transport;
    std::unique_ptr<kestrel::mainwnd::CReadoutStatics> m_readouts;
    std::unique_ptr<kestrel::mainwnd::CFlowPrompt> m_prompt;
    std::unique_ptr<kestrel::playflow::CPlayFlow> m_flow;
    bool m_initialised = false;

    // Opening recordings and the drive watch.
    QString m_pendingOpenFolder;
    bool m_openRunning = false;
    int m_loadsRun = 0;  // loads through the load popup so far
    std::shared_ptr<kestrel::jobs::CLoadJob> m_lingeringLoad;  // a cancelled load still running
    std::unique_ptr<kestrel::services::CDriveWatcher> m_driveWatcher;
    std::unique_ptr<kestrel::services::CDriveWatchRule> m_driveRule;
    QTimer* m_driveTimer = nullptr;  // timer 4106, child of the window

    CTitleBarDrag m_drag;
    bool m_shownOnce = false;
    bool m_closing = false;
    bool m_destroyed = false;
};
