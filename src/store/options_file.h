#pragma once
// options.txt: the choices made once per tournament, read when it is opened
// and written whole when it is created.
#include <array>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>

#include "store/text_utils.h"

namespace veltrun {

struct Tournament;

std::filesystem::path OptionsFilePath(const std::filesystem::path& folder);

// A tie-break code as it stands when it is one of the known codes, else "-".
std::string ValidateTieBreak(std::string_view text);
// ColourFor1stPlayer as read: "W", "B", a random one of the two for "R", "W" otherwise.
std::string ReadColourFor1stPlayer(std::string_view value, std::mt19937& random);
// PointsType and the points of a win, draw and loss, and the valid result codes.
void SetPointsSystem(Tournament& t, std::string_view pointsType);

// MaxRound: 0 when the key is missing or no integer.
int ReadMaxRound(const std::filesystem::path& optionsFile);
// ColourFor1stPlayer, TB1..TB5, TBsType and PointsType, in this order.
void ReadTournamentChoices(const std::filesystem::path& optionsFile, Tournament& t, std::mt19937& random);

// The options of a new tournament, as the new-tournament dialog chose them.
struct NewOptions {
    int MaxRound = 0;
    std::string ColourFor1stPlayer = "R";
    std::string PointsType = "1- 0.5 -0";
    std::string TBsType = "Chess";
    std::array<std::string, 5> TB{"-", "-", "-", "-", "-"};
};
// The whole text of a new options.txt, line by line.
StringList NewOptionsFileLines(const NewOptions& options);

}  // namespace veltrun
