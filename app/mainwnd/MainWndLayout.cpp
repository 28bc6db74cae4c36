// CKestrelDlg: placement of every control and panel for the client size,
// by scaling their skin records from the reference size.
#include "CKestrelDlg.h"

#include "MainControlTable.h"
#include "MainLayoutRules.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlSliderEx.h"
#include "controls/CCtrlStatic.h"
#include "panels/display/CFullScreen.h"
#include "panels/list/CWndList.h"
#include "skin/SkinScale.h"
#include "startup/CKestrelApp.h"

#include "vidout/IDisplay.h"

#include <QPainterPath>
#include <QRegion>

using namespace kestrel::mainwnd;
namespace skin = kestrel::skin;

namespace {

constexpr int kPictureResumeMs = 200;

QRect ToQRect(const KSkinRect& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool IsFullScreenState(int state)
{
    return state == kStateFullFromMaximised || state == kStateFullFromNormal;
}

}  // namespace

QRect CKestrelDlg::Scaled(const QString& key, int width, int height) const
{
    return ToQRect(skin::ScaleSkinRect(Pos(key), width, height, m_reference));
}

void CKestrelDlg::LayoutForSize(int width, int height)
{
    if (!LayoutAllowed(width, height))
        return;
    m_laidOutSize = QSize(width, height);
    if (m_windowState == kStateNormal || m_windowState == kStateMaximised)
        SuppressPictures(kPictureResumeMs);

    m_titleBar = Scaled(QStringLiteral("titlebar"), width, height);
    LayoutControls(width, height);
    LayoutDisplays(width, height);
    LayoutPanels(width, height);
    ApplyRegion(width, height);
    update();
}

void CKestrelDlg::LayoutControls(int width, int height)
{
    const QString face = m_res->FontName();
    auto fontSize = [&](const QString& key) { return ScaledFontSize(key, QSize(width, height)); };

    for (const ControlSpec& spec : MainControls()) {
        CCtrlWnd* control = Control(spec.id);
        if (!control)
            continue;
        const QString name = QString::fromLatin1(spec.name);
        control->setGeometry(Scaled(name, width, height));

        if (spec.kind == ControlKind::TextButton) {
            auto* button = static_cast<CCtrlButton*>(control);
            const int size = fontSize(name);
            button->SetInitFont(face, size, FontStyleRegular);
            if (spec.id == kBtnGpsMap)
                button->SetTextOffset(size);
        } else if (spec.kind == ControlKind::Static) {
            auto* stc = static_cast<CCtrlStatic*>(control);
            stc->SetInitFont(face, fontSize(name), FontStyleRegular);
            stc->SetTextColor(QColor::fromRgba(Pos(name).color[0]));
            stc->SetTextAlign(spec.hAlign, spec.vAlign);
        }
    }
}

int CKestrelDlg::ScaledFontSize(const QString& key, QSize client) const
{
    if (client.isEmpty())
        client = size();
    return skin::ScaleFontSize(m_res->GetUIFontSize(key), client.width(), client.height(), m_reference);
}

void CKestrelDlg::LayoutDisplays(int width, int height)
{
    const int slotCount = m_app ? DisplaySlotCount(m_app->PluginInfo()) : 2;
    const bool full = IsFullScreenState(m_windowState);
    const int view = ViewChannel();
    for (int channel = 0; channel < kDisplayCount; ++channel) {
        const QString slot =
            channel < slotCount ? QStringLiteral("display%1").arg(DisplaySlotOf(channel, view, slotCount)) : QString();
        m_deck.PlaceChannelPanel(channel, slot, QSize(width, height));
        if (full)
            m_deck.HideChannelPanel(channel);
    }
}

CDisplayDeck::Hooks CKestrelDlg::DeckHooks()
{
    CDisplayDeck::Hooks hooks;
    hooks.slotRect = [this](const QString& key, QSize client) {
        return key.isEmpty() ? QRect() : Scaled(key, client.width(), client.height());
    };
    hooks.windowState = [this] { return m_windowState; };
    hooks.clientSize = [this] { return size(); };
    hooks.startResumeTimer = [this](int ms) {
        m_pictureSuppressed = true;
        m_pictureTimer.start(ms, this);
    };
    hooks.text = [this](const QString& key) { return m_res->GetUIText(key); };
    return hooks;
}

void CKestrelDlg::LayoutPanels(int width, int height)
{
    m_listRect = ToQRect(kestrel::mainwnd::ListPanelRect(Pos(QStringLiteral("list")), Pos(QStringLiteral("list_full")),
                                                         Pos(QStringLiteral("display1")), m_windowState, width,
                                                         height, m_reference));
    if (m_listWnd)
        m_listWnd->SetWindowSize(width, height);
    if (m_listPanel)
        m_listPanel->setGeometry(m_listRect);

    m_gsensorRect = Scaled(QStringLiteral("stc_gsen_graph"), width, height);
    if (m_gsensorPanel)
        m_gsensorPanel->setGeometry(m_gsensorRect);
    // The map panels are popups of their own size; nothing to place here.
}

void CKestrelDlg::ApplyRegion(int width, int height)
{
    const double s = skin::UniformScale(width, height, m_reference);
    const QSize corner = CornerEllipse(Pos(QStringLiteral("base_window")), s);
    if (corner.width() <= 0 || corner.height() <= 0) {
        if (!mask().isEmpty())
            clearMask();
        return;
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width + 1, height + 1), corner.width() / 2.0, corner.height() / 2.0);
    const QRegion region(path.toFillPolygon().toPolygon());
    if (region != mask())  // layouts repeat at one size; the window system needs it once
        setMask(region);
}

// ---- Panels built elsewhere ------------------------------------------------

void CKestrelDlg::AttachListPanel(QWidget* panel)
{
    m_listPanel = panel;
    if (panel) {
        panel->setParent(this);
        panel->setGeometry(m_listRect);
        panel->show();
    }
}

void CKestrelDlg::AttachDisplayPanel(int channel, QWidget* panel, IDisplay* display)
{
    if (channel < 0 || channel >= kDisplayCount)
        return;
    m_deck.AttachChannel(channel, panel, display);
    if (panel) {
        panel->setParent(this);
        panel->hide();
    }
    if (!m_laidOutSize.isEmpty())
        LayoutDisplays(m_laidOutSize.width(), m_laidOutSize.height());
}

void CKestrelDlg::AttachFullScreenView(QWidget* view, IDisplay* display)
{
    m_deck.AttachFullScreen(view, display, qobject_cast<CFullScreen*>(view));
}

void CKestrelDlg::AttachGSensorPanel(QWidget* panel)
{
    m_gsensorPanel = panel;
    if (panel) {
        panel->setParent(this);
        panel->setGeometry(m_gsensorRect);
        panel->show();
    }
}

void CKestrelDlg::AttachMapPanel(QWidget* panel)
{
    if (panel)
        m_mapPanels.emplace_back(panel);
}
