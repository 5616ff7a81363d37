// The quick reader: FIDE's list is plain XML (a declaration, elements without
// attributes, text with the five entities and character references). This
// reader handles exactly that subset at several times expat's speed, checking
// well-formedness as it goes; at the first thing outside the subset, or the
// first error, it gives up and expat reads the file from the start, so
// expat decides every case the quick reader is not sure about.
#include <string.h>

#include <array>
#include <string>
#include <vector>

#include "ratinglist/xml_input.h"
#include "ratinglist/xml_player_collector.h"
#include "ratinglist/xml_syntax.h"

namespace veltrun {

namespace {

using namespace xml_syntax;

// Byte classes of text: plain bytes need no look, the others a closer one.
enum : unsigned char { kPlain, kSpace, kOther };

constexpr std::array<unsigned char, 256> MakeTextClasses() {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 32; ++c) t[c] = kOther;
    t['\t'] = t['\n'] = t['\r'] = t[' '] = kSpace;
    t['&'] = t[']'] = t['<'] = kOther;
    for (int c = 0x80; c < 256; ++c) t[c] = kOther;
    return t;
}
constexpr std::array<unsigned char, 256> kTextClass = MakeTextClasses();

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
    const unsigned char* ScanText(const unsigned char* p, const unsigned char* end);
    const unsigned char* ScanLayout(const unsigned char* p, const unsigned char* end);
    const unsigned char* ScanLeaf(std::string_view name, const unsigned char* p, const unsigned char* end);
    const unsigned char* ScanMarkup(const unsigned char* p, const unsigned char* end);

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
        std::size_t n = TextCharLength(p, end, shape.references);
        if (n == 0) return nullptr;
        p += n;
    }
    return p;
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
    if (shape.references && !DecodeReferences(text, decoded_)) return nullptr;
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
    if (shape.references && !DecodeReferences(text, decoded_)) return nullptr;
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
        return IsPlainDeclaration(inside) ? after + 1 : nullptr;
    }
    bool closing = *p == '/';
    if (closing) ++p;
    const unsigned char* nameStart = p;
    if (p >= end || !IsNameStart(*p)) return nullptr;
    ++p;
    while (p < end && kNameChar[*p]) ++p;
    std::string_view name(reinterpret_cast<const char*>(nameStart), static_cast<std::size_t>(p - nameStart));
    while (p < end && IsSpace(static_cast<char>(*p))) ++p;  // attributes are expat's
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
