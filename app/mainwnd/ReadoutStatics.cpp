#include "ReadoutStatics.h"

#include "MainWndIds.h"
#include "ReadoutFormat.h"

#include "controls/CCtrlButton.h"
#include "controls/CCtrlStatic.h"
#include "startup/CViewerSetup.h"

#include <utility>

namespace kestrel::mainwnd {

namespace {

constexpr std::pair<int, const char*> kAxes[] = {
    {kStcGsenX, "stc_gsen_x"}, {kStcGsenY, "stc_gsen_y"}, {kStcGsenZ, "stc_gsen_z"}};

CUserDataInfo EmptyTextSample()
{
    CUserDataInfo s;
    s.m_cStatus = u'A';
    return s;
}

}  // namespace

CReadoutStatics::CReadoutStatics(ControlLookup controls, TextLookup text, CViewerSetup* settings,
                                 std::array<int, 3> offsetsMilliG)
    : m_controls(std::move(controls)),
      m_text(std::move(text)),
      m_settings(settings),
      m_offsets(offsetsMilliG),
      m_textSample(EmptyTextSample())
{
}

QString CReadoutStatics::Text(const char* key) const
{
    return m_text(QString::fromLatin1(key));
}

void CReadoutStatics::SetText(int id, const QString& text)
{
    CCtrlWnd* control = m_controls(id);
    if (control && control->GetWindowText() != text)
        control->SetWindowText(text);
}

void CReadoutStatics::SetStatus(bool valid)
{
    auto* status = qobject_cast<CCtrlButton*>(m_controls(kBtnGpsStatus));
    if (status && status->GetCheck() != (valid ? 1 : 0))
        status->SetCheck(valid ? 1 : 0);
}

// ---- Play position ---------------------------------------------------------

void CReadoutStatics::UpdateReadouts(CRecFileInfo*, int positionMs, const CUserDataInfo* gps)
{
    UpdateAxes(positionMs);
    UpdateGps(gps);
}

void CReadoutStatics::UpdateAxes(int positionMs)
{
    const CUserDataInfo* s = m_sampleAt ? m_sampleAt(positionMs) : nullptr;
    for (size_t a = 0; a < 3; ++a) {
        const double value = !s ? 0.0 : a == 0 ? s->m_dX : a == 1 ? s->m_dY : s->m_dZ;
        const int offset = s ? m_offsets[a] : 0;
        SetText(kAxes[a].first, readout::AxisText(Text(kAxes[a].second), offset, value));
    }
}

void CReadoutStatics::WriteNoFix()
{
    const QString missing = Text("stc_gps_latlng");
    SetText(kStcGpsLatLng,
            QStringLiteral("%1: %2\n%3: %4").arg(Text("latitude"), missing, Text("longitude"), missing));
    SetText(kStcGpsSpeed, readout::NoSpeedText());
}

void CReadoutStatics::WriteSpeed(const CUserDataInfo& sample)
{
    const auto unit = m_settings && m_settings->m_nSpeedUnit != 0 ? readout::ShownSpeedUnit::Mph
                                                                   : readout::ShownSpeedUnit::Kmh;
    SetText(kStcGpsSpeed, readout::SpeedText(sample.m_dSpeed, sample.m_nReserved[0], unit));
}

void CReadoutStatics::UpdateGps(const CUserDataInfo* gps)
{
    if (!gps) {
        SetStatus(false);
        WriteNoFix();
        return;
    }
    if (gps->m_dLatRaw == m_textSample.m_dLatRaw && gps->m_dLonRaw == m_textSample.m_dLonRaw &&
        gps->m_dSpeed == m_textSample.m_dSpeed)
        return;
    if (gps->m_cStatus == u'A') {
        SetStatus(true);
        // The plug-in's second reserved word asks for no position lines.
        SetText(kStcGpsLatLng,
                gps->m_nReserved[1] != 0
                    ? QString()
                    : readout::CoordinateLine(Text("latitude"), gps->m_dLatRaw, gps->m_cNS) + QStringLiteral("\n") +
                          readout::CoordinateLine(Text("longitude"), gps->m_dLonRaw, gps->m_cEW));
        WriteSpeed(*gps);
    } else {
        SetStatus(false);
        WriteNoFix();
    }
    m_textSample = *gps;
}

void CReadoutStatics::ResetReadouts()
{
    for (const auto& [id, key] : kAxes)
        SetText(id, QStringLiteral("%1 0.000").arg(Text(key)));
    SetStatus(false);
    SetText(kStcGpsLatLng, QStringLiteral("%1: \n%2:").arg(Text("latitude"), Text("longitude")));
    SetText(kStcGpsSpeed, readout::NoSpeedText());
    m_textSample = EmptyTextSample();
}

// ---- Buttons ----------------------------------------------------------------

void CReadoutStatics::ApplyInitialState()
{
    const readout::RangeStep step = readout::InitialRange(m_settings ? m_settings->m_nGSensorRange : 2);
    ApplyRange(step.range, step.zoomInEnabled, step.zoomOutEnabled);
}

void CReadoutStatics::ApplyRange(int range, bool zoomIn, bool zoomOut)
{
    if (m_settings)
        m_settings->m_nGSensorRange = range;
    if (CCtrlWnd* in = m_controls(kBtnGsenZoomIn))
        in->setEnabled(zoomIn);
    if (CCtrlWnd* out = m_controls(kBtnGsenZoomOut))
        out->setEnabled(zoomOut);
    SetText(kStcGsenRangeTop, readout::RangeTopText(range));
    SetText(kStcGsenRangeBottom, readout::RangeBottomText(range));
}

void CReadoutStatics::SwitchSpeedUnit(int unit)
{
    if (m_settings)
        m_settings->m_nSpeedUnit = unit;
    if (CCtrlWnd* km = m_controls(kBtnGpsSpeedUnitKm))
        km->setVisible(unit == 0);
    if (CCtrlWnd* mile = m_controls(kBtnGpsSpeedUnitMile))
        mile->setVisible(unit != 0);
    // The shown speed follows the button at once, not only when the next
    // different sample arrives (a standing vehicle sends the same one).
    if (m_textSample.m_cStatus == u'A' && (m_textSample.m_dLatRaw != 0.0 || m_textSample.m_dLonRaw != 0.0))
        WriteSpeed(m_textSample);
}

bool CReadoutStatics::OnCommand(int id)
{
    const int range = m_settings ? m_settings->m_nGSensorRange : 2;
    switch (id) {
    case kBtnGsenZoomIn:
    case kBtnGsenZoomOut: {
        const readout::RangeStep step = id == kBtnGsenZoomIn ? readout::ZoomIn(range) : readout::ZoomOut(range);
        ApplyRange(step.range, step.zoomInEnabled, step.zoomOutEnabled);
        if (m_rangeSink)
            m_rangeSink(step.range);
        return true;
    }
    case kBtnGpsSpeedUnitKm:
        SwitchSpeedUnit(1);
        return true;
    case kBtnGpsSpeedUnitMile:
        SwitchSpeedUnit(0);
        return true;
    default:
        return false;
    }
}

}  // namespace kestrel::mainwnd
