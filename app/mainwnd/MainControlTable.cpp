#include "MainControlTable.h"

#include "MainWndIds.h"

#include <array>

namespace kestrel::mainwnd {
namespace {

using K = ControlKind;
constexpr const char* kBk1 = "btn_bk1";
constexpr const char* kBk2 = "btn_bk2";
constexpr const char* kGps = "gps";
constexpr const char* kGsen = "stc_gsen_range_bk";
constexpr int kNear = 0, kCentre = 1, kFar = 2;

const std::array kControls{
    ControlSpec{"btn_exit", kBtnExit, K::Button, kBk1, false},
    ControlSpec{"btn_max", kBtnMax, K::Button, kBk1, false},
    ControlSpec{"btn_mrestore", kBtnMRestore, K::Button, kBk1, true},
    ControlSpec{"btn_full", kBtnFull, K::Button, kBk1, false},
    ControlSpec{"btn_frestore", kBtnFRestore, K::Button, kBk1, true},
    ControlSpec{"btn_min", kBtnMin, K::Button, kBk1, false},
    ControlSpec{"btn_info", kBtnInfo, K::Button, kBk1, false},
    ControlSpec{"btn_site", kBtnSite, K::Button, kBk1, false},
    ControlSpec{"btn_lang", kBtnLang, K::Button, kBk1, false},
    ControlSpec{"btn_icon", kBtnIcon, K::Button, kBk1, false},
    ControlSpec{"btn_manual", kBtnManual, K::Button, kBk1, false},
    ControlSpec{"btn_viewer_setup", kBtnViewerSetup, K::Button, kBk1, false},
    ControlSpec{"btn_open", kBtnOpen, K::Button, kBk1, false},
    ControlSpec{"btn_play_forward", kBtnPlayForward, K::Button, kBk1, false},
    ControlSpec{"btn_pause", kBtnPause, K::Button, kBk1, true},
    ControlSpec{"btn_stop", kBtnStop, K::Button, kBk1, false},
    ControlSpec{"btn_step_backward", kBtnStepBackward, K::Button, kBk1, false},
    ControlSpec{"btn_step_forward", kBtnStepForward, K::Button, kBk1, false},
    ControlSpec{"btn_file_prev", kBtnFilePrev, K::Button, kBk1, false},
    ControlSpec{"btn_file_next", kBtnFileNext, K::Button, kBk1, false},
    ControlSpec{"btn_timelapse", kBtnTimelapse, K::CheckButton, kBk1, false},
    ControlSpec{"btn_delete", kBtnDelete, K::Button, kBk1, false},
    ControlSpec{"btn_backup", kBtnBackup, K::Button, kBk1, false},
    ControlSpec{"btn_snapshot", kBtnSnapshot, K::Button, kBk1, false},
    ControlSpec{"btn_report", kBtnReport, K::Button, kBk1, false},
    ControlSpec{"btn_videoctrl", kBtnVideoCtrl, K::Button, kBk1, false},
    ControlSpec{"btn_setup", kBtnSetup, K::Button, kBk2, false},
    ControlSpec{"btn_switch", kBtnSwitch, K::Button, kBk1, false},
    ControlSpec{"btn_gps_map", kBtnGpsMap, K::TextButton, kBk2, false},
    ControlSpec{"btn_gps_speed_unit_km", kBtnGpsSpeedUnitKm, K::TextButton, kBk2, false},
    ControlSpec{"btn_gps_speed_unit_mile", kBtnGpsSpeedUnitMile, K::TextButton, kBk2, true},
    ControlSpec{"btn_gps_status", kBtnGpsStatus, K::CheckButton, kBk2, false},
    ControlSpec{"btn_gsen_zoom_in", kBtnGsenZoomIn, K::Button, kBk2, false},
    ControlSpec{"btn_gsen_zoom_out", kBtnGsenZoomOut, K::Button, kBk2, false},
    ControlSpec{"btn_volume", kBtnVolume, K::CheckButton, kBk1, false},
    ControlSpec{"btn_pbspeed", kBtnPbSpeed, K::Button, kBk1, false},
    ControlSpec{"btn_ftp", kBtnFtp, K::Button, kBk1, false},
    ControlSpec{"btn_division", kBtnDivision, K::Button, kBk1, false},
    ControlSpec{"stc_gps_speed", kStcGpsSpeed, K::Static, nullptr, false, kCentre, kCentre},
    ControlSpec{"stc_gps_latlng", kStcGpsLatLng, K::Static, nullptr, false, kNear, kCentre},
    ControlSpec{"stc_gps_speed_tag", kStcGpsSpeedTag, K::Static, kGps, false, kCentre, kCentre},
    ControlSpec{"stc_gps_latlng_tag", kStcGpsLatLngTag, K::Static, kGps, false, kCentre, kCentre},
    ControlSpec{"stc_gps_status_tag", kStcGpsStatusTag, K::Static, kGps, false, kCentre, kCentre},
    ControlSpec{"stc_gsen_range_top", kStcGsenRangeTop, K::Static, kGsen, false, kFar, kNear},
    ControlSpec{"stc_gsen_range_center", kStcGsenRangeCenter, K::Static, kGsen, false, kFar, kCentre},
    ControlSpec{"stc_gsen_range_bottom", kStcGsenRangeBottom, K::Static, kGsen, false, kFar, kFar},
    ControlSpec{"stc_gsen_x", kStcGsenX, K::Static, kGsen, false, kNear, kCentre},
    ControlSpec{"stc_gsen_y", kStcGsenY, K::Static, kGsen, false, kNear, kCentre},
    ControlSpec{"stc_gsen_z", kStcGsenZ, K::Static, kGsen, false, kNear, kCentre},
    ControlSpec{"stc_playbar", kStcPlaybar, K::Static, "stc_playbar_bk", false, kCentre, kCentre},
    ControlSpec{"stc_pbspeed", kStcPbSpeed, K::Static, "stc_pbspeed", false, kNear, kCentre},
    ControlSpec{"sld_playbar", kSldPlaybar, K::Slider, nullptr, false},
    ControlSpec{"sld_volume", kSldVolume, K::Slider, nullptr, false},
    ControlSpec{"sld_pbspeed", kSldPbSpeed, K::Slider, nullptr, false},
};

}  // namespace

std::span<const ControlSpec> MainControls()
{
    return kControls;
}

const ControlSpec* FindControl(int id)
{
    for (const ControlSpec& spec : kControls)
        if (spec.id == id)
            return &spec;
    return nullptr;
}

}  // namespace kestrel::mainwnd
