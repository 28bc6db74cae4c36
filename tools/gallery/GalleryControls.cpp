// Gallery pages of the backgrounds, buttons, sliders and small controls.
#include "Gallery.h"
#include "GalleryEvents.h"
#include "GallerySheet.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlButtonEx.h"
#include "controls/CCtrlGDIpString.h"
#include "controls/CCtrlGroupBox.h"
#include "controls/CCtrlImage.h"
#include "controls/CCtrlNumber.h"
#include "controls/CCtrlSliderEx.h"
#include "controls/CCtrlStatic.h"
#include "controls/CCtrlVScroll.h"
#include "controls/CHyperLink.h"
#include "skin/CUIImage.h"

#include <QPainter>

namespace gallery {
namespace {
QImage Grab(QWidget& w) { return w.grab().toImage(); }
}  // namespace

void RenderBackgrounds(GallerySheet& out, const CUIImage& skin) {
    out.Section("Backgrounds: stretched, tiled, nine parts, nine parts with borders x2");
    const QImage* img = skin.GetImageFile("nine_part");
    if (!img) return;
    const QMargins border(3, 3, 3, 3);
    auto draw = [&](const QString& name, auto fn) {
        QImage canvas(90, 60, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter p(&canvas);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        fn(p, QRect(0, 0, 90, 60));
        p.end();
        out.Add(name, canvas);
    };
    draw("bg_mode0_stretch", [&](QPainter& p, QRect r) { CCtrlGDIpString::DrawBg(p, *img, r, BgStretch, border); });
    draw("bg_mode1_tile", [&](QPainter& p, QRect r) { CCtrlGDIpString::DrawBg(p, *img, r, BgTile, border); });
    draw("bg_mode2_nine", [&](QPainter& p, QRect r) { CCtrlGDIpString::DrawBg(p, *img, r, BgNinePart, border); });
    draw("bg_nine4_x2", [&](QPainter& p, QRect r) { CCtrlGDIpString::DrawBg4(p, *img, r, border, 2.0); });
}

void RenderButtons(GallerySheet& out, const CUIImage& skin) {
    const char* states[] = {"normal", "hover", "pressed", "disabled", "checked", "checked_disabled"};
    for (int frames : {2, 4, 6}) {
        for (int drawType : {0, 2}) {
            out.Section(QString("Button, %1-frame strip, draw type %2").arg(frames).arg(drawType));
            for (int s = 0; s < 6; ++s) {
                CCtrlButton b(nullptr, 1, CCtrlButton::StyleCheck);
                b.resize(drawType == 2 ? QSize(96, 36) : QSize(72, 24));
                b.SetButtonImage(skin.GetImageFile(QString("btn_frames%1").arg(frames)), frames);
                b.SetButtonImageBg(skin.GetImageFile("btn_bk"));
                b.SetButtonType(drawType, 3);
                b.SetInitFont(QString(), 12, FontStyleBold);
                b.SetWindowText("Play");
                b.SetTextColor(Qt::white, CCtrlButton::StateNormal);
                b.SetTextColor(Qt::yellow, CCtrlButton::StateHover);
                b.SetTextColor(QColor(200, 200, 200), CCtrlButton::StateDisabled);
                b.SetTextColor(QColor(200, 200, 200), CCtrlButton::StateDisabledPressed);
                const QPoint mid(b.width() / 2, b.height() / 2);
                switch (s) {
                case 1: Hover(&b, mid); break;
                case 2: Hover(&b, mid); Press(&b, mid); break;
                case 3: b.setEnabled(false); break;
                case 4: b.SetCheck(1); break;
                case 5: b.SetCheck(1); b.setEnabled(false); break;
                default: break;
                }
                out.Add(QString("button%1_type%2_%3").arg(frames).arg(drawType).arg(states[s]), Grab(b));
                if (s == 2) Release(&b, mid);
            }
        }
    }
}

void RenderButtonEx(GallerySheet& out, const CUIImage& skin) {
    out.Section("Button with a divided image (2 x 2 frames, 4-frame table), draw type 2");
    const char* states[] = {"normal", "hover", "pressed", "disabled", "checked", "checked_disabled"};
    for (int s = 0; s < 6; ++s) {
        CCtrlButtonEx b(nullptr, 1, CCtrlButton::StyleCheck);
        b.resize(96, 36);
        b.SetButtonImage(skin.GetImageFile("btn_grid4"), 4);
        b.SetButtonDiv(2, 2);
        b.SetButtonType(2, 3);
        b.SetInitFont(QString(), 12);
        b.SetTextColor(Qt::white, CCtrlButton::StateNormal);
        b.SetWindowText("Grid");
        const QPoint mid(48, 18);
        switch (s) {
        case 1: Hover(&b, mid); break;
        case 2: Hover(&b, mid); Press(&b, mid); break;
        case 3: b.setEnabled(false); break;
        case 4: b.SetCheck(1); break;
        case 5: b.SetCheck(1); b.setEnabled(false); break;
        default: break;
        }
        out.Add(QString("buttonex_grid_%1").arg(states[s]), Grab(b));
        if (s == 2) Release(&b, mid);
    }
}

void RenderSliders(GallerySheet& out, const CUIImage& skin) {
    const char* kinds[] = {"slider", "sliderex_to_centre", "sliderex_reveal"};
    for (int kind = 0; kind < 3; ++kind) {
        out.Section(QString("%1 at min, mid, max, pressed in the middle").arg(kinds[kind]));
        for (int pos : {0, 50, 100, -1}) {
            CCtrlSliderEx s;
            s.resize(160, 24);
            s.SetImage(skin.GetImageFile("sld_left"), CCtrlSlider::ImgLeftBar);
            s.SetImage(skin.GetImageFile("sld_right"), CCtrlSlider::ImgRightBar);
            s.SetImage(skin.GetImageFile("sld_thumb"), CCtrlSlider::ImgThumb);
            s.SetImageBG(skin.GetImageFile("sld_bk"), 4, 4, -1);
            s.SetBarType(kind);
            s.SetRange(0, 100);
            if (pos >= 0) {
                s.SetPos(pos);
                out.Add(QString("%1_%2").arg(kinds[kind], pos == 0 ? "min" : pos == 50 ? "mid" : "max"), Grab(s));
            } else {
                Press(&s, QPoint(80, 12));
                out.Add(QString("%1_pressed").arg(kinds[kind]), Grab(s));
                Release(&s, QPoint(80, 12));
            }
        }
    }
    out.Section("Scroll bar: top, middle, bottom; proportional thumb");
    for (int pos : {0, 3, 6, -1}) {
        CCtrlVScroll v;
        v.resize(14, 120);
        v.SetImageBG(skin.GetImageFile("lst_vscroll_span"));
        v.SetImage(skin.GetImageFile("lst_vscroll_thumb"), CCtrlVScroll::ImgThumb);
        v.SetImage(skin.GetImageFile("lst_vscroll_top"), CCtrlVScroll::ImgTop);
        v.SetImage(skin.GetImageFile("lst_vscroll_bottom"), CCtrlVScroll::ImgBottom);
        v.SetMaxRowCount(4);
        v.SetItemCount(10);
        if (pos < 0) {
            v.SetScrollType(CCtrlVScroll::ThumbProportional);
            v.SetCurPos(3);
            out.Add("vscroll_proportional", Grab(v));
        } else {
            v.SetCurPos(pos);
            out.Add(QString("vscroll_pos%1").arg(pos), Grab(v));
        }
    }
}

void RenderSmallControls(GallerySheet& out, const CUIImage& skin) {
    out.Section("Number, static, image, group boxes, hyperlink");
    {
        CCtrlNumber n;
        n.resize(60, 24);
        for (int d = 0; d < 10; ++d) n.SetImage(skin.GetImageFile(QString("num_%1").arg(d)), d);
        n.SetBkImage(skin.GetImageFile("stc_bk"));
        n.SetDigit(3);
        n.SetWindowText("1.5");
        out.Add("number_1.5", Grab(n));
        n.SetWindowText("907");
        out.Add("number_907", Grab(n));
    }
    {
        CCtrlStatic s;
        s.resize(160, 28);
        s.SetBkImage(skin.GetImageFile("stc_bk"));
        s.SetImageIcon(skin.GetImageFile("stc_icon"));
        s.SetInitFont(QString(), 13);
        s.SetTextColor(Qt::white);
        s.SetWindowText("37.5665 N 126.978 E");
        out.Add("static_icon_text", Grab(s));
        s.SetImageIcon(nullptr);
        s.SetTextAlign(StringAlignmentFar, StringAlignmentCenter);
        s.SetWindowText("00:12:34");
        out.Add("static_far", Grab(s));
    }
    {
        CCtrlImage c;
        c.resize(80, 60);
        c.SetImageBk(skin.GetImageFile("btn_bk"));
        c.SetImage(skin.GetImageFile("img_picture"));
        c.SetInitFont(QString(), 11);
        c.SetWindowText("Front");
        out.Add("image_caption", Grab(c));
    }
    const char* styles[] = {"none", "frame", "header", "rounded"};
    for (int style = 0; style < 4; ++style) {
        CCtrlGroupBox g;
        g.resize(130, 60);
        g.SetBorderStyle(style);
        g.SetInitFont(QString(), 12, FontStyleBold);
        g.SetTextColor(QColor(20, 40, 90));
        g.SetBorderColor(QColor(80, 90, 120));
        g.SetBackgroundColor(QColor(250, 250, 245));
        g.SetIcon(style == 2 ? skin.GetImageFile("stc_icon") : nullptr);
        g.SetAlignment(style == 3 ? StringAlignmentCenter : StringAlignmentNear);
        g.SetWindowText("Window size");
        out.Add(QString("groupbox_%1").arg(styles[style]), Grab(g));
        if (style == 1) {
            g.EnableWindow(false);
            out.Add("groupbox_frame_disabled", Grab(g));
        }
    }
    for (int state = 0; state < 3; ++state) {
        CHyperLink link;
        link.SetInitFont(QString(), 13);
        link.SetAutoSize(true);
        link.SetURL("https://example.org/manual");
        link.SetWindowText("Online manual");
        if (state == 1) Hover(&link, QPoint(5, 5));
        if (state == 2) link.SetVisited(true);
        out.Add(QString("hyperlink_%1").arg(state == 0 ? "normal" : state == 1 ? "hover" : "visited"), Grab(link));
    }
}
}  // namespace gallery
