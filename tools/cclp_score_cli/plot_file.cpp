#include "cclp_score_cli/plot_file.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cclp_score_cli/exit_status.hpp"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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
// directory, a link) is never replaced, nor is an input by any name.
void requireReplaceable(const fs::path& path, const std::string& name, const InputFiles& inputs) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (status.type() == fs::file_type::not_found) return;
    if (ec || status.type() != fs::file_type::regular) {
        throw UsageError("--plot " + name + " exists and is not a regular file; not replacing it");
    }
    if (inputs.holds(path)) throw UsageError("--plot " + name + " is an input; not replacing it");
    if (!holdsOurPlot(path)) {
        throw UsageError("--plot " + name +
                         " exists and is not a plot written by cclp-score; not replacing it");
    }
}

}  // namespace

InputFiles::InputFiles(const std::optional<std::string>& recordingPath,
                       const std::optional<std::string>& imagePath) {
    for (const std::optional<std::string>& path : {recordingPath, imagePath}) {
        if (!path || *path == "-") continue;
        if (const std::optional<Identity> identity = identityOf(*path)) {
            identities_.push_back(*identity);
        } else {
            paths_.emplace_back(*path);
        }
    }
    if (const std::optional<Identity> identity = standardInputIdentity()) identities_.push_back(*identity);
}

bool InputFiles::holds(const fs::path& path) const {
    const std::optional<Identity> identity = identityOf(path);
    for (const Identity& input : identities_) {
        if (identity == input) return true;
    }
    std::error_code ec;
    for (const fs::path& input : paths_) {
        if (fs::equivalent(path, input, ec)) return true;
    }
    return false;
}

#ifdef _WIN32
// Windows gives no inode through the C runtime: named inputs are compared
// by fs::equivalent (the file index), standard input is not known.
std::optional<InputFiles::Identity> InputFiles::identityOf(const fs::path&) { return std::nullopt; }
std::optional<InputFiles::Identity> InputFiles::standardInputIdentity() { return std::nullopt; }
#else
std::optional<InputFiles::Identity> InputFiles::identityOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return Identity{static_cast<std::uintmax_t>(info.st_dev), static_cast<std::uintmax_t>(info.st_ino)};
}

std::optional<InputFiles::Identity> InputFiles::standardInputIdentity() {
    struct stat info {};
    if (::fstat(STDIN_FILENO, &info) != 0) return std::nullopt;
    return Identity{static_cast<std::uintmax_t>(info.st_dev), static_cast<std::uintmax_t>(info.st_ino)};
}
#endif

void checkPlotPath(const std::string& plotPath, const InputFiles& inputs) {
    if (plotPath == "-") return;
    if (fs::path(plotPath).extension() != ".svg") {
        throw UsageError("--plot " + plotPath + ": the plot's name must end in .svg");
    }
    requireReplaceable(plotPath, plotPath, inputs);
}

void writePlotFile(const std::string& plotPath, const std::string& content, const InputFiles& inputs) {
    const fs::path target(plotPath);
    fs::path partial = target;
    partial += ".partial";
    requireReplaceable(partial, partial.string(), inputs);
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
        requireReplaceable(target, plotPath, inputs);
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
