#pragma once
// The coded items of the new-tournament dialog's lists: "[code] description",
// the description translated.
#include <string>
#include <vector>

namespace veltrun {
class Session;
}

namespace veltrun::gui {

struct CodedItem {
    std::string code;
    int id;               // catalogue identifier of the description
    const char* english;  // its English text
};

const std::vector<CodedItem>& TieBreakItems(const std::string& type);
const std::vector<CodedItem>& ColourItems();
const std::vector<CodedItem>& TypeItems();
std::string ItemText(const Session& session, const CodedItem& item);
// The code of an item text: the text before the first "]", without "[".
std::string ItemCode(const std::string& text);
// The position of the settings file's default tie-break n of type in its
// list, or fallback when it is missing or unknown.
int DefaultTieBreakIndex(const Session& session, int n, const std::string& type, int fallback);

}  // namespace veltrun::gui
