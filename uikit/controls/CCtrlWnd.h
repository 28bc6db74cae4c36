#pragma once
// Common base of the skinned controls: a control id, the window its
// notifications go to, and painting through an off-screen ARGB image so a
// control's face is always composed completely before it reaches the screen.
#include <QImage>
#include <QWidget>
#include <cstdint>

class CMsgTarget;
class QPainter;

class CCtrlWnd : public QWidget {
    Q_OBJECT
public:
    explicit CCtrlWnd(QWidget* parent = nullptr, int id = 0);

    void SetDlgCtrlID(int id) { m_id = id; }
    int GetDlgCtrlID() const { return m_id; }

    // Notifications go to this target when set, else to the parent widget
    // when it accepts messages; with neither they are dropped.
    void SetNotifyTarget(CMsgTarget* target) { m_target = target; }

    // The control's face at its current size and state, as painted on screen,
    // with `dpr` device pixels per logical pixel.
    QImage RenderImage(qreal dpr = 1.0);

    void SetWindowText(const QString& text);
    QString GetWindowText() const { return m_text; }

protected:
    // Draws the whole face into an image of the client size.
    virtual void Draw(QPainter& p) = 0;
    intptr_t SendToParent(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // Called after the window text changed.
    virtual void TextChanged() {}
    void paintEvent(QPaintEvent* event) override;

    QString m_text;

private:
    int m_id = 0;
    CMsgTarget* m_target = nullptr;
};
