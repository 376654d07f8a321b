"""plot(): the picture the cclp-score tool draws with --plot, in matplotlib.

One panel per score method with its function (sampled through the library)
and each kept candidate's measured value marked by rank, under a strip of
the caliper: profile, edges, kept candidates and the winner.
"""

import textwrap

import numpy as np

from . import _core

_POSITIVE = "#1f77b4"
_NEGATIVE = "#d62728"
_WINNER = "#2ca02c"
_OTHER = "#7f7f7f"
_CURVE = "#1f4e79"
_LOW_SIDE = "#6a3d9a"
_HIGH_SIDE = "#b15928"
_FAINT = "#666666"
_MAX_LABELS = 10
_MAX_ROWS = 8
_MAX_LABELLED_EDGES = 40
_CURVE_SAMPLES = 240


def _rank_colour(rank):
    return _WINNER if rank == 1 else _OTHER


def _compact(value):
    return f"{value:.6g}"


def _function_text(f):
    text = f"x0 {_compact(f.x0)}, x1 {_compact(f.x1)}, x2 {_compact(f.x2)}; y0 {_compact(f.y0)}, y1 {_compact(f.y1)}"
    return text + (f"; offset {_compact(f.offset)}" if f.offset != 0.0 else "")


def _edge_label(results, r):
    indices = [int(i) for i in results.edges[r]]
    return (f"edges #{indices[0]} and #{indices[1]}" if len(indices) == 2 else f"edge #{indices[0]}")


def _header_lines(results):
    arithmetic = "fixed point (curves drawn in floating point)" if results.fixed is True else "floating point"
    entry = "cclp_runScoreEx" if results.extras is not None else "cclp_runScore"
    if results.pairs:
        first, second = results.desired
        model = (f"edge pairs, {first.polarity} then {second.polarity}, expected width "
                 f"{_compact(abs(second.position - first.position))}")
    else:
        model = f"single edges, polarity {results.desired[0].polarity}"
    run = f"{entry}, {arithmetic}; {len(results.positions)} edges; {model}; {len(results)} kept"
    if len(results) == 0:
        winner = "no candidate has the desired polarity"
    else:
        lead = "winner: " if results.sort else "first in candidate order: "
        winner = (f"{lead}{_edge_label(results, 0)} at {_compact(results.position[0])}, "
                  f"score {results.score[0]:.4f}")
    return results.description or "cclp-score", run, winner


def _caliper_strip(ax, results, profile):
    positions, contrasts = results.positions, results.contrasts
    lo = min(0.0, float(positions.min())) if len(positions) else 0.0
    hi = max(0.0, float(positions.max())) if len(positions) else 0.0
    if profile is not None:
        end = profile["start"] + profile["step"] * (len(profile["values"]) - 1)
        lo, hi = min(lo, profile["start"]), max(hi, end)
    pad = (hi - lo) * 0.04 if hi > lo else 1.0
    ax.set_xlim(lo - pad, hi + pad)
    rows = min(len(results), _MAX_ROWS)
    top = 2.0 + (1.0 if profile is not None else 0.0)
    if profile is not None:
        values = np.asarray(profile["values"], dtype=float)
        span = np.ptp(values) or 1.0
        xs = profile["start"] + profile["step"] * np.arange(len(values))
        ax.plot(xs, 2.1 + 0.8 * (values - values.min()) / span, color="#555555", lw=1.2)
        ax.text(lo - pad, 2.5, "profile ", ha="right", va="center", color=_FAINT, fontsize=8)
    baseline, reach = 1.3, 0.55
    ax.axhline(baseline, color="#bbbbbb", lw=0.8)
    ax.axvline(0.0, color="#999999", ls=(0, (4, 3)), lw=0.8)
    winners = set(int(i) for i in results.edges[0]) if len(results) else set()
    scale = np.abs(contrasts).max() if len(contrasts) and np.abs(contrasts).max() > 0 else 1.0
    for i, (p, c) in enumerate(zip(positions, contrasts)):
        up = c >= 0
        tip = baseline + (1 if up else -1) * max(0.03, abs(c) / scale * reach)
        colour = _POSITIVE if up else _NEGATIVE
        ax.plot([p, p], [baseline, tip], color=colour, lw=3.5 if i in winners else 1.6)
        if i in winners:
            ax.plot(p, tip, "o", color=_WINNER, mec="white", ms=7, zorder=3)
        if len(positions) <= _MAX_LABELLED_EDGES:
            ax.text(p, tip + (0.06 if up else -0.06), f"#{i}", ha="center", va="bottom" if up else "top",
                    fontsize=7, color=_WINNER if i in winners else colour,
                    fontweight="bold" if i in winners else "normal")
    ax.text(lo - pad, baseline, "edges (+/-) ", ha="right", va="center", color=_FAINT, fontsize=8)
    for r in range(rows):
        y = 0.45 - r * (0.5 / max(rows, 1))
        colour = _rank_colour(r + 1)
        ends = [positions[int(i)] for i in results.edges[r]]
        if len(ends) == 2:
            ax.plot(ends, [y, y], color=colour, lw=2.5, marker="|", ms=8)
        ax.plot(results.position[r], y, "o", color=colour, ms=5)
        ax.text(ends[0] - pad * 0.3, y, str(r + 1), ha="right", va="center", color=colour, fontsize=8,
                fontweight="bold" if r == 0 else "normal")
        ax.text(ends[-1] + pad * 0.3, y, f"{results.score[r]:.3f}", ha="left", va="center",
                color=colour, fontsize=7.5)
    if len(results) == 0:
        ax.text(lo, 0.4, "none: no candidate has the desired polarity", color=_FAINT, fontsize=8)
    ax.text(lo - pad, 0.35, "kept ", ha="right", va="center", color=_FAINT, fontsize=8)
    ax.set_ylim(-0.12, top)
    ax.set_yticks([])
    ax.set_xlabel("position along the caliper (0 = its centre)", color=_FAINT, fontsize=8)
    for side in ("top", "right", "left"):
        ax.spines[side].set_visible(False)


