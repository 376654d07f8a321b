// Pieces of the plot shared by its parts: page geometry, colours, text
// styles and the drawing of each part.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cclp_score_cli/cli_namespace.hpp"
#include "cclp_score_cli/image_edges.hpp"
#include "cclp_score_cli/scoring_run.hpp"
#include "plot/svg_canvas.hpp"
#include "recording/recording.hpp"

namespace cclp_cli::plot {

inline constexpr double kPageWidth = 960.0;
inline constexpr double kMargin = 24.0;

namespace colour {
inline constexpr std::string_view positive = "#1f77b4";  // edges with contrast >= 0
inline constexpr std::string_view negative = "#d62728";  // edges with contrast < 0
inline constexpr std::string_view winner = "#2ca02c";    // the rank-1 candidate
inline constexpr std::string_view other = "#7f7f7f";     // the other kept candidates
inline constexpr std::string_view warning = "#d95f02";   // no acceptable candidate
inline constexpr std::string_view desired = "#9467bd";   // the desired edges and width
inline constexpr std::string_view curve = "#1f4e79";
inline constexpr std::string_view lowSide = "#6a3d9a";
inline constexpr std::string_view highSide = "#b15928";
inline constexpr std::string_view ink = "#222222";
inline constexpr std::string_view faint = "#666666";
inline constexpr std::string_view grid = "#e6e6e6";
}  // namespace colour

struct Box {
    double x, y, width, height;
};

std::string textStyle(double size, std::string_view fill = colour::ink,
                      std::string_view anchor = "start", bool bold = false);
// Ticks, tick labels and a centred label under a horizontal axis at y.
void drawXAxis(SvgCanvas& canvas, const Scale& x, double y, std::string_view label);
std::string_view rankColour(std::size_t rank);

// The caliper strip: profile, edges and kept candidates along the caliper.
double caliperStripHeight(const Recording& job, const RunOutcome& outcome);
void drawCaliperStrip(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome, Box box);

// The image around an image caliper (job.image set), with the caliper, the
// found edges and the winner on it.
inline constexpr double kImagePanelHeight = 200.0;
void drawImageRegion(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome,
                     const ImageRegion& region, Box box);

// One score method: its function over a range that shows it and every
// kept candidate's measured value.
inline constexpr double kPanelHeight = 270.0;
void drawMethodPanel(SvgCanvas& canvas, const Recording& job, const RunOutcome& outcome,
                     std::size_t method, Box box);

}  // namespace cclp_cli::plot
