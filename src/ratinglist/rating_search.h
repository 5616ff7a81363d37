#pragma once
// SearchRatingLines: the result rows of a player search, three per matching
// line (blitz, rapid, standard).
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

class RatingLines;
struct RatingFile;

struct SearchRow {
    std::string type;  // "blitz", "rapid", "standard", for further files with "(file) " before it
    std::string name;
    std::string rating;
    std::string fideId;
    std::string sex;
    std::string federation;
    std::string birth;
    std::string title;
    std::string nationalId;
    std::string club;

    // The ten fields, each followed by "|".
    std::string Text() const;
    // The ten cells joined with "|", as the result chooser hands a taken row back.
    std::string TakenText() const;
    std::vector<std::string> Cells() const;
};

// Every line whose entry (file name, "|", line) holds the term, ignoring case
// and, as the lines were loaded, diacritics. The test against maxRows comes
// after each matching line, so up to two rows more than maxRows may come back.
std::vector<SearchRow> SearchRatingLines(RatingLines& lines, std::string_view term, int maxRows,
                                         bool removeDiacritics);

// The three rows of one matching line of a rating file.
void AppendSearchRows(std::string_view fileName, std::string_view line, std::vector<SearchRow>& rows);

// The same rows as loading the files into RatingLines and searching them,
// with the files read a piece at a time and nothing kept: for a single search
// (the command line). Throws std::filesystem::filesystem_error naming the file
// that could not be read.
std::vector<SearchRow> SearchRatingFiles(const std::vector<RatingFile>& files, std::string_view term, int maxRows,
                                         bool removeDiacritics);

}  // namespace veltrun
