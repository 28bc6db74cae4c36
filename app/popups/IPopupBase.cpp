#include "popups/IPopupBase.h"

#include "controls/CtrlMessages.h"
#include "skin/CUIResources.h"
#include "skin/SkinScale.h"
#include "util/CUtilMessageBox.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

const QString kDefaultTitleFace = QStringLiteral("맑은 고딕");
constexpr int kDefaultTitleSize = 14;
constexpr int kDefaultButtonFontSize = 12;
// Used when the skin has no record for a key, so a popup stays usable.
constexpr int kDefaultWidth = 400;
constexpr int kDefaultHeight = 200;
constexpr int kDefaultTitleBarHeight = 40;
constexpr int kDefaultExitSide = 24;
// A missing colour of a skin record reads as opaque white.
constexpr QRgb kDefaultColour = 0xFFFFFFFF;
// Frames of the OK / Cancel face strip: normal, hover, disabled, pressed.
constexpr int kButtonFrames = 4;
constexpr int kExitFrames = 4;

// The OK / Cancel strip: the face picture holds the normal, hover, disabled
// and pressed frames; a separate pressed picture, when the skin has one,
// replaces the pressed frame.
QImage ComposeButtonStrip(const QImage* face, const QImage* pressed, const QImage* fallback)
{
    if (!face || face->isNull())
        return QImage();
    const bool hasPressed = pressed && !pressed->isNull() && pressed != fallback;
    if (!hasPressed)
        return *face;
    const int fw = face->width() / kButtonFrames;
    const int fh = face->height();
    if (fw <= 0 || fh <= 0)
        return *face;
    QImage strip(fw * kButtonFrames, fh, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRect(0, 0, fw * (kButtonFrames - 1), fh), *face, QRect(0, 0, fw * (kButtonFrames - 1), fh));
    p.drawImage(QRect(fw * (kButtonFrames - 1), 0, fw, fh), *pressed);
    return strip;
}

QColor ColourOf(const _WIN_POS* pos, int slot)
{
    if (!IPopupBase::HasRecord(pos))
        return QColor::fromRgba(kDefaultColour);
    return QColor::fromRgba(pos->color[slot]);
}

}  // namespace

bool IPopupBase::HasRecord(const _WIN_POS* pos)
{
    if (!pos)
        return false;
    // A section always has a size or colours (missing colours read as opaque
    // white); the default record for a missing key has neither.
    return pos->cx > 0 || pos->cy > 0 || (pos->color[0] >> 24) != 0 || pos->type != 0;
}

