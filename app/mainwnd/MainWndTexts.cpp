// CKestrelDlg: captions and tool tips in the current language.
#include "CKestrelDlg.h"

#include "MainControlTable.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlStatic.h"
#include "startup/CKestrelApp.h"

#include <QFont>

#include <algorithm>

using namespace kestrel::mainwnd;

namespace {

// Statics that show the text of their own name.
constexpr int kNamedStatics[] = {kStcGpsStatusTag, kStcGpsLatLngTag, kStcGpsSpeedTag, kStcGsenRangeCenter,
                                 kStcGsenX,        kStcGsenY,        kStcGsenZ,       kStcPlaybar};

// The tool-tip text key of a button; empty for buttons without a tip.
QString ToolTipKey(const ControlSpec& spec)
{
    switch (spec.id) {
    case kBtnIcon:
    case kBtnGpsStatus:
        return QString();
    case kBtnGpsMap:
        return QStringLiteral("btn_gps_map2");
    case kBtnGpsSpeedUnitKm:
    case kBtnGpsSpeedUnitMile:
        return QStringLiteral("btn_gps_speed_unit");
    default:
        return QString::fromLatin1(spec.name);
    }
}

}  // namespace

void CKestrelDlg::ApplyWindowTexts()
{
    if (!m_app)
        return;
    auto text = [this](const QString& key) { return m_res->GetUIText(key); };

    for (const ControlSpec& spec : MainControls()) {
        CCtrlWnd* control = Control(spec.id);
        if (!control)
            continue;
        const QString name = QString::fromLatin1(spec.name);
        if (spec.kind == ControlKind::TextButton)
            control->SetWindowText(text(name));
        if (spec.kind == ControlKind::Button || spec.kind == ControlKind::CheckButton ||
            spec.kind == ControlKind::TextButton) {
            control->setToolTip(QString());  // the previous language's tip goes first
            const QString key = ToolTipKey(spec);
            if (!key.isEmpty())
                control->setToolTip(text(key));
        }
    }
    for (int id : kNamedStatics)
        if (CCtrlWnd* control = Control(id))
            control->SetWindowText(text(QString::fromLatin1(FindControl(id)->name)));

    if (CCtrlWnd* latlng = Control(kStcGpsLatLng))
        latlng->SetWindowText(QStringLiteral("%1: \n%2:").arg(text(QStringLiteral("latitude")),
                                                               text(QStringLiteral("longitude"))));

    const QString mapTitle = text(QStringLiteral("popup_dlg_map"));
    QFont mapFont(m_res->FontName());
    mapFont.setPixelSize(std::max(1, m_res->GetUIFontSize(QStringLiteral("popup_dlg_map"))));
    for (const QPointer<QWidget>& map : m_mapPanels)
        if (map) {
            map->setWindowTitle(mapTitle);
            map->setFont(mapFont);
        }
}

void CKestrelDlg::ReapplyLanguage()
{
    LayoutForSize(width(), height());
    ApplyWindowTexts();
    ReapplyPanelTexts();
    update();
}
