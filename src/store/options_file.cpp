#include "store/options_file.h"

#include "store/ini_file.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

constexpr std::string_view kTieBreakCodes[] = {"BH", "midBH", "BHcut1", "DiEnc", "SB",   "PS",   "cWin",
                                               "cWinBl", "cBlack", "G1", "-G2", "G1-G2", "G1/G2"};

std::string ReadOption(const std::filesystem::path& file, const std::string& key) {
    return IniReadString(file, "Options", key);
}

}  // namespace

std::filesystem::path OptionsFilePath(const std::filesystem::path& folder) { return folder / "options.txt"; }

std::string ValidateTieBreak(std::string_view text) {
    for (auto code : kTieBreakCodes)
        if (text == code) return std::string(code);
    return "-";
}

std::string ReadColourFor1stPlayer(std::string_view value, std::mt19937& random) {
    std::string colour = ToUpperAscii(value);
    if (colour == "B") return "B";
    if (colour == "R") return std::uniform_int_distribution<int>(0, 1)(random) == 0 ? "B" : "W";
    return "W";
}

void SetPointsSystem(Tournament& t, std::string_view pointsType) {
    bool threePoints = pointsType == "3-1-0";
    t.PointsType = threePoints ? "3-1-0" : "1- 0.5 -0";
    t.PointsForWin = threePoints ? 3.0 : 1.0;
    t.PointsForDraw = threePoints ? 1.0 : 0.5;
    t.PointsForLoss = 0.0;
    FillValidResults(t, t.PointsType);
}

int ReadMaxRound(const std::filesystem::path& optionsFile) {
    int value = 0;
    return TryParseInt(ReadOption(optionsFile, "MaxRound"), value) ? value : 0;
}

void ReadTournamentChoices(const std::filesystem::path& optionsFile, Tournament& t, std::mt19937& random) {
    const IniFileLines ini = ReadIniFile(optionsFile);
    auto option = [&ini](const std::string& key) { return ini.Value("Options", key); };
    t.ColourFor1stPlayer = ReadColourFor1stPlayer(option("ColourFor1stPlayer"), random);
    for (int k = 1; k <= 5; ++k) t.TB(k) = ValidateTieBreak(option("TB" + std::to_string(k)));
    t.TBsType = option("TBsType") == "Goals" ? "Goals" : "Chess";
    SetPointsSystem(t, option("PointsType"));
}

StringList NewOptionsFileLines(const NewOptions& options) {
    StringList lines = {
        ";",
        "; valid values for TB1 - TB5 are:",
        ";    for TbsType = Chess : BH midBH BHcut1 DiEnc SB PS cWin cWinBl cBlack -",
        ";    for TbsType = Goals : G1 -G2 G1-G2 G1/G2 DiEnc -",
        ";",
        "[Options]",
        "MaxRound=" + std::to_string(options.MaxRound),
        "ColourFor1stPlayer=" + options.ColourFor1stPlayer,
        "PointsType=" + options.PointsType,
        "TBsType=" + options.TBsType,
    };
    for (int k = 0; k < 5; ++k) lines.push_back("TB" + std::to_string(k + 1) + "=" + options.TB[static_cast<size_t>(k)]);
    lines.push_back("");
    return lines;
}

}  // namespace veltrun
