// Lines of a rating file: each matching line gives its three rows, and a line
// is always found by a search for its own name.
#include "fuzz_support.h"
#include "ratinglist/rating_lines.h"
#include "ratinglist/rating_search.h"
#include "store/text_file.h"
#include "store/text_utils.h"

using namespace veltrun;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string raw(reinterpret_cast<const char*>(data), size);
    if (raw.find('\n') != std::string::npos || raw.find('\r') != std::string::npos) return 0;
    std::string line = DecodeLine(raw);
    std::vector<SearchRow> rows;
    AppendSearchRows("elo.txt", line, rows);
    fuzz::Require(rows.size() == 3, "three rows per line");
    for (const auto& row : rows) fuzz::Require(row.Cells().size() == 10, "ten cells per row");

    RatingLines lines;
    lines.AddFileName("elo.txt");
    lines.AddLine(0, line);
    if (lines.Empty()) return 0;  // a blank line is not kept
    fuzz::Require(lines.Line(0) == line, "the line is kept as it stands");
    std::string name = GetField(line, '|', 2);
    if (name.empty()) return 0;
    std::vector<SearchRow> found = SearchRatingLines(lines, name, 100, true);
    fuzz::Require(found.size() == 3, "a line is found by its own name");
    return 0;
}