def _curves(method, pairs):
    """(sampler, breaks, colour, name) per curve the run reads for this method."""
    function = method.function
    if isinstance(function, _core.TwoSided):
        if method.name == "sizeDiffSigned" or not pairs:
            sides = (function.low, function.high)
            return [(function.sample, [b for s in sides for b in (s.x0, s.x1, s.x2)], _CURVE, "")]
        return [(side.sample, [side.x0, side.x1, side.x2], colour, name)
                for side, colour, name in ((function.low, _LOW_SIDE, "low side: first edge"),
                                           (function.high, _HIGH_SIDE, "high side: second edge"))]
    return [(function.sample, [function.x0, function.x1, function.x2], _CURVE, "")]


def _markers(results, m, curves):
    markers = []
    for r in range(len(results)):
        values = results.measured[r, m]
        if np.isnan(values[1]):
            markers.append((values[0], results.method_scores[r, m], r + 1))
        else:
            for side in range(2):
                markers.append((values[side], curves[side][0]([values[side]])[0], r + 1))
    return markers


def _sample_points(curve, lo, hi):
    xs = list(np.linspace(lo, hi, _CURVE_SAMPLES + 1))
    for b in curve[1]:
        xs += [x for x in (np.nextafter(b, -np.inf), b, np.nextafter(b, np.inf)) if lo < x < hi]
    xs = np.sort(np.asarray(xs, dtype=float))
    return xs, curve[0](xs)


def _label_markers(ax, markers, x_span):
    """Markers on about the same spot share one label ("2,3"), as in the tool."""
    labels = []
    for x, y, rank in sorted(markers, key=lambda marker: marker[2]):
        if rank > _MAX_LABELS:
            continue
        near = [label for label in labels
                if abs(label[0] - x) < 0.015 * x_span and abs(label[1] - y) < 0.025]
        if near:
            near[0][2].append(rank)
        else:
            labels.append((x, y, [rank]))
    for x, y, ranks in labels:
        ranks = sorted(set(ranks))
        ax.annotate(",".join(map(str, ranks)), (x, y), xytext=(0, 7), textcoords="offset points",
                    ha="center", fontsize=8, color=_rank_colour(ranks[0]),
                    fontweight="bold" if ranks[0] == 1 else "normal")


def _straddle_panel(ax, results, m):
    lo = min([0.0] + [results.positions[int(i)] for row in results.edges for i in row])
    hi = max([0.0] + [results.positions[int(i)] for row in results.edges for i in row])
    pad = (hi - lo) * 0.15 if hi > lo else 1.0
    ax.set_xlim(lo - pad, hi + pad)
    ax.axvline(0.0, color="#999999", ls=(0, (4, 3)), lw=0.8)
    for r in reversed(range(min(len(results), _MAX_LABELS))):
        score = results.method_scores[r, m]
        y = score + (-1 if score > 0.5 else 1) * r * 0.03
        ends = [results.positions[int(i)] for i in results.edges[r]]
        ax.plot(ends, [y, y], color=_rank_colour(r + 1), lw=2.5)
        ax.text(ends[0], y, f"{r + 1} ", ha="right", va="center", fontsize=8, color=_rank_colour(r + 1))
    ax.set_xlabel("positions of the pair's edges, p0 to p1", color=_FAINT, fontsize=8)


