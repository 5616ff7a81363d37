// The quick reader: FIDE's list is plain XML (a declaration, elements without
// attributes, text with the five entities and character references). This
// reader handles exactly that subset at several times expat's speed, checking
// well-formedness as it goes; at the first thing outside the subset, or the
// first error, it gives up and expat reads the file from the start, so
// expat decides every case the quick reader is not sure about.
#include <string.h>

#include <cstdint>
#include <cstring>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "ratinglist/xml_input.h"
#include "ratinglist/xml_player_collector.h"

#include "store/text_file.h"

namespace veltrun {

namespace {


// Byte classes of text: plain bytes need no look.
enum : unsigned char { kPlain, kSpace, kForbidden, kAmpersand, kBracket, kHigh };

constexpr std::array<unsigned char, 256> MakeTextClasses() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 32; ++c) t[c] = kForbidden;
    t['\t'] = t['\n'] = t['\r'] = t[' '] = kSpace;
    t['&'] = kAmpersand;
    t[']'] = kBracket;
    t['<'] = kForbidden;
    for (int c = 0x80; c < 256; ++c) t[c] = kHigh;
    return t;
}
constexpr std::array<unsigned char, 256> kTextClass = MakeTextClasses();

constexpr bool IsNameStart(unsigned char c) { return ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '_' || c == ':'; }

// ASCII name characters; names with other letters are expat's.
constexpr std::array<bool, 256> MakeNameChars() {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[c] = IsNameStart(static_cast<unsigned char>(c)) || (c >= '0' && c <= '9') || c == '-' || c == '.';
    return t;
}
constexpr std::array<bool, 256> kNameChar = MakeNameChars();

