#include "FlowPrompt.h"

#include "popups/CPopupFailed.h"
#include "skin/CUIResources.h"
#include "startup/CKestrelApp.h"

namespace kestrel::mainwnd {

bool CFlowPrompt::AskOpenFailed()
{
    if (m_skip && m_skip())
        return false;
    if (m_app)
        m_app->SetAcceleratorsEnabled(false);
    CPopupFailed popup(m_res, m_parent);
    const bool goOn = popup.exec() == 1;
    if (m_app)
        m_app->SetAcceleratorsEnabled(true);
    return goOn;
}

QString CFlowPrompt::Text(const QString& key) const
{
    return m_res.GetUIText(key);
}

}  // namespace kestrel::mainwnd