def _method_panel(ax, results, m):
    method = results.methods[m]
    ax.set_title(f"{m + 1}. {method.name}", loc="left", fontsize=10, fontweight="bold", pad=30)
    if len(results):
        ax.set_title(f"rank 1 scores {results.method_scores[0, m]:.4f}", loc="right", fontsize=8.5,
                     color=_WINNER, pad=30)
    function = method.function
    if function is None:
        text = "no function: p0 < 0 < p1 scores 1"
    elif isinstance(function, _core.OneSided):
        text = _function_text(function)
    else:
        text = f"low side: {_function_text(function.low)}\nhigh side: {_function_text(function.high)}"
    ax.text(0.0, 1.03, f"measures {method.measures}\n{text}", transform=ax.transAxes, va="bottom",
            fontsize=7, color=_FAINT)
    ax.set_ylim(-0.1, 1.15)
    ax.set_yticks([0.0, 0.5, 1.0])
    ax.grid(axis="y", color="#e6e6e6")
    ax.set_ylabel("score", color=_FAINT, fontsize=8)
    if function is None:
        _straddle_panel(ax, results, m)
        return
    curves = _curves(method, results.pairs)
    markers = _markers(results, m, curves)
    points = [b for curve in curves for b in curve[1]] + [x for x, _, _ in markers]
    points = [p for p in points if np.isfinite(p)] or [0.0]
    lo, hi = min(points), max(points)
    pad = (hi - lo) * 0.15 if hi > lo else max(1.0, abs(lo) * 0.5)
    lo, hi = lo - pad, hi + pad
    ax.set_xlim(lo, hi)
    for c, curve in enumerate(curves):
        xs, ys = _sample_points(curve, lo, hi)
        ax.plot(xs, ys, color=curve[2], lw=1.8, ls="--" if c == 1 else "-",
                label=curve[3] or None)
    if len(curves) == 2:
        ax.legend(loc="lower right", fontsize=7, frameon=False)
    for x, y, rank in sorted(markers, key=lambda marker: -marker[2]):
        ax.plot(x, y, "o", color=_rank_colour(rank), mec="white", ms=8 if rank == 1 else 6, zorder=3)
    _label_markers(ax, markers, hi - lo)
    ax.set_xlabel(method.measures, color=_FAINT, fontsize=8)


def plot(results, path=None, *, profile=None, title=None):
    """Draw Results as the cclp-score tool's --plot does; returns the
    matplotlib Figure (shown by notebooks) and saves it to path if given
    (the format from its suffix: .png, .svg, .pdf). profile: the caliper's
    projection {"start", "step", "values"} (results of Recording.score()
    carry theirs); title replaces the results' description.
    Needs matplotlib (Debian: python3-matplotlib)."""
    try:
        from matplotlib.figure import Figure
        from matplotlib.patches import Patch
    except ImportError as error:
        raise ImportError("plot() needs matplotlib (Debian: apt-get install python3-matplotlib)") from error
    profile = profile if profile is not None else results.profile
    heading, run, winner = _header_lines(results)
    panel_rows = (len(results.methods) + 1) // 2
    # A long description wraps at spaces, two lines at most, as in the tool.
    heading = textwrap.wrap(title or heading, 88, max_lines=2, placeholder="...")
    extra = 0.25 * (len(heading) - 1)
    figure = Figure(figsize=(9.6, 3.6 + extra + 2.8 * panel_rows))
    inches = figure.get_figheight()
    grid = figure.add_gridspec(1 + panel_rows, 2, height_ratios=[1.25] + [1.0] * panel_rows,
                               hspace=0.75, wspace=0.18, top=1 - (0.75 + extra) / inches)
    figure.text(0.02, 1 - 0.2 / inches, "\n".join(heading), fontsize=12, fontweight="bold",
                va="top", linespacing=1.3)
    figure.text(0.02, 1 - (0.42 + extra) / inches, run, fontsize=8.5, color=_FAINT, va="top")
    figure.text(0.02, 1 - (0.6 + extra) / inches, winner, fontsize=9.5, color=_WINNER,
                fontweight="bold", va="top")
    figure.legend(handles=[Patch(color=c, label=t) for c, t in (
        (_POSITIVE, "positive edge"), (_NEGATIVE, "negative edge"), (_WINNER, "rank 1"),
        (_OTHER, "other kept"))], loc="upper right", ncol=4, fontsize=8, frameon=False,
        bbox_to_anchor=(0.99, 1 - (0.5 + extra) / inches))
    _caliper_strip(figure.add_subplot(grid[0, :]), results, profile)
    for m in range(len(results.methods)):
        _method_panel(figure.add_subplot(grid[1 + m // 2, m % 2]), results, m)
    if path is not None:
        figure.savefig(path, dpi=110)
    return figure
