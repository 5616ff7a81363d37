// demo: a whole tournament played through, the same for the same seed.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "support/cli_run.h"
#include "store/text_file.h"
#include "support/temp_folder.h"

namespace veltrun::cli {
namespace {

testing::CliRun RunIn(const testing::TempFolder& home, std::vector<std::string> args) {
    return testing::RunCliIn(home, std::move(args));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(Demo, PlaysEveryRoundAndWritesEveryReportReproducibly) {
    testing::TempFolder home;
    auto first = RunIn(home, {"demo", "--players", "9", "--rounds", "3", "--seed", "11", "--teams", "2"});
    ASSERT_EQ(first.code, 0) << first.err;
    auto second = RunIn(home, {"demo", "--players", "9", "--rounds", "3", "--seed", "11", "--teams", "2"});
    ASSERT_EQ(second.code, 0) << second.err;
    EXPECT_NE(second.err.find("Round 3/3 played"), std::string::npos);

    const auto lines = Lines(first.out);
    ASSERT_EQ(lines.size(), 1u + 1 + 3 + 2 + 1);  // tournament, start list, rounds, standings twice, teams
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_TRUE(std::filesystem::exists(lines[i])) << lines[i];
    const std::filesystem::path folder = std::filesystem::path(lines[1]).parent_path();
    for (int r = 1; r <= 3; ++r)
        for (const std::string& line : ReadTrimmedLines(folder / ("round" + std::to_string(r) + ".txt")))
            EXPECT_EQ(line.find("?-?|"), std::string::npos) << line;

    // Two demos in the same second get two folders; one seed gives one tournament.
    const std::string other = Lines(second.out)[1];
    EXPECT_NE(std::filesystem::path(other).parent_path(), folder);
    auto standingsOf = [&](const std::filesystem::path& f) {
        return RunIn(home, {"standings", f.string(), "--print"}).out;
    };
    EXPECT_EQ(standingsOf(folder), standingsOf(std::filesystem::path(other).parent_path()));
}

TEST(Demo, RefusesImpossibleSizes) {
    testing::TempFolder home;
    EXPECT_EQ(RunIn(home, {"demo", "--players", "1"}).code, 2);
    EXPECT_EQ(RunIn(home, {"demo", "--players", "2001"}).code, 2);
    EXPECT_EQ(RunIn(home, {"demo", "--players", "6", "--rounds", "6"}).code, 2);
    EXPECT_EQ(RunIn(home, {"demo", "--teams", "-1"}).code, 2);
}

}  // namespace
}  // namespace veltrun::cli
