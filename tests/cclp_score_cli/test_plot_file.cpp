// Where a plot may go: never over an input by any name, a device, a directory or a file
// the tool did not write, and never half-written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cclp_score_cli/exit_status.hpp"
#include "cclp_score_cli/plot_file.hpp"

namespace cclp_cli {
namespace {

namespace fs = std::filesystem;

class PlotFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(CCLP_TOOL_TEST_WORK_DIR) / "plot_file" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    std::string path(const char* name) const { return (dir_ / name).string(); }
    static void write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir_;
};

TEST_F(PlotFile, RefusesANameWithoutSvg) {
    const InputFiles none(std::nullopt, std::nullopt);
    EXPECT_THROW(checkPlotPath(path("ok.json"), none), UsageError);
    EXPECT_THROW(checkPlotPath(path("plot"), none), UsageError);
    EXPECT_NO_THROW(checkPlotPath("-", none));
    EXPECT_NO_THROW(checkPlotPath(path("new.svg"), none));
}

// Inputs that even carry the plot's signature, named as the plot by another
// name: a symbolic link, a hard link, standard input. None is replaced.
TEST_F(PlotFile, NeverReplacesAnInputByAnyName) {
    const std::string carrying = "{\"description\": \"" + std::string(kPlotSignature) + "\"}";
    const std::string recording = path("recording.svg");
    const std::string image = path("image.svg");
    const std::string piped = path("piped.svg");
    for (const std::string& input : {recording, image, piped}) write(input, carrying);
    fs::create_symlink(recording, path("recording_link.json"));
    fs::create_hard_link(image, path("image_link.pgm"));
    std::vector<std::string> named{recording, image};
#ifndef _WIN32  // where standard input has an identity to compare
    ASSERT_NE(std::freopen(piped.c_str(), "rb", stdin), nullptr);
    named.push_back(piped);
#endif
    const InputFiles inputs(path("recording_link.json"), path("image_link.pgm"));
    for (const std::string& input : named) {
        EXPECT_THROW(checkPlotPath(input, inputs), UsageError) << input;
        EXPECT_THROW(writePlotFile(input, "new", inputs), UsageError) << input;
        EXPECT_EQ(read(input), carrying) << input;
        EXPECT_FALSE(fs::exists(input + ".partial"));
    }
    EXPECT_NO_THROW(writePlotFile(path("new.svg"), carrying, inputs));
}

TEST_F(PlotFile, ReplacesOnlyARegularFileHoldingItsOwnPlot) {
    const std::string foreign = path("drawing.svg");
    write(foreign, "<svg>someone's drawing</svg>");
    const InputFiles none(std::nullopt, std::nullopt);
    EXPECT_THROW(checkPlotPath(foreign, none), UsageError);
    EXPECT_THROW(writePlotFile(foreign, "new", none), UsageError);
    EXPECT_EQ(read(foreign), "<svg>someone's drawing</svg>");

    const std::string directory = path("folder.svg");
    fs::create_directory(directory);
    EXPECT_THROW(checkPlotPath(directory, none), UsageError);
    EXPECT_THROW(writePlotFile(directory, "new", none), UsageError);
    EXPECT_TRUE(fs::is_directory(directory));

    const std::string link = path("link.svg");
    fs::create_symlink(foreign, link);
    EXPECT_THROW(writePlotFile(link, "new", none), UsageError);
    EXPECT_TRUE(fs::is_symlink(link));

    const std::string ours = path("plot.svg");
    const std::string first = "<?xml?>\n" + std::string(kPlotSignature) + "\n<svg>1</svg>";
    writePlotFile(ours, first, none);
    EXPECT_EQ(read(ours), first);
    EXPECT_NO_THROW(checkPlotPath(ours, none));
    writePlotFile(ours, first + "2", none);
    EXPECT_EQ(read(ours), first + "2");
    EXPECT_FALSE(fs::exists(ours + ".partial"));
}

}  // namespace
}  // namespace cclp_cli
