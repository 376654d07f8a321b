// The tuning server as a browser meets it over the loopback address: what
// it refuses (each with its status, nothing written) and what a save may
// replace.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "recording/document_reader.hpp"
#include "recording/document_writer.hpp"
#include "tune/tune_server.hpp"
#include "tune/tune_session.hpp"

namespace {

namespace fs = std::filesystem;
using cclp_tune::TuneOptions;

const std::string kToken = "0123456789abcdef0123456789abcdef";
const std::string kRecording = std::string(CCLP_TUNE_DATA_DIR) + "/name_plate_tune.json";

std::string readFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class TuneServerTest : public ::testing::Test {
protected:
    // The bundled recording on the name plate, with what the test names.
    static TuneOptions options(std::string recording = kRecording,
                               std::optional<std::string> save = {},
                               std::optional<std::string> check = {}) {
        TuneOptions options;
        options.recordingPath = std::move(recording);
        options.imagePath = CCLP_TUNE_IMAGE;
        options.savePath = std::move(save);
        options.checkFolder = std::move(check);
        return options;
    }

    void start(const TuneOptions& options) {
        session_.emplace(options);
        server_.emplace(*session_, kToken);
        port_ = server_->bind(0);
        thread_ = std::thread([this] { server_->run(); });
        client_.emplace("127.0.0.1", port_);
    }

    void TearDown() override {
        if (!server_) return;
        server_->stop();
        thread_.join();
    }

    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    httplib::Headers withToken(httplib::Headers headers = {}) const {
        headers.emplace("X-Tune-Token", kToken);
        return headers;
    }
    httplib::Result post(const std::string& path, const std::string& body) {
        return client_->Post(path.c_str(), withToken(), body, "application/json");
    }
    static std::string errorOf(const httplib::Result& result) {
        return nlohmann::json::parse(result->body).at("error").get<std::string>();
    }

    fs::path workDir(const std::string& name) const {
        const fs::path dir = fs::path(CCLP_TUNE_WORK_DIR) / name;
        fs::remove_all(dir);
        fs::create_directories(dir);
        return dir;
    }

    std::optional<cclp_tune::TuneSession> session_;
    std::optional<cclp_tune::TuneServer> server_;
    std::thread thread_;
    std::optional<httplib::Client> client_;
    int port_ = 0;
};

struct Refused {
    const char* what;
    std::string path;
    httplib::Headers headers;
    int status;
    const char* message;
};

TEST_F(TuneServerTest, RefusesRequestsFromOutsideThePageWithTheirStatus) {
    start(options());
    const std::string port = std::to_string(port_);
    const std::vector<Refused> cases = {
        {"no token", "/api/state", {}, 401, "token"},
        {"wrong token", "/api/state", {{"X-Tune-Token", "0123456789abcdef0123456789abcdee"}}, 401, "token"},
        {"token in the wrong place", "/api/state?tok=" + kToken, {}, 401, "token"},
        {"page without token", "/", {}, 401, "token"},
        {"foreign host", "/api/state", withToken({{"Host", "attacker.example:" + port}}), 421, "Host"},
        {"loopback on another port", "/api/state", withToken({{"Host", "127.0.0.1:1"}}), 421, "Host"},
        {"foreign origin", "/api/state", withToken({{"Origin", "http://attacker.example"}}), 403, "origin"},
        {"origin of another port", "/api/state", withToken({{"Origin", "http://localhost:1"}}), 403, "origin"},
        {"opaque origin", "/api/state", withToken({{"Origin", "null"}}), 403, "origin"},
        {"a source file", "/tune_server.cpp", withToken(), 404, "no such page"},
        {"a path out of the page", "/%2e%2e/CMakeLists.txt", withToken(), 404, ""},
        {"a folder of the page", "/page/tune.js", withToken(), 404, ""},
        {"an image by name", "/name_plate.pgm", withToken(), 404, "no such page"},
    };
    for (const Refused& refused : cases) {
        SCOPED_TRACE(refused.what);
        const httplib::Result result = client_->Get(refused.path.c_str(), refused.headers);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, refused.status);
        EXPECT_NE(errorOf(result).find(refused.message), std::string::npos) << result->body;
    }
}

TEST_F(TuneServerTest, ServesThePageAndTheStateToTheTokenOnLoopbackNames) {
    start(options());
    for (const std::string name : {"127.0.0.1:", "localhost:"}) {
        const httplib::Result page =
            client_->Get(("/?token=" + kToken).c_str(), {{"Host", name + std::to_string(port_)}});
        ASSERT_TRUE(page);
        EXPECT_EQ(page->status, 200);
        EXPECT_NE(page->body.find("tune.js?token=" + kToken), std::string::npos);
        EXPECT_EQ(page->get_header_value("X-Content-Type-Options"), "nosniff");
    }
    // As a browser asks: the answers come uncompressed, which on the
    // loopback is the fast way.
    const httplib::Result state = client_->Get(
        "/api/state", withToken({{"Origin", "http://" + host()}, {"Accept-Encoding", "gzip, br"}}));
    ASSERT_TRUE(state);
    ASSERT_EQ(state->status, 200);
    EXPECT_FALSE(state->has_header("Content-Encoding"));
    const nlohmann::json body = nlohmann::json::parse(state->body);
    EXPECT_EQ(body["image"]["width"], 144);
    EXPECT_EQ(body["scored"]["winner"], 0);
    EXPECT_EQ(body["scored"]["document"]["caliper"]["image"]["file"], CCLP_TUNE_IMAGE);
}

