// CWndDisplay: the plain child window that hosts the display of one camera
// channel (0 front, 1 rear, 2 left, 3 right; 16 the map dialog's panel). It
// creates and owns the display, labels it, gives it its logos, keeps its
// picture widget filling the panel and polls it for recovery every 500 ms.
// Pictures are drawn by the owner straight into Display().
#pragma once

#include "controls/CMsgTarget.h"

#include <QTimer>
#include <QWidget>

class CUIResources;
class IDisplay;

class CWndDisplay : public QWidget, public CMsgTarget {
    Q_OBJECT
public:
    // `resources`: the skin and text look-ups; not owned, must outlive the panel.
    CWndDisplay(QWidget* parent, CMsgTarget* owner, const CUIResources& resources, int channel, int screenMode = 5);
    ~CWndDisplay() override;
    CWndDisplay(const CWndDisplay&) = delete;
    CWndDisplay& operator=(const CWndDisplay&) = delete;

    // Makes the display, its screen, label and logos and starts the
    // recovery poll. false when the display or its screen cannot be made;
    // the owner then carries on without this channel.
    bool Create();

    // Null before Create and after a failed Create.
    IDisplay* Display() const { return m_pDisplay; }
    int Channel() const { return m_nChannel; }
    int ScreenMode() const { return m_nScreenMode; }

    // Applies the label of the current language again.
    void UpdateLabel();

    bool RecoveryPollActive() const { return m_recoveryTimer.isActive(); }
    int RecoveryPollInterval() const { return m_recoveryTimer.interval(); }

    // WM_DISPLAY_NOTIFY from the display: channels 0 and 1 hand it to the
    // owner with the channel as second parameter; the others answer 0.
    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

protected:
    // The display object; a test may supply its own.
    virtual IDisplay* NewDisplay();

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyLabel();
    void Destroy();

    const CUIResources& m_res;
    int m_nChannel;
    int m_nScreenMode;
    IDisplay* m_pDisplay = nullptr;
    CMsgTarget* m_pOwner;
    QTimer m_recoveryTimer;
};
