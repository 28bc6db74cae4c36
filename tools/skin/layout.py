"""Records of the default skin's coordinate file.

Main-window records are in window coordinates at 1920 x 1080. Layout:
title bar (0..48) with the logo and the window buttons pinned right, a menu
strip (48..104), the front view at the left (1280 x 720), a right column with
the second view and the recording list, and under the front view the play
controls and the G-sensor / GPS strip. List-panel children are in panel
coordinates; popup records give popup sizes and places inside a popup.
"""


def argb(hex_colour, alpha=255):
    h = hex_colour.lstrip("#")
    return f"{alpha},{int(h[0:2], 16)},{int(h[2:4], 16)},{int(h[4:6], 16)}"


TEXT = argb("#d5dce5")
TEXT_DIM = argb("#8a95a3")
TEXT_HI = argb("#ffffff")
TEXT_OFF = argb("#5b6573")
ACCENT = argb("#ffa24d")

RECORDS = {}
ORDER = []
COMMENTS = {}


def rec(key, comment=None, **fields):
    RECORDS[key] = fields
    ORDER.append(key)
    if comment:
        COMMENTS[key] = comment


def box(x, y, cx, cy, **more):
    return dict(x=x, y=y, cx=cx, cy=cy, **more)


# Reference and background layers
rec("base_window", "Reference size; dl/dt round the window corners.",
    **box(0, 0, 1920, 1080, dl=10, dt=10, dr=10, db=10, Type=0))
rec("titlebar", "Background layers (titlebar is also the drag area).", **box(0, 0, 1920, 48, s2l=0, s2r=0, Type=0))
rec("menu", **box(0, 48, 1920, 56, s2l=0, s2r=0, Type=0))
rec("playctrl", **box(16, 840, 1280, 112, Type=4, dl=12, dt=12, dr=12, db=12))
rec("gsensor", **box(16, 960, 1280, 104, Type=4, dl=12, dt=12, dr=12, db=12))
rec("title_logo", "Drawn at its picture's own size (132 x 24).", **box(16, 12, 132, 24))

# Title-bar buttons, pinned to the right edge.
TITLE = ["btn_exit", ("btn_max", "btn_mrestore"), "btn_min", ("btn_full", "btn_frestore"), None,
         "btn_info", "btn_site", "btn_lang", "btn_icon", "btn_manual", "btn_viewer_setup"]
right = 8
first = True
for item in TITLE:
    if item is None:
        right += 12
        continue
    for key in (item if isinstance(item, tuple) else (item,)):
        rec(key, "Title-bar buttons, pinned to the right edge." if first else None,
            **box(0, 6, 36, 36, s2r=right))
        first = False
    right += 40

# Menu strip
MENU = ["btn_open", "btn_backup", "btn_snapshot", "btn_delete", "btn_videoctrl", "btn_report", None,
        "btn_setup", "btn_ftp", "btn_division"]
x = 16
for key in MENU:
    if key is None:
        x += 16
        continue
    rec(key, "Menu strip." if key == "btn_open" else None, **box(x, 54, 44, 44))
    x += 52

# Views and the list column
rec("display0", "Channel views: the front view and the right column.", **box(16, 112, 1280, 720))
rec("display1", **box(1312, 112, 592, 333, Type=0))
rec("display2", "Extension channels (plug-ins with four cameras) sit side by side at the foot of the right\n"
    "; column, over the last list rows, so the filter buttons and the list header stay usable.",
    **box(1312, 900, 292, 164))
rec("display3", **box(1612, 900, 292, 164))
rec("list", "Recording list: under display1, down to the bottom edge; dt = gap below display1 when maximised.",
    **box(1312, 453, 592, 611, s2t=0, s2b=16, dt=8))
rec("list_full", "Full-screen list: the right column from under the menu strip, pinned right.",
    **box(0, 112, 592, 952, s2r=16, s2t=0, s2b=16))

# Play controls: play bar across the card, then time, volume, transport, options.
rec("sld_playbar", "Play controls. Slider bars are centred (dt=-1), no end margins.",
    **box(32, 848, 1248, 24, dl=0, dr=0, dt=-1))
