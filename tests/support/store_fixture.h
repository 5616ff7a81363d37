#pragma once
// A session on a temporary program folder with the scripted UI seam, and
// helpers to write a tournament folder by hand.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "store/errors.h"
#include "store/session.h"
#include "store/text_utils.h"
#include "store/tournament.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace veltrun::testing {

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The text of the error f throws, or "" when it succeeds.
template <typename F>
std::string ErrorOf(F&& f) {
    try { f(); } catch (const myException& e) { return e.what(); }
    return "";
}

// The names in a folder, sorted.
inline std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Lines joined with CR LF, each line ended, as the system writes files.
inline std::string Crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

// A player's colours, opponents, points per round and total: whole histories in one expectation.
inline std::string Histories(const TPlayer& p) {
    return p.ColourHistory + " " + p.OpponentHistory + " " + p.PointsHistory + " " + DecimalText(p.Points);
}

// A TRF player record (001) with the given round blocks from column 92 on.
inline std::string TrfRecord(int startNo, const std::string& name, const std::string& rating, const std::string& fideId,
                             const std::string& blocks) {
    auto right = [](std::string s, std::size_t w) { return std::string(w - std::min(w, s.size()), ' ') + s; };
    auto left = [](std::string s, std::size_t w) { return s + std::string(w - std::min(w, s.size()), ' '); };
    return "001 " + right(std::to_string(startNo), 4) + std::string(6, ' ') + left(name, 33) + " " + right(rating, 4) +
           std::string(5, ' ') + right(fideId, 11) + std::string(12, ' ') + " 0.0    1  " + blocks;
}

struct StoreFixture {
    ScriptedUi ui;
    TempFolder home;
    Session session{ui, home.path()};
    std::vector<std::string> log;

    StoreFixture() {
        session.log.SetCapture(&log);
        session.random.seed(7);
    }
    std::filesystem::path Folder(const std::string& name = "Cup") const {
        auto folder = home.path() / "Tourn" / name;
        std::filesystem::create_directories(folder);
        return folder;
    }
    bool Logged(std::string_view part) const {
        return std::any_of(log.begin(), log.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
    }
    // Options of a tournament written by hand.
    static void WriteOptions(const std::filesystem::path& folder, int maxRound, const std::string& extra = "") {
        WriteBytes(folder / "options.txt", "[Options]\nMaxRound=" + std::to_string(maxRound) +
                   "\nColourFor1stPlayer=W\nPointsType=1- 0.5 -0\nTBsType=Chess\nTB1=BH\n" + extra);
    }
};

}  // namespace veltrun::testing
