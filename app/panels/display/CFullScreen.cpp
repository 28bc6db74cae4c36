#include "CFullScreen.h"

#include "DisplaySetup.h"

#include "kestrel/Trace.h"
#include "kestrel/ViewerMessages.h"
#include "skin/CUIResources.h"
#include "skin/SkinScale.h"
#include "util/PostedMessage.h"
#include "vidout/IDisplay.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegion>
#include <QResizeEvent>

using namespace kestrel::display;

namespace {

const QString kFullScreenLabelKey = QStringLiteral("display_text_front");

// Skin keys of the hot zone and the reveal region of each strip, in the
// order the strips are tested.
struct ZoneKeys {
    const char* hot;
    const char* back;
};
constexpr ZoneKeys kZoneKeys[CRevealRule::kStripCount] = {
    {"fullscreen_range_top", "fullscreen_range_top_back"},
    {"fullscreen_range_right", "fullscreen_range_right_back"},
    {"fullscreen_range_bottom", "fullscreen_range_bottom_back"},
};

QRect ToQRect(const KSkinRect& r)
{
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// A missing record gives an empty zone, which the pointer never enters.
QRect PlaceRecord(const CUIResources& resources, const char* key, int width, int height, const KSkinRect& reference)
{
    const _WIN_POS* pos = resources.GetUIPos(QString::fromLatin1(key));
    return pos ? ToQRect(kestrel::skin::ScaleSkinRect(*pos, width, height, reference)) : QRect();
}

}  // namespace

CFullScreen::CFullScreen(QWidget* parent, CMsgTarget* owner, const CUIResources& resources, int screenMode)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_res(resources), m_nScreenMode(screenMode),
      m_pOwner(owner)
{
    setMouseTracking(true);
    m_recoveryTimer.setInterval(kRecoveryPeriodMs);
    connect(&m_recoveryTimer, &QTimer::timeout, this, [this] {
        if (m_pDisplay)
            PollRecovery(*m_pDisplay);
    });
}

CFullScreen::~CFullScreen()
{
    m_recoveryTimer.stop();
    delete m_pDisplay;
    m_pDisplay = nullptr;
}

IDisplay* CFullScreen::NewDisplay()
{
    return IDisplay::CreateDisplay(0, this);
}

bool CFullScreen::Create()
{
    if (m_pDisplay)
        return true;
    if (const _WIN_POS* base = m_res.GetUIPos(QStringLiteral("base_window")))
        m_baseWindow = *base;

    IDisplay* display = NewDisplay();
    if (!display)
        return false;
    if (display->CreateScreen(this, m_nScreenMode) < 0) {
        kestrel::Trace("failed to CreateScreen\n");
        delete display;
        return false;
    }
    m_pDisplay = display;
    if (QWidget* screen = m_pDisplay->Widget()) {
        // Pointer moves over the picture drive the reveal rule too.
        screen->setMouseTracking(true);
        screen->installEventFilter(this);
    }

    m_strLabel = m_res.GetUIText(kFullScreenLabelKey);
    m_strFontFace = m_res.FontName();
    m_nFontSize = m_res.GetUIFontSize(kFullScreenLabelKey);
    ApplyLabel();
    m_pDisplay->SetLabelPlacement(0, -1);
    ApplyLogos(*m_pDisplay, m_res, {QStringLiteral("logo_main_front"), QStringLiteral("logo_main_rear")});
    if (width() > 0 && height() > 0)
        ComputeZones(width(), height());
    m_recoveryTimer.start();
    return true;
}

void CFullScreen::ApplyLabel()
{
    if (m_pDisplay)
        kestrel::display::ApplyLabel(*m_pDisplay, m_strFontFace, m_nFontSize, m_strLabel);
}

void CFullScreen::SetLabelText(const QString& text)
{
    m_strLabel = text;
    ApplyLabel();
}

void CFullScreen::SetLabelFont(const QString& face, int size)
{
    m_strFontFace = face;
    m_nFontSize = size;
    ApplyLabel();
}

intptr_t CFullScreen::SendMsg(uint32_t msg, uintptr_t wParam, intptr_t)
{
    if (msg != kestrel::msg::WM_DISPLAY_NOTIFY || !m_pOwner)
        return 0;
    return m_pOwner->SendMsg(kestrel::msg::WM_DISPLAY_NOTIFY, wParam, kFullScreenNotifyId);
}

bool CFullScreen::event(QEvent* e)
{
    if (const KPostedMessage* posted = AsPostedMessage(e)) {
        SendMsg(posted->Msg(), posted->WParam(), posted->LParam());
        return true;
    }
    return QDialog::event(e);
}

bool CFullScreen::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::MouseMove && m_pDisplay && watched == m_pDisplay->Widget()) {
        const auto* move = static_cast<QMouseEvent*>(e);
        OnPointer(m_pDisplay->Widget()->mapTo(this, move->position().toPoint()));
    }
    return QDialog::eventFilter(watched, e);
}

