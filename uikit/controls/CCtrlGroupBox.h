#pragma once
// A group box: a frame with a header text (and optional icon) around a group
// of controls; enabling or disabling the box does the same to every control
// inside it.
#include "controls/CCtrlGDIpString.h"
#include "controls/CCtrlWnd.h"

class CCtrlGroupBox : public CCtrlWnd {
    Q_OBJECT
public:
    enum BorderStyle {
        BorderNone = 0,     // header text only
        BorderFrame = 1,    // a line around the box, broken by the header text
        BorderHeader = 2,   // a filled header band above a framed body
        BorderRounded = 3,  // as BorderFrame with rounded corners
    };

    explicit CCtrlGroupBox(QWidget* parent = nullptr, int id = 0);

    void SetTextColor(const QColor& c);
    void SetBorderColor(const QColor& c);
    void SetBackgroundColor(const QColor& c);    // body fill; transparent by default
    void SetHeaderBkColor(const QColor& c);      // the header band of BorderHeader
    void SetInitFont(const QString& face, int pixelSize, int style = FontStyleRegular);
    void SetAlignment(int hAlign);
    // Space between the frame and the header text on its left and right, and
    // the frame's inset from the control's edges.
    void SetMargins(int textMargin, int frameInset);
    void SetIcon(const QImage* icon);
    void SetBorderStyle(int style);
    int GetBorderStyle() const { return m_style; }

    // Enables or disables the box, its child widgets and the sibling widgets
    // that lie inside its rectangle.
    void EnableWindow(bool enable);

    QRect FrameRect() const;
    QRect HeaderRect() const;

protected:
    void Draw(QPainter& p) override;

private:
    int HeaderHeight() const;

    QColor m_textColour = Qt::black;
    QColor m_border = QColor(128, 128, 128);
    QColor m_background = Qt::transparent;
    QColor m_headerBk = QColor(200, 200, 200);
    CCtrlGDIpString m_font;
    int m_align = StringAlignmentNear;
    int m_textMargin = 8;
    int m_frameInset = 0;
    QImage m_icon;
    int m_style = BorderFrame;
};
