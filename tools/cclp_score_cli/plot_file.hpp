// Where a plot may be written. A plot never replaces an input, a device or
// any file it did not write itself, and is never left half-written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plot/svg_canvas.hpp"

namespace cclp_cli {

// The files a run reads (the recording, the image, standard input), known
// by their identity, so that no other name for one of them (a link, a
// /dev/fd name, a hard link) lets the plot replace it.
class InputFiles {
public:
    // The named files that exist, and whatever standard input is.
    InputFiles(const std::optional<std::string>& recordingPath,
               const std::optional<std::string>& imagePath);
    bool holds(const std::filesystem::path& path) const;

private:
    struct Identity {
        std::uintmax_t device, inode;
        bool operator==(const Identity&) const = default;
    };
    static std::optional<Identity> identityOf(const std::filesystem::path& path);
    static std::optional<Identity> standardInputIdentity();
    std::vector<Identity> identities_;
    std::vector<std::filesystem::path> paths_;  // where identities are not known
};

// Throws UsageError when the plot may not go to `plotPath` ("-" is standard
// output): a name not ending in .svg, one of the inputs, or an existing file
// that is not a regular file holding a plot (kPlotSignature).
void checkPlotPath(const std::string& plotPath, const InputFiles& inputs);

// Writes the plot to a new file beside the target and renames it over the
// target, so that a failed write leaves the target as it was; the checks
// of checkPlotPath are made again right before the rename.
void writePlotFile(const std::string& plotPath, const std::string& content, const InputFiles& inputs);

}  // namespace cclp_cli