void CFullScreen::paintEvent(QPaintEvent*)
{
    kestrel::display::RepaintHeldPicture(m_pDisplay);
}

void CFullScreen::resizeEvent(QResizeEvent* event)
{
    const QSize size = event->size();
    if (size.width() < 1 || size.height() < 1)
        return;
    kestrel::display::FitToWindow(m_pDisplay, size);
    ComputeZones(size.width(), size.height());
    // A strip that shows keeps showing at the new size.
    if (m_reveal.Revealed() != CRevealRule::kNone)
        ApplyMask();
}

void CFullScreen::showEvent(QShowEvent* event)
{
    // Every entry into full screen starts with the whole screen covered,
    // whatever strip showed when the view was last hidden.
    m_reveal.Reset();
    m_lastPointer.reset();
    ApplyMask();
    QDialog::showEvent(event);
}

void CFullScreen::ComputeZones(int width, int height)
{
    CRevealRule::Zones zones;
    for (int strip = 0; strip < CRevealRule::kStripCount; ++strip) {
        zones.hot[size_t(strip)] = PlaceRecord(m_res, kZoneKeys[strip].hot, width, height, m_baseWindow.rect);
        zones.back[size_t(strip)] = PlaceRecord(m_res, kZoneKeys[strip].back, width, height, m_baseWindow.rect);
    }
    m_reveal.SetZones(zones);
}

void CFullScreen::mouseMoveEvent(QMouseEvent* event)
{
    OnPointer(event->position().toPoint());
    QDialog::mouseMoveEvent(event);
}

void CFullScreen::OnPointer(QPoint pos)
{
    // A move over the picture reaches this window twice: through the filter
    // and again when the picture widget passes it on.
    if (m_lastPointer && *m_lastPointer == pos)
        return;
    m_lastPointer = pos;
    switch (m_reveal.OnPointer(pos)) {
    case CRevealRule::kRevealed:
        ApplyMask();
        ActivateOwnerWindow();
        break;
    case CRevealRule::kCovered:
        ApplyMask();
        break;
    case CRevealRule::kNoChange:
        break;
    }
}

void CFullScreen::ApplyMask()
{
    if (m_reveal.Revealed() == CRevealRule::kNone)
        clearMask();
    else
        setMask(QRegion(m_reveal.RevealRegion()));
}

QWidget* CFullScreen::OwnerWindow() const
{
    if (auto* widget = dynamic_cast<QWidget*>(m_pOwner))
        return widget->window();
    return parentWidget() ? parentWidget()->window() : nullptr;
}

void CFullScreen::ActivateOwnerWindow()
{
    if (QWidget* owner = OwnerWindow(); owner && owner != this) {
        owner->raise();
        owner->activateWindow();
    }
}

void CFullScreen::keyPressEvent(QKeyEvent* event)
{
    // The main window's keys keep working while this window has the focus.
    if (QWidget* owner = OwnerWindow(); owner && owner != this)
        QCoreApplication::sendEvent(owner, event);
    else
        QDialog::keyPressEvent(event);
}

void CFullScreen::keyReleaseEvent(QKeyEvent* event)
{
    if (QWidget* owner = OwnerWindow(); owner && owner != this)
        QCoreApplication::sendEvent(owner, event);
    else
        QDialog::keyReleaseEvent(event);
}
