// Where the page's save writes the recording, under the tool's overwrite
// rules: a file the user named is theirs to replace; the default file beside
// the input is never written over unless this session wrote it; nothing but
// a regular file is ever replaced, and a failed write leaves it as it was.
#pragma once

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>

namespace cclp_tune {

// A save the overwrite rules do not allow; the file is untouched.
class SaveRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SaveTarget {
public:
    SaveTarget(std::filesystem::path path, bool namedByUser);

    // "data/part.json" -> "data/part.tuned.json"
    static std::filesystem::path besideInput(const std::filesystem::path& input);

    // Writes the text to a new file beside the target and renames it over
    // the target. Throws SaveRefused, or cclp_recording::FileError when the
    // file cannot be written.
    void write(const std::string& text);

    const std::filesystem::path& path() const { return path_; }

private:
    void requireReplaceable(const std::filesystem::path& path, bool mayExist) const;

    std::filesystem::path path_;
    bool namedByUser_;
    bool writtenBySession_ = false;
    std::mutex writing_;
};

}  // namespace cclp_tune
