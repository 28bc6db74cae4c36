#!/usr/bin/env python3
"""Writes the default skin: every picture as SVG, the image list and the
coordinate file, all into data/skin/.

The look is a dark theme with one warm accent, laid out for a 1920 x 1080
window (the "base_window" record); every other window class scales it
uniformly. Run from anywhere:  python3 tools/skin/make_skin.py
The written files are committed; rerun after changing this script.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from glyphs import glyph_svg  # noqa: E402
from layout import RECORDS  # noqa: E402

SKIN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "skin")

# Palette
BG = "#0d1014"
SURFACE = "#161b22"
SURFACE_HI = "#1c222b"
LINE = "#262e38"
LINE_HI = "#36404c"
TEXT = "#d5dce5"
TEXT_HI = "#ffffff"
TEXT_OFF = "#4a5360"
ACCENT = "#f08a24"
ACCENT_HI = "#ffa24d"
ACCENT_LO = "#c96d14"
DANGER = "#e5484d"
POPUP = "#1b2129"

written = {}


def svg(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n{body}\n</svg>\n')


def save(name, w, h, body):
    path = os.path.join(SKIN, name)
    with open(path, "w", encoding="utf-8") as f:
        f.write(svg(w, h, body))
    written[name] = (w, h)
    return name


def rrect(x, y, w, h, r, fill, stroke=None, fill_opacity=None, sw=1):
    s = f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"'
    if fill_opacity is not None:
        s += f' fill-opacity="{fill_opacity}"'
    if stroke:
        s += f' stroke="{stroke}" stroke-width="{sw}"'
    return s + "/>"


# ---------------------------------------------------------------- button strips
# Four frames: normal, hover, disabled, pressed (or checked).
ICON_STATES = [  # (background, background opacity, glyph colour)
    (None, None, TEXT),
    ("#ffffff", 0.10, TEXT_HI),
    (None, None, TEXT_OFF),
    (ACCENT, 1.0, TEXT_HI),
]
CLOSE_STATES = [(None, None, TEXT), (DANGER, 1.0, TEXT_HI), (None, None, TEXT_OFF), ("#b8373b", 1.0, TEXT_HI)]


def icon_strip(name, w, h, glyphs, states=ICON_STATES, glyph_frac=0.56, radius=None):
    """A 4-frame strip; `glyphs` is one glyph name or one per frame."""
    if isinstance(glyphs, str):
        glyphs = [glyphs] * 4
    r = radius if radius is not None else min(w, h) * 0.22
    size = min(w, h) * glyph_frac
    parts = []
    for i, (bg, op, colour) in enumerate(states):
        x0 = i * w
        if bg:
            parts.append(rrect(x0 + 2, 2, w - 4, h - 4, r, bg, fill_opacity=op))
        parts.append(glyph_svg(glyphs[i], colour, x0 + (w - size) / 2, (h - size) / 2, size))
    return save(name + ".svg", 4 * w, h, "\n".join(parts))


def round_strip(name, w, h, glyph):
    """The main transport button: a filled accent disc."""
    fills = [ACCENT, ACCENT_HI, "#3a414b", ACCENT_LO]
    colours = ["#1a1006", "#1a1006", "#7b8491", "#1a1006"]
    parts = []
    d = min(w, h) - 4
    for i in range(4):
        cx = i * w + w / 2
        parts.append(f'<circle cx="{cx}" cy="{h / 2}" r="{d / 2}" fill="{fills[i]}"/>')
        size = d * 0.55
        parts.append(glyph_svg(glyph, colours[i], cx - size / 2, (h - size) / 2, size))
    return save(name + ".svg", 4 * w, h, "\n".join(parts))


def pill_strip(name, w, h, glyph=None, frames=4, checked_accent=False):
    """Caption buttons and push-like check boxes: the control draws the text.
    6 frames: normal, hover, disabled, checked, checked+hover, checked+disabled."""
    looks = [("#232a34", LINE_HI, TEXT), ("#2c3541", "#4a5563", TEXT_HI), ("#1a1f26", "#262d36", TEXT_OFF),
             ("#3a2612", ACCENT, ACCENT_HI), ("#4a3018", ACCENT_HI, ACCENT_HI), ("#251c14", "#5a4128", "#6b5a48")]
    if frames == 4:
        looks = looks[:3] + [(ACCENT_LO, ACCENT, TEXT_HI)] if not checked_accent else looks[:4]
    parts = []
    for i, (fill, stroke, colour) in enumerate(looks):
        parts.append(rrect(i * w + 0.5, 0.5, w - 1, h - 1, 6, fill, stroke))
        if glyph:
            size = h * 0.55
            parts.append(glyph_svg(glyph, colour, i * w + h * 0.3, (h - size) / 2, size))
    return save(name + ".svg", frames * w, h, "\n".join(parts))


def tick_strip(name, w, h, radio):
    """Six-frame check box or radio: off, hover, disabled, on, on+hover, on+disabled."""
    looks = [("#1a1f26", LINE_HI, None), ("#232a34", "#5a6675", None), ("#15191f", "#262d36", None),
             (ACCENT, ACCENT, "#1a1006"), (ACCENT_HI, ACCENT_HI, "#1a1006"), ("#5a4128", "#5a4128", "#2a2016")]
    parts = []
    s = min(w, h) - 2
    for i, (fill, stroke, mark) in enumerate(looks):
        x, y = i * w + (w - s) / 2, (h - s) / 2
        if radio:
            parts.append(f'<circle cx="{x + s / 2}" cy="{y + s / 2}" r="{s / 2 - 0.5}" fill="{fill if mark is None else "#1a1f26"}" '
                         f'stroke="{stroke}" stroke-width="1.5"/>')
            if mark:
                parts.append(f'<circle cx="{x + s / 2}" cy="{y + s / 2}" r="{s / 4}" fill="{fill}"/>')
        else:
            parts.append(rrect(x + 0.75, y + 0.75, s - 1.5, s - 1.5, 3, fill, stroke, sw=1.5))
            if mark:
                parts.append(glyph_svg("check", mark, x + 1, y + 1, s - 2, stroke=3))
    return save(name + ".svg", 6 * w, h, "\n".join(parts))


# ---------------------------------------------------------------- plain pictures
def solid(name, w, h, fill, extra=""):
    return save(name, w, h, f'<rect width="{w}" height="{h}" fill="{fill}"/>{extra}')


def clear(name, w=8, h=8):
    # Deliberately empty: the layered window background shows through.
    return save(name, w, h, f'<rect width="{w}" height="{h}" fill="#000000" fill-opacity="0"/>')


BIRD = ("M32 19 C29.5 19 28 20.6 27.4 23.2 L3 15 C8 24 16.5 30 25.6 32.4 L27.6 43 L23 56 L32 50.5 "
        "L41 56 L36.4 43 L38.4 32.4 C47.5 30 56 24 61 15 L36.6 23.2 C36 20.6 34.5 19 32 19 Z")


def bird(x, y, size, fill, opacity=1.0):
    k = size / 64.0
    return (f'<g transform="translate({x} {y}) scale({k:.4f})"><path d="{BIRD}" fill="{fill}" '
            f'fill-opacity="{opacity}"/></g>')


def wordmark(name, w, h, colour, opacity):
    mark = bird(0, 0, h, ACCENT, opacity)
    text = (f'<text x="{h * 1.12:.1f}" y="{h * 0.74:.1f}" font-family="DejaVu Sans, sans-serif" '
            f'font-weight="bold" font-size="{h * 0.62:.1f}" fill="{colour}" fill-opacity="{opacity}">Kestrel</text>')
    return save(name, w, h, mark + text)


def card(name, w, h, fill=SURFACE, stroke=LINE, r=10):
    return save(name, w, h, rrect(0.5, 0.5, w - 1, h - 1, r, fill, stroke))


def build_pictures():
    pics = {}  # key -> file
    # Window layers
    pics["base_window"] = save("base_window.svg", 1920, 1080,
                               '<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">'
                               f'<stop offset="0" stop-color="#11151b"/><stop offset="1" stop-color="{BG}"/>'
                               '</linearGradient></defs><rect width="1920" height="1080" fill="url(#g)"/>')
    pics["titlebar"] = solid("titlebar.svg", 64, 48, "#12161c", f'<rect y="47" width="64" height="1" fill="{LINE}"/>')
    pics["menu"] = solid("menu.svg", 64, 56, "#0f1318", f'<rect y="55" width="64" height="1" fill="{LINE}"/>')
    pics["playctrl"] = card("card.svg", 64, 64)
    pics["gsensor"] = "card.svg"
    pics["title_logo"] = wordmark("title_logo.svg", 132, 24, "#e6ebf2", 1.0)
    pics["transparent"] = "transparent.png"
    for k in ("btn_bk1", "btn_bk2", "gps", "stc_gsen_range_bk"):
        pics[k] = clear("clear.svg")
    pics["stc_playbar_bk"] = save("stc_playbar_bk.svg", 200, 40, rrect(0.5, 4.5, 199, 31, 8, "#0f1318", LINE))
    # The speed label is near-aligned, so it reads as a caption of the slider
    # beside it rather than sitting in a box.
    pics["stc_pbspeed"] = clear("stc_pbspeed.svg", 156, 40)

    # Main-window buttons (frame size = the record's size, see layout.py)
    sizes = {k: (v["cx"], v["cy"]) for k, v in RECORDS.items() if k.startswith("btn_") and v.get("cx", 0) > 0}
    icons = {
        "btn_exit": "exit", "btn_max": "max", "btn_mrestore": "mrestore", "btn_full": "full",
        "btn_frestore": "frestore", "btn_min": "min", "btn_info": "info", "btn_site": "site", "btn_lang": "lang",
        "btn_icon": "icon", "btn_manual": "manual", "btn_viewer_setup": "gear", "btn_open": "open",
        "btn_stop": "stop", "btn_step_backward": "step_backward", "btn_step_forward": "step_forward",
        "btn_file_prev": "file_prev", "btn_file_next": "file_next", "btn_timelapse": "timelapse",
        "btn_delete": "delete", "btn_backup": "backup", "btn_snapshot": "snapshot", "btn_report": "report",
        "btn_videoctrl": "videoctrl", "btn_setup": "setup", "btn_switch": "switch", "btn_gsen_zoom_in": "zoom_in",
        "btn_gsen_zoom_out": "zoom_out", "btn_pbspeed": "speed", "btn_ftp": "ftp", "btn_division": "division",
    }
    for key, glyph in icons.items():
        w, h = sizes[key]
        states = CLOSE_STATES if key == "btn_exit" else ICON_STATES
        pics[key] = icon_strip(key, w, h, glyph, states)
    # Mute: the checked frame shows the muted speaker.
    w, h = sizes["btn_volume"]
    pics["btn_volume"] = icon_strip("btn_volume", w, h, ["volume", "volume", "volume", "mute"])
    # GPS fix: frame 0 no fix (dim), frame 3 a valid fix (green).
    w, h = sizes["btn_gps_status"]
    gps_states = [(None, None, "#6b7582"), (None, None, "#8a95a3"), (None, None, TEXT_OFF), (None, None, "#3fcf7f")]
    pics["btn_gps_status"] = icon_strip("btn_gps_status", w, h, "satellite", gps_states, glyph_frac=0.8)
    for key in ("btn_play_forward", "btn_pause"):
        w, h = sizes[key]
        pics[key] = round_strip(key, w, h, "play" if key == "btn_play_forward" else "pause")
    w, h = sizes["btn_gps_map"]
    pics["btn_gps_map"] = pill_strip("btn_gps_map", w, h, glyph="pin")
    w, h = sizes["btn_gps_speed_unit_km"]
    pics["btn_gps_speed_unit_km"] = pill_strip("btn_gps_speed_unit", w, h)
    pics["btn_gps_speed_unit_mile"] = "btn_gps_speed_unit.svg"

    # Recording list panel
    w, h = sizes["btn_list_rectype_0"]
    pics["btn_list"] = pill_strip("btn_list", w, h, frames=6)
    w, h = sizes["btn_list_all"]
    pics["btn_list_all"] = pill_strip("btn_list_all", w, h, frames=6)
    pics["list_bk"] = card("list_bk.svg", 592, 611)
    pics["stc_list_title"] = save("stc_list_title.svg", 64, 40, f'<rect y="38" width="64" height="2" fill="{LINE}"/>')

    # List box images, shared by the recording list, the map day list and the plug-in list.
    lst = {
        "header": solid("lst_bg.svg", 16, 16, "#12161c"),
        "row": save("lst_row.svg", 16, 30, f'<rect y="29" width="16" height="1" fill="#1d232b"/>'),
        "h_line1": solid("lst_head.svg", 16, 32, "#1a2028"),
        "h_line2": solid("lst_head_line.svg", 16, 2, LINE_HI),
        "v_line": solid("lst_sep.svg", 1, 16, LINE),
        "checkbox_unchecked": save("lst_check_off.svg", 16, 16, rrect(1.5, 1.5, 13, 13, 3, "#12161c", "#5a6675", sw=1.5)),
        "checkbox_checked": save("lst_check_on.svg", 16, 16,
                                 rrect(1, 1, 14, 14, 3, ACCENT) + glyph_svg("check", "#1a1006", 1.5, 1.5, 13, stroke=3)),
        "checkbox_3state": save("lst_check_part.svg", 16, 16,
                                rrect(1, 1, 14, 14, 3, ACCENT) + '<rect x="4.5" y="7" width="7" height="2" fill="#1a1006"/>'),
        "icon_play": save("lst_playing.svg", 16, 16, glyph_svg("play", ACCENT, 0, 0, 16)),
        "icon_pause": save("lst_paused.svg", 16, 16, glyph_svg("pause", ACCENT, 0, 0, 16)),
        "select_bar": solid("lst_select.svg", 16, 30, "#33261a",
                            f'<rect y="29" width="16" height="1" fill="{ACCENT_LO}" fill-opacity="0.6"/>'),
        "vscroll_span": solid("lst_scroll_track.svg", 14, 64, "#12161c",
                              '<rect x="6" y="0" width="2" height="64" fill="#1d232b"/>'),
        "vscroll_thumb": save("lst_scroll_thumb.svg", 14, 48, rrect(3, 1, 8, 46, 4, "#3a4452")),
        "vscroll_top": save("lst_scroll_up.svg", 14, 14,
                            '<path d="M3.5 9 L7 5.5 L10.5 9" fill="none" stroke="#8a95a3" stroke-width="1.6" '
                            'stroke-linecap="round" stroke-linejoin="round"/>'),
        "vscroll_bottom": save("lst_scroll_down.svg", 14, 14,
                               '<path d="M3.5 5 L7 8.5 L10.5 5" fill="none" stroke="#8a95a3" stroke-width="1.6" '
                               'stroke-linecap="round" stroke-linejoin="round"/>'),
    }
    for part, f in lst.items():
        pics["lst_" + part] = f
        pics["vs_lst_" + part] = f

    # Sliders: bars are stretched sideways, the thumb keeps its width.
    bar_on = solid("slider_bar_on.svg", 8, 4, ACCENT)
    bar_off = solid("slider_bar_off.svg", 8, 4, "#39424e")
    slider_bk = clear("slider_bk.svg", 32, 24)
    thumb = save("slider_thumb.svg", 16, 16,
                 f'<circle cx="8" cy="8" r="7" fill="#f4f6f9" stroke="{ACCENT}" stroke-width="2"/>')
    small_thumb = save("slider_thumb_small.svg", 14, 14,
                       '<circle cx="7" cy="7" r="6" fill="#e6ebf2" stroke="#0d1014" stroke-width="1"/>')
    for s in ("sld_playbar", "sld_volume", "sld_pbspeed"):
        pics[s + "_left"] = bar_on
        pics[s + "_right"] = bar_off
        pics[s + "_bk"] = slider_bk
        pics[s + "_thumb"] = thumb if s == "sld_playbar" else small_thumb
    pics["popup_sld_left"] = bar_on
    pics["popup_sld_right"] = bar_off
    pics["popup_sld_thumb"] = small_thumb

    # G-sensor graph: exactly the record's cx x cy, a zero line and a light grid.
    gw, gh = RECORDS["stc_gsen_graph"]["cx"], RECORDS["stc_gsen_graph"]["cy"]
    grid = [f'<rect width="{gw}" height="{gh}" fill="#0b0e12"/>']
    for x in range(40, gw, 40):
        grid.append(f'<rect x="{x}" y="0" width="1" height="{gh}" fill="#171c23"/>')
    for y in (gh // 4, 3 * gh // 4):
        grid.append(f'<rect x="0" y="{y}" width="{gw}" height="1" fill="#171c23"/>')
    grid.append(f'<rect x="0" y="{gh // 2}" width="{gw}" height="1" fill="#2a323d"/>')
    pics["stc_gsen_graph"] = save("stc_gsen_graph.svg", gw, gh, "".join(grid))

    # Popups
    pics["popup_background"] = save(
        "popup_background.svg", 96, 96,
        f'<rect width="96" height="96" fill="#3a4452"/><rect x="1" y="1" width="94" height="94" fill="{POPUP}"/>'
        f'<rect x="1" y="1" width="94" height="43" fill="#141920"/><rect x="1" y="44" width="94" height="1" fill="{LINE}"/>'
        f'<rect x="1" y="1" width="94" height="2" fill="{ACCENT}"/>')
    btn = [("#2a323d", LINE_HI), ("#343d4a", "#4a5563"), ("#20262e", "#262d36"), (ACCENT, ACCENT)]
    pics["popup_btn"] = save("popup_btn.svg", 400, 30,
                             "".join(rrect(i * 100 + 0.5, 0.5, 99, 29, 5, f, s) for i, (f, s) in enumerate(btn)))
    pics["popup_btn_push"] = save("popup_btn_push.svg", 100, 30, rrect(0.5, 0.5, 99, 29, 5, ACCENT_LO, ACCENT))
    pics["popup_btn_exit"] = icon_strip("popup_btn_exit", 28, 28, "exit", CLOSE_STATES, glyph_frac=0.6)
    pics["popup_btn_bk"] = solid("popup_btn_bk.svg", 16, 16, POPUP)
    pics["popup_btn_check"] = pill_strip("popup_btn_check", 140, 28, frames=6)
    pics["popup_btn_checkbox"] = tick_strip("popup_btn_checkbox", 20, 20, radio=False)
    pics["popup_btn_radio"] = tick_strip("popup_btn_radio", 20, 20, radio=True)
    pics["popup_groupbox"] = card("popup_groupbox.svg", 64, 64, fill="#171c23", stroke="#323b47", r=6)
    pics["map_dlg_calendar_bg"] = solid("map_dlg_calendar_bg.svg", 16, 16, "#171c23")
    return pics


def build_bitmaps():
    # Marks over the video pictures: main at the corner, sub in small panels,
    # full in the full-screen view.
    main = wordmark("logo_main.svg", 150, 32, "#ffffff", 0.55)
    sub = wordmark("logo_sub.svg", 94, 20, "#ffffff", 0.55)
    full = wordmark("logo_full.svg", 226, 48, "#ffffff", 0.55)
    return {"logo_main_front": main, "logo_main_rear": main, "logo_sub_front": sub, "logo_sub_rear": sub,
            "logo_full_front": full, "logo_full_rear": full}


def build_icons():
    icon = save("main_icon.svg", 256, 256,
                '<defs><linearGradient id="g" x1="0" y1="0" x2="1" y2="1">'
                f'<stop offset="0" stop-color="{ACCENT_HI}"/><stop offset="1" stop-color="{ACCENT_LO}"/>'
                '</linearGradient></defs>'
                '<rect x="8" y="8" width="240" height="240" rx="52" fill="url(#g)"/>'
                + bird(40, 36, 176, "#1a1006"))
    return {"main-icon": icon}


def write_image_list(pics, bitmaps, icons):
    lines = ["; Skin pictures by key (generated by tools/skin/make_skin.py). Every section",
             "; needs at least one entry; \"transparent\" stands in for any picture the list lacks.",
             "[HD-png]"]
    lines += [f"{k}={v}" for k, v in sorted(pics.items())]
    lines += ["", "[HD-bmp]"] + [f"{k}={v}" for k, v in sorted(bitmaps.items())]
    lines += ["", "[HD-icon]"] + [f"{k}={v}" for k, v in sorted(icons.items())]
    with open(os.path.join(SKIN, "ImageList.ini"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


def write_coordinates():
    from layout import COMMENTS, ORDER
    out = ["; Window and control records (generated by tools/skin/make_skin.py).",
           "; Authored for a 1920 x 1080 window; base_window is the reference every",
           "; other record is scaled from. Colours are alpha,red,green,blue."]
    for key in ORDER:
        rec = RECORDS[key]
        out.append("")
        if key in COMMENTS:
            out.append("; " + COMMENTS[key])
        out.append(f"[{key}]")
        for field, value in rec.items():
            out.append(f"{field}={value}")
    with open(os.path.join(SKIN, "Coordinate.ini"), "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


def main():
    for name in os.listdir(SKIN):  # drop pictures this script no longer writes
        if name.endswith(".svg"):
            os.remove(os.path.join(SKIN, name))
    pics = build_pictures()
    bitmaps = build_bitmaps()
    icons = build_icons()
    write_image_list(pics, bitmaps, icons)
    write_coordinates()
    print(f"{len(pics)} pictures, {len(bitmaps)} bitmaps, {len(icons)} icons, {len(RECORDS)} records, "
          f"{len(written)} files")


if __name__ == "__main__":
    main()
