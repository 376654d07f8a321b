// Documents and helpers shared by the cclp-score tests.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "cclp_score_cli/exit_status.hpp"
#include "recording/document_reader.hpp"
#include "recording/json_text.hpp"
#include "recording/polarity.hpp"
#include "recording/run_inputs.hpp"
#include "recording/schema.hpp"

namespace cclp_cli::testing {

inline nlohmann::json loadSample(const std::string& name) {
    std::ifstream file(std::string(CCLP_SAMPLES_DIR) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return parseJsonText(text.str());
}

// A small valid pair document that tests change one field at a time.
inline nlohmann::json pairDocument() {
    return nlohmann::json::parse(R"({
      "caliper": {"edges": [{"position": -10, "contrast": 50},
                            {"position": 2, "contrast": -5},
                            {"position": 10, "contrast": -40}]},
      "params": {
        "desiredEdges": [{"position": -10, "polarity": "positive"},
                         {"position": 10, "polarity": "negative"}],
        "scoreMethods": [{"method": "sizeDiff", "oneSided": {"x0": 0, "x1": 0.5, "x2": 0.5}}],
        "maxNumResults": 2
      }
    })");
}

}  // namespace cclp_cli::testing
