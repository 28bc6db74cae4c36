// CKestrelDlg: building the panels the window shows (recording list, the
// four channel displays, the full-screen view) and starting the playback
// flow with the views as roles.
#include "CKestrelDlg.h"

#include "CPlayFlow.h"
#include "FlowPrompt.h"
#include "PlayStats.h"
#include "ReadoutStatics.h"
#include "BrowserVersion.h"
#include "ThreadPostQueue.h"
#include "TransportControls.h"

#include "controls/CCtrlSliderEx.h"
#include "panels/display/CFullScreen.h"
#include "panels/display/CWndDisplay.h"
#include "panels/gsensor/CWndGSensor.h"
#include "panels/map/CWndMapEdge.h"
#include "panels/list/CWndList.h"
#include "startup/CKestrelApp.h"
#include "util/CUtilMessageBox.h"
#include "util/PostedMessage.h"

#include "filehub/CPluginManager.h"
#include "kestrel/RecordRules.h"
#include "kestrel/ViewerMessages.h"
#include "vidout/IDisplay.h"

#include <QTimer>

using namespace kestrel::mainwnd;
using kestrel::playflow::CPlayFlow;

namespace {

constexpr int kScreenMode = 5;
constexpr int kVolumeMax = 100;
constexpr int kSpeedSliderMax = 4;

// The plug-in's calibration of the three G-sensor axes (thousandths of g).
std::array<int, 3> GSensorOffsets(const CKestrelApp* app)
{
    if (!app)
        return {0, 0, 0};
    const _PLUGIN_INFO& info = app->PluginInfo();
    return {info.nGSensorOffsetX, info.nGSensorOffsetY, info.nGSensorOffsetZ};
}

// The folder of the current language: the map page lives there.
QString LanguageFolder(const CKestrelApp* app)
{
    if (!app)
        return {};
    const int index = app->CurrentLanguage();
    return index >= 0 && index < app->Languages().folders.size() ? app->Languages().folders[index] : QString();
}

// Map type 1 asks for the map dialog instead of the map popup.
bool UsesMapDialog(const CKestrelApp* app)
{
    return app && app->Option().nMapType == 1;
}

// The map button: a browser core too old for the page is reported; the map
// popup shows when its page is loaded and its host answers.
void ShowMap(QWidget* window, const CUIResources& res, const CKestrelApp* app, CWndMapEdge* map)
{
    const QString title = window->windowTitle();
    const int version = kestrel::mainwnd::BrowserMajorVersion();
    if (version < 10) {
        const QString text = res.GetUIText(QStringLiteral("message011"));
        CUtilMessageBox::Show(window, QString(text).replace(QStringLiteral("%d"), QString::number(version)), title);
        return;
    }
    if (UsesMapDialog(app))
        return;  // the map dialog shows itself once it exists
    if (map && map->Ready()) {
        map->show();
        map->raise();
        map->activateWindow();
    } else {
        CUtilMessageBox::Show(window, res.GetUIText(QStringLiteral("message010")), title);
    }
}

}  // namespace

CWndDisplay* CKestrelDlg::ChannelPanel(int channel) const
{
    return channel >= 0 && channel < kDisplayCount ? m_channelPanels[size_t(channel)] : nullptr;
}

int CKestrelDlg::ViewChannel() const
{
    return m_flow ? m_flow->ViewChannel() : 0;
}

void CKestrelDlg::CreatePanels()
{
    CPluginManager* manager = m_app ? m_app->PluginManager() : nullptr;

    auto* list = new CWndList(this, this, *m_res);
    list->SetPluginManager(manager);  // the list merges through it from its first fill
    list->Create();
    list->SetWindowSize(width(), height());
    m_listWnd = list;
    AttachListPanel(list);

    for (int channel = 0; channel < kDisplayCount; ++channel) {
        auto* panel = new CWndDisplay(this, this, *m_res, channel, kScreenMode);
        if (!panel->Create()) {
            delete panel;  // the window carries on without this channel
            continue;
        }
        m_channelPanels[size_t(channel)] = panel;
        AttachDisplayPanel(channel, panel, panel->Display());
        if (m_stats)
            m_stats->WatchPaints(channel, panel->Display()->Widget());
    }

    if (CWndDisplay* front = m_channelPanels[0]) {
        auto* view = new CFullScreen(front, this, *m_res, kScreenMode);
        if (view->Create()) {
            m_fullScreenWnd = view;
            AttachFullScreenView(view, view->Display());
            if (m_stats)
                m_stats->WatchPaints(CPlayStats::kFullScreenSlot, view->Display()->Widget());
            ReapplyPanelTexts();
        } else {
            delete view;
        }
    }

    // The G-sensor graph; without its skin record the window goes on
    // without it.
    auto* graph = new CWndGSensor(this, *m_res, GSensorOffsets(m_app));
    if (graph->Create())
        AttachGSensorPanel(graph);
    else
        delete graph;

    // The map popup, created hidden; the map button shows it.
    // KESTREL_NO_WEB_MAP=1 leaves it out, and with it the web engine's
    // browser threads (the thread checker's runs: those threads are not
    // built for it and their locks are invisible to it).
    if (!UsesMapDialog(m_app) && qEnvironmentVariableIntValue("KESTREL_NO_WEB_MAP") != 1) {
        auto* map = new CWndMapEdge(this, *m_res);
        map->Create(LanguageFolder(m_app));
        AttachMapPanel(map);
    }
}


