#include "ratinglist/rating_search.h"

#include "ratinglist/match_key.h"
#include "ratinglist/rating_lines.h"
#include "store/file_limits.h"
#include "store/text_utils.h"

namespace veltrun {

// Fields of a rating-file line: 1 FIDE ID, 2 name, 3 federation, 4 sex,
// 5 standard, 6 rapid, 7 blitz, 8 birth, 9 title, 10 national ID, 11 club.
void AppendSearchRows(std::string_view file, std::string_view line, std::vector<SearchRow>& rows) {
    std::string prefix;
    if (file != "elo.txt") prefix.append("(").append(file.substr(0, file.size() >= 4 ? file.size() - 4 : 0)).append(") ");
    struct Kind {
        const char* name;
        int field;
    };
    // A rating file made by hand or by an older version may hold longer
    // fields than a tournament can: they are cut here, as a conversion cuts them.
    auto field = [line](int n) {
        return CutToChars(GetField(line, '|', n), n == 2 || n == 11 ? MaxNameChars : MaxIdChars);
    };
    for (Kind kind : {Kind{"blitz", 7}, Kind{"rapid", 6}, Kind{"standard", 5}}) {
        SearchRow row;
        row.type = prefix + kind.name;
        row.name = field(2);
        row.rating = Trim(field(kind.field));
        row.fideId = field(1);
        row.sex = field(4);
        row.federation = field(3);
        row.birth = field(8);
        row.title = field(9);
        row.nationalId = field(10);
        row.club = field(11);
        rows.push_back(std::move(row));
    }
}

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
    lines.SearchInto(key, maxRows, rows);
    return rows;
}

}  // namespace veltrun
