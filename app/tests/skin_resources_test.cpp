// Checks of the shipped default skin, read with the real loaders from the
// staged application folder: every key the viewer looks up is there, strips
// cut into whole frames of the right shape, and the main window's layout
// stays inside the window at the smallest and largest window classes.
#include "startup/COption.h"

#include "skin/CUICoordi.h"
#include "skin/CUIImage.h"
#include "skin/SkinScale.h"

#include <gtest/gtest.h>

#include <QColor>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using kestrel::skin::ScaleSkinRect;
using kestrel::skin::ScaleSkinRectWithin;
using kestrel::skin::UniformScale;

// Every record the viewer reads from the coordinate file.
const char* const kPositionKeys[] = {
    "base_window", "btn_backup", "btn_delete", "btn_division", "btn_exit", "btn_file_next", "btn_file_prev",
    "btn_frestore", "btn_ftp", "btn_full", "btn_gps_map", "btn_gps_speed_unit_km", "btn_gps_speed_unit_mile",
    "btn_gps_status", "btn_gsen_zoom_in", "btn_gsen_zoom_out", "btn_icon", "btn_info", "btn_lang", "btn_list_all",
    "btn_list_rectype_0", "btn_list_rectype_1", "btn_list_rectype_2", "btn_list_rectype_3", "btn_list_rectype_4",
    "btn_list_rectype_5", "btn_list_rectype_6", "btn_list_rectype_7", "btn_manual", "btn_max", "btn_min",
    "btn_mrestore", "btn_open", "btn_pause", "btn_pbspeed", "btn_play_forward", "btn_report", "btn_setup",
    "btn_site", "btn_snapshot", "btn_step_backward", "btn_step_forward", "btn_stop", "btn_switch", "btn_timelapse",
    "btn_videoctrl", "btn_viewer_setup", "btn_volume", "display0", "display1", "display2", "display3",
    "fullscreen_range_bottom", "fullscreen_range_bottom_back", "fullscreen_range_right",
    "fullscreen_range_right_back", "fullscreen_range_top", "fullscreen_range_top_back", "gsensor", "list",
    "list_bk", "list_full", "list_view", "map_dlg_list_end", "map_dlg_list_start", "map_dlg_list_thumbnail", "menu",
    "playctrl", "popup_background", "popup_btn", "popup_btn_exit", "popup_dlg_backup", "popup_dlg_backup_ex",
    "popup_dlg_delete", "popup_dlg_failed", "popup_dlg_info", "popup_dlg_lang", "popup_dlg_loadfile",
    "popup_dlg_map", "popup_dlg_map_view", "popup_dlg_open", "popup_dlg_snapshot", "popup_dlg_videoctrl",
    "popup_dlgsize", "popup_groupbox", "popup_title", "popup_titlebar", "sld_pbspeed", "sld_playbar", "sld_volume",
    "stc_gps_latlng", "stc_gps_latlng_tag", "stc_gps_speed", "stc_gps_speed_tag", "stc_gps_status_tag",
    "stc_gsen_graph", "stc_gsen_range_bottom", "stc_gsen_range_center", "stc_gsen_range_top", "stc_gsen_x",
    "stc_gsen_y", "stc_gsen_z", "stc_list_title", "stc_pbspeed", "stc_playbar", "title_logo", "titlebar",
    "vs_list_view", "vs_title",
};

