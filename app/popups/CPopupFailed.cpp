#include "popups/CPopupFailed.h"

#include "skin/CUIResources.h"

#include <algorithm>

namespace {

const QString kTitleKey = QStringLiteral("popup_dlg_failed");
const QString kMessageKey = QStringLiteral("popup_dlg_failed_msg");
constexpr int kDefaultMessageFontSize = 13;
constexpr int kDefaultMargin = 20;

// Horizontal alignment of the message: the Type field of its record
// (0 near, 1 centre, 2 far), the field the skin uses for text alignment
// everywhere. Other values centre the text; it is always vertically centred.
int AlignOf(int type) { return type >= StringAlignmentNear && type <= StringAlignmentFar ? type : StringAlignmentCenter; }

}  // namespace

CPopupFailed::CPopupFailed(const CUIResources& resources, QWidget* parent)
    : IPopupBase(kTemplateId, resources, parent), m_stcMessage(this)
{
    // The buttons stay above the message should the two ever overlap.
    m_stcMessage.lower();
    ApplySkin();
}

void CPopupFailed::ApplySkin()
{
    ApplyPopupSkin(kTitleKey);
    const CUIResources& res = Resources();
    OkButton().SetWindowText(res.GetUIText(QStringLiteral("popup_dlg_next")));
    CancelButton().SetWindowText(res.GetUIText(QStringLiteral("popup_dlg_stop")));

    m_stcMessage.SetBkImage(res.GetUIImage(QStringLiteral("popup_btn_bk")));
    int size = res.GetUIFontSize(kMessageKey);
    if (size <= 0)
        size = kDefaultMessageFontSize;
    m_stcMessage.SetInitFont(res.FontName(), size);
    // Colour (ColorText) and alignment (Type) from the message's own record,
    // else from the popup's record; without either, white and centred.
    const _WIN_POS* style = res.GetUIPos(kMessageKey);
    if (!HasRecord(style))
        style = res.GetUIPos(kTitleKey);
    if (HasRecord(style)) {
        m_stcMessage.SetTextColor(QColor::fromRgba(style->color[0]));
        m_stcMessage.SetTextAlign(AlignOf(style->type), StringAlignmentCenter);
    } else {
        m_stcMessage.SetTextColor(Qt::white);
        m_stcMessage.SetTextAlign(StringAlignmentCenter, StringAlignmentCenter);
    }
    m_stcMessage.SetWindowText(res.GetUIText(kMessageKey));
    PlaceMessage();
}

// The message sits at the popup's own record (x, y, cx, cy). That record
// also sizes the popup, so the box is kept inside the popup: as far from the
// right edge as x is from the left, and above the OK / Cancel row.
void CPopupFailed::PlaceMessage()
{
    const _WIN_POS* pos = Resources().GetUIPos(kTitleKey);
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
