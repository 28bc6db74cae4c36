// CReadoutStatics: the main window's GPS and G-sensor read-outs as the
// read-out role of the playback flow, and the buttons that belong to them:
// the coordinate lines, speed, GPS status, the three axis values, the
// G-sensor range (zoom buttons and their labels) and the speed unit.
// Texts are written only when they change. User-interface thread only.
#pragma once

#include "views/IReadoutView.h"

#include <QString>

#include <array>
#include <functional>

class CCtrlWnd;
class CViewerSetup;

namespace kestrel::mainwnd {

class CReadoutStatics final : public views::IReadoutView {
public:
    using ControlLookup = std::function<CCtrlWnd*(int id)>;
    using TextLookup = std::function<QString(const QString& key)>;
    // The G-sensor sample the graph drew for a play position (null: none).
    using SampleLookup = std::function<const CUserDataInfo*(int ms)>;
    // Hands a new full scale to the graph.
    using RangeSink = std::function<void(int range)>;

    // `settings` holds the speed unit and the range; it outlives this
    // object. `offsetsMilliG`: calibration added to X, Y and Z.
    CReadoutStatics(ControlLookup controls, TextLookup text, CViewerSetup* settings = nullptr,
                    std::array<int, 3> offsetsMilliG = {0, 0, 0});

    void SetGSensorLookup(SampleLookup lookup) { m_sampleAt = std::move(lookup); }
    void SetRangeSink(RangeSink sink) { m_rangeSink = std::move(sink); }

    // The stored range made valid, the zoom buttons and range labels.
    void ApplyInitialState();
    // Zoom and speed-unit buttons; false for any other id.
    bool OnCommand(int id);

    void UpdateReadouts(CRecFileInfo* rec, int positionMs, const CUserDataInfo* gps) override;
    void ResetReadouts() override;

private:
    void UpdateAxes(int positionMs);
    void UpdateGps(const CUserDataInfo* gps);
    void WriteNoFix();
    void WriteSpeed(const CUserDataInfo& sample);
    void ApplyRange(int range, bool zoomIn, bool zoomOut);
    void SwitchSpeedUnit(int unit);
    void SetText(int id, const QString& text);
    void SetStatus(bool valid);
    QString Text(const char* key) const;

    ControlLookup m_controls;
    TextLookup m_text;
    CViewerSetup* m_settings;
    std::array<int, 3> m_offsets;
    SampleLookup m_sampleAt;
    RangeSink m_rangeSink;
    CUserDataInfo m_textSample;  // the GPS sample shown last
};

}  // namespace kestrel::mainwnd
