#include "popups/CPopupFailed.h"

#include "startup/CKestrelApp.h"

#include <algorithm>

namespace {

const QString kTitleKey = QStringLiteral("popup_dlg_failed");
const QString kMessageKey = QStringLiteral("popup_dlg_failed_msg");
constexpr int kDefaultMessageFontSize = 13;
constexpr int kDefaultMargin = 20;

// Text alignment of the message: the hc / vc fields of the message's own
// record (0 near, 1 centre, 2 far). Without a record the text is centred.
int AlignOf(int value) { return value >= StringAlignmentNear && value <= StringAlignmentFar ? value : StringAlignmentCenter; }

}  // namespace

CPopupFailed::CPopupFailed(QWidget* parent) : IPopupBase(kTemplateId, parent), m_stcMessage(this)
{
    // The buttons stay above the message should the two ever overlap.
    m_stcMessage.lower();
    ApplySkin();
}

void CPopupFailed::ApplySkin()
{
    ApplyPopupSkin(kTitleKey);
    const CKestrelApp* app = CKestrelApp::Instance();
    if (!app)
        return;
    OkButton().SetWindowText(app->GetUIText(QStringLiteral("popup_dlg_next")));
    CancelButton().SetWindowText(app->GetUIText(QStringLiteral("popup_dlg_stop")));

    m_stcMessage.SetBkImage(app->GetUIImage(QStringLiteral("popup_btn_bk")));
    int size = app->GetUIFontSize(kMessageKey);
    if (size <= 0)
        size = kDefaultMessageFontSize;
    m_stcMessage.SetInitFont(app->FontName(), size);
    // Colour and alignment from the message's own record; the colour falls
    // back to the popup's record, then to white.
    const _WIN_POS* own = app->GetUIPos(kMessageKey);
    const _WIN_POS* popup = app->GetUIPos(kTitleKey);
    if (HasRecord(own)) {
        m_stcMessage.SetTextColor(QColor::fromRgba(own->color[0]));
        m_stcMessage.SetTextAlign(AlignOf(own->hc), AlignOf(own->vc));
    } else {
        m_stcMessage.SetTextColor(HasRecord(popup) ? QColor::fromRgba(popup->color[0]) : QColor(Qt::white));
        m_stcMessage.SetTextAlign(StringAlignmentCenter, StringAlignmentCenter);
    }
    m_stcMessage.SetWindowText(app->GetUIText(kMessageKey));
    PlaceMessage();
}

// The message sits at the popup's own record (x, y, cx, cy). That record
// also sizes the popup, so the box is kept inside the popup: as far from the
// right edge as x is from the left, and above the OK / Cancel row.
void CPopupFailed::PlaceMessage()
{
    const CKestrelApp* app = CKestrelApp::Instance();
    const _WIN_POS* pos = app ? app->GetUIPos(kTitleKey) : nullptr;
    const int w = width(), h = height();
    const int x = pos && pos->x >= 0 ? pos->x : kDefaultMargin;
    const int y = pos && pos->y >= 0 ? pos->y : TitleBarRect().bottom() + 1 + kButtonGap;
    const int cx = pos && pos->cx > 0 ? pos->cx : w;
    const int cy = pos && pos->cy > 0 ? pos->cy : h;
    const int right = std::min(x + cx, w - x);
    const int bottom = std::min(y + cy, h - 2 * kButtonGap - kButtonHeight);
    m_stcMessage.setGeometry(x, y, std::max(0, right - x), std::max(0, bottom - y));
}

void CPopupFailed::resizeEvent(QResizeEvent* event)
{
    IPopupBase::resizeEvent(event);
    PlaceMessage();
}

int CPopupFailed::exec()
{
    int answer = IdOk;
    if (AnswerUnattended(m_stcMessage.GetWindowText(), &answer)) {
        setResult(answer);
        return answer;
    }
    return IPopupBase::exec();
}