template <typename Word>
Word LoadWord(const char* p) {
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Names are short: two overlapping word compares beat a call to memcmp.
bool SameName(std::string_view a, std::string_view b) {
    std::size_t n = a.size();
    if (n != b.size()) return false;
    const char* x = a.data();
    const char* y = b.data();
    if (n >= 8 && n <= 16)
        return LoadWord<std::uint64_t>(x) == LoadWord<std::uint64_t>(y) &&
               LoadWord<std::uint64_t>(x + n - 8) == LoadWord<std::uint64_t>(y + n - 8);
    if (n >= 4 && n < 8)
        return LoadWord<std::uint32_t>(x) == LoadWord<std::uint32_t>(y) &&
               LoadWord<std::uint32_t>(x + n - 4) == LoadWord<std::uint32_t>(y + n - 4);
    for (std::size_t i = 0; i < n; ++i)
        if (x[i] != y[i]) return false;
    return true;
}

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsXmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Length of the valid UTF-8 sequence of an XML character at p, 0 when there is none.
std::size_t Utf8CharLength(const unsigned char* p, const unsigned char* end) {
    unsigned char lead = p[0];
    std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (n == 0 || lead > 0xF4 || static_cast<std::size_t>(end - p) < n) return 0;
    char32_t c = lead & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (std::size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    bool shortest = (n == 3 && c >= 0x800) || (n == 4 && c >= 0x10000) || n == 2;
    return shortest && IsXmlChar(c) ? n : 0;
}

// Decodes the entity or character reference at text[0] == '&'; returns the
// length taken, 0 when it is none the quick reader knows.
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

std::string_view AsView(const unsigned char* from, const unsigned char* to) {
    return {reinterpret_cast<const char*>(from), static_cast<std::size_t>(to - from)};
}

// ScanLeaf's answer for "not a leaf": any address that is no position in the data.
const unsigned char kNotLeafMark = 0;
const unsigned char* const kNotLeaf = &kNotLeafMark;

class QuickReader {
public:
    explicit QuickReader(XmlPlayerCollector& collector) : collector_(collector) {}

    // Consumes whole tokens of data; returns how many bytes were taken, or
    // npos when the reader gives up. With last set, data is the rest of the file.
    std::size_t Consume(std::string_view data, bool last);
    bool Finish() const { return rootClosed_ && names_.empty(); }

private:
    struct TextShape {
        bool onlySpace = true;
        bool references = false;
    };
    const unsigned char* CheckText(const unsigned char* p, const unsigned char* end, TextShape& shape);
    bool Decode(std::string_view& text);
    const unsigned char* ScanText(const unsigned char* p, const unsigned char* end);
    const unsigned char* ScanLayout(const unsigned char* p, const unsigned char* end);
    const unsigned char* ScanLeaf(std::string_view name, const unsigned char* p, const unsigned char* end);
    const unsigned char* ScanMarkup(const unsigned char* p, const unsigned char* end);
    bool Declaration(std::string_view inside);

    XmlPlayerCollector& collector_;
    std::vector<std::string> names_;  // open elements
    std::string decoded_;
    bool atStart_ = true;
    bool rootClosed_ = false;
};

std::size_t QuickReader::Consume(std::string_view data, bool last) {
    std::size_t skipped = 0;
    if (atStart_ && data.substr(0, 3) == "\xEF\xBB\xBF") {
        skipped = 3;
        data.remove_prefix(3);
    }
    std::size_t limit = data.size();
    if (!last) {
        // Only up to the last "<": what follows may be cut off.
        const void* lastOpen = ::memrchr(data.data(), '<', data.size());
        if (!lastOpen) return skipped;
        limit = static_cast<std::size_t>(static_cast<const char*>(lastOpen) - data.data());
    }
    const auto* base = reinterpret_cast<const unsigned char*>(data.data());
    const unsigned char* p = base;
    const unsigned char* end = base + limit;
    while (p < end) {
        p = *p == '<' ? ScanMarkup(p + 1, end) : ScanLayout(p, end);
        if (!p) return std::string_view::npos;
    }
    return static_cast<std::size_t>(p - base) + skipped;
}

// Checks the text from p up to the next "<" (or end); returns where it
// stopped, or nullptr when the text is no plain XML text.
const unsigned char* QuickReader::CheckText(const unsigned char* p, const unsigned char* end, TextShape& shape) {
    atStart_ = false;  // nothing, not even white space, may stand before the declaration
    while (p < end) {
        unsigned char kind = kTextClass[*p];
        if (kind == kPlain) {
            shape.onlySpace = false;
            ++p;
            while (p < end && kTextClass[*p] == kPlain) ++p;
            continue;
        }
        if (kind == kSpace) {
            ++p;
            continue;
        }
        if (*p == '<') break;
        shape.onlySpace = false;
        if (kind == kForbidden) return nullptr;
        if (kind == kAmpersand) {
            shape.references = true;
            ++p;
        } else if (kind == kBracket) {
            if (end - p >= 3 && p[1] == ']' && p[2] == '>') return nullptr;
            ++p;
        } else {
            std::size_t n = Utf8CharLength(p, end);
            if (n == 0) return nullptr;
            p += n;
        }
    }
    return p;
}

// Replaces text by the text with its references decoded; false for a
// reference the quick reader does not know.
bool QuickReader::Decode(std::string_view& text) {
    decoded_.clear();
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            decoded_ += text[i++];
            continue;
        }
        std::size_t taken = DecodeReference(text.substr(i), decoded_);
        if (taken == 0) return false;
        i += taken;
    }
    text = decoded_;
    return true;
}

// Between the elements of a list stands mostly a line end and indentation:
// that is passed on without the full text check.
const unsigned char* QuickReader::ScanLayout(const unsigned char* p, const unsigned char* end) {
    const unsigned char* q = p;
    while (q < end && kTextClass[*q] == kSpace) ++q;
    if (q == end || *q != '<' || names_.empty()) return ScanText(p, end);
    collector_.Text(AsView(p, q));
    return q;
}

const unsigned char* QuickReader::ScanText(const unsigned char* p, const unsigned char* end) {
    const unsigned char* start = p;
    TextShape shape;
    p = CheckText(p, end, shape);
    if (!p) return nullptr;
    if (names_.empty()) return shape.onlySpace ? p : nullptr;  // outside the root only white space
    std::string_view text = AsView(start, p);
    if (shape.references && !Decode(text)) return nullptr;
    collector_.Text(text);
    return p;
}

