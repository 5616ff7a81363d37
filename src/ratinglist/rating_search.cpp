#include "ratinglist/rating_search.h"

#include "ratinglist/match_key.h"
#include "ratinglist/rating_lines.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

// Fields of a rating-file line: 1 FIDE ID, 2 name, 3 federation, 4 sex,
// 5 standard, 6 rapid, 7 blitz, 8 birth, 9 title, 10 national ID, 11 club.
void AddRows(const RatingLines& lines, std::size_t index, std::vector<SearchRow>& rows) {
    std::string_view line = lines.Line(index);
    std::string_view file = lines.FileName(index);
    std::string prefix;
    if (file != "elo.txt") prefix = "(" + std::string(file.substr(0, file.size() >= 4 ? file.size() - 4 : 0)) + ") ";
    struct Kind {
        const char* name;
        int field;
    };
    for (Kind kind : {Kind{"blitz", 7}, Kind{"rapid", 6}, Kind{"standard", 5}}) {
        SearchRow row;
        row.type = prefix + kind.name;
        row.name = GetField(line, '|', 2);
        row.rating = Trim(GetField(line, '|', kind.field));
        row.fideId = GetField(line, '|', 1);
        row.sex = GetField(line, '|', 4);
        row.federation = GetField(line, '|', 3);
        row.birth = GetField(line, '|', 8);
        row.title = GetField(line, '|', 9);
        row.nationalId = GetField(line, '|', 10);
        row.club = GetField(line, '|', 11);
        rows.push_back(std::move(row));
    }
}

}  // namespace

std::vector<std::string> SearchRow::Cells() const {
    return {type, name, rating, fideId, sex, federation, birth, title, nationalId, club};
}

std::string SearchRow::Text() const {
    std::string text;
    for (const auto& cell : Cells()) text += cell + "|";
    return text;
}

std::string SearchRow::TakenText() const {
    std::string text = Text();
    text.pop_back();
    return text;
}

std::vector<SearchRow> SearchRatingLines(RatingLines& lines, std::string_view term, int maxRows,
                                         bool removeDiacritics) {
    lines.SetRemoveDiacritics(removeDiacritics);
    std::string key = MatchKeyFolder(removeDiacritics).Fold(term);
    std::vector<SearchRow> rows;
    std::size_t next = 0;
    while (static_cast<int>(rows.size()) < maxRows) {
        std::size_t hit = lines.FindNext(key, next);
        if (hit >= lines.Size()) break;
        AddRows(lines, hit, rows);
        next = hit + 1;
    }
    return rows;
}

}  // namespace veltrun
