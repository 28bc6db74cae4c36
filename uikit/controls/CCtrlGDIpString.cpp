#include "controls/CCtrlGDIpString.h"

#include "skin/WinPos.h"

#include <QFontDatabase>
#include <QPainter>
#include <algorithm>
#include <cmath>

Qt::Alignment ToQtAlign(int hAlign, int vAlign) {
    Qt::Alignment a;
    a |= hAlign == StringAlignmentNear ? Qt::AlignLeft
         : hAlign == StringAlignmentFar ? Qt::AlignRight : Qt::AlignHCenter;
    a |= vAlign == StringAlignmentNear ? Qt::AlignTop
         : vAlign == StringAlignmentFar ? Qt::AlignBottom : Qt::AlignVCenter;
    return a;
}

void CCtrlGDIpString::SetInit(const QString& face, int pixelSize, int style) {
    QFont f;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) {
        f.setFamily(face);
    } else {
        f.setFamily(QStringLiteral("sans-serif"));
        f.setStyleHint(QFont::SansSerif);
    }
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(style & FontStyleBold);
    f.setItalic(style & FontStyleItalic);
    f.setUnderline(style & FontStyleUnderline);
    f.setStrikeOut(style & FontStyleStrikeout);
    m_font = f;
    m_hasFont = true;
}

// Line breaks in the text start new lines (the position read-out has two);
// text without them stays on one line, as nothing wraps.
void CCtrlGDIpString::DrawString(QPainter& p, const QString& text, qreal x, qreal y, qreal w,
                                 qreal h, const QColor& colour, int hAlign, int vAlign) const {
    if (text.isEmpty()) return;
    p.save();
    p.setFont(m_font);
    p.setPen(colour);
    p.drawText(QRectF(x, y, w, h), int(ToQtAlign(hAlign, vAlign)) | Qt::TextDontClip,
               text);
    p.restore();
}

namespace {
// Shrinks a pair of borders proportionally so that together they fit `room`.
void FitPair(int& a, int& b, int room) {
    a = std::max(0, a);
    b = std::max(0, b);
    if (a + b <= room) return;
    if (room <= 0) { a = b = 0; return; }
    const double k = double(room) / double(a + b);
    a = int(std::floor(a * k));
    b = std::min(b, room - a);
}

void Part(QPainter& p, const QImage& img, int dx, int dy, int dw, int dh, int sx, int sy, int sw,
          int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    p.drawImage(QRect(dx, dy, dw, dh), img, QRect(sx, sy, sw, sh));
}
}  // namespace

void CCtrlGDIpString::DrawNine(QPainter& p, const QImage& img, const QRect& srcIn,
                               const QMargins& sb, const QRect& dst, const QMargins& db) {
    if (img.isNull() || dst.isEmpty()) return;
    const QRect src = srcIn.intersected(img.rect());
    if (src.isEmpty()) return;
    int sl = sb.left(), sr = sb.right(), st = sb.top(), sbm = sb.bottom();
    FitPair(sl, sr, src.width());
    FitPair(st, sbm, src.height());
    int dl = db.left(), dr = db.right(), dt = db.top(), dbm = db.bottom();
    FitPair(dl, dr, dst.width());
    FitPair(dt, dbm, dst.height());

    const int sx[3] = {src.left(), src.left() + sl, src.left() + src.width() - sr};
    const int sw[3] = {sl, src.width() - sl - sr, sr};
    const int sy[3] = {src.top(), src.top() + st, src.top() + src.height() - sbm};
    const int sh[3] = {st, src.height() - st - sbm, sbm};
    const int dx[3] = {dst.left(), dst.left() + dl, dst.left() + dst.width() - dr};
    const int dw[3] = {dl, dst.width() - dl - dr, dr};
    const int dy[3] = {dst.top(), dst.top() + dt, dst.top() + dst.height() - dbm};
    const int dh[3] = {dt, dst.height() - dt - dbm, dbm};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) Part(p, img, dx[c], dy[r], dw[c], dh[r], sx[c], sy[r], sw[c], sh[r]);
}

void CCtrlGDIpString::DrawBg(QPainter& p, const QImage& img, const QRect& dst, int mode,
                             const QMargins& border) {
    if (img.isNull() || dst.isEmpty()) return;
    if (mode == BgTile) {
        p.save();
        p.setBrushOrigin(dst.topLeft());
        p.fillRect(dst, QBrush(img));
        p.restore();
    } else if (mode == BgNinePart) {
        DrawNine(p, img, img.rect(), border, dst, border);
    } else {
        p.drawImage(dst, img);
    }
}

void CCtrlGDIpString::DrawBg4(QPainter& p, const QImage& img, const QRect& dst,
                              const QMargins& border, double scale) {
    auto sc = [scale](int v) { return int(std::lround(v * scale)); };
    const QMargins db(sc(border.left()), sc(border.top()), sc(border.right()), sc(border.bottom()));
    DrawNine(p, img, img.rect(), border, dst, db);
}

void CCtrlGDIpString::DrawBtn(QPainter& p, const QImage& img, const QRect& dst, const QRect& src,
                              const QMargins& border) {
    DrawNine(p, img, src, border, dst, border);
}

void CCtrlGDIpString::DrawByType(QPainter& p, const QImage& img, const QRect& dst, int type,
                                 const QMargins& border, double scale) {
    if (type == 3)
        DrawBg(p, img, dst, scale > 1.0 ? BgNinePart : BgStretch, border);
    else if (type == 4)
        DrawBg4(p, img, dst, border, std::min(1.0, scale));
    else
        DrawBg(p, img, dst, type, border);
}

void CCtrlGDIpString::DrawByWinPos(QPainter& p, const QImage& img, const QRect& dst, const _WIN_POS& pos,
                                   double scale) {
    DrawByType(p, img, dst, pos.type, QMargins(pos.dl, pos.dt, pos.dr, pos.db), scale);
}
