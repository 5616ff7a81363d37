// Language files: any lines give a table whose texts are clean and in range.
#include <sstream>

#include "app/language_file.h"
#include "fuzz_support.h"
#include "store/text_file.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    std::vector<std::string> lines;
    std::istringstream in{std::string(input)};
    for (std::string line; std::getline(in, line);) lines.push_back(DecodeLine(line));
    Translation t;
    ParseLanguageLines(lines, t);
    for (const auto& text : t.LanguageTable) {
        fuzz::Require(text.find('|') == std::string::npos, "no bar in a text");
        for (unsigned char c : text) fuzz::Require(c >= 32, "no control character in a text");
        fuzz::Require(IsValidUtf8(text), "texts are UTF-8");
    }
    fuzz::Require(t.LanguageTable[0].empty(), "slot 0 unused");
}