TEST_F(TuneServerTest, RefusesOversizedBodiesAndBadDocumentsNamingTheField) {
    start(options());
    const httplib::Result big = post("/api/score", std::string(cclp_tune::kMaxRequestBody + 1, ' '));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->status, 413);

    const httplib::Result notJson = post("/api/score", "{\"params\": ");
    ASSERT_TRUE(notJson);
    EXPECT_EQ(notJson->status, 400);

    nlohmann::json document = nlohmann::json::parse(readFile(kRecording));
    document["params"]["scoreMethods"][0]["oneSided"]["x1"] = "wide";
    const httplib::Result badField = post("/api/score", document.dump());
    ASSERT_TRUE(badField);
    EXPECT_EQ(badField->status, 400);
    EXPECT_NE(errorOf(badField).find("params.scoreMethods[0].oneSided.x1"), std::string::npos);

    document = nlohmann::json::parse(readFile(kRecording));
    document["caliper"]["image"]["caliper"]["length"] = 400;
    const httplib::Result outside = post("/api/score", document.dump());
    ASSERT_TRUE(outside);
    EXPECT_EQ(outside->status, 422);
    EXPECT_NE(errorOf(outside).find("--caliper"), std::string::npos);
}

TEST_F(TuneServerTest, ReadsOnlyTheImageNamedOnTheCommandLine) {
    start(options());
    nlohmann::json document = nlohmann::json::parse(readFile(kRecording));
    document["caliper"]["image"]["file"] = "/etc/passwd";
    const httplib::Result scored = post("/api/score", document.dump());
    ASSERT_TRUE(scored);
    ASSERT_EQ(scored->status, 200);
    const nlohmann::json body = nlohmann::json::parse(scored->body);
    EXPECT_EQ(body["document"]["caliper"]["image"]["file"], CCLP_TUNE_IMAGE);
    EXPECT_FALSE(body["document"]["caliper"]["edges"].empty());
}

TEST_F(TuneServerTest, SaveNeverReplacesAFileThisSessionDidNotWrite) {
    const fs::path dir = workDir("save_default");
    const fs::path recording = dir / "plate.json";
    fs::copy_file(kRecording, recording);
    const fs::path target = dir / "plate.tuned.json";
    writeFile(target, "someone's notes");
    start(options(recording.string()));
    const std::string document = readFile(recording);

    const httplib::Result refused = post("/api/save", document);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 409);
    EXPECT_EQ(readFile(target), "someone's notes");
    EXPECT_FALSE(fs::exists(dir / "plate.tuned.json.partial"));

    fs::remove(target);
    for (int save = 0; save < 2; ++save) {  // the second replaces the session's own file
        const httplib::Result saved = post("/api/save", document);
        ASSERT_TRUE(saved);
        ASSERT_EQ(saved->status, 200) << saved->body;
    }
    const cclp_recording::Recording written = cclp_recording::loadRecordingFile(target);
    ASSERT_TRUE(written.image);
    EXPECT_EQ(written.image->file, CCLP_TUNE_IMAGE);
    EXPECT_EQ(readFile(target), cclp_recording::recordingText(written));
    EXPECT_EQ(readFile(recording), document);
}

TEST_F(TuneServerTest, SaveReplacesAFileTheUserNamedButNeverAFolder) {
    const fs::path dir = workDir("save_named");
    const fs::path named = dir / "mine.json";
    writeFile(named, "old");
    fs::create_directories(dir / "folder.json");
    start(options(kRecording, named.string()));
    const std::string document = readFile(kRecording);
    const httplib::Result saved = post("/api/save", document);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->status, 200);
    EXPECT_NO_THROW(cclp_recording::loadRecordingFile(named));

    server_->stop();
    thread_.join();
    server_.reset();
    session_.reset();
    start(options(kRecording, (dir / "folder.json").string()));
    const httplib::Result folder = post("/api/save", document);
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->status, 409);
    EXPECT_TRUE(fs::is_directory(dir / "folder.json"));
}

TEST_F(TuneServerTest, CheckScoresTheFolderWithTheTunedParameters) {
    start(options(kRecording, {}, CCLP_TUNE_CHECK_DIR));
    nlohmann::json document = nlohmann::json::parse(readFile(kRecording));
    const httplib::Result checked = post("/api/check", document.dump());
    ASSERT_TRUE(checked);
    ASSERT_EQ(checked->status, 200);
    const nlohmann::json report = nlohmann::json::parse(checked->body);
    EXPECT_EQ(report["summary"]["recordings"], 2);

    document["params"]["maxNumResults"] = 0;
    const httplib::Result bad = post("/api/check", document.dump());
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 400);
}

}  // namespace
