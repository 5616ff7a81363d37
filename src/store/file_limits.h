#pragma once
// How large each kind of file and each field may be. A file larger than its
// kind can be is refused before it is read, and a field longer than every
// file and report can hold is cut where it enters the program, so a stray or
// hostile file can neither fill memory nor make a tournament unopenable.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "store/errors.h"

namespace veltrun {

namespace file_limit {
constexpr std::uintmax_t KiB = 1024;
constexpr std::uintmax_t MiB = 1024 * KiB;
// 2000 players of 99 rounds are about 2.2 MB of TRF.
constexpr std::uintmax_t Trf = 4 * MiB;
// 2000 lines of capped fields, with room for comments.
constexpr std::uintmax_t PlayersFile = 4 * MiB;
// One line per player and round.
constexpr std::uintmax_t RoundFile = 2 * MiB;
constexpr std::uintmax_t OptionsFile = 1 * MiB;
constexpr std::uintmax_t SettingsFile = 1 * MiB;
// 500 texts.
constexpr std::uintmax_t LanguageFile = 2 * MiB;
// One pair per line for at most 2000 players.
constexpr std::uintmax_t EngineAnswer = 1 * MiB;
// FIDE's whole list converts to about 100 MB.
constexpr std::uintmax_t RatingFile = 1024 * MiB;
// Any other text file of ours.
constexpr std::uintmax_t TextFile = 4 * MiB;
}  // namespace file_limit

// Fields are cut to this many characters where they enter the program: names
// and teams, and the identifiers (FIDE, national, rating-file fields).
constexpr int MaxNameChars = 200;
constexpr int MaxIdChars = 40;
// A tournament folder's name.
constexpr int MaxFolderChars = 100;
// Rounds a file may bring in: each becomes a round file.
constexpr int MaxRounds = 999;

// A file refused for its size. what() is the English text; the command
// boundary shows it translated (ErrorText).
class FileTooLarge : public myException {
public:
    FileTooLarge(const std::filesystem::path& file, std::uintmax_t limit);
    const std::filesystem::path& File() const { return file_; }
    std::uintmax_t Limit() const { return limit_; }

private:
    std::filesystem::path file_;
    std::uintmax_t limit_;
};

// "8 MB", "256 KB": the limit as the messages show it.
std::string SizeText(std::uintmax_t bytes);

// The text cut to at most maxChars characters, never inside a UTF-8 sequence.
// cut is set to true when something was cut.
std::string CutToChars(std::string_view text, int maxChars, bool* cut = nullptr);

}  // namespace veltrun
