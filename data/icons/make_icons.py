#!/usr/bin/env python3
"""Writes the button pictures of Telvarin as SVG files: for every button a normal picture and a
hover picture (the same drawing in brighter colours on a soft glow), plus the program icon and the
question icon. All pictures share one 48x48 grid, one line weight and one restrained palette.

Run from the repository root: python3 data/icons/make_icons.py data/icons
The PNG sizes of the program icon (telvarin-N.png) are renderings of telvarin.svg."""

import os
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else "."


def mix(colour, other, t):
    a = [int(colour[i:i + 2], 16) for i in (1, 3, 5)]
    b = [int(other[i:i + 2], 16) for i in (1, 3, 5)]
    return "#" + "".join(f"{round(x + (y - x) * t):02x}" for x, y in zip(a, b))


WHITE = "#ffffff"
NORMAL = {
    "ink": "#3b4d5f",
    "teal": "#3f8c86",
    "blue": "#4f79a3",
    "green": "#5c9455",
    "red": "#ae5149",
    "amber": "#c4923a",
    "plum": "#7d6592",
}
HOVER = {
    "ink": "#1f4a6e",
    "teal": "#1fb0a2",
    "blue": "#2f8ee6",
    "green": "#3fb53a",
    "red": "#e5493b",
    "amber": "#f2a81d",
    "plum": "#a15fd6",
}


def palette(base, accent, hover):
    acc = base[accent]
    return {
        "ink": base["ink"],
        "acc": acc,
        "tint": mix(acc, WHITE, 0.72 if hover else 0.78),
        "paper": "#ffffff" if hover else "#fbfcfd",
        "glow": mix(acc, "#fff6d8", 0.55),
    }


LINE = 'fill="none" stroke="{ink}" stroke-width="3" stroke-linecap="round" stroke-linejoin="round"'
ACCLINE = 'fill="none" stroke="{acc}" stroke-width="{w}" stroke-linecap="round" stroke-linejoin="round"'


def line(d, ink="{ink}", w=3):
    return (f'<path d="{d}" fill="none" stroke="{ink}" stroke-width="{w}" '
            'stroke-linecap="round" stroke-linejoin="round"/>')


def acc_line(d, w=3):
    return line(d, "{acc}", w)


def shape(d, fill="{paper}", w=3):
    return (f'<path d="{d}" fill="{fill}" stroke="{{ink}}" stroke-width="{w}" '
            'stroke-linecap="round" stroke-linejoin="round"/>')


def rect(x, y, w, h, r, fill="{paper}", sw=3):
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}" '
            f'stroke="{{ink}}" stroke-width="{sw}" stroke-linejoin="round"/>')


def solid_rect(x, y, w, h, r, fill):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"/>'


def circle(cx, cy, r, fill="{paper}", sw=3, stroke="{ink}"):
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}" stroke="{stroke}" '
            f'stroke-width="{sw}"/>')


def dot(cx, cy, r, fill="{ink}"):
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"/>'


def magnifier(cx, cy, r, handle_to):
    hx, hy = handle_to
    k = 0.7071
    sx, sy = cx + r * k, cy + r * k
    return (circle(cx, cy, r, "{tint}") +
            line(f"M{sx + 1:.1f} {sy + 1:.1f} L{hx} {hy}", w=5))


def gear_path(cx, cy, teeth, r_out, r_in):
    import math
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        a = i * step
        for da, r in ((-0.30, r_in), (-0.17, r_out), (0.17, r_out), (0.30, r_in)):
            ang = a + da * step * 1.6
            pts.append((cx + r * math.cos(ang), cy + r * math.sin(ang)))
    d = "M" + " L".join(f"{x:.2f} {y:.2f}" for x, y in pts) + " Z"
    return d


ICONS = {}


def icon(name, accent):
    def register(fn):
        ICONS[name] = (accent, fn)
        return fn
    return register


