#pragma once
// Owner-drawn text: a background picture, an optional icon at the left and
// one line of text with its alignment and colour.
#include "controls/CCtrlGDIpString.h"
#include "controls/CCtrlWnd.h"

class CCtrlStatic : public CCtrlWnd {
    Q_OBJECT
public:
    explicit CCtrlStatic(QWidget* parent = nullptr, int id = 0);

    // Stretched over the control.
    void SetBkImage(const QImage* img);
    // Drawn at its own size, vertically centred at the left edge; the text
    // then starts a few pixels right of it.
    void SetImageIcon(const QImage* icon);
    void SetInitFont(const QString& face, int pixelSize, int style = FontStyleRegular);
    void SetTextAlign(int hAlign, int vAlign);
    void SetTextColor(const QColor& colour);

protected:
    void Draw(QPainter& p) override;

private:
    QImage m_bk, m_icon;
    CCtrlGDIpString m_font;
    int m_hAlign = StringAlignmentNear;
    int m_vAlign = StringAlignmentCenter;
    QColor m_colour = Qt::black;
};
