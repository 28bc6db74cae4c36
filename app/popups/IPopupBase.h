// IPopupBase: the common frame of every popup of the viewer. A frameless
// modal dialog painted from the skin: a framed background, a title text in
// its own font, a title bar to drag it by, an exit button in the title bar
// and OK / Cancel buttons in the lower right corner.
//
// exec() answers IdOk (1) for OK and IdCancel (2) for Cancel, the exit
// button, Escape and closing the window.
//
// Every skin picture, record, text and font comes from the look-ups the
// builder of the popup hands over; they must outlive the popup.
#pragma once

#include "controls/CCtrlButton.h"
#include "controls/CCtrlGDIpString.h"
#include "controls/CMsgTarget.h"
#include "util/CTitleBarDrag.h"

#include <QDialog>
#include <QRect>
#include <QString>

class CUIResources;
struct _WIN_POS;

class IPopupBase : public QDialog, public CMsgTarget {
    Q_OBJECT
public:
    enum Result { IdOk = 1, IdCancel = 2 };
    // Control ids: OK and Cancel are the dialog items 1 and 2.
    static constexpr int kIdOk = 1;
    static constexpr int kIdCancel = 2;
    static constexpr int kIdExit = 8192;
    // OK / Cancel: 100 x 30, 10 px apart and 10 px from the right and bottom.
    static constexpr int kButtonWidth = 100;
    static constexpr int kButtonHeight = 30;
    static constexpr int kButtonGap = 10;

    IPopupBase(int templateId, const CUIResources& resources, QWidget* parent = nullptr);
    ~IPopupBase() override;

    virtual void SetTitleFont(const QString& face, int size);
    virtual void SetTitleText(const QString& text);

    int TemplateId() const { return m_templateId; }
    const CUIResources& Resources() const { return m_res; }
    QString TitleText() const { return m_strTitle; }
    QString TitleFontFace() const { return m_strTitleFace; }
    int TitleFontSize() const { return m_nTitleSize; }
    QRect TitleBarRect() const { return m_rectTitleBar; }

    CCtrlButton& OkButton() { return m_btnOk; }
    CCtrlButton& CancelButton() { return m_btnCancel; }
    CCtrlButton& ExitButton() { return m_btnExit; }

    // Shows or hides Cancel and places OK and Cancel again.
    void SetCancelVisible(bool visible);

    // True when the skin has a section for a record (a key without one
    // answers the all-zero default record).
    static bool HasRecord(const _WIN_POS* pos);

    // Commands of the buttons (WM_COMMAND with the control id).
    intptr_t SendMsg(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

    void accept() override;
    void reject() override;

protected:
    // Title, title font, size (centred on the parent or the screen) and the
    // OK / Cancel captions and places, from the skin and the language file.
    void ApplyPopupSkin(const QString& titleKey);
    // OK / Cancel in the lower right corner, OK alone when Cancel is hidden.
    void PlaceButtons();

    // The rectangle of a skin record in this popup (popups are not scaled;
    // margins and centring refer to the popup's client area), or `fallback`
    // when the skin has no size for the key.
    QRect SkinRect(const QString& key, const QRect& fallback) const;

    // For unattended runs (KESTREL_MESSAGEBOX_LOG set): logs `text` like a
    // message box and stores the answer chosen by KESTREL_POPUP_ANSWER
    // ("cancel" = IdCancel, anything else = IdOk). False when a person is
    // to answer.
    static bool AnswerUnattended(const QString& text, int* result);

    virtual void OnOK();
    virtual void OnCancel();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CreateControls();
    void PlaceFrameControls();
    void CentreOnOwner();
    const QImage* Image(const QString& key) const;
    const _WIN_POS* Pos(const QString& key) const;
    QString Text(const QString& key) const;

    int m_templateId;
    const CUIResources& m_res;
    CCtrlButton m_btnExit;
    CCtrlButton m_btnOk;
    CCtrlButton m_btnCancel;
    QRect m_rectTitleBar;
    QString m_strTitleFace;
    int m_nTitleSize = 14;
    QString m_strTitle;
    CCtrlGDIpString m_titleFont;
    CTitleBarDrag m_drag;
};
