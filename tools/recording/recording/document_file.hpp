// Reading a recording's text, bounded in time and memory at every door: a
// named recording must be a regular file (a device, a pipe or a folder is
// refused before it is opened, so nothing blocks or grows without end), and
// no recording may exceed kLargestRecordingBytes, from a file or a stream.
#pragma once

#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>

namespace cclp_recording {

/// The largest recording any door reads, in bytes (16 MiB).
inline constexpr std::size_t kLargestRecordingBytes = std::size_t{16} << 20;

/// The whole text of the recording file `path`. Throws FileError naming the
/// file when it is not a regular file, cannot be read, or is larger than
/// kLargestRecordingBytes.
std::string readRecordingFileText(const std::filesystem::path& path);

/// The whole text of a recording read from `in` (standard input), which
/// `name` names in messages. Throws FileError once more than
/// kLargestRecordingBytes arrive, without reading further.
std::string readRecordingStreamText(std::istream& in, const std::string& name);

}  // namespace cclp_recording