// Every picture key with its frame count (1 = a plain picture).
const std::map<std::string, int> kPictureFrames = {
    {"base_window", 1}, {"btn_backup", 4}, {"btn_bk1", 1}, {"btn_bk2", 1}, {"btn_delete", 4},
    {"btn_division", 4}, {"btn_exit", 4}, {"btn_file_next", 4}, {"btn_file_prev", 4}, {"btn_frestore", 4},
    {"btn_ftp", 4}, {"btn_full", 4}, {"btn_gps_map", 4}, {"btn_gps_speed_unit_km", 4},
    {"btn_gps_speed_unit_mile", 4}, {"btn_gps_status", 4}, {"btn_gsen_zoom_in", 4}, {"btn_gsen_zoom_out", 4},
    {"btn_icon", 4}, {"btn_info", 4}, {"btn_lang", 4}, {"btn_list", 6}, {"btn_list_all", 6}, {"btn_manual", 4},
    {"btn_max", 4}, {"btn_min", 4}, {"btn_mrestore", 4}, {"btn_open", 4}, {"btn_pause", 4}, {"btn_pbspeed", 4},
    {"btn_play_forward", 4}, {"btn_report", 4}, {"btn_setup", 4}, {"btn_site", 4}, {"btn_snapshot", 4},
    {"btn_step_backward", 4}, {"btn_step_forward", 4}, {"btn_stop", 4}, {"btn_switch", 4}, {"btn_timelapse", 4},
    {"btn_videoctrl", 4}, {"btn_viewer_setup", 4}, {"btn_volume", 4}, {"gps", 1}, {"gsensor", 1}, {"list_bk", 1},
    {"map_dlg_calendar_bg", 1}, {"menu", 1}, {"playctrl", 1}, {"popup_background", 1}, {"popup_btn", 4},
    {"popup_btn_bk", 1}, {"popup_btn_check", 6}, {"popup_btn_checkbox", 6}, {"popup_btn_exit", 4},
    {"popup_btn_push", 1}, {"popup_btn_radio", 6}, {"popup_groupbox", 1}, {"popup_sld_left", 1},
    {"popup_sld_right", 1}, {"popup_sld_thumb", 1}, {"stc_gsen_graph", 1}, {"stc_gsen_range_bk", 1},
    {"stc_list_title", 1}, {"stc_pbspeed", 1}, {"stc_playbar_bk", 1}, {"title_logo", 1}, {"titlebar", 1},
};
// The list box picture set, once for the recording list and once for the
// plug-in list of the settings page.
const char* const kListParts[] = {
    "checkbox_3state", "checkbox_checked", "checkbox_unchecked", "h_line1", "h_line2", "header", "icon_pause",
    "icon_play", "row", "select_bar", "v_line", "vscroll_bottom", "vscroll_span", "vscroll_thumb", "vscroll_top",
};
const char* const kSliders[] = {"sld_playbar", "sld_volume", "sld_pbspeed"};
const char* const kBitmapKeys[] = {"logo_full_front", "logo_full_rear", "logo_main_front",
                                   "logo_main_rear", "logo_sub_front", "logo_sub_rear"};

