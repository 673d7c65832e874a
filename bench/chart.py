#!/usr/bin/env python3
"""Draws the benchmark figures as grouped bars, Tellurane beside the reference clock, into PNGs.

    bench/chart.py [build/bench/results.txt] [docs/bench.png] [docs/bench-clocks.png] [docs/bench-states.png]

Reads the key=value lines bench/run.sh writes, draws SVGs (kept beside the results) and turns them
into PNGs with rsvg-convert. Groups whose figures are missing are left out; a chart with none is not
drawn. The second chart shows how idle CPU and one tick grow with the number of clocks; the third, the
wake-ups and CPU per minute in each state (seen with or without seconds, in the tray, locked, display off).
"""
import os
import subprocess
import sys
from xml.sax.saxutils import escape

WIDTH, HEIGHT = 800, 400
TOP, BOTTOM = 78, 300  # the bars stand on BOTTOM; the tallest of a pair reaches TOP
TELLURANE, REFERENCE = "#2b6cb0", "#a0aec0"
FONT = "DejaVu Sans, Liberation Sans, sans-serif"


def read(path):
    figures = {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            key, _, value = line.strip().partition("=")
            if value:
                figures[key] = value
    return figures


def number(figures, key):
    try:
        return float(figures[key])
    except (KeyError, ValueError):
        return None


def groups(figures):
    """(label, Tellurane, reference, unit, digits, ratio, ratio range) for each group with figures."""
    found = []

    def add(label, t_key, r_key, unit, digits, ratio_key=None, scale=1.0):
        t, r = number(figures, t_key), number(figures, r_key)
        if t is None or r is None:
            return
        ratio = number(figures, ratio_key) if ratio_key else None
        if ratio is None and r > 0:
            ratio = t / r
        low, high = (number(figures, ratio_key + suffix) if ratio_key else None for suffix in ("_min", "_max"))
        found.append((label, t * scale, r * scale, unit, digits, ratio, (low, high)))

    for prefix, name in (("idle", "idle"), ("skin.idle", "glass, idle")):
        seconds = figures.get(prefix + ".seconds", "?")
        add(f"{name} CPU|program, {seconds} s", prefix + ".tellurane_program_cpu", prefix + ".reference_program_cpu",
            "s", 3, prefix + ".ratio_program_cpu")
        add(f"{name} CPU|+ wineserver", prefix + ".tellurane_total_cpu", prefix + ".reference_total_cpu",
            "s", 3, prefix + ".ratio_total_cpu")
    # tick_cost gives microseconds; milliseconds read better beside the launch.
    add("one tick", "tickcost.tick_us", "tickcost.reference_tick_us", "ms", 2, "tickcost.ratio", 0.001)
    add("glass,|one tick", "skin.tickcost.tick_us", "skin.tickcost.reference_tick_us", "ms", 2,
        "skin.tickcost.ratio", 0.001)
    add("launch", "launch.tellurane_ms", "launch.reference_ms", "ms", 0, "launch.ratio")
    add("working set", "idle.tellurane_working_set_mb", "idle.reference_working_set_mb", "MB", 1,
        "idle.ratio_working_set")
    return found


STATES = (("seconds", "seen,|seconds"), ("minutes", "seen,|minutes"), ("tray", "in the|tray"),
          ("locked", "session|locked"), ("display-off", "display|off"))


def state_groups(figures):
    """The states' groups: wake-ups per minute in each, then CPU per minute in each."""
    found = []
    for figure, unit, digits in (("wakeups_per_min", "wake-ups/min", 0), ("cpu_ms_per_min", "CPU ms/min", 1)):
        for state, label in STATES:
            t = number(figures, f"states.{state}.tellurane.{figure}")
            r = number(figures, f"states.{state}.reference.{figure}")
            if t is not None and r is not None:
                found.append((label, t, r, unit, digits, t / r if r > 0 else None, (None, None)))
    return found


def text(x, y, content, size=11, anchor="middle", weight="normal", fill="#1a202c"):
    return (f'<text x="{x:.1f}" y="{y:.1f}" font-family="{FONT}" font-size="{size}" text-anchor="{anchor}" '
            f'font-weight="{weight}" fill="{fill}">{escape(content)}</text>')


def svg(found, title="Tellurane beside a bare reference clock, under Wine", note=None, width=WIDTH):
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{HEIGHT}" '
             f'viewBox="0 0 {width} {HEIGHT}">',
             f'<rect width="{width}" height="{HEIGHT}" fill="white"/>',
             text(20, 26, title, 15, "start", "bold"),
             f'<rect x="{width - 280}" y="15" width="12" height="12" fill="{TELLURANE}"/>',
             text(width - 262, 26, "Tellurane", 12, "start"),
             f'<rect x="{width - 180}" y="15" width="12" height="12" fill="{REFERENCE}"/>',
             text(width - 162, 26, "reference", 12, "start"),
             f'<line x1="14" y1="{BOTTOM}" x2="{width - 14}" y2="{BOTTOM}" stroke="#4a5568"/>']
    slot = (width - 28) / max(len(found), 1)
    bar = min(34.0, slot / 3)
    for i, (label, t, r, unit, digits, ratio, (low, high)) in enumerate(found):
        middle = 14 + slot * (i + 0.5)
        # Units differ between groups: each pair is drawn to its own scale.
        tallest = max(t, r) or 1.0
        for value, colour, x in ((t, TELLURANE, middle - bar - 2), (r, REFERENCE, middle + 2)):
            height = (BOTTOM - TOP) * value / tallest
            parts.append(f'<rect x="{x:.1f}" y="{BOTTOM - height:.1f}" width="{bar:.1f}" height="{height:.1f}" '
                         f'fill="{colour}"/>')
            parts.append(text(x + bar / 2, BOTTOM - height - 5, f"{value:.{digits}f}", 10))
        parts.append(text(middle, BOTTOM + 14, unit, 10, fill="#4a5568"))
        for row, line in enumerate(label.split("|")):
            parts.append(text(middle, BOTTOM + 30 + 13 * row, line, 11))
        if ratio is not None:
            parts.append(text(middle, BOTTOM + 62, f"ratio {ratio:.2f}", 12, weight="bold"))
        if low is not None and high is not None:
            parts.append(text(middle, BOTTOM + 76, f"pairs {low:.2f} to {high:.2f}", 10, fill="#4a5568"))
    parts.append(text(20, HEIGHT - 8, note or "Each pair drawn to its own scale; ratio: Tellurane / reference "
                      "(idle CPU: of the medians of alternating runs; working set: plain clocks).", 10, "start",
                      fill="#4a5568"))
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


