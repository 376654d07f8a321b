#include "recording/json_text.hpp"

#include <set>
#include <string>
#include <vector>

#include "recording/document_error.hpp"

namespace cclp_recording {
namespace {

using Json = nlohmann::json;

// Where the parser is, as the field path that InputErrors use
// ("caliper.edges[1].position"), kept up to date from its events.
class FieldTracker {
public:
    bool onEvent(Json::parse_event_t event, const Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start:
            case Json::parse_event_t::array_start:
                frames_.push_back({event == Json::parse_event_t::array_start, 0, {}, {}});
                break;
            case Json::parse_event_t::object_end:
            case Json::parse_event_t::array_end:
                frames_.pop_back();
                elementDone();
                break;
            case Json::parse_event_t::key:
                key(parsed.get<std::string>());
                break;
            case Json::parse_event_t::value:
                elementDone();
                break;
        }
        return true;
    }

    std::string path() const {
        std::string text;
        for (const Frame& frame : frames_) {
            if (frame.array) {
                text += "[" + std::to_string(frame.elements) + "]";
            } else if (!frame.key.empty()) {
                text += (text.empty() ? "" : ".") + frame.key;
            }
        }
        return text;
    }

private:
    struct Frame {
        bool array;
        std::size_t elements;       // completed, in an array
        std::string key;            // the current one, in an object
        std::set<std::string> keys;  // seen so far, in an object
    };

    void key(const std::string& name) {
        Frame& frame = frames_.back();
        frame.key = name;
        if (!frame.keys.insert(name).second) {
            throw InputError(path(), "given twice in the same object (JSON readers differ on "
                                     "which one counts, so neither is used)");
        }
    }

    void elementDone() {
        if (!frames_.empty() && frames_.back().array) ++frames_.back().elements;
    }

    std::vector<Frame> frames_;
};

// The library's message starts with its own error tag; keep the rest.
std::string withoutTag(const std::string& message) {
    const std::size_t tagEnd = message.find("] ");
    return tagEnd == std::string::npos ? message : message.substr(tagEnd + 2);
}

}  // namespace

nlohmann::json parseJsonText(std::string_view text) {
    FieldTracker tracker;
    try {
        return Json::parse(text, [&tracker](int, Json::parse_event_t event, Json& parsed) {
            return tracker.onEvent(event, parsed);
        });
    } catch (const Json::parse_error& error) {
        throw InputError("", "not valid JSON: " + withoutTag(error.what()));
    } catch (const Json::out_of_range& error) {
        // A number beyond the double range: say which one and where.
        throw InputError(tracker.path(), "not a finite number (" + withoutTag(error.what()) + ")");
    }
}

}  // namespace cclp_recording