// Most elements hold only text: <name>text</name> is taken in one step, without
// touching the stack of open elements. Returns the position after the end tag,
// kNotLeaf when the element is no such leaf (p unchanged), nullptr to give up.
const unsigned char* QuickReader::ScanLeaf(std::string_view name, const unsigned char* p, const unsigned char* end) {
    const unsigned char* start = p;
    TextShape shape;
    const unsigned char* close = CheckText(p, end, shape);
    if (!close) return nullptr;
    std::size_t n = name.size();
    if (end - close < static_cast<std::ptrdiff_t>(n + 3) || close[1] != '/' || close[2 + n] != '>' ||
        !SameName(AsView(close + 2, close + 2 + n), name))
        return kNotLeaf;
    std::string_view text = AsView(start, close);
    if (shape.references && !Decode(text)) return nullptr;
    collector_.Leaf(name, text);
    return close + 3 + n;
}

// The markup after a "<" at p - 1; returns the position after its ">", or
// nullptr when it is nothing the quick reader takes.
const unsigned char* QuickReader::ScanMarkup(const unsigned char* p, const unsigned char* end) {
    bool first = atStart_;
    atStart_ = false;
    if (p >= end) return nullptr;
    if (*p == '?' || *p == '!') {
        // Only the declaration, and only at the start; comments, CDATA, DOCTYPE are expat's.
        if (*p == '!' || !first) return nullptr;
        const void* close = ::memchr(p, '>', static_cast<std::size_t>(end - p));
        if (!close) return nullptr;
        const auto* after = static_cast<const unsigned char*>(close);
        std::string_view inside(reinterpret_cast<const char*>(p), static_cast<std::size_t>(after - p));
        return Declaration(inside) ? after + 1 : nullptr;
    }
    bool closing = *p == '/';
    if (closing) ++p;
    const unsigned char* nameStart = p;
    if (p >= end || !IsNameStart(*p)) return nullptr;
    ++p;
    while (p < end && kNameChar[*p]) ++p;
    std::string_view name(reinterpret_cast<const char*>(nameStart), static_cast<std::size_t>(p - nameStart));
    while (p < end && IsXmlSpace(static_cast<char>(*p))) ++p;  // attributes are expat's
    bool empty = !closing && p < end && *p == '/';
    if (empty) ++p;
    if (p >= end || *p != '>') return nullptr;
    ++p;
    if (closing) {
        if (names_.empty() || !SameName(names_.back(), name)) return nullptr;
        names_.pop_back();
        collector_.EndElement();
        rootClosed_ = names_.empty();
        return p;
    }
    if (rootClosed_) return nullptr;
    if (!empty && !names_.empty()) {
        const unsigned char* after = ScanLeaf(name, p, end);
        if (after != kNotLeaf) return after;
    }
    collector_.StartElement(name);
    if (empty) {
        collector_.EndElement();
        rootClosed_ = names_.empty();
    } else {
        names_.emplace_back(name);
    }
    return p;
}

// <?xml version="1.0" encoding="UTF-8" standalone="yes"?>, in this order, the
// last two optional, and no encoding but UTF-8.
bool QuickReader::Declaration(std::string_view inside) {
    if (inside.size() < 6 || inside.substr(0, 4) != "?xml" || inside.back() != '?') return false;
    std::string_view rest = inside.substr(4, inside.size() - 5);
    auto space = [&rest] {
        std::size_t n = 0;
        while (n < rest.size() && IsXmlSpace(rest[n])) ++n;
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

}  // namespace

bool ReadXmlQuickly(XmlInputFile& input, XmlPlayerCollector& collector, ProgressMeter& meter,
                    std::size_t chunkBytes) {
    QuickReader reader(collector);
    const std::size_t longestCarry = chunkBytes;  // a longer tag or text goes to expat
    std::string buffer(chunkBytes + longestCarry, '\0');
    std::size_t filled = 0;
    long long done = 0;
    for (;;) {
        std::size_t got = input.Read(buffer.data() + filled, buffer.size() - filled);
        filled += got;
        bool last = got == 0;
        std::size_t taken = reader.Consume(std::string_view(buffer.data(), filled), last);
        if (taken == std::string_view::npos) return false;
        if (last) return taken == filled && reader.Finish();
        if (filled - taken > longestCarry) return false;
        done += static_cast<long long>(taken);
        buffer.replace(0, filled - taken, buffer, taken, filled - taken);
        filled -= taken;
        meter.Update(done, collector.PlayersWritten());
    }
}

}  // namespace veltrun
