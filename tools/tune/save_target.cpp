#include "tune/save_target.hpp"

#include <fstream>

#include "recording/document_error.hpp"

namespace cclp_tune {
namespace {

namespace fs = std::filesystem;

void removeQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

}  // namespace

SaveTarget::SaveTarget(fs::path path, bool namedByUser)
    : path_(std::move(path)), namedByUser_(namedByUser) {}

fs::path SaveTarget::besideInput(const fs::path& input) {
    fs::path target = input;
    target.replace_extension();
    target += ".tuned.json";
    return target;
}

void SaveTarget::requireReplaceable(const fs::path& path, bool mayExist) const {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (status.type() == fs::file_type::not_found) return;
    if (ec || status.type() != fs::file_type::regular) {
        throw SaveRefused(path.string() + " exists and is not a regular file; not replacing it");
    }
    if (!mayExist) {
        throw SaveRefused(path.string() +
                          " exists and this session did not write it; not replacing it "
                          "(name it with --save to replace it)");
    }
}

void SaveTarget::write(const std::string& text) {
    const std::lock_guard<std::mutex> lock(writing_);
    fs::path partial = path_;
    partial += ".partial";
    requireReplaceable(path_, namedByUser_ || writtenBySession_);
    requireReplaceable(partial, false);
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        if (!file) {
            removeQuietly(partial);
            throw cclp_recording::FileError("cannot write " + partial.string(), partial.string());
        }
    }
    std::error_code ec;
    fs::rename(partial, path_, ec);
    if (ec) {
        removeQuietly(partial);
        throw cclp_recording::FileError("cannot write " + path_.string() + ": " + ec.message(),
                                        path_.string());
    }
    writtenBySession_ = true;
}

}  // namespace cclp_tune