CLOCKS_WIDTH, CLOCKS_HEIGHT = 800, 340
CLOCKS_TOP, CLOCKS_BOTTOM = 96, 270


def clock_panels(figures):
    """(title, unit, digits, [(clocks, Tellurane, reference)]) for each panel with figures, and the counts."""
    counts = sorted({int(key.split(".")[1]) for key in figures
                     if key.startswith("clocks.") and key.split(".")[1].isdigit()})
    panels = []
    seconds = figures.get(f"clocks.{counts[0]}.idle.seconds", "?") if counts else "?"
    # tick_cost gives microseconds; milliseconds read better.
    for title, t_key, r_key, unit, digits, scale in (
            (f"idle {seconds} s: CPU of the program", "idle.tellurane_program_cpu", "idle.reference_program_cpu", "s",
             3, 1),
            (f"idle {seconds} s: with the wineserver", "idle.tellurane_total_cpu", "idle.reference_total_cpu", "s", 3,
             1),
            ("one tick of all the clocks", "tick.tick_us", "tick.reference_tick_us", "ms", 2, 0.001)):
        rows = []
        for n in counts:
            t, r = number(figures, f"clocks.{n}.{t_key}"), number(figures, f"clocks.{n}.{r_key}")
            if t is not None and r is not None:
                rows.append((n, t * scale, r * scale))
        if rows:
            panels.append((title, unit, digits, rows))
    return panels, counts


