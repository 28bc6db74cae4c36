// The read-out role over real skinned controls: what a play position
// writes, what it leaves alone, and the zoom and speed-unit buttons.
#include "MainWndIds.h"
#include "ReadoutStatics.h"

#include "OffscreenViewerEnv.h"
#include "controls/CCtrlButton.h"
#include "controls/CCtrlStatic.h"
#include "startup/CViewerSetup.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace kestrel::mainwnd;

namespace {

// The application object lives from the first test to the end of the
// tests, and goes before the program's exit handlers run.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_env = std::make_unique<kestrel::testenv::OffscreenViewerEnv>("readout_statics_tests"); }
    void TearDown() override { m_env.reset(); }

private:
    std::unique_ptr<kestrel::testenv::OffscreenViewerEnv> m_env;
};
[[maybe_unused]] ::testing::Environment* const g_qt = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

class Readouts : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int id : {kStcGsenX, kStcGsenY, kStcGsenZ, kStcGpsLatLng, kStcGpsSpeed, kStcGsenRangeTop,
                       kStcGsenRangeBottom})
            m_controls[id] = std::make_unique<CCtrlStatic>(nullptr, id);
        m_controls[kBtnGpsStatus] = std::make_unique<CCtrlButton>(nullptr, kBtnGpsStatus, CCtrlButton::StyleCheck);
        for (int id : {kBtnGsenZoomIn, kBtnGsenZoomOut, kBtnGpsSpeedUnitKm, kBtnGpsSpeedUnitMile})
            m_controls[id] = std::make_unique<CCtrlButton>(nullptr, id);
        m_settings.m_nSpeedUnit = 0;
        m_settings.m_nGSensorRange = 2;
        m_readouts = std::make_unique<CReadoutStatics>(
            [this](int id) -> CCtrlWnd* {
                auto it = m_controls.find(id);
                return it == m_controls.end() ? nullptr : it->second.get();
            },
            [](const QString& key) { return key == QLatin1String("stc_gps_latlng") ? QStringLiteral("--") : key; },
            &m_settings, std::array<int, 3>{0, 0, -1000});
        m_readouts->SetGSensorLookup([this](int ms) { return ms >= 1000 ? &m_axes : nullptr; });
        m_readouts->SetRangeSink([this](int range) { m_sentRange = range; });
        m_readouts->ResetReadouts();
    }
    QString Text(int id) const { return m_controls.at(id)->GetWindowText(); }
    bool Checked() const { return static_cast<CCtrlButton*>(m_controls.at(kBtnGpsStatus).get())->GetCheck() != 0; }
    static CUserDataInfo Fix(char16_t status, double lat, double lon, double knots)
    {
        CUserDataInfo s;
        s.m_cStatus = status;
        s.m_cNS = u'N';
        s.m_cEW = u'E';
        s.m_dLatRaw = lat;
        s.m_dLonRaw = lon;
        s.m_dSpeed = knots;
        return s;
    }

    std::map<int, std::unique_ptr<CCtrlWnd>> m_controls;
    CViewerSetup m_settings;
    CUserDataInfo m_axes;
    int m_sentRange = 0;
    std::unique_ptr<CReadoutStatics> m_readouts;
};

}  // namespace

TEST_F(Readouts, ValidFixWritesLinesSpeedAndStatus)
{
    const CUserDataInfo fix = Fix(u'A', 4807.038, 1131.0, 22.4);
    m_readouts->UpdateReadouts(nullptr, 0, &fix);
    EXPECT_TRUE(Checked());
    EXPECT_EQ(Text(kStcGpsLatLng),
              QString::fromUtf16(u"latitude: 48\u00B0 07' 02\" (N)\nlongitude: 11\u00B0 31' 00\" (E)"));
    EXPECT_EQ(Text(kStcGpsSpeed), QStringLiteral("041"));
}

TEST_F(Readouts, InvalidFixShowsPlaceholdersAndIsRemembered)
{
    const CUserDataInfo valid = Fix(u'A', 4807.038, 1131.0, 22.4);
    m_readouts->UpdateReadouts(nullptr, 0, &valid);
    const CUserDataInfo invalid = Fix(u'V', 4807.5, 1131.5, 10.0);
    m_readouts->UpdateReadouts(nullptr, 0, &invalid);
    EXPECT_FALSE(Checked());
    EXPECT_EQ(Text(kStcGpsLatLng), QStringLiteral("latitude: --\nlongitude: --"));
    EXPECT_EQ(Text(kStcGpsSpeed), QStringLiteral("000"));

    // The same sample again changes nothing: a text set meanwhile stays.
    m_controls[kStcGpsSpeed]->SetWindowText(QStringLiteral("marker"));
    m_readouts->UpdateReadouts(nullptr, 0, &invalid);
    EXPECT_EQ(Text(kStcGpsSpeed), QStringLiteral("marker"));

    // No sample for the second: placeholders, not remembered.
    m_readouts->UpdateReadouts(nullptr, 0, nullptr);
    EXPECT_EQ(Text(kStcGpsSpeed), QStringLiteral("000"));
    m_controls[kStcGpsSpeed]->SetWindowText(QStringLiteral("marker"));
    m_readouts->UpdateReadouts(nullptr, 0, &invalid);
    EXPECT_EQ(Text(kStcGpsSpeed), QStringLiteral("marker"));
}