@icon("calculate", "teal")
def calculate():
    keys = "".join(dot(x, y, 2.4) for y in (26, 32.5, 39) for x in (18, 24, 30))
    return (rect(11, 4.5, 26, 39, 4) +
            solid_rect(15.5, 9, 17, 9, 1.5, "{acc}") +
            keys)


@icon("quit", "red")
def quit_():
    return (solid_rect(8, 5.5, 21, 37, 2, "{tint}") +
            line("M29 16 V8 A2.5 2.5 0 0 0 26.5 5.5 H10.5 A2.5 2.5 0 0 0 8 8 V40 "
                 "A2.5 2.5 0 0 0 10.5 42.5 H26.5 A2.5 2.5 0 0 0 29 40 V32") +
            acc_line("M19 24 H42 M35 17 L42 24 L35 31", w=4))


@icon("help", "blue")
def help_():
    return (circle(24, 24, 19, "{tint}") +
            acc_line("M17.8 18.6 A6.4 6.4 0 1 1 27.3 24.2 C25.2 25.4 24 26.7 24 29.2 V30", w=4) +
            dot(24, 36, 2.6, "{acc}"))


@icon("case-history", "amber")
def history():
    return (shape("M9 17 V38 A3 3 0 0 0 12 41 H36 A3 3 0 0 0 39 38 V17") +
            rect(5.5, 7.5, 37, 10, 2.5, "{tint}") +
            acc_line("M18.5 26 H29.5", w=4) +
            line("M15 33 H33", w=2.5))


@icon("text-search", "blue")
def textsearch():
    return (rect(6.5, 4.5, 26, 34, 3) +
            acc_line("M12 12 H27 M12 18.5 H25 M12 25 H19", w=3) +
            magnifier(31, 30, 8, (43, 42)))


@icon("tree-search", "teal")
def treesearch():
    return (line("M10 14 V37 H19 M10 25.5 H19") +
            solid_rect(4.5, 5.5, 11, 9, 2, "{acc}") +
            rect(19, 21.5, 11, 8, 2, "{tint}", sw=2.5) +
            rect(19, 33, 11, 8, 2, "{tint}", sw=2.5) +
            magnifier(33, 12, 7, (43.5, 22.5)))


@icon("remedy-overview", "green")
def remedies():
    return (shape("M19 11 V15.5 C13.5 17.5 12 20.5 12 24.5 V39 A3.5 3.5 0 0 0 15.5 42.5 H32.5 "
                  "A3.5 3.5 0 0 0 36 39 V24.5 C36 20.5 34.5 17.5 29 15.5 V11") +
            rect(17, 4.5, 14, 7, 2, "{acc}", sw=2.5) +
            solid_rect(15.5, 25, 17, 12, 1.5, "{tint}") +
            acc_line("M19.5 29 H28.5 M19.5 33.5 H25.5", w=2.5))


@icon("settings", "plum")
def settings():
    return (shape(gear_path(24, 24, 8, 19.5, 14.5), "{tint}", w=2.6) +
            circle(24, 24, 6, "{paper}", sw=3) +
            dot(24, 24, 2.2, "{acc}"))


@icon("back", "amber")
def back():
    return acc_line("M17 11 L8 20 L17 29 M9 20 H29 A10 10 0 0 1 29 40 H20", w=4.5)


@icon("print", "blue")
def print_():
    return (rect(14, 5.5, 20, 12, 1.5) +
            rect(5.5, 17, 37, 17, 3.5, "{tint}") +
            rect(14, 27, 20, 15.5, 1.5) +
            acc_line("M18.5 33 H29.5 M18.5 37.5 H26", w=2.5) +
            dot(36.5, 23, 2.2, "{acc}"))


@icon("file-case", "amber")
def filecase():
    return (shape("M5.5 40 V10 A2.5 2.5 0 0 1 8 7.5 H17 L21 12 H40 A2.5 2.5 0 0 1 42.5 14.5 V40", "{tint}") +
            rect(14, 5, 20, 22, 1.5) +
            acc_line("M18.5 11 H29.5 M18.5 16 H27", w=2.5) +
            shape("M5.5 21 H42.5 V39 A3 3 0 0 1 39.5 42 H8.5 A3 3 0 0 1 5.5 39 Z", "{tint}"))


