#include "cclp_score_cli/plot_file.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cclp_score_cli/exit_status.hpp"

namespace cclp_cli {
namespace {

namespace fs = std::filesystem;

bool holdsOurPlot(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string head(256, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return head.find(kPlotSignature) != std::string::npos;
}

// A file that exists as anything but a regular file (a device, a pipe, a
// directory, a link) is never replaced.
void requireReplaceable(const fs::path& path, const std::string& name) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (status.type() == fs::file_type::not_found) return;
    if (ec || status.type() != fs::file_type::regular) {
        throw UsageError("--plot " + name + " exists and is not a regular file; not replacing it");
    }
    if (!holdsOurPlot(path)) {
        throw UsageError("--plot " + name +
                         " exists and is not a plot written by cclp-score; not replacing it");
    }
}

}  // namespace

void checkPlotPath(const std::string& plotPath, const std::optional<std::string>& inputPath) {
    if (plotPath == "-") return;
    if (fs::path(plotPath).extension() != ".svg") {
        throw UsageError("--plot " + plotPath + ": the plot's name must end in .svg");
    }
    std::error_code ec;
    if (inputPath && *inputPath != "-" && fs::equivalent(plotPath, *inputPath, ec)) {
        throw UsageError("--plot " + plotPath + " is the input; not replacing it");
    }
    requireReplaceable(plotPath, plotPath);
}

void writePlotFile(const std::string& plotPath, const std::string& content) {
    const fs::path target(plotPath);
    fs::path partial = target;
    partial += ".partial";
    requireReplaceable(partial, partial.string());
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << content;
        file.close();
        if (!file) {
            std::error_code ignored;
            fs::remove(partial, ignored);
            throw UsageError("cannot write " + plotPath);
        }
    }
    // Checked again right before the rename: the target may have changed
    // while the plot was drawn.
    std::error_code ec;
    try {
        requireReplaceable(target, plotPath);
    } catch (...) {
        fs::remove(partial, ec);
        throw;
    }
    fs::rename(partial, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw UsageError("cannot write " + plotPath + ": " + ec.message());
    }
}

}  // namespace cclp_cli
