#pragma once
// Owner-drawn push button whose face is one frame of an image strip chosen
// by the button's state. Check and radio styles keep a checked state that a
// click changes; every click is sent to the parent as a command message.
#include "controls/CCtrlGDIpString.h"
#include "controls/CCtrlWnd.h"

#include <array>

class CCtrlButton : public CCtrlWnd {
    Q_OBJECT
public:
    enum Style { StylePush = 0, StyleCheck = 1, StyleRadio = 2 };
    // State indexes: the frame table and the text colours are indexed by them.
    enum State { StateNormal = 0, StateHover = 1, StateDisabled = 2, StatePressed = 3,
                 StatePressedHover = 4, StateDisabledPressed = 5, StateCount = 6 };

    explicit CCtrlButton(QWidget* parent = nullptr, int id = 0, Style style = StylePush);

    // The strip holds `frames` equal frames side by side (or stacked when
    // `vertical`); 2, 4 and 6 frames are meaningful, any other count shows
    // its first frame in every state.
    void SetButtonImage(const QImage* strip, int frames, bool vertical = false);
    // Drawn under the face, stretched over the button.
    void SetButtonImageBg(const QImage* bg);
    // Draw type 2 stretches the frame keeping `border` pixels on every side
    // unscaled; any other type stretches the whole frame.
    void SetButtonType(int drawType, int border);
    void SetInitFont(const QString& face, int pixelSize, int style = FontStyleRegular);
    // Colour of the caption in state `state` (0..5); an unset state uses state 0's.
    void SetTextColor(const QColor& colour, int state);
    void SetTextOffset(int x) { m_textOffsetX = x; update(); }
    void SetVerticalTextOffset(int y) { m_textOffsetY = y; update(); }
    void SetButtonStyle(Style style) { m_style = style; }
    Style GetButtonStyle() const { return m_style; }
    void SetCheck(int checked);
    int GetCheck() const { return m_checked ? 1 : 0; }

    int GetState() const;                 // the state index drawn now
    int FrameForState(int state) const;   // the strip frame used for a state index
    static int FrameTable(int frames, int state);

protected:
    // Source rectangle of frame `frame` in the strip.
    virtual QRect FrameRect(int frame) const;
    int FrameCount() const { return m_frames; }
    const QImage& Strip() const { return m_strip; }

    void Draw(QPainter& p) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Click();

    QImage m_strip;
    int m_frames = 0;
    bool m_vertical = false;
    QImage m_bg;
    int m_drawType = 0;
    int m_border = 0;
    CCtrlGDIpString m_font;
    std::array<QColor, StateCount> m_textColour{};
    std::array<bool, StateCount> m_textColourSet{};
    int m_textOffsetX = 0;
    int m_textOffsetY = 0;
    Style m_style;
    bool m_checked = false;
    bool m_hover = false;
    bool m_down = false;      // left button held after a press inside
    bool m_downInside = false;
};
