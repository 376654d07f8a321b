#include "recording/document_file.hpp"

#include <cstdint>
#include <fstream>
#include <system_error>

#include "recording/document_error.hpp"

namespace cclp_recording {
namespace {

namespace fs = std::filesystem;

FileError tooLarge(const std::string& name) {
    return FileError(name + ": larger than the largest recording (" +
                         std::to_string(kLargestRecordingBytes >> 20) + " MiB)",
                     name);
}

}  // namespace

std::string readRecordingStreamText(std::istream& in, const std::string& name) {
    std::string text;
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        if (text.size() + count > kLargestRecordingBytes) throw tooLarge(name);
        text.append(block, count);
    }
    if (in.bad()) throw FileError("cannot read " + name, name);
    return text;
}

std::string readRecordingFileText(const fs::path& path) {
    const std::string name = path.string();
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::directory) {
        throw FileError(name + " is a directory, not a recording", name);
    }
    if (status.type() != fs::file_type::regular && status.type() != fs::file_type::not_found) {
        throw FileError(name + " is not a regular file; a recording is read from a file, or "
                               "from standard input",
                        name);
    }
    if (status.type() == fs::file_type::regular) {
        const std::uintmax_t size = fs::file_size(path, ec);
        if (!ec && size > kLargestRecordingBytes) throw tooLarge(name);
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) throw FileError("cannot read " + name, name);
    return readRecordingStreamText(file, name);
}

}  // namespace cclp_recording
