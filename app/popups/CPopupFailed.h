// CPopupFailed: asks what to do when a recording cannot be opened. OK goes
// on with the next recording of the list (exec() answers 1), Cancel stops
// playback (2).
//
// Unattended runs (KESTREL_MESSAGEBOX_LOG set): the message is logged like a
// message box and the popup answers at once, OK unless KESTREL_POPUP_ANSWER
// is "cancel".
#pragma once

#include "popups/IPopupBase.h"

#include "controls/CCtrlStatic.h"

class CPopupFailed : public IPopupBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 115;

    explicit CPopupFailed(const CUIResources& resources, QWidget* parent = nullptr);

    int exec() override;

    CCtrlStatic& MessageStatic() { return m_stcMessage; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplySkin();
    void PlaceMessage();

    CCtrlStatic m_stcMessage;
};