def clocks_svg(figures, panels, counts):
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{CLOCKS_WIDTH}" height="{CLOCKS_HEIGHT}" '
             f'viewBox="0 0 {CLOCKS_WIDTH} {CLOCKS_HEIGHT}">',
             f'<rect width="{CLOCKS_WIDTH}" height="{CLOCKS_HEIGHT}" fill="white"/>',
             text(20, 26, "Several clocks, beside as many reference windows", 15, "start", "bold"),
             f'<rect x="560" y="15" width="12" height="12" fill="{TELLURANE}"/>',
             text(578, 26, "Tellurane", 12, "start"),
             f'<rect x="660" y="15" width="12" height="12" fill="{REFERENCE}"/>',
             text(678, 26, "reference", 12, "start")]
    # How the program grows from the fewest clocks to the most, against the goal.
    first, last = (counts[0], counts[-1]) if counts else (None, None)
    growth = [(name, number(figures, f"clocks.tellurane.{last}_per_{first}.{key}"))
              for name, key in (("idle", "idle_program"), ("idle + wineserver", "idle_total"), ("tick", "tick"))]
    growth = [f"{name} {value:.2f}" for name, value in growth if value is not None]
    if growth:
        parts.append(text(20, 48, f"Tellurane, {last} clocks / {first}: " + ", ".join(growth) + " (goal: at most 8)",
                          12, "start", fill="#2d3748"))
    panel_width = (CLOCKS_WIDTH - 28) / max(len(panels), 1)
    for p, (title, unit, digits, rows) in enumerate(panels):
        left = 14 + panel_width * p
        parts.append(text(left + panel_width / 2, 74, f"{title} ({unit})", 12, weight="bold"))
        parts.append(f'<line x1="{left + 8:.1f}" y1="{CLOCKS_BOTTOM}" x2="{left + panel_width - 8:.1f}" '
                     f'y2="{CLOCKS_BOTTOM}" stroke="#4a5568"/>')
        # One scale for the panel: the bars show how the figure grows with the clocks.
        tallest = max(max(t, r) for _, t, r in rows) or 1.0
        slot = (panel_width - 16) / len(rows)
        bar = min(30.0, slot / 3)
        for i, (n, t, r) in enumerate(rows):
            middle = left + 8 + slot * (i + 0.5)
            for value, colour, x in ((t, TELLURANE, middle - bar - 2), (r, REFERENCE, middle + 2)):
                height = (CLOCKS_BOTTOM - CLOCKS_TOP) * value / tallest
                parts.append(f'<rect x="{x:.1f}" y="{CLOCKS_BOTTOM - height:.1f}" width="{bar:.1f}" '
                             f'height="{height:.1f}" fill="{colour}"/>')
                parts.append(text(x + bar / 2, CLOCKS_BOTTOM - height - 5, f"{value:.{digits}f}", 10))
            parts.append(text(middle, CLOCKS_BOTTOM + 16, f"{n} clock{'' if n == 1 else 's'}", 11))
            if r > 0:
                parts.append(text(middle, CLOCKS_BOTTOM + 32, f"ratio {t / r:.2f}", 11, weight="bold"))
    parts.append(text(20, CLOCKS_HEIGHT - 8, "Each panel to its own scale; ratio: Tellurane / reference (medians of "
                      "runs in turn: idle CPU of both programs, ticks of all counts).", 10, "start", fill="#4a5568"))
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def draw(results, name, content, png, width, height):
    drawing = os.path.join(os.path.dirname(results) or ".", name)
    with open(drawing, "w", encoding="utf-8") as out:
        out.write(content)
    subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), "-o", png, drawing], check=True)
    print(f"== Chart of {results}: {png}")


def main():
    results = sys.argv[1] if len(sys.argv) > 1 else "build/bench/results.txt"
    png = sys.argv[2] if len(sys.argv) > 2 else "docs/bench.png"
    clocks_png = sys.argv[3] if len(sys.argv) > 3 else os.path.join(os.path.dirname(png), "bench-clocks.png")
    figures = read(results)
    found = groups(figures)
    if found:
        draw(results, "bench.svg", svg(found), png, WIDTH, HEIGHT)
    panels, counts = clock_panels(figures)
    if panels:
        draw(results, "bench-clocks.svg", clocks_svg(figures, panels, counts), clocks_png, CLOCKS_WIDTH,
             CLOCKS_HEIGHT)
    states_png = sys.argv[4] if len(sys.argv) > 4 else os.path.join(os.path.dirname(png), "bench-states.png")
    states = state_groups(figures)
    if states:
        seconds = "/".join(sorted({figures.get(f"states.{state}.seconds", "?") for state, _ in STATES}))
        draw(results, "bench-states.svg",
             svg(states, "Wake-ups and CPU per minute in each state, beside the reference",
                 f"Each pair drawn to its own scale; {seconds} s a state; wake-ups from Wine's relay log, CPU from "
                 "schedstat (median of alternating runs).", 1000), states_png, 1000, HEIGHT)
    if not found and not panels and not states:
        print(f"chart: no figures to draw in {results}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