rec("stc_playbar", **box(32, 892, 200, 40, ColorText=TEXT))
rec("btn_volume", **box(248, 892, 40, 40))
rec("sld_volume", **box(292, 900, 140, 24, dl=0, dr=0, dt=-1))
for i, key in enumerate(["btn_file_prev", "btn_step_backward", "btn_play_forward", "btn_stop",
                         "btn_step_forward", "btn_file_next"]):
    rec(key, **box(492 + 56 * i, 888, 48, 48))
    if key == "btn_play_forward":
        rec("btn_pause", **box(492 + 56 * i, 888, 48, 48))
rec("btn_switch", **box(852, 892, 40, 40))
rec("btn_timelapse", **box(900, 892, 40, 40))
rec("btn_pbspeed", **box(948, 892, 40, 40))
rec("sld_pbspeed", **box(996, 900, 120, 24, dl=0, dr=0, dt=-1))
rec("stc_pbspeed", **box(1124, 892, 156, 40, ColorText=TEXT))

# G-sensor: range labels, graph, axis read-outs, zoom.
rec("stc_gsen_range_top", "G-sensor strip. X/Y/Z colours are also the curve colours.",
    **box(24, 966, 56, 28, ColorText=TEXT_DIM))
rec("stc_gsen_range_center", **box(24, 998, 56, 28, ColorText=TEXT_DIM))
rec("stc_gsen_range_bottom", **box(24, 1030, 56, 28, ColorText=TEXT_DIM))
rec("stc_gsen_graph", "Graph picture is exactly cx x cy; dt = pixels for the full range; Color00 = cursor.",
    **box(88, 968, 480, 88, dt=40, Color00=argb("#ffd23f")))
rec("stc_gsen_x", **box(580, 966, 120, 28, ColorText=argb("#ff6b6b")))
rec("stc_gsen_y", **box(580, 998, 120, 28, ColorText=argb("#4cd08a")))
rec("stc_gsen_z", **box(580, 1030, 120, 28, ColorText=argb("#5aa8ff")))
rec("btn_gsen_zoom_in", **box(708, 970, 36, 36))
rec("btn_gsen_zoom_out", **box(708, 1014, 36, 36))

# GPS: map button and fix state, speed with its unit, position.
CAPTION = dict(ColorText=TEXT, Color00=TEXT_HI, Color01=TEXT_OFF, Color02=TEXT_HI)
rec("btn_gps_map", "GPS. Caption colours: ColorText normal, Color00 hover, Color01 disabled, Color02 pressed.",
    **box(760, 972, 100, 36, **CAPTION))
rec("btn_gps_status", **box(760, 1020, 28, 28))
rec("stc_gps_status_tag", **box(792, 1020, 68, 28, ColorText=TEXT_DIM))
rec("stc_gps_speed_tag", **box(872, 966, 140, 24, ColorText=TEXT_DIM))
rec("stc_gps_speed", **box(872, 994, 80, 56, ColorText=TEXT_HI))
rec("btn_gps_speed_unit_km", **box(956, 1008, 56, 28, **CAPTION))
rec("btn_gps_speed_unit_mile", **box(956, 1008, 56, 28, **CAPTION))
rec("stc_gps_latlng_tag", **box(1024, 966, 260, 24, ColorText=TEXT_DIM))
rec("stc_gps_latlng", **box(1024, 992, 260, 60, ColorText=TEXT))

# Full screen: thin hot zones at the edges; *_back is the part the picture keeps covering.
rec("fullscreen_range_top", "Full screen: hot zones (6 px at an edge) and the regions still covered "
    "while a strip shows.", **box(0, 0, 1920, 6, s2l=0, s2r=0))
rec("fullscreen_range_top_back", **box(0, 104, 1920, 976, s2l=0, s2r=0, s2t=0, s2b=0))
rec("fullscreen_range_right", **box(0, 0, 6, 1080, s2r=0, s2t=0, s2b=0))
rec("fullscreen_range_right_back", **box(0, 0, 1304, 1080, s2l=0, s2r=616, s2t=0, s2b=0))
rec("fullscreen_range_bottom", **box(0, 1074, 1920, 6, s2l=0, s2r=0, s2b=0))
rec("fullscreen_range_bottom_back", **box(0, 0, 1920, 832, s2l=0, s2r=0, s2t=0, s2b=248))

