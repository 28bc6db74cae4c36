#pragma once
// One font plus the drawing helpers every skinned control and skinned window
// share: single-line strings with near/centre/far alignment, backgrounds
// (stretched, tiled or in nine parts) and frames of button strips.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QRect>
#include <QString>

class QPainter;
struct _WIN_POS;

// Alignment of a string inside its box, per axis.
enum StringAlign { StringAlignmentNear = 0, StringAlignmentCenter = 1, StringAlignmentFar = 2 };

// Font style bits: regular 0, bold 1, italic 2, underline 4, strikeout 8.
enum FontStyleBits { FontStyleRegular = 0, FontStyleBold = 1, FontStyleItalic = 2,
                     FontStyleUnderline = 4, FontStyleStrikeout = 8 };

// Background drawing modes of DrawBg.
enum BgMode { BgStretch = 0, BgTile = 1, BgNinePart = 2 };

class CCtrlGDIpString {
public:
    // Creates the font with a pixel size; a face the system lacks falls back
    // to the generic sans-serif family. Sizes below 1 become 1.
    void SetInit(const QString& face, int pixelSize, int style = FontStyleRegular);
    const QFont& Font() const { return m_font; }
    bool HasFont() const { return m_hasFont; }

    // One line of text in the box (x, y, w, h), not clipped to it.
    void DrawString(QPainter& p, const QString& text, qreal x, qreal y, qreal w, qreal h,
                    const QColor& colour, int hAlign, int vAlign) const;

    // Mode 0 stretches the whole image, 1 tiles it, 2 draws it in nine parts
    // with the border widths of `border` (left, top, right, bottom).
    static void DrawBg(QPainter& p, const QImage& img, const QRect& dst, int mode,
                       const QMargins& border = {});
    // Nine parts whose destination borders are the source borders times `scale`.
    static void DrawBg4(QPainter& p, const QImage& img, const QRect& dst,
                        const QMargins& border, double scale);
    // Nine parts of one frame `src` of an image strip.
    static void DrawBtn(QPainter& p, const QImage& img, const QRect& dst, const QRect& src,
                        const QMargins& border);
    // A skin record's drawing rule by its type: 3 = nine parts when the window
    // is scaled up (scale > 1), else stretched; 4 = nine parts with borders
    // scaled by min(1, scale); any other value = that DrawBg mode.
    static void DrawByType(QPainter& p, const QImage& img, const QRect& dst, int type,
                           const QMargins& border, double scale);
    // The same rule with the type and the borders (dl, dt, dr, db) of a skin
    // record; `scale` is the window's uniform scale factor.
    static void DrawByWinPos(QPainter& p, const QImage& img, const QRect& dst, const _WIN_POS& pos,
                             double scale);

    // The nine-part drawing in full: source frame, source borders, destination
    // borders. Borders that do not fit are shrunk so no part turns negative.
    static void DrawNine(QPainter& p, const QImage& img, const QRect& src, const QMargins& srcBorder,
                         const QRect& dst, const QMargins& dstBorder);

private:
    QFont m_font;
    bool m_hasFont = false;
};

// Qt alignment flags for a pair of StringAlign values.
Qt::Alignment ToQtAlign(int hAlign, int vAlign);