void CKestrelDlg::OnInitDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;

    m_stats = CPlayStats::FromEnvironment();
    CreatePanels();
    if (CCtrlSliderEx* volume = Slider(kSldVolume))
        volume->SetRange(0, kVolumeMax);
    if (CCtrlSliderEx* speed = Slider(kSldPbSpeed))
        speed->SetRange(0, kSpeedSliderMax);

    StartPlayFlow();
    LayoutForSize(width(), height());

    // The first run of a plug-in chooser build asks for the plug-in and the
    // size first; every other start goes straight to the drive watch.
    bool firstRun = false;
    if (m_app)
        firstRun = m_app->Profile().GetProfileInt(QStringLiteral("plugin"), QStringLiteral("run"), 1) != 0 &&
                   m_app->Option().nPluginMode == 0;
    PostMsg(this, kestrel::msg::WM_PLAYER_EVENT, firstRun ? kestrel::msg::kEventFirstRun : kestrel::msg::kEventStartup,
            0);

    if (m_app && !m_app->StartFolder().isEmpty())
        QTimer::singleShot(0, this, [this] { RunCommandLine(); });
}

void CKestrelDlg::StartPlayFlow()
{
    m_posts = new CThreadPostQueue(this, [this](uint32_t msg, uintptr_t wParam) { OnPlaybackMessage(msg, wParam, 0); });
    auto control = [this](int id) { return Control(id); };
    auto text = [this](const QString& key) { return m_res->GetUIText(key); };
    m_transport = std::make_unique<CTransportControls>(control);
    m_readouts = std::make_unique<CReadoutStatics>(control, text, &m_setup, GSensorOffsets(m_app));
    QPointer<CWndGSensor> graph = qobject_cast<CWndGSensor*>(m_gsensorPanel.data());
    if (graph) {
        m_readouts->SetGSensorLookup([graph](int ms) { return graph ? graph->SampleAt(ms) : nullptr; });
        m_readouts->SetRangeSink([graph](int range) {
            if (graph)
                graph->SetRange(range);
        });
    }
    m_readouts->ApplyInitialState();
    connect(this, &CKestrelDlg::CommandRaised, this, [this](int id) {
        if (id == kBtnGpsMap)
            ShowMap(this, *m_res, m_app,
                    m_mapPanels.empty() ? nullptr : qobject_cast<CWndMapEdge*>(m_mapPanels.front().data()));
        else
            m_readouts->OnCommand(id);
    });
    m_prompt = std::make_unique<CFlowPrompt>(this, m_app, *m_res);
    m_deck.SetStats(m_stats.get());

    kestrel::views::PlayViews views;
    views.post = m_posts;
    views.list = m_stats ? m_stats->WrapList(m_listWnd) : m_listWnd;
    views.transport = m_transport.get();
    views.displays = &m_deck;
    views.readouts = m_readouts.get();
    views.prompt = m_prompt.get();
    views.gsensor = graph.data();
    // The map role: the popup, or (map type 1) the map dialog once it exists.
    if (!m_mapPanels.empty())
        views.map = qobject_cast<CWndMapEdge*>(m_mapPanels.front().data());
    m_flow = std::make_unique<CPlayFlow>(views);

    kestrel::playflow::PlayFlowContext context;
    context.settings = &m_setup;
    context.window = this;
    if (m_app) {
        context.plugins = m_app->PluginManager();
        context.pluginInfo = m_app->PluginInfo();
        context.userDataFolder = m_app->UserDataFolder();
    }
    m_flow->Initialize(context);
}

void CKestrelDlg::ReapplyPanelTexts()
{
    if (m_listWnd) {
        // Type names live in the rows and the font comes with the language:
        // lay out and fill again, keeping selection and play mark.
        const int selected = m_listWnd->SelectedRow();
        const int playing = m_listWnd->PlayingRow();
        m_listWnd->Relayout();
        if (selected >= 0)
            m_listWnd->SelectRow(selected);
        if (playing >= 0)
            m_listWnd->MarkPlayingRow(playing);
    }
    for (CWndDisplay* panel : m_channelPanels)
        if (panel)
            panel->UpdateLabel();
    for (const QPointer<QWidget>& panel : m_mapPanels)
        if (auto* map = qobject_cast<CWndMapEdge*>(panel.data()))
            map->ReloadPage(LanguageFolder(m_app));
    if (m_fullScreenWnd && m_app) {
        // The language's face at the scaled size of the front label, and
        // the name of the view channel.
        const QString frontKey = QString::fromLatin1(kestrel::ChannelLabelKey(0));
        m_fullScreenWnd->SetLabelFont(m_res->FontName(), ScaledFontSize(frontKey));
        m_deck.ShowViewChannel(ViewChannel());
    }
    if (m_flow)
        m_flow->SignalSetupEvent();
}