@icon("new-case", "green")
def new():
    star = ("M36 26 C36.9 31.6 38.4 33.1 44 34 C38.4 34.9 36.9 36.4 36 42 "
            "C35.1 36.4 33.6 34.9 28 34 C33.6 33.1 35.1 31.6 36 26 Z")
    return ('<path d="M13 4.5 H27 L37 14.5 V40.5 A3 3 0 0 1 34 43.5 H13 A3 3 0 0 1 10 40.5 V7.5 A3 3 0 0 1 13 4.5 Z" '
            'fill="{paper}"/>' +
            line("M13 4.5 H27 L37 14.5 V23 M24 43.5 H13 A3 3 0 0 1 10 40.5 V7.5 A3 3 0 0 1 13 4.5") +
            line("M27 4.5 V14.5 H37") +
            f'<path d="{star}" fill="{{acc}}" stroke="{{acc}}" stroke-width="1.5" stroke-linejoin="round"/>')


@icon("take-over", "teal")
def takeover():
    return (rect(21, 6.5, 21.5, 35, 3) +
            line("M30 15 H37.5 M30 24 H37.5 M30 33 H37.5", w=2.5) +
            acc_line("M4.5 24 H24 M17 16.5 L24.5 24 L17 31.5", w=4.5))


@icon("add", "green")
def add():
    return (rect(5.5, 5.5, 25, 33, 3) +
            line("M11 14 H25 M11 21 H25 M11 28 H19", w=2.5) +
            circle(34, 34, 10, "{acc}", sw=0, stroke="{acc}") +
            line("M34 28.5 V39.5 M28.5 34 H39.5", ink="#ffffff", w=3.5))


@icon("search", "blue")
def search():
    return (circle(20, 20, 14, "{tint}", sw=3.5) +
            line("M13 17 A7.5 7.5 0 0 1 19 12.5", ink="{paper}", w=3) +
            line("M30.5 30.5 L42 42", w=7) +
            line("M30.5 30.5 L42 42", ink="{acc}", w=3))


@icon("ok", "green")
def ok():
    return (circle(24, 24, 19, "{tint}") +
            acc_line("M14.5 24.5 L21.5 31.5 L34 17", w=5))


@icon("delete", "red")
def delete():
    return (shape("M11.5 13 L14 39.5 A3 3 0 0 0 17 42.5 H31 A3 3 0 0 0 34 39.5 L36.5 13", "{tint}") +
            line("M7 12.5 H41 M19 12.5 V8 A2 2 0 0 1 21 6 H27 A2 2 0 0 1 29 8 V12.5") +
            acc_line("M19.5 19 L20.3 36 M24 19 V36 M28.5 19 L27.7 36", w=2.5))


@icon("order-by-date", "amber")
def bydate():
    return (rect(4.5, 9, 31, 29, 3) +
            '<path d="M4.5 17 V12 A3 3 0 0 1 7.5 9 H32.5 A3 3 0 0 1 35.5 12 V17 Z" fill="{acc}" '
            'stroke="{ink}" stroke-width="3" stroke-linejoin="round"/>' +
            line("M12.5 5 V12 M27.5 5 V12") +
            dot(11, 23, 1.8) + dot(17, 23, 1.8) + dot(23, 23, 1.8) +
            dot(11, 29.5, 1.8) + dot(17, 29.5, 1.8) +
            circle(34, 34, 10, "{paper}") +
            acc_line("M34 28.5 V34 L38 36.5", w=3))


@icon("order-by-name", "plum")
def byname():
    return (acc_line("M5.5 41 L17 8 L28.5 41 M10 29 H24", w=5) +
            line("M38.5 8 V40 M33 34.5 L38.5 40.5 L44 34.5", w=3))


