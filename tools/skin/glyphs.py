"""Icon glyphs of the default skin, drawn on a 24 x 24 grid.

Each glyph is a list of (kind, svg-fragment) parts: kind "s" is stroked with
the icon colour, "f" is filled with it. The fragments hold only geometry;
colours are added when a glyph is placed into a button frame.
"""

import math


def _gear():
    # Eight teeth around a ring, built as one polygon so it stays crisp.
    pts = []
    teeth = 8
    for i in range(teeth * 4):
        a = (i / (teeth * 4)) * 2 * math.pi
        r = 9.5 if (i % 4) in (1, 2) else 7.2
        pts.append(f"{12 + r * math.cos(a):.2f},{12 + r * math.sin(a):.2f}")
    return [("s", f'<polygon points="{" ".join(pts)}"/>'), ("s", '<circle cx="12" cy="12" r="3"/>')]


def _satellite():
    # Body with two solar panels, turned 45 degrees, and a signal arc.
    turn = 'transform="rotate(-45 12 12)"'
    return [
        ("s", f'<rect x="9.5" y="8.5" width="5" height="7" rx="1" {turn}/>'),
        ("s", f'<rect x="2" y="9.5" width="5.5" height="5" {turn}/>'),
        ("s", f'<rect x="16.5" y="9.5" width="5.5" height="5" {turn}/>'),
        ("s", f'<path d="M7.5 12 H9.5 M14.5 12 H16.5" {turn}/>'),
        ("s", '<path d="M4 16.5 A4.5 4.5 0 0 0 7.5 20"/>'),
    ]