// Records placed in the main window's client area.
const char* const kMainBackgrounds[] = {"base_window", "titlebar", "playctrl", "gsensor", "menu"};
const char* const kMainControls[] = {
    "btn_exit", "btn_max", "btn_mrestore", "btn_full", "btn_frestore", "btn_min", "btn_info", "btn_site",
    "btn_lang", "btn_icon", "btn_manual", "btn_viewer_setup", "btn_open", "btn_play_forward", "btn_pause",
    "btn_stop", "btn_step_backward", "btn_step_forward", "btn_file_prev", "btn_file_next", "btn_timelapse",
    "btn_delete", "btn_backup", "btn_snapshot", "btn_report", "btn_videoctrl", "btn_setup", "btn_switch",
    "btn_gps_map", "btn_gps_speed_unit_km", "btn_gps_speed_unit_mile", "btn_gps_status", "btn_gsen_zoom_in",
    "btn_gsen_zoom_out", "btn_volume", "btn_pbspeed", "btn_ftp", "btn_division", "stc_gps_speed",
    "stc_gps_latlng", "stc_gps_speed_tag", "stc_gps_latlng_tag", "stc_gps_status_tag", "stc_gsen_range_top",
    "stc_gsen_range_center", "stc_gsen_range_bottom", "stc_gsen_x", "stc_gsen_y", "stc_gsen_z", "stc_playbar",
    "stc_pbspeed", "sld_playbar", "sld_volume", "sld_pbspeed", "display0", "display1", "list", "stc_gsen_graph",
};
// Placed in the main window but allowed to overlap the controls above: the
// extension-channel slots, the full-screen list and the full-screen zones.
const char* const kMainOverlays[] = {
    "display2", "display3", "list_full", "fullscreen_range_top", "fullscreen_range_top_back",
    "fullscreen_range_right", "fullscreen_range_right_back", "fullscreen_range_bottom",
    "fullscreen_range_bottom_back",
};
// Pairs shown one at a time in the same place.
const std::set<std::pair<std::string, std::string>> kSharedPlaces = {
    {"btn_max", "btn_mrestore"}, {"btn_full", "btn_frestore"}, {"btn_play_forward", "btn_pause"},
    {"btn_gps_speed_unit_km", "btn_gps_speed_unit_mile"},
};
const char* const kListChildren[] = {
    "stc_list_title", "btn_list_all", "btn_list_rectype_0", "btn_list_rectype_1", "btn_list_rectype_2",
    "btn_list_rectype_3", "btn_list_rectype_4", "btn_list_rectype_5", "btn_list_rectype_6",
    "btn_list_rectype_7", "list_view",
};
// Popups sized by their title key; OK and Cancel (100 x 30, 10 apart and
// from the edges) and the title bar must fit.
const char* const kPopupTitles[] = {
    "popup_dlg_snapshot", "popup_dlg_backup", "popup_dlg_backup_ex", "popup_dlg_delete", "popup_dlg_failed",
    "popup_dlg_info", "popup_dlg_lang", "popup_dlg_loadfile", "popup_dlg_map", "popup_dlg_open",
    "popup_dlg_videoctrl", "popup_dlgsize", "vs_title",
};

struct Size {
    int w, h;
};
const Size kWindowClasses[] = {{1280, 720}, {1440, 810}, {1600, 900}, {1760, 990}, {1920, 1080}};

bool Empty(const KSkinRect& r) { return r.right <= r.left || r.bottom <= r.top; }
bool Overlap(const KSkinRect& a, const KSkinRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
std::string Str(const KSkinRect& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

class SkinResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(s_option.Load(QStringLiteral(KESTREL_APP_DIR), QStringLiteral(KESTREL_APP_DIR "/_option")));
        s_coordi.LoadInfo(s_option.strSkinInfoFile);
        ASSERT_EQ(s_images.LoadImageFiles(s_option.strSkinRootDir, s_option.strSkinImageFile), 1);
        ASSERT_EQ(s_images.LoadBitmapFiles(s_option.strSkinRootDir, s_option.strSkinImageFile), 1);
        ASSERT_EQ(s_images.LoadIconFiles(s_option.strSkinRootDir, s_option.strSkinImageFile), 1);
    }
    static void TearDownTestSuite()
    {
        s_coordi.UnloadInfo();
        s_images.UnloadImageFiles();
        s_images.UnloadBitmapFiles();
        s_images.UnloadIconFiles();
    }

    static const _WIN_POS& Pos(const char* key) { return *s_coordi.GetWinPos(QString::fromLatin1(key)); }
    static bool Stored(const char* key) { return &Pos(key) != s_coordi.GetWinPos(QStringLiteral("?no record?")); }
    static const QImage* Picture(const std::string& key) { return s_images.GetImageFile(QString::fromStdString(key)); }
    static KSkinRect Ref() { return Pos("base_window").rect; }
    static KSkinRect Main(const char* key, Size s) { return ScaleSkinRect(Pos(key), s.w, s.h, Ref()); }

    static std::vector<std::string> AllPictureKeys()
    {
        std::vector<std::string> keys;
        for (const auto& [key, frames] : kPictureFrames)
            keys.push_back(key);
        for (const char* part : kListParts) {
            keys.push_back(std::string("lst_") + part);
            keys.push_back(std::string("vs_lst_") + part);
        }
        for (const char* slider : kSliders)
            for (const char* suffix : {"_left", "_right", "_thumb", "_bk"})
                keys.push_back(std::string(slider) + suffix);
        return keys;
    }

    static COption s_option;
    static CUICoordi s_coordi;
    static CUIImage s_images;
};
COption SkinResourcesTest::s_option;
CUICoordi SkinResourcesTest::s_coordi;
CUIImage SkinResourcesTest::s_images;

