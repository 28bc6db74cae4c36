#pragma once
// Owner-drawn picture with a caption: a background, the picture fitted into
// the control keeping its proportions, and one line of text.
#include "controls/CCtrlGDIpString.h"
#include "controls/CCtrlWnd.h"

class CCtrlImage : public CCtrlWnd {
    Q_OBJECT
public:
    explicit CCtrlImage(QWidget* parent = nullptr, int id = 0);

    void SetImage(const QImage* img);
    void SetImageBk(const QImage* img);
    void SetInitFont(const QString& face, int pixelSize, int style = FontStyleRegular);
    void SetTextAlign(int hAlign, int vAlign);
    void SetTextColor(const QColor& colour);
    // Moves the caption's box by (x, y) from the control's rectangle.
    void SetTextOffset(int x, int y);

    // Where the picture lands: the largest rectangle of its proportions that
    // fits the control, centred; never larger than the picture itself.
    QRect PictureRect() const;

protected:
    void Draw(QPainter& p) override;

private:
    QImage m_img, m_bk;
    CCtrlGDIpString m_font;
    int m_hAlign = StringAlignmentCenter;
    int m_vAlign = StringAlignmentFar;
    QColor m_colour = Qt::black;
    QPoint m_textOffset;
};