GLYPHS = {
    # Transport
    "play": [("f", '<path d="M8 5.5 L19 12 L8 18.5 Z"/>')],
    "pause": [("f", '<rect x="6.5" y="5" width="4" height="14" rx="1"/>'),
              ("f", '<rect x="13.5" y="5" width="4" height="14" rx="1"/>')],
    "stop": [("f", '<rect x="6" y="6" width="12" height="12" rx="2"/>')],
    "step_backward": [("f", '<path d="M17 6 L9 12 L17 18 Z"/>'), ("s", '<path d="M7 6 V18"/>')],
    "step_forward": [("f", '<path d="M7 6 L15 12 L7 18 Z"/>'), ("s", '<path d="M17 6 V18"/>')],
    "file_prev": [("f", '<path d="M20 6 L13.5 12 L20 18 Z"/>'), ("f", '<path d="M13 6 L6.5 12 L13 18 Z"/>'),
                  ("s", '<path d="M4.5 6 V18"/>')],
    "file_next": [("f", '<path d="M4 6 L10.5 12 L4 18 Z"/>'), ("f", '<path d="M11 6 L17.5 12 L11 18 Z"/>'),
                  ("s", '<path d="M19.5 6 V18"/>')],
    # Files and tools
    "open": [("s", '<path d="M3 7 V18 A1 1 0 0 0 4 19 H19 L21.5 11 H7.5 L5 19"/>'),
             ("s", '<path d="M3 7 V5.5 A1 1 0 0 1 4 4.5 H9 L11 6.5 H18 A1 1 0 0 1 19 7.5 V11"/>')],
    "backup": [("s", '<path d="M12 3.5 V14"/>'), ("s", '<path d="M7.5 9.5 L12 14 L16.5 9.5"/>'),
               ("s", '<path d="M4 14 V19 A1 1 0 0 0 5 20 H19 A1 1 0 0 0 20 19 V14"/>')],
    "snapshot": [("s", '<path d="M3.5 8 A1.5 1.5 0 0 1 5 6.5 H8 L9.5 4.5 H14.5 L16 6.5 H19 A1.5 1.5 0 0 1 20.5 8 '
                       'V18 A1.5 1.5 0 0 1 19 19.5 H5 A1.5 1.5 0 0 1 3.5 18 Z"/>'),
                 ("s", '<circle cx="12" cy="13" r="3.6"/>')],
    "delete": [("s", '<path d="M4 6.5 H20"/>'), ("s", '<path d="M9.5 6.5 V4.5 H14.5 V6.5"/>'),
               ("s", '<path d="M6 6.5 L7 20 H17 L18 6.5"/>'), ("s", '<path d="M10 10.5 V16.5 M14 10.5 V16.5"/>')],
    "videoctrl": [("s", '<path d="M4 6.5 H20 M4 12 H20 M4 17.5 H20"/>'),
                  ("f", '<circle cx="9" cy="6.5" r="2.4"/>'), ("f", '<circle cx="15.5" cy="12" r="2.4"/>'),
                  ("f", '<circle cx="7.5" cy="17.5" r="2.4"/>')],
    "report": [("s", '<path d="M6 3.5 H14 L18.5 8 V20.5 H6 Z"/>'), ("s", '<path d="M14 3.5 V8 H18.5"/>'),
               ("s", '<path d="M9 12.5 H15.5 M9 16 H15.5"/>')],
    "setup": [("s", '<path d="M14.5 4.2 A5 5 0 0 0 10.2 10.6 L4 16.8 A1.9 1.9 0 0 0 6.7 19.5 L12.9 13.3 '
                    'A5 5 0 0 0 19.3 9 L16.4 11.2 L13.8 10.6 L13.1 8 Z"/>')],
    "ftp": [("s", '<path d="M7 18.5 H6.5 A4 4 0 0 1 6.3 10.5 A6 6 0 0 1 17.8 9.2 A4.6 4.6 0 0 1 17.5 18.5 H17"/>'),
            ("s", '<path d="M12 20 V12.5 M9 15.5 L12 12.5 L15 15.5"/>')],
    "division": [("s", '<rect x="3.5" y="4.5" width="17" height="15" rx="1.5"/>'),
                 ("s", '<path d="M12 4.5 V19.5 M3.5 12 H20.5"/>')],
    # Title bar
    "info": [("s", '<circle cx="12" cy="12" r="9"/>'), ("s", '<path d="M12 11 V17"/>'),
             ("f", '<circle cx="12" cy="7.6" r="1.3"/>')],
    "site": [("s", '<circle cx="12" cy="12" r="9"/>'), ("s", '<path d="M3 12 H21"/>'),
             ("s", '<path d="M12 3 C8.5 6.5 8.5 17.5 12 21 C15.5 17.5 15.5 6.5 12 3"/>')],
    "lang": [("s", '<path d="M3.5 5.5 H12.5 M8 3.5 V5.5 M11 5.5 C10 10 7 13 3.5 14.5 M6 8.5 C7.5 11 9.5 12.5 12 13.5"/>'),
             ("s", '<path d="M12.5 20.5 L16.5 10.5 L20.5 20.5 M14 17 H19"/>')],
    "icon": [("s", '<path d="M9 3.5 V8 M15 3.5 V8"/>'),
             ("s", '<path d="M6.5 8 H17.5 V11 A5.5 5.5 0 0 1 6.5 11 Z"/>'), ("s", '<path d="M12 16.5 V20.5"/>')],
    "manual": [("s", '<path d="M12 6.5 C10 5 6.5 4.5 3.5 5 V18.5 C6.5 18 10 18.5 12 20 '
                     'C14 18.5 17.5 18 20.5 18.5 V5 C17.5 4.5 14 5 12 6.5 Z"/>'),
               ("s", '<path d="M12 6.5 V20"/>')],
    "gear": _gear(),
    "min": [("s", '<path d="M6 12.5 H18"/>')],
    "max": [("s", '<rect x="6" y="6" width="12" height="12" rx="1.5"/>')],
    "mrestore": [("s", '<rect x="5.5" y="8.5" width="10" height="10" rx="1.5"/>'),
                 ("s", '<path d="M8.5 5.5 H17 A1.5 1.5 0 0 1 18.5 7 V15.5"/>')],
    "full": [("s", '<path d="M4 9 V4 H9 M15 4 H20 V9 M20 15 V20 H15 M9 20 H4 V15"/>')],
    "frestore": [("s", '<path d="M9 4 V9 H4 M20 9 H15 V4 M15 20 V15 H20 M4 15 H9 V20"/>')],
    "exit": [("s", '<path d="M6.5 6.5 L17.5 17.5 M17.5 6.5 L6.5 17.5"/>')],
    # Playback options
    "volume": [("f", '<path d="M3.5 9.5 H7 L12 5 V19 L7 14.5 H3.5 Z"/>'),
               ("s", '<path d="M15.5 9 A4 4 0 0 1 15.5 15 M18 6.5 A7.5 7.5 0 0 1 18 17.5"/>')],
    "mute": [("f", '<path d="M3.5 9.5 H7 L12 5 V19 L7 14.5 H3.5 Z"/>'),
             ("s", '<path d="M15.5 9.5 L20.5 14.5 M20.5 9.5 L15.5 14.5"/>')],
    "speed": [("s", '<path d="M4.2 17.5 A9 9 0 1 1 19.8 17.5"/>'), ("s", '<path d="M12 14 L16 8.5"/>'),
              ("f", '<circle cx="12" cy="14" r="1.8"/>')],
    "timelapse": [("s", '<circle cx="12" cy="13" r="7.5"/>'), ("s", '<path d="M12 9 V13 L14.8 14.8"/>'),
                  ("s", '<path d="M9.5 3 H14.5 M12 3 V5.5"/>'), ("s", '<path d="M18.5 5.5 L20 7"/>')],
    "switch": [("s", '<path d="M4 9 H18 M14.5 5.5 L18 9 L14.5 12.5"/>'),
               ("s", '<path d="M20 15 H6 M9.5 11.5 L6 15 L9.5 18.5"/>')],
    # Sensors and position
    "map": [("s", '<path d="M3.5 6.5 L9 4.5 L15 6.5 L20.5 4.5 V17.5 L15 19.5 L9 17.5 L3.5 19.5 Z"/>'),
            ("s", '<path d="M9 4.5 V17.5 M15 6.5 V19.5"/>')],
    "pin": [("s", '<path d="M12 21 C8 16.5 5.5 13 5.5 9.5 A6.5 6.5 0 0 1 18.5 9.5 C18.5 13 16 16.5 12 21 Z"/>'),
            ("s", '<circle cx="12" cy="9.5" r="2.3"/>')],
    "satellite": _satellite(),
    "zoom_in": [("s", '<circle cx="10.5" cy="10.5" r="6.5"/>'), ("s", '<path d="M15.5 15.5 L20.5 20.5"/>'),
                ("s", '<path d="M7.5 10.5 H13.5 M10.5 7.5 V13.5"/>')],
    "zoom_out": [("s", '<circle cx="10.5" cy="10.5" r="6.5"/>'), ("s", '<path d="M15.5 15.5 L20.5 20.5"/>'),
                 ("s", '<path d="M7.5 10.5 H13.5"/>')],
    "check": [("s", '<path d="M5.5 12.5 L10 17 L18.5 7.5"/>')],
}


def glyph_svg(name, colour, x, y, size, stroke=2.0):
    """The glyph `name` placed in the square (x, y, size) in `colour`."""
    k = size / 24.0
    parts = []
    for kind, frag in GLYPHS[name]:
        if kind == "s":
            style = (f'fill="none" stroke="{colour}" stroke-width="{stroke}" '
                     'stroke-linecap="round" stroke-linejoin="round"')
        else:
            style = f'fill="{colour}" stroke="none"'
        parts.append(f'<g {style}>{frag}</g>')
    return f'<g transform="translate({x:.2f} {y:.2f}) scale({k:.4f})">{"".join(parts)}</g>'