IPopupBase::IPopupBase(int templateId, const CUIResources& resources, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_templateId(templateId),
      m_res(resources),
      m_btnExit(this, kIdExit),
      m_btnOk(this, kIdOk),
      m_btnCancel(this, kIdCancel),
      m_strTitleFace(kDefaultTitleFace),
      m_nTitleSize(kDefaultTitleSize)
{
    setModal(true);
    // The off-screen image covers the whole client area.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    m_titleFont.SetInit(m_strTitleFace, m_nTitleSize);
    resize(kDefaultWidth, kDefaultHeight);
    CreateControls();
    PlaceFrameControls();
    PlaceButtons();
}

IPopupBase::~IPopupBase() = default;

const QImage* IPopupBase::Image(const QString& key) const { return m_res.GetUIImage(key); }
const _WIN_POS* IPopupBase::Pos(const QString& key) const { return m_res.GetUIPos(key); }
QString IPopupBase::Text(const QString& key) const { return m_res.GetUIText(key); }

void IPopupBase::CreateControls()
{
    const QImage* transparent = Image(QStringLiteral("transparent"));
    m_btnExit.SetButtonImage(Image(QStringLiteral("popup_btn_exit")), kExitFrames);
    m_btnExit.setToolTip(QString());

    const QImage strip = ComposeButtonStrip(Image(QStringLiteral("popup_btn")),
                                            Image(QStringLiteral("popup_btn_push")), transparent);
    const QString face = m_res.FontName();
    int fontSize = m_res.GetUIFontSize(QStringLiteral("common_ok"));
    if (fontSize <= 0)
        fontSize = kDefaultButtonFontSize;
    const _WIN_POS* btnPos = Pos(QStringLiteral("popup_btn"));
    for (CCtrlButton* b : {&m_btnOk, &m_btnCancel}) {
        b->SetButtonImage(&strip, kButtonFrames);
        b->SetInitFont(face, fontSize);
        b->SetTextColor(ColourOf(btnPos, 0), CCtrlButton::StateNormal);
        b->SetTextColor(ColourOf(btnPos, 1), CCtrlButton::StateDisabled);
        b->SetTextColor(ColourOf(btnPos, 1), CCtrlButton::StateDisabledPressed);
    }
    m_btnOk.SetWindowText(Text(QStringLiteral("common_ok")));
    m_btnCancel.SetWindowText(Text(QStringLiteral("common_cancel")));
}

void IPopupBase::SetTitleFont(const QString& face, int size)
{
    m_strTitleFace = face;
    m_nTitleSize = size;
    m_titleFont.SetInit(face, size);
    update();
}

void IPopupBase::SetTitleText(const QString& text)
{
    m_strTitle = text;
    update();
}

QRect IPopupBase::SkinRect(const QString& key, const QRect& fallback) const
{
    const _WIN_POS* pos = Pos(key);
    if (!pos || pos->cx <= 0 || pos->cy <= 0)
        return fallback;
    const KSkinRect self{0, 0, width(), height()};
    const KSkinRect r = kestrel::skin::ScaleSkinRect(*pos, width(), height(), self);
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

void IPopupBase::PlaceFrameControls()
{
    const int w = width();
    m_rectTitleBar = SkinRect(QStringLiteral("popup_titlebar"), QRect(0, 0, w, kDefaultTitleBarHeight));
    const int exitTop = (kDefaultTitleBarHeight - kDefaultExitSide) / 2;
    m_btnExit.setGeometry(SkinRect(QStringLiteral("popup_btn_exit"),
                                   QRect(w - exitTop - kDefaultExitSide, exitTop, kDefaultExitSide, kDefaultExitSide)));
}

void IPopupBase::PlaceButtons()
{
    const int w = width(), h = height();
    const int y = h - kButtonGap - kButtonHeight;
    const int right = w - kButtonGap - kButtonWidth;
    if (m_btnCancel.isHidden()) {
        m_btnOk.setGeometry(right, y, kButtonWidth, kButtonHeight);
    } else {
        m_btnCancel.setGeometry(right, y, kButtonWidth, kButtonHeight);
        m_btnOk.setGeometry(right - kButtonGap - kButtonWidth, y, kButtonWidth, kButtonHeight);
    }
}

void IPopupBase::SetCancelVisible(bool visible)
{
    m_btnCancel.setVisible(visible);
    PlaceButtons();
}

void IPopupBase::ApplyPopupSkin(const QString& titleKey)
{
    SetTitleText(Text(titleKey));
    int size = m_res.GetUIFontSize(titleKey);
    if (size <= 0)
        size = m_nTitleSize;
    const QString face = !m_res.FontName().isEmpty() ? m_res.FontName() : m_strTitleFace;
    SetTitleFont(face, size);

    const _WIN_POS* pos = Pos(titleKey);
    if (pos && pos->cx > 0 && pos->cy > 0)
        resize(pos->cx, pos->cy);
    CentreOnOwner();

    m_btnOk.SetWindowText(Text(QStringLiteral("common_ok")));
    m_btnCancel.SetWindowText(Text(QStringLiteral("common_cancel")));
    PlaceFrameControls();
    PlaceButtons();
}

void IPopupBase::CentreOnOwner()
{
    QRect area;
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr; owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    if (area.isEmpty())
        return;
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

bool IPopupBase::AnswerUnattended(const QString& text, int* result)
{
    if (!CUtilMessageBox::LogInsteadOfShowing(text))
        return false;
    const QString answer = qEnvironmentVariable("KESTREL_POPUP_ANSWER").trimmed().toLower();
    if (result)
        *result = answer == QStringLiteral("cancel") ? IdCancel : IdOk;
    return true;
}

intptr_t IPopupBase::SendMsg(uint32_t msg, uintptr_t wParam, intptr_t)
{
    if (msg != ctrlmsg::WM_COMMAND)
        return 0;
    switch (static_cast<int>(wParam & 0xFFFF)) {
    case kIdOk:
        OnOK();
        return 1;
    case kIdCancel:
    case kIdExit:
        OnCancel();
        return 1;
    default:
        return 0;
    }
}

// accept() and reject() (Escape, closing the window) go through OnOK and
// OnCancel so a derived popup sees every way of closing.
void IPopupBase::accept() { OnOK(); }
void IPopupBase::reject() { OnCancel(); }
void IPopupBase::OnOK() { done(IdOk); }
void IPopupBase::OnCancel() { done(IdCancel); }

void IPopupBase::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    const qreal dpr = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
    QImage canvas(size() * dpr, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(dpr);
    // The window is opaque: what the skin leaves uncovered shows the
    // window colour rather than whatever was on screen before.
    canvas.fill(palette().color(QPalette::Window));
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        if (const QImage* bg = Image(QStringLiteral("popup_background")); bg && !bg->isNull()) {
            const _WIN_POS* pos = Pos(QStringLiteral("popup_background"));
            if (pos)
                CCtrlGDIpString::DrawByWinPos(p, *bg, rect(), *pos, 1.0);
            else
                CCtrlGDIpString::DrawBg(p, *bg, rect(), BgStretch);
        }
        if (!m_strTitle.isEmpty()) {
            const QRect fallback = m_rectTitleBar.adjusted(kButtonGap + 6, 0, -(kDefaultTitleBarHeight + kButtonGap), 0);
            const QRect tr = SkinRect(QStringLiteral("popup_title"), fallback);
            m_titleFont.DrawString(p, m_strTitle, tr.x(), tr.y(), tr.width(), tr.height(),
                                   ColourOf(Pos(QStringLiteral("popup_title")), 0), StringAlignmentNear,
                                   StringAlignmentCenter);
        }
    }
    QPainter out(this);
    out.drawImage(0, 0, canvas);
}

void IPopupBase::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    PlaceFrameControls();
    PlaceButtons();
}

void IPopupBase::keyPressEvent(QKeyEvent* event)
{
    // Enter answers OK like a dialog's default button; Escape (handled by
    // QDialog) answers Cancel through reject().
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (!m_btnOk.isHidden() && m_btnOk.isEnabled())
            OnOK();
        return;
    }
    QDialog::keyPressEvent(event);
}

// A frameless window has no caption for the window manager to drag by, so
// the title bar drags the popup.
void IPopupBase::mousePressEvent(QMouseEvent* event)
{
    if (m_drag.Press(*this, *event, m_rectTitleBar.contains(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void IPopupBase::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag.Move(*this, *event)) {
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void IPopupBase::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_drag.Release(*event)) {
        event->accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}
