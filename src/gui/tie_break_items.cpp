#include "gui/tie_break_items.h"

#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::gui {

const std::vector<CodedItem>& TieBreakItems(const std::string& type) {
    static const std::vector<CodedItem> chess = {
        {"BH", 42, "Buchholz"},
        {"midBH", 43, "middle Buchholz"},
        {"BHcut1", 186, "Buchholz without lowest"},
        {"DiEnc", 187, "direct encounter(s)"},
        {"SB", 44, "Sonneborn\u2013Berger"},
        {"PS", 45, "Progress"},
        {"cWin", 46, "count of wins"},
        {"cWinBl", 188, "count of wins with black pieces"},
        {"cBlack", 47, "count of black"},
        {"-", 48, "not assigned"},
    };
    static const std::vector<CodedItem> goals = {
        {"G1", 49, "more goals scored"},
        {"-G2", 50, "fewer received goals"},
        {"G1-G2", 51, "difference: scored goals  - received goals"},
        {"G1/G2", 52, "quotient: scored goals / received goals"},
        {"DiEnc", 187, "direct encounter(s)"},
        {"-", 48, "not assigned"},
    };
    return type == "Goals" ? goals : chess;
}

const std::vector<CodedItem>& ColourItems() {
    static const std::vector<CodedItem> items = {{"R", 54, "Random"}, {"W", 55, "White"}, {"B", 56, "Black"}};
    return items;
}

const std::vector<CodedItem>& TypeItems() {
    static const std::vector<CodedItem> items = {{"Chess", 57, "Chess"}, {"Goals", 58, "Goals/Score"}};
    return items;
}

std::string ItemText(const Session& session, const CodedItem& item) {
    return "[" + item.code + "] " + session.tr(item.id, item.english);
}

std::string ItemCode(const std::string& text) {
    const std::string head = text.substr(0, text.find(']'));
    return ReplaceChar(head, '[', "");
}

int DefaultTieBreakIndex(const Session& session, int n, const std::string& type, int fallback) {
    const std::string code = session.settings.Read("DefaultTBfor" + type, "TB" + std::to_string(n));
    const auto& items = TieBreakItems(type);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].code == code) return static_cast<int>(i);
    return fallback;
}

}  // namespace veltrun::gui
