#include "cclp_score_cli/check_command.hpp"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <thread>

#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/printable_text.hpp"
#include "cclp_score_cli/recording_check.hpp"
#include "cclp_score_cli/text_format.hpp"
#include "recording/document_file.hpp"
#include "recording/document_reader.hpp"
#include "recording/json_text.hpp"
#include "recording/polarity.hpp"
#include "recording/schema.hpp"

namespace cclp_cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr std::size_t kProgressAbove = 100;

struct Summary {
    std::size_t asExpected = 0;
    std::size_t notAsExpected = 0;
    std::size_t noExpectation = 0;
    std::size_t failed = 0;

    bool passed() const { return notAsExpected == 0 && failed == 0; }
};

nlohmann::json readParamsOverride(const std::string& path) {
    try {
        const nlohmann::json document = parseJsonText(readRecordingFileText(path));
        return document.contains("params") ? document["params"] : document;
    } catch (const InputError& error) {
        throw UsageError("--params " + path + ": " + error.what());
    } catch (const FileError& error) {
        throw UsageError(std::string("--params: ") + error.what());
    }
}

// Every recording scored on `threads` threads, each taking the next one.
std::vector<CheckRow> checkAll(const std::vector<std::string>& recordings,
                               const nlohmann::json* params, unsigned threads,
                               std::ostream* progress) {
    std::vector<CheckRow> rows(recordings.size());
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::mutex progressLock;
    const bool showProgress = progress != nullptr && recordings.size() > kProgressAbove;
    const auto work = [&] {
        for (std::size_t i = next++; i < recordings.size(); i = next++) {
            rows[i] = checkRecording(recordings[i], params);
            const std::size_t finished = ++done;
            if (showProgress && (finished % 50 == 0 || finished == recordings.size())) {
                const std::lock_guard<std::mutex> lock(progressLock);
                *progress << "\rchecked " << finished << " of " << recordings.size()
                          << std::flush;
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (std::thread& thread : pool) thread.join();
    if (showProgress) *progress << "\n" << std::flush;
    return rows;
}

Summary summarise(const std::vector<CheckRow>& rows) {
    Summary summary;
    for (const CheckRow& row : rows) {
        switch (row.verdict) {
            case Verdict::asExpected: ++summary.asExpected; break;
            case Verdict::notAsExpected: ++summary.notAsExpected; break;
            case Verdict::noExpectation: ++summary.noExpectation; break;
            case Verdict::failed: ++summary.failed; break;
        }
    }
    return summary;
}

const char* verdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::asExpected: return "as expected";
        case Verdict::notAsExpected: return "NOT as expected";
        case Verdict::noExpectation: return "no expectation";
        case Verdict::failed: break;
    }
    return "FAILED";
}

std::string winnerText(const CheckRow& row) {
    if (!row.winner) return "none";
    return indexList(row.winner->edgeIndices()) + " at " + compact(row.winner->positionValue(), 6);
}

std::string summaryText(std::size_t total, const Summary& s) {
    return std::to_string(total) + " recordings: " + std::to_string(s.asExpected) +
           " as expected, " + std::to_string(s.notAsExpected) + " not as expected, " +
           std::to_string(s.noExpectation) + " without expectation, " +
           std::to_string(s.failed) + " failed\n";
}

std::string tableReport(const std::vector<CheckRow>& rows, const Summary& summary) {
    std::size_t nameWidth = 9;
    for (const CheckRow& row : rows) nameWidth = std::max(nameWidth, printableText(row.recording).size());
    const auto padded = [](std::string text, std::size_t width) {
        text.resize(std::max(width, text.size()), ' ');
        return text;
    };
    std::string text = padded("recording", nameWidth) + "  " + padded("winner", 24) + "  " +
                       padded("score", 6) + "  " + padded("margin", 6) + "  expected\n";
    for (const CheckRow& row : rows) {
        std::string line = padded(printableText(row.recording), nameWidth) + "  " + padded(winnerText(row), 24) +
                           "  " + padded(row.winner ? decimals(row.winner->scoreValue(), 4) : "-", 6) +
                           "  " + padded(row.margin ? decimals(*row.margin, 4) : "-", 6) + "  " +
                           verdictName(row.verdict);
        if (!row.problem.empty()) line += ": " + printableText(row.problem);
        text += line + "\n";
    }
    return text + "\n" + summaryText(rows.size(), summary);
}

Json jsonReport(const std::vector<CheckRow>& rows, const Summary& summary) {
    Json recordings = Json::array();
    for (const CheckRow& row : rows) {
        Json entry{{"recording", row.recording}, {"verdict", verdictName(row.verdict)}};
        if (row.winner) {
            entry["winner"] = Json{{"edges", row.winner->edgeIndices()},
                                   {"position", row.winner->positionValue()},
                                   {"score", row.winner->scoreValue()}};
        }
        if (row.margin) entry["margin"] = *row.margin;
        if (!row.problem.empty()) entry["problem"] = row.problem;
        recordings.push_back(entry);
    }
    return Json{{"recordings", recordings},
                {"summary",
                 {{"recordings", rows.size()},
                  {"asExpected", summary.asExpected},
                  {"notAsExpected", summary.notAsExpected},
                  {"withoutExpectation", summary.noExpectation},
                  {"failed", summary.failed}}}};
}

void addFolder(const fs::path& folder, std::vector<std::string>& recordings) {
    std::vector<std::string> found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".json") {
            found.push_back(entry.path().string());
        }
    }
    std::sort(found.begin(), found.end());
    recordings.insert(recordings.end(), found.begin(), found.end());
}

unsigned checkThreads(unsigned requested, std::size_t recordings) {
    const unsigned threads =
        std::max(1u, requested != 0 ? requested : std::thread::hardware_concurrency());
    return std::min<unsigned>(threads, static_cast<unsigned>(recordings));
}

}  // namespace

std::vector<std::string> collectRecordings(const std::vector<std::string>& paths) {
    std::vector<std::string> recordings;
    for (const std::string& path : paths) {
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            addFolder(path, recordings);
        } else if (fs::is_regular_file(path, ec)) {
            recordings.push_back(path);
        } else {
            throw UsageError("check: " + path + " is neither a recording nor a folder");
        }
    }
    if (recordings.empty()) throw UsageError("check: no recordings (*.json) found");
    return recordings;
}

nlohmann::ordered_json checkReport(const std::vector<std::string>& recordings,
                                   const nlohmann::json* params) {
    const std::vector<CheckRow> rows =
        checkAll(recordings, params, checkThreads(0, recordings.size()), nullptr);
    return jsonReport(rows, summarise(rows));
}

int runCheck(const CheckOptions& options, std::ostream& out, std::ostream* progress) {
    const std::vector<std::string> recordings = collectRecordings(options.paths);
    std::optional<nlohmann::json> params;
    if (options.paramsPath) params = readParamsOverride(*options.paramsPath);
    const std::vector<CheckRow> rows =
        checkAll(recordings, params ? &*params : nullptr,
                 checkThreads(options.threads, recordings.size()), progress);
    const Summary summary = summarise(rows);
    out << (options.json ? documentText(jsonReport(rows, summary)) : tableReport(rows, summary))
        << std::flush;
    return summary.passed() ? kExitSuccess : kExitCheckFailed;
}

}  // namespace cclp_cli