def tray():
    return (solid_rect(5.5, 28, 37, 14, 3, "{tint}") +
            line("M5.5 28 V39 A3 3 0 0 0 8.5 42 H39.5 A3 3 0 0 0 42.5 39 V28"))


@icon("export", "amber")
def export():
    return tray() + acc_line("M24 33 V6 M15.5 14.5 L24 6 L32.5 14.5", w=4.5)


@icon("import", "teal")
def import_():
    return tray() + acc_line("M24 4.5 V32 M15.5 23.5 L24 32 L32.5 23.5", w=4.5)


def svg_document(body, defs=""):
    return ('<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="48" height="48" '
            'viewBox="0 0 48 48">\n' + (f"<defs>{defs}</defs>\n" if defs else "") + body + "\n</svg>\n")


GLOW_DEFS = ('<radialGradient id="glow" cx="24" cy="24" r="24" gradientUnits="userSpaceOnUse">'
             '<stop offset="0" stop-color="{glow}" stop-opacity="1"/>'
             '<stop offset="0.55" stop-color="{glow}" stop-opacity="0.65"/>'
             '<stop offset="1" stop-color="{glow}" stop-opacity="0"/></radialGradient>')


def fill(template, colours):
    out = template
    for key, value in colours.items():
        out = out.replace("{" + key + "}", value)
    return out


def pretty(body):
    return body.replace("/><", "/>\n<")


def write(name, text):
    with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
        f.write(text)


def program_icon():
    defs = ('<linearGradient id="tile" x1="0" y1="0" x2="0" y2="48" gradientUnits="userSpaceOnUse">'
            '<stop offset="0" stop-color="#4b9c95"/><stop offset="1" stop-color="#2b5f6b"/></linearGradient>')
    body = ('<rect x="2" y="2" width="44" height="44" rx="10" fill="url(#tile)"/>'
            '<rect x="2.75" y="2.75" width="42.5" height="42.5" rx="9.5" fill="none" stroke="#ffffff" '
            'stroke-opacity="0.18" stroke-width="1.5"/>'
            '<path d="M13 36 C12 22 21 12.5 36.5 11 C37.5 26 28.5 36 13 36 Z" fill="#ffffff" fill-opacity="0.95"/>'
            '<path d="M15.5 33.5 C20 27 25.5 21 32 15.5" fill="none" stroke="#3a8580" stroke-width="2.2" '
            'stroke-linecap="round"/>'
            '<circle cx="12.5" cy="13" r="3.4" fill="#f3d28a"/>'
            '<circle cx="35" cy="36" r="2.6" fill="#f3d28a" fill-opacity="0.9"/>')
    return svg_document(pretty(body), defs)


def question_icon():
    defs = ('<linearGradient id="disc" x1="0" y1="4" x2="0" y2="44" gradientUnits="userSpaceOnUse">'
            '<stop offset="0" stop-color="#5b8fc2"/><stop offset="1" stop-color="#3b6690"/></linearGradient>')
    body = ('<circle cx="24" cy="24" r="20.5" fill="url(#disc)" stroke="#2f5478" stroke-width="1.5"/>'
            '<path d="M17.5 18.3 A6.8 6.8 0 1 1 27.6 24.3 C25.3 25.6 24 27 24 29.6 V30.5" fill="none" '
            'stroke="#ffffff" stroke-width="4.5" stroke-linecap="round" stroke-linejoin="round"/>'
            '<circle cx="24" cy="36.5" r="2.9" fill="#ffffff"/>')
    return svg_document(pretty(body), defs)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, (accent, fn) in ICONS.items():
        body = pretty(fn())
        write(f"{name}.svg", svg_document(fill(body, palette(NORMAL, accent, False))))
        hover = palette(HOVER, accent, True)
        write(f"{name}-hover.svg",
              svg_document(fill('<circle cx="24" cy="24" r="24" fill="url(#glow)"/>\n' + body, hover),
                           fill(GLOW_DEFS, hover)))
    write("telvarin.svg", program_icon())
    write("question.svg", question_icon())


if __name__ == "__main__":
    main()