# Recording list panel (panel coordinates, 592 x 611 at the reference size).
rec("list_bk", "List panel children, in panel coordinates.", **box(0, 0, 592, 611, s2l=0, s2r=0, s2t=0, s2b=0))
rec("stc_list_title", "Type = text alignment (0 near, 1 centre, 2 far).",
    **box(0, 0, 592, 40, s2l=16, s2r=16, Type=0, ColorText=TEXT_HI))
LIST_CAPTION = dict(ColorText=TEXT, Color00=TEXT_HI, Color01=TEXT_OFF, Color02=ACCENT)
rec("btn_list_all", **box(16, 52, 134, 30, **LIST_CAPTION))
for t in range(8):
    if t == 7:  # the bundled plug-in never produces type 7: not offered
        rec("btn_list_rectype_7", "Type 7 is not offered (0 x 0).", **box(0, 0, 0, 0))
        continue
    slot = t + 1
    rec(f"btn_list_rectype_{t}", **box(16 + 142 * (slot % 4), 52 + 38 * (slot // 4), 134, 30, **LIST_CAPTION))
LIST_COLOURS = dict(ColorText=TEXT_DIM, Color00=TEXT, Color01=TEXT_HI, Color02=ACCENT, Color03=argb("#ffc48a"))
rec("list_view", "List box: dt = header height, db = row height; ColorText header, Color00 row, "
    "Color01 selected, Color02 playing, Color03 selected and playing.",
    **box(14, 132, 564, 467, s2t=0, s2b=12, dt=32, db=30, **LIST_COLOURS))

# Popups
rec("popup_titlebar", "Popups: title bar (drag area), exit button, title text, framed background.",
    **box(0, 0, 1280, 44))
rec("popup_btn_exit", **box(8, 8, 28, 28))
rec("popup_title", **box(44, 0, 600, 44, ColorText=TEXT_HI))
rec("popup_background", **box(0, 0, 96, 96, Type=2, dl=8, dt=48, dr=8, db=8))
rec("popup_btn", "OK / Cancel text: ColorText normal, Color00 disabled.",
    **box(0, 0, 100, 30, ColorText=TEXT_HI, Color00=TEXT_OFF))
rec("popup_groupbox", "Group boxes: ColorText title, Color00 border, Color01 background.",
    **box(0, 0, 64, 64, ColorText=TEXT, Color00=argb("#323b47"), Color01=argb("#171c23")))
rec("popup_dlg_snapshot", "Popup sizes (centred on the main window).", **box(0, 0, 520, 300))
rec("popup_dlg_backup", **box(0, 0, 500, 260))
rec("popup_dlg_backup_ex", **box(0, 0, 560, 420))
rec("popup_dlg_delete", **box(0, 0, 440, 200))
rec("popup_dlg_open", **box(0, 0, 480, 320))
rec("popup_dlg_loadfile", **box(0, 0, 440, 150))
rec("popup_dlg_videoctrl", **box(0, 0, 480, 320))
rec("popup_dlg_info", **box(0, 0, 500, 380))
rec("popup_dlgsize", **box(0, 0, 440, 320))
rec("vs_title", **box(0, 0, 720, 500))
rec("popup_dlg_failed", "Sizes the popup and places its message (x, y inside the popup).",
    **box(12, 52, 460, 210, ColorText=TEXT, Type=1))
rec("popup_dlg_failed_msg", "The open-failed message's own place, colour and alignment (Type 1 = centred).",
    **box(16, 56, 428, 96, ColorText=TEXT, Type=1))
rec("popup_dlg_lang", "Sizes the popup and places its message.", **box(12, 52, 420, 200, ColorText=TEXT))
rec("popup_dlg_map", "Map popups and map dialog.", **box(0, 0, 1000, 680))
rec("popup_dlg_map_view", **box(2, 46, 996, 632, s2l=2, s2r=2, s2t=0, s2b=2))
rec("map_dlg_calendar_bg", **box(0, 0, 240, 200, ColorText=argb("#171c23")))
rec("map_dlg_list_thumbnail", "Day-list row parts, relative to the row.", **box(4, 4, 96, 54))
rec("map_dlg_list_start", **box(108, 6, 150, 24))
rec("map_dlg_list_end", **box(108, 32, 150, 28))
rec("vs_list_view", "Plug-in list on the basic settings page.",
    **box(24, 120, 460, 180, dt=28, db=28, **LIST_COLOURS))
