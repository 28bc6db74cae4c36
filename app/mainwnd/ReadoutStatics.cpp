#include "ReadoutStatics.h"

#include "MainWndIds.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlStatic.h"

#include <utility>

namespace kestrel::mainwnd {

void CReadoutStatics::ResetReadouts()
{
    static const std::pair<int, const char*> kAxes[] = {
        {kStcGsenX, "stc_gsen_x"}, {kStcGsenY, "stc_gsen_y"}, {kStcGsenZ, "stc_gsen_z"}};
    for (const auto& [id, key] : kAxes)
        if (auto* axis = qobject_cast<CCtrlStatic*>(m_controls(id)))
            axis->SetWindowText(QStringLiteral("%1 0.000").arg(m_text(QString::fromLatin1(key))));
    if (auto* status = qobject_cast<CCtrlButton*>(m_controls(kBtnGpsStatus)))
        status->SetCheck(0);
}

}  // namespace kestrel::mainwnd