TEST_F(SkinResourcesTest, EveryPositionKeyHasItsOwnRecord)
{
    for (const char* key : kPositionKeys)
        EXPECT_TRUE(Stored(key)) << key;
    const _WIN_POS& base = Pos("base_window");
    EXPECT_EQ(base.cx, 1920);
    EXPECT_EQ(base.cy, 1080);
}

TEST_F(SkinResourcesTest, EveryPictureKeyLoadsItsOwnPicture)
{
    const QImage* fallback = Picture("transparent");
    ASSERT_NE(fallback, nullptr);
    ASSERT_FALSE(fallback->isNull());
    const std::vector<std::string> keys = AllPictureKeys();
    EXPECT_EQ(keys.size(), 110u);  // and "transparent" itself
    for (const std::string& key : keys) {
        const QImage* img = Picture(key);
        ASSERT_NE(img, nullptr) << key;
        EXPECT_NE(img, fallback) << key << " is missing or unreadable";
        EXPECT_FALSE(img->isNull()) << key;
    }
    // Keys are compared case-sensitively: a slip in case falls back.
    EXPECT_EQ(Picture("BTN_EXIT"), fallback);
}

TEST_F(SkinResourcesTest, BitmapsAndTheWindowIconLoad)
{
    for (const char* key : kBitmapKeys) {
        const QPixmap* bmp = s_images.GetBitmapFile(QString::fromLatin1(key));
        ASSERT_NE(bmp, nullptr) << key;
        EXPECT_FALSE(bmp->isNull()) << key;
    }
    const QIcon* icon = s_images.GetIconFile(QStringLiteral("main-icon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->isNull());
    EXPECT_FALSE(icon->pixmap(32, 32).isNull());
}

TEST_F(SkinResourcesTest, StripsCutIntoWholeFramesShapedLikeTheirButtons)
{
    for (const auto& [key, frames] : kPictureFrames) {
        const QImage* img = Picture(key);
        EXPECT_EQ(img->width() % frames, 0) << key << " width " << img->width() << " / " << frames;
        // Every main-window button is drawn by stretching one frame over its
        // record; a frame of another shape would be distorted.
        const _WIN_POS& pos = Pos(key.c_str());
        if (frames == 4 && key.rfind("btn_", 0) == 0) {
            ASSERT_GT(pos.cy, 0) << key;
            const double frame = double(img->width() / frames) / img->height();
            const double record = double(pos.cx) / pos.cy;
            EXPECT_NEAR(frame / record, 1.0, 0.03) << key;
        }
    }
    // The filter buttons stretch btn_list / btn_list_all the same way.
    const QImage* list = Picture("btn_list");
    const QImage* all = Picture("btn_list_all");
    EXPECT_NEAR(double(list->width() / 6) / list->height(),
                double(Pos("btn_list_rectype_0").cx) / Pos("btn_list_rectype_0").cy, 0.1);
    EXPECT_NEAR(double(all->width() / 6) / all->height(), double(Pos("btn_list_all").cx) / Pos("btn_list_all").cy,
                0.1);
    // OK and Cancel are always 100 x 30.
    const QImage* ok = Picture("popup_btn");
    EXPECT_NEAR(double(ok->width() / 4) / ok->height(), 100.0 / 30.0, 0.1);
}

TEST_F(SkinResourcesTest, MainWindowLayoutStaysInsideTheWindowAtEveryClass)
{
    for (Size size : kWindowClasses) {
        SCOPED_TRACE(std::to_string(size.w) + "x" + std::to_string(size.h));
        auto inside = [&](const char* key) {
            const KSkinRect r = Main(key, size);
            EXPECT_FALSE(Empty(r)) << key << " " << Str(r);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= size.w && r.bottom <= size.h) << key << " " << Str(r);
        };
        for (const char* key : kMainBackgrounds)
            inside(key);
        for (const char* key : kMainControls)
            inside(key);
        for (const char* key : kMainOverlays)
            inside(key);

        // Controls do not cover one another, except pairs that take turns.
        for (size_t i = 0; i < std::size(kMainControls); ++i)
            for (size_t j = i + 1; j < std::size(kMainControls); ++j) {
                const std::string a = kMainControls[i], b = kMainControls[j];
                if (kSharedPlaces.count({a, b}) || kSharedPlaces.count({b, a}))
                    continue;
                EXPECT_FALSE(Overlap(Main(a.c_str(), size), Main(b.c_str(), size))) << a << " and " << b;
            }

        // The logo keeps its picture size, so it must still fit the title bar.
        const KSkinRect title = Main("titlebar", size);
        const KSkinRect logo = Main("title_logo", size);
        const QImage* logoImg = Picture("title_logo");
        EXPECT_LE(logo.top + logoImg->height(), title.bottom);
        EXPECT_LT(logo.left + logoImg->width(), Main("btn_viewer_setup", size).left);

        // Slider thumbs are drawn at their own width and never taller than the slider.
        for (const char* slider : kSliders) {
            const QImage* thumb = Picture(std::string(slider) + "_thumb");
            const KSkinRect r = Main(slider, size);
            EXPECT_LE(thumb->height(), r.bottom - r.top) << slider;
            EXPECT_LT(thumb->width() * 4, r.right - r.left) << slider;
        }
    }
}

TEST_F(SkinResourcesTest, FullScreenZonesSitAtTheEdgesAndTheirRegionsLeaveTheStripsFree)
{
    for (Size size : kWindowClasses) {
        SCOPED_TRACE(std::to_string(size.w) + "x" + std::to_string(size.h));
        const KSkinRect top = Main("fullscreen_range_top", size);
        const KSkinRect right = Main("fullscreen_range_right", size);
        const KSkinRect bottom = Main("fullscreen_range_bottom", size);
        EXPECT_EQ(top.top, 0);
        EXPECT_EQ(right.right, size.w);
        EXPECT_EQ(bottom.bottom, size.h);
        // While a strip shows, its controls lie outside the covered region.
        EXPECT_FALSE(Overlap(Main("fullscreen_range_top_back", size), Main("menu", size)));
        EXPECT_FALSE(Overlap(Main("fullscreen_range_top_back", size), Main("btn_frestore", size)));
        EXPECT_FALSE(Overlap(Main("fullscreen_range_right_back", size), Main("list_full", size)));
        EXPECT_FALSE(Overlap(Main("fullscreen_range_bottom_back", size), Main("playctrl", size)));
        EXPECT_FALSE(Overlap(Main("fullscreen_range_bottom_back", size), Main("gsensor", size)));
        // ... and the hot zone itself is outside it, so the strip can be reached.
        EXPECT_FALSE(Overlap(Main("fullscreen_range_top_back", size), top));
        EXPECT_FALSE(Overlap(Main("fullscreen_range_right_back", size), right));
        EXPECT_FALSE(Overlap(Main("fullscreen_range_bottom_back", size), bottom));
    }
}

TEST_F(SkinResourcesTest, ListPanelChildrenFitThePanelInEveryState)
{
    for (Size size : kWindowClasses)
        for (const char* panelKey : {"list", "list_full"}) {
            SCOPED_TRACE(std::string(panelKey) + " " + std::to_string(size.w) + "x" + std::to_string(size.h));
            const KSkinRect panel = Main(panelKey, size);
            const int w = panel.right - panel.left, h = panel.bottom - panel.top;
            auto child = [&](const char* key) { return ScaleSkinRectWithin(Pos(key), w, h, size.w, size.h, Ref()); };
            const KSkinRect bk = child("list_bk");
            EXPECT_TRUE(bk.left <= 0 && bk.top <= 0 && bk.right >= w && bk.bottom >= h) << Str(bk);
            std::vector<std::string> shown;
            for (const char* key : kListChildren) {
                const KSkinRect r = child(key);
                if (std::string(key) == "btn_list_rectype_7" && Pos(key).cx == 0 && Pos(key).cy == 0)
                    continue;  // type 7 deliberately not offered
                EXPECT_FALSE(Empty(r)) << key << " " << Str(r);
                EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h) << key << " " << Str(r);
                for (const std::string& other : shown)
                    EXPECT_FALSE(Overlap(r, child(other.c_str()))) << key << " and " << other;
                shown.push_back(key);
            }
        }
    const _WIN_POS& view = Pos("list_view");
    EXPECT_GT(view.dt, 0);  // header height
    EXPECT_GT(view.db, 0);  // row height
    // The fixed columns (32 + 128 + 128 + 108 + 90 + 64) and the scroll bar fit the base width.
    EXPECT_GE(view.cx, 550 + Picture("lst_vscroll_top")->width());
}

