// CFullScreen: the full-screen view. A frameless top-level window with one
// display that the main window shows over the whole monitor and hides again
// to leave full screen. When the pointer reaches the top, right or bottom
// hot zone, the window shrinks (its mask) to that strip's reveal region so
// the main window's controls underneath show and take input; back on the
// picture it covers the whole screen again (CRevealRule).
#pragma once

#include "CRevealRule.h"

#include "controls/CMsgTarget.h"
#include "skin/WinPos.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <optional>

class CUIResources;
class IDisplay;

class CFullScreen : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    // `parent` is the first channel's panel; `owner` the main window, which
    // receives the display's notifications and is activated when a strip is
    // revealed (when it is not a widget, the parent's window is).
    // `resources`: the skin and text look-ups; not owned, must outlive the view.
    CFullScreen(QWidget* parent, CMsgTarget* owner, const CUIResources& resources, int screenMode = 5);
    ~CFullScreen() override;
    CFullScreen(const CFullScreen&) = delete;
    CFullScreen& operator=(const CFullScreen&) = delete;

    // Makes the display (hidden window). false when the display or its
    // screen cannot be made.
    bool Create();

    IDisplay* Display() const { return m_pDisplay; }

    // The label shown over the picture: the main window passes the label of
    // the channel in view, and the font after a language change.
    void SetLabelText(const QString& text);
    void SetLabelFont(const QString& face, int size);
    const QString& LabelText() const { return m_strLabel; }
    const QString& LabelFontFace() const { return m_strFontFace; }
    int LabelFontSize() const { return m_nFontSize; }

    bool TopRevealed() const { return m_reveal.IsRevealed(CRevealRule::kTop); }
    bool RightRevealed() const { return m_reveal.IsRevealed(CRevealRule::kRight); }
    bool BottomRevealed() const { return m_reveal.IsRevealed(CRevealRule::kBottom); }
    // Zones in window coordinates for the current size.
    const CRevealRule::Zones& Zones() const { return m_reveal.GetZones(); }

    bool RecoveryPollActive() const { return m_recoveryTimer.isActive(); }
    int RecoveryPollInterval() const { return m_recoveryTimer.interval(); }

    // WM_DISPLAY_NOTIFY from the display goes to the owner with the view's
    // own number (107) as second parameter.
    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

public slots:
    // Escape leaves full screen through the main window's keys, not by
    // closing this window behind the main window's back.
    void reject() override {}

protected:
    virtual IDisplay* NewDisplay();

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void ComputeZones(int width, int height);
    void OnPointer(QPoint pos);
    void ApplyMask();
    void ActivateOwnerWindow();
    QWidget* OwnerWindow() const;
    void ApplyLabel();

    const CUIResources& m_res;
    int m_nScreenMode;
    QString m_strLabel;
    QString m_strFontFace;
    int m_nFontSize = 0;
    IDisplay* m_pDisplay = nullptr;
    _WIN_POS m_baseWindow{};
    CRevealRule m_reveal;
    std::optional<QPoint> m_lastPointer;
    CMsgTarget* m_pOwner;
    QTimer m_recoveryTimer;
};
