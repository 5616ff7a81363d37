#pragma once
// Creating a tournament: the lists and defaults of the new-tournament dialog
// and the checked creation of the folder with options.txt and players.txt.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

class Session;
struct Translation;

// One item of a dialog list: the stored code and the shown text ("[BH] Buchholz").
struct ListItem {
    std::string Code;
    std::string Text;
};
std::vector<ListItem> ColourItems(const Session& session);
std::vector<ListItem> PointsTypeItems();
std::vector<ListItem> TbsTypeItems(const Session& session);
// The tie-break list of "Chess" or "Goals" (any other type gives the chess list).
std::vector<ListItem> TieBreakItems(const Translation& tr, std::string_view type);
std::vector<ListItem> TieBreakItems(const Session& session, std::string_view type);
// The code of a list item: the text before the first "]" without "[".
std::string CodeOfItem(std::string_view itemText);

// Position in the type's list of the settings file's default for TB{n}; fallback
// when the key is missing or names a code the list lacks.
int DefaultTieBreakIndex(const Session& session, int n, std::string_view type, int fallback);
// The five default tie-break codes of a type.
std::array<std::string, 5> DefaultTieBreaks(const Session& session, std::string_view type);

// The dialog's fields: texts as typed, codes as chosen.
struct NewTournamentFields {
    std::string FolderName;
    std::string MaxRound;
    std::string Colour = "R";             // "R", "W" or "B"
    std::string PointsType = "1- 0.5 -0";  // or "3-1-0"
    std::string TBsType = "Chess";        // or "Goals"
    std::array<std::string, 5> TB{"-", "-", "-", "-", "-"};
};
// The dialog as it opens: folder "Tourn" + today's date, random colour,
// "1- 0.5 -0", chess and the default tie-breaks.
NewTournamentFields DefaultNewTournamentFields(const Session& session);

// CreateTournament: checks the fields (FieldError naming E_MAX_ROUND or
// E_FOLDER), creates the folder under Tourn/ with options.txt and players.txt,
// and makes the new, empty tournament the open one. A failed write removes
// the half-made folder again.
void CreateTournament(Session& session, const NewTournamentFields& fields);

}  // namespace veltrun