TEST_F(SkinResourcesTest, GSensorGraphPictureMatchesItsRecordAndColoursStandApart)
{
    const _WIN_POS& graph = Pos("stc_gsen_graph");
    const QImage* img = Picture("stc_gsen_graph");
    EXPECT_EQ(img->width(), graph.cx);
    EXPECT_EQ(img->height(), graph.cy);
    EXPECT_GT(graph.dt, 0);
    EXPECT_LE(graph.dt, graph.cy / 2);

    // Curves X, Y, Z and the cursor: each pair clearly different.
    const QColor colours[] = {QColor::fromRgba(Pos("stc_gsen_x").color[0]),
                              QColor::fromRgba(Pos("stc_gsen_y").color[0]),
                              QColor::fromRgba(Pos("stc_gsen_z").color[0]), QColor::fromRgba(graph.color[1])};
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) {
            const int d = std::abs(colours[i].red() - colours[j].red()) +
                          std::abs(colours[i].green() - colours[j].green()) +
                          std::abs(colours[i].blue() - colours[j].blue());
            EXPECT_GT(d, 120) << i << " vs " << j;
        }
}

TEST_F(SkinResourcesTest, PopupsHoldTheirTitleBarAndButtons)
{
    const _WIN_POS& titlebar = Pos("popup_titlebar");
    const _WIN_POS& exitBtn = Pos("popup_btn_exit");
    const _WIN_POS& title = Pos("popup_title");
    const QImage* exitImg = Picture("popup_btn_exit");
    EXPECT_NEAR(double(exitImg->width() / 4) / exitImg->height(), double(exitBtn.cx) / exitBtn.cy, 0.05);
    EXPECT_LE(exitBtn.y + exitBtn.cy, titlebar.y + titlebar.cy);
    EXPECT_FALSE(Overlap(exitBtn.rect, title.rect));
    const _WIN_POS& frame = Pos("popup_background");
    EXPECT_EQ(frame.type, 2);
    EXPECT_GE(frame.dt, titlebar.cy);  // the title band is kept unstretched
    for (const char* key : kPopupTitles) {
        const _WIN_POS& pos = Pos(key);
        EXPECT_GE(pos.cx, 10 + 100 + 10 + 100 + 10 + exitBtn.x + exitBtn.cx) << key;
        EXPECT_GE(pos.cy, titlebar.cy + 30 + 10 + 40) << key;
        EXPECT_LE(pos.cx, 1280) << key;
        EXPECT_LE(pos.cy, 720) << key;
    }
    // The size popup's second group box ends at 265 and OK/Cancel start at H - 40.
    EXPECT_GE(Pos("popup_dlgsize").cy - 40, 265 + 8);
}

}  // namespace
