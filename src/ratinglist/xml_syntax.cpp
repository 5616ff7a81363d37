#include "ratinglist/xml_syntax.h"

#include <initializer_list>

#include "store/text_file.h"

namespace veltrun::xml_syntax {

std::size_t DecodeReference(std::string_view text, std::string& out) {
    std::size_t semicolon = text.find(';');
    if (semicolon == std::string_view::npos || semicolon > 12) return 0;
    std::string_view name = text.substr(1, semicolon - 1);
    if (name == "amp") out += '&';
    else if (name == "lt") out += '<';
    else if (name == "gt") out += '>';
    else if (name == "apos") out += '\'';
    else if (name == "quot") out += '"';
    else if (name.size() >= 2 && name[0] == '#') {
        bool hex = name[1] == 'x';
        std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty()) return 0;
        char32_t c = 0;
        for (char d : digits) {
            int v = d >= '0' && d <= '9' ? d - '0' : hex && (d | 0x20) >= 'a' && (d | 0x20) <= 'f' ? (d | 0x20) - 'a' + 10 : -1;
            if (v < 0) return 0;
            c = c * (hex ? 16 : 10) + static_cast<char32_t>(v);
        }
        if (!IsXmlChar(c)) return 0;
        AppendUtf8(c, out);
    } else {
        return 0;
    }
    return semicolon + 1;
}

bool DecodeReferences(std::string_view& text, std::string& decoded) {
    decoded.clear();
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            decoded += text[i++];
            continue;
        }
        std::size_t taken = DecodeReference(text.substr(i), decoded);
        if (taken == 0) return false;
        i += taken;
    }
    text = decoded;
    return true;
}

bool IsPlainDeclaration(std::string_view inside) {
    if (inside.size() < 6 || inside.substr(0, 4) != "?xml" || inside.back() != '?') return false;
    std::string_view rest = inside.substr(4, inside.size() - 5);
    auto space = [&rest] {
        std::size_t n = 0;
        while (n < rest.size() && IsSpace(rest[n])) ++n;
        rest.remove_prefix(n);
        return n > 0;
    };
    // name = "value" or name = 'value'; only the encoding's name ignores case.
    auto pseudoAttribute = [&](std::string_view name, std::initializer_list<std::string_view> values) {
        bool ignoreCase = name == "encoding";
        if (rest.substr(0, name.size()) != name) return false;
        rest.remove_prefix(name.size());
        space();
        if (rest.empty() || rest[0] != '=') return false;
        rest.remove_prefix(1);
        space();
        if (rest.empty() || (rest[0] != '"' && rest[0] != '\'')) return false;
        std::size_t close = rest.find(rest[0], 1);
        if (close == std::string_view::npos) return false;
        std::string value(rest.substr(1, close - 1));
        if (ignoreCase)
            for (char& c : value) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        rest.remove_prefix(close + 1);
        for (std::string_view v : values)
            if (value == v) return true;
        return false;
    };
    if (!space() || !pseudoAttribute("version", {"1.0"})) return false;
    bool spaced = space();
    if (spaced && rest.substr(0, 8) == "encoding") {
        if (!pseudoAttribute("encoding", {"utf-8"})) return false;
        spaced = space();
    }
    if (spaced && rest.substr(0, 10) == "standalone") {
        if (!pseudoAttribute("standalone", {"yes", "no"})) return false;
        space();
    }
    return rest.empty();
}

}  // namespace veltrun::xml_syntax
