// Where a plot may go: never over an input, a device, a directory or a file
// the tool did not write, and never half-written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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

TEST_F(PlotFile, RefusesANameWithoutSvgAndTheInputItself) {
    const std::string input = path("recording.svg");
    write(input, "{}");
    EXPECT_THROW(checkPlotPath(path("ok.json"), std::nullopt), UsageError);
    EXPECT_THROW(checkPlotPath(path("plot"), std::nullopt), UsageError);
    EXPECT_THROW(checkPlotPath(input, input), UsageError);
    EXPECT_EQ(read(input), "{}");
    EXPECT_NO_THROW(checkPlotPath("-", input));
    EXPECT_NO_THROW(checkPlotPath(path("new.svg"), input));
}

TEST_F(PlotFile, ReplacesOnlyARegularFileHoldingItsOwnPlot) {
    const std::string foreign = path("drawing.svg");
    write(foreign, "<svg>someone's drawing</svg>");
    EXPECT_THROW(checkPlotPath(foreign, std::nullopt), UsageError);
    EXPECT_THROW(writePlotFile(foreign, "new"), UsageError);
    EXPECT_EQ(read(foreign), "<svg>someone's drawing</svg>");

    const std::string directory = path("folder.svg");
    fs::create_directory(directory);
    EXPECT_THROW(checkPlotPath(directory, std::nullopt), UsageError);
    EXPECT_THROW(writePlotFile(directory, "new"), UsageError);
    EXPECT_TRUE(fs::is_directory(directory));

    const std::string link = path("link.svg");
    fs::create_symlink(foreign, link);
    EXPECT_THROW(writePlotFile(link, "new"), UsageError);
    EXPECT_TRUE(fs::is_symlink(link));

    const std::string ours = path("plot.svg");
    const std::string first = "<?xml?>\n" + std::string(kPlotSignature) + "\n<svg>1</svg>";
    writePlotFile(ours, first);
    EXPECT_EQ(read(ours), first);
    EXPECT_NO_THROW(checkPlotPath(ours, std::nullopt));
    writePlotFile(ours, first + "2");
    EXPECT_EQ(read(ours), first + "2");
    EXPECT_FALSE(fs::exists(ours + ".partial"));
}

}  // namespace
}  // namespace cclp_cli