TEST_F(Readouts, AxesFromTheGraphsSampleWithCalibration)
{
    m_axes.m_dX = 0.25;
    m_axes.m_dY = -0.125;
    m_axes.m_dZ = 1.0;
    m_readouts->UpdateReadouts(nullptr, 500, nullptr);  // no sample there
    EXPECT_EQ(Text(kStcGsenX), QStringLiteral("stc_gsen_x 0.000"));
    EXPECT_EQ(Text(kStcGsenZ), QStringLiteral("stc_gsen_z 0.000"));
    m_readouts->UpdateReadouts(nullptr, 1500, nullptr);
    EXPECT_EQ(Text(kStcGsenX), QStringLiteral("stc_gsen_x 0.250"));
    EXPECT_EQ(Text(kStcGsenY), QStringLiteral("stc_gsen_y -0.125"));
    EXPECT_EQ(Text(kStcGsenZ), QStringLiteral("stc_gsen_z 0.000"));  // gravity taken off

    m_readouts->ResetReadouts();
    EXPECT_EQ(Text(kStcGsenX), QStringLiteral("stc_gsen_x 0.000"));
    EXPECT_EQ(Text(kStcGpsLatLng), QStringLiteral("latitude: \nlongitude:"));
    EXPECT_FALSE(Checked());
}

TEST_F(Readouts, ZoomButtonsStepTheRangeAndTellTheGraph)
{
    m_settings.m_nGSensorRange = 3;  // not a valid stored range
    m_readouts->ApplyInitialState();
    EXPECT_EQ(m_settings.m_nGSensorRange, 2);
    EXPECT_EQ(Text(kStcGsenRangeTop), QStringLiteral("+2G"));

    EXPECT_TRUE(m_readouts->OnCommand(kBtnGsenZoomIn));
    EXPECT_EQ(m_settings.m_nGSensorRange, 1);
    EXPECT_EQ(m_sentRange, 1);
    EXPECT_FALSE(m_controls[kBtnGsenZoomIn]->isEnabled());
    EXPECT_TRUE(m_controls[kBtnGsenZoomOut]->isEnabled());
    EXPECT_EQ(Text(kStcGsenRangeBottom), QStringLiteral("-1G"));

    for (int i = 0; i < 4; ++i)
        m_readouts->OnCommand(kBtnGsenZoomOut);
    EXPECT_EQ(m_settings.m_nGSensorRange, 8);
    EXPECT_FALSE(m_controls[kBtnGsenZoomOut]->isEnabled());
    EXPECT_TRUE(m_controls[kBtnGsenZoomIn]->isEnabled());
    EXPECT_EQ(Text(kStcGsenRangeTop), QStringLiteral("+8G"));
    EXPECT_FALSE(m_readouts->OnCommand(kBtnGpsMap));
}

TEST_F(Readouts, SpeedUnitSwitchesButtonsAndTheShownSpeedAtOnce)
{
    const CUserDataInfo fix = Fix(u'A', 4807.038, 1131.0, 22.4);
    m_readouts->UpdateReadouts(nullptr, 0, &fix);
    EXPECT_TRUE(m_readouts->OnCommand(kBtnGpsSpeedUnitKm));
    EXPECT_EQ(m_settings.m_nSpeedUnit, 1);
    EXPECT_TRUE(m_controls[kBtnGpsSpeedUnitKm]->isHidden());
    EXPECT_FALSE(m_controls[kBtnGpsSpeedUnitMile]->isHidden());
    // A standing vehicle repeats its sample: the text follows the button now.
    EXPECT_EQ(Text(kStcGpsSpeed), QStringLiteral("025"));
    m_readouts->UpdateReadouts(nullptr, 0, &fix);
    EXPECT_EQ(Text(kStcGpsSpeed), QStringLiteral("025"));

    EXPECT_TRUE(m_readouts->OnCommand(kBtnGpsSpeedUnitMile));
    EXPECT_EQ(m_settings.m_nSpeedUnit, 0);
    EXPECT_EQ(Text(kStcGpsSpeed), QStringLiteral("041"));
}
