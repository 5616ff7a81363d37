// Lines of a rating file: each matching line gives its three rows, and a line
// is always found by a search for its own name.
#include "fuzz_support.h"
#include "ratinglist/rating_lines.h"
#include "ratinglist/rating_search.h"
#include "store/text_file.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    if (input.find_first_of("\r\n") != std::string_view::npos) return;
    std::string line = DecodeLine(std::string(input));
    std::vector<SearchRow> rows;
    AppendSearchRows("elo.txt", line, rows);
    fuzz::Require(rows.size() == 3, "three rows per line");
    for (const auto& row : rows) fuzz::Require(row.Cells().size() == 10, "ten cells per row");

    RatingLines lines;
    lines.AddFileName("elo.txt");
    lines.AddLine(0, line);
    if (lines.Empty()) return;  // a blank line is not kept
    fuzz::Require(lines.Line(0) == line, "the line is kept as it stands");
    std::string name = GetField(line, '|', 2);
    if (!name.empty()) fuzz::Require(SearchRatingLines(lines, name, 100, true).size() == 3, "a line is found by its own name");
}
