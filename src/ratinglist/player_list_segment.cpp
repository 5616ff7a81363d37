#include "ratinglist/player_list_segment.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ratinglist/player_tags.h"
#include "ratinglist/xml_player_collector.h"
#include "ratinglist/xml_syntax.h"
#include "store/utf8.h"

namespace veltrun {

using namespace player_field;

namespace {

using namespace xml_syntax;

#if !defined(__SSE2__)
constexpr std::array<bool, 256> MakeTextStops() {
    std::array<bool, 256> t{};
    for (int c = 0; c < 256; ++c) t[c] = c < 0x20 || c >= 0x80 || c == '<' || c == '&' || c == ']' || c == '|';
    return t;
}
constexpr std::array<bool, 256> kTextStop = MakeTextStops();
#endif

// The first byte at or after p that ends a text or needs a closer look: "<",
// "&", "]", "|", control characters and the bytes of multi-byte characters.
// Texts of the list are short: sixteen bytes a step find most ends at once.
[[gnu::always_inline]] inline const char* FindTextStop(const char* p) {
#if defined(__SSE2__)
    // '<' (0x3C) and '|' (0x7C) differ in one bit: one comparison finds both.
    const __m128i ltOrBar = _mm_set1_epi8('<');
    const __m128i notBit6 = _mm_set1_epi8(static_cast<char>(~0x40));
    const __m128i amp = _mm_set1_epi8('&');
    const __m128i bracket = _mm_set1_epi8(']');
    const __m128i blank = _mm_set1_epi8(0x20);
    for (;;) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(_mm_and_si128(v, notBit6), ltOrBar),
                                   _mm_or_si128(_mm_cmpeq_epi8(v, amp), _mm_cmpeq_epi8(v, bracket)));
        // Compared as signed bytes, control characters and bytes from 0x80 on are both below a blank.
        hit = _mm_or_si128(hit, _mm_cmpgt_epi8(blank, v));
        if (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hit))) return p + __builtin_ctz(mask);
        p += 16;
    }
#else
    while (!kTextStop[static_cast<unsigned char>(*p)]) ++p;
    return p;
#endif
}

// Length of the name at p (ASCII name characters), 0 when none starts there.
std::size_t NameLength(const char* p) {
    if (!IsNameStart(static_cast<unsigned char>(*p))) return 0;
    std::size_t n = 1;
    while (kNameChar[static_cast<unsigned char>(p[n])]) ++n;
    return n;
}

// Bit i is set where byte i of the sixteen at p is c.
inline unsigned ByteMask(const char* p, char c) {
#if defined(__SSE2__)
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(c))));
#else
    unsigned mask = 0;
    for (unsigned i = 0; i < 16; ++i) mask |= static_cast<unsigned>(p[i] == c) << i;
    return mask;
#endif
}

// Bits of the blanks or commas of a text of at most 32 bytes.
std::uint32_t ByteMask32(std::string_view text, char c) {
    assert(text.size() <= kWidestLoad);
    std::uint64_t mask = ByteMask(text.data(), c) | std::uint64_t{ByteMask(text.data() + 16, c)} << 16;
    return static_cast<std::uint32_t>(mask & ((std::uint64_t{1} << text.size()) - 1));
}

// No blank at either end and none doubled, given the bits of the blanks.
inline bool IsTidy(std::uint32_t blanks, std::size_t size) {
    if (blanks == 0) return true;  // most values: numbers, codes, single words
    return (blanks & 1) == 0 && (blanks >> (size - 1) & 1) == 0 && (blanks & (blanks >> 1)) == 0;
}

[[gnu::always_inline]] inline bool IsTidy(std::string_view text) {
    if (text.size() <= 16) return IsTidy(ByteMask(text.data(), ' ') & ((1u << text.size()) - 1), text.size());
    if (text.size() <= 32) return IsTidy(ByteMask32(text, ' '), text.size());
    return text.front() != ' ' && text.back() != ' ' && text.find("  ") == std::string_view::npos;
}

// A field's value in one or two pieces (a name without its comma).
struct Value {
    std::string_view head;
    std::string_view tail;
};

// Copies piece to w; returns the position after it. Fields are short and a
// line has nine of them: a call of the library's memcpy for each took 7 % of
// the conversion, so short pieces are copied as two fixed-size, possibly
// overlapping moves that the compiler inlines.
[[gnu::always_inline]] inline char* CopyPiece(char* w, std::string_view piece) {
    const char* r = piece.data();
    std::size_t n = piece.size();
    if (n >= 8 && n <= 16) {
        std::memcpy(w, r, 8);
        std::memcpy(w + n - 8, r + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(w, r, 4);
        std::memcpy(w + n - 4, r + n - 4, 4);
    } else if (n > 0 && n < 4) {  // the first, middle and last byte cover 1 to 3
        w[0] = r[0];
        w[n / 2] = r[n / 2];
        w[n - 1] = r[n - 1];
    } else if (n > 16) {
        std::memcpy(w, r, n);
    }
    return w + n;
}

// A tag of at most sixteen bytes, compared as two words (the data is padded).
class TagPattern {
public:
    explicit TagPattern(std::string_view tag) : size_(tag.size()) {
        std::size_t headSize = std::min<std::size_t>(size_, 8);
        std::memcpy(&head_, tag.data(), headSize);
        headMask_ = headSize == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * headSize)) - 1;
        if (size_ > 8) {
            tailOffset_ = size_ - 8;
            std::memcpy(&tail_, tag.data() + tailOffset_, 8);
            tailMask_ = ~std::uint64_t{0};
        }
    }
    std::size_t size() const { return size_; }
    bool Matches(const char* p) const {
        return ((LoadWord<std::uint64_t>(p) ^ head_) & headMask_) == 0 &&
               ((LoadWord<std::uint64_t>(p + tailOffset_) ^ tail_) & tailMask_) == 0;
    }

private:
    std::size_t size_;
    std::size_t tailOffset_ = 0;
    std::uint64_t head_ = 0;
    std::uint64_t headMask_ = 0;
    std::uint64_t tail_ = 0;
    std::uint64_t tailMask_ = 0;
};

struct KnownTag;
constexpr std::size_t kWidestSpan = 3 * kWidestLoad;

// A joint: the bytes from an element's end tag to the next element's start
// tag, blanks between included, as they stood last time; up to Room bytes,
// compared kWidestLoad at a time. In FIDE's list the same elements follow each
// other in the same way millions of times: comparing those bytes in one go
// instead of reading an end tag, blanks and a start tag apart (and for a span,
// the elements between that are not kept) takes a third of the conversion's
// instructions away.
template <std::size_t Room>
class Joint {
    static_assert(Room % kWidestLoad == 0);
    static constexpr std::size_t kParts = Room / kWidestLoad;

public:
    // The known tag whose start tag ends the joint; none while nothing fits in it.
    const KnownTag* next() const { return next_; }
    std::size_t size() const { return size_; }
    // Bytes too many to fit are not learned: what was there stays true.
    void Set(std::string_view bytes, const KnownTag* next) {
        if (bytes.empty() || bytes.size() > Room) return;
        std::memset(bytes_, 0, sizeof bytes_);
        std::memcpy(bytes_, bytes.data(), bytes.size());
        size_ = bytes.size();
        for (std::size_t part = 0; part < kParts; ++part) {
            std::size_t from = part * kWidestLoad;
            std::size_t count = size_ > from ? std::min(size_ - from, kWidestLoad) : 0;
            masks_[part] = static_cast<std::uint32_t>((std::uint64_t{1} << count) - 1);
        }
        next_ = next;
    }
    // The joint stands at p, which is before end and followed by kWidestLoad
    // readable bytes. A part is compared only when the joint reaches into it, so
    // it starts before the end too.
    bool Fits(const char* p, const char* end) const {
        if (!next_ || end - p < static_cast<std::ptrdiff_t>(size_) || !Matches(p, 0)) return false;
        for (std::size_t part = 1; part < kParts && size_ > part * kWidestLoad; ++part)
            if (!Matches(p, part)) return false;
        return true;
    }

private:
    bool Matches(const char* p, std::size_t part) const {
        p += part * kWidestLoad;
        const char* own = bytes_ + part * kWidestLoad;
#if defined(__SSE2__)
        auto equal = [&](int half) {
            __m128i data = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * half));
            __m128i mine = _mm_load_si128(reinterpret_cast<const __m128i*>(own + 16 * half));
            return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(data, mine))) << (16 * half);
        };
        return ((equal(0) | equal(1)) & masks_[part]) == masks_[part];
#else
        return std::memcmp(p, own, std::min(size_ - part * kWidestLoad, kWidestLoad)) == 0;
#endif
    }

    alignas(16) char bytes_[Room] = {};
    std::size_t size_ = 0;
    std::array<std::uint32_t, kParts> masks_{};
    const KnownTag* next_ = nullptr;
};

// An element name seen before, with its tags as they stand in the data. The
// list names the same few elements in the same order millions of times, so
// the tag that followed last time is tried first, as a whole. A plain lookup
// instead (a table by the name's length and first and last letters) made the
// whole conversion take a third more time.
struct KnownTag {
    std::string name;
    TagPattern open;   // "<name>"
    TagPattern close;  // "</name>"
    int field = -1;
    // From this one's end tag on, as the last two times the next tag differed:
    // where an element is left out now and then, both ways are known. The
    // first leads to the tag that followed last time (when its bytes fit).
    std::array<Joint<kWidestLoad>, 2> joints;
    // From this one's end tag over the elements after it that are not kept
    // (FIDE's empty titles, the games and K factors) to the start tag of the
    // next, as they stood last time: the bytes, once checked, need no second look.
    Joint<kWidestSpan> span;
};

constexpr std::size_t kMaxKnownTags = 64;  // room for all is kept from the start: joints point at them
constexpr std::size_t kMaxKnownNameLength = 13;  // its end tag stays a pattern
// tags_[0] stands for "<player>": its "end tag", where its joint starts, is the player's start tag.
constexpr int kPlayerStart = 0;

const char* SkipSpaces(const char* p) {
    while (IsSpace(*p)) ++p;
    return p;
}

class SegmentConverter {
public:
    SegmentConverter(std::string_view data, char* out)
        : p_(data.data()), end_(data.data() + data.size()), out_(out), w_(out) {
        tags_.reserve(kMaxKnownTags);
        tags_.push_back({"player", TagPattern("<player>"), TagPattern("<player>"), -1, {}, {}});
    }

    SegmentOutcome Run(SegmentState start);

private:
    bool Prologue();
    bool Player();
    // The hot path is kept inline, the rare cases out of line.
    [[gnu::always_inline]] inline const char* Joined(const char* at);
    void LearnJoint(const char* nextTagEnd, int next);
    void ExtendSpan();
    [[gnu::always_inline]] inline const char* Element(const char* p);
    [[gnu::always_inline]] inline const char* KnownElement(const char* p, const KnownTag& tag);
    [[gnu::noinline]] const char* UnexpectedElement(const char* p);
    const char* Followed(const char* p, int index);
    [[gnu::noinline]] const char* OtherElement(const char* p);
    int Learn(std::string_view name, int field);
    [[gnu::always_inline]] inline const char* TextEnd(const char* text, bool& plain, bool& references) const;
    [[gnu::noinline]] const char* ScanText(const char* p, bool& plain, bool& references) const;
    [[gnu::always_inline]] inline bool KeepText(int field, std::string_view text, bool plain, bool references);
    bool RootEnd();
    std::string_view NameAt(const char* p) const { return {p, NameLength(p)}; }
    void SkipSpace() { p_ = SkipSpaces(p_); }
    [[gnu::noinline]] void SetName(std::string_view text);
    [[gnu::noinline]] void SetCleanedField(int field, std::string_view text);
    void SetValue(int field, const Value& value) {
        values_[field] = value;
        present_ |= 1u << field;
    }
    void WritePlayer();

    const char* p_;
    const char* end_;
    char* out_;
    char* w_;
    // Each value points into the data, or into its cleaned copy when it needed cleaning.
    std::array<Value, FieldCount> values_;
    unsigned present_ = 0;  // bit per field: values_ holds this player's value
    bool cut_ = false;      // a field of this player was cut
    std::array<std::string, FieldCount> cleaned_;
    std::string decoded_;
    std::vector<KnownTag> tags_;
    int previous_ = kPlayerStart;  // the known tag just read, -1 after another element
    const char* previousEnd_ = nullptr;  // where the end tag of the known tag just read starts
    // The known tag a span may start from, -1 when none may, and where its end tag starts:
    // the elements read since are all known and not kept.
    int spanFrom_ = kPlayerStart;
    const char* spanStart_ = nullptr;
    SegmentOutcome outcome_;
};

SegmentOutcome SegmentConverter::Run(SegmentState start) {
    if (start == SegmentState::Prologue && !Prologue()) return outcome_;
    if (start == SegmentState::Finished) return outcome_;
    for (;;) {
        SkipSpace();
        if (p_ >= end_) {
            outcome_.ok = true;
            outcome_.endState = SegmentState::BetweenPlayers;
            break;
        }
        if (*p_ != '<') return outcome_;
        if (p_[1] == '/') {
            if (!RootEnd()) return outcome_;
            SkipSpace();  // after the root only white space
            outcome_.ok = p_ == end_;
            outcome_.endState = SegmentState::Finished;
            break;
        }
        if (!Player()) return outcome_;
    }
    outcome_.outputBytes = static_cast<std::size_t>(w_ - out_);
    return outcome_;
}

// An optional byte-order mark and declaration, then the root's start tag.
bool SegmentConverter::Prologue() {
    if (std::string_view(p_, static_cast<std::size_t>(end_ - p_)).substr(0, kUtf8Bom.size()) == kUtf8Bom) p_ += kUtf8Bom.size();
    if (end_ - p_ >= 5 && std::string_view(p_, 5) == "<?xml") {
        std::string_view rest(p_, static_cast<std::size_t>(end_ - p_));
        std::size_t close = rest.find('>');
        if (close == std::string_view::npos || !IsPlainDeclaration(rest.substr(1, close - 1))) return false;
        p_ += close + 1;
    }
    SkipSpace();
    if (p_ >= end_ || *p_ != '<') return false;
    std::string_view root = NameAt(p_ + 1);
    if (root.empty() || IsPlayerTag(root)) return false;
    p_ += 1 + root.size();
    SkipSpace();
    if (*p_ != '>') return false;  // attributes and an empty root are expat's
    ++p_;
    outcome_.rootOpened = root;
    return true;
}

bool SegmentConverter::RootEnd() {
    std::string_view name = NameAt(p_ + 2);
    if (name.empty()) return false;
    p_ += 2 + name.size();
    SkipSpace();
    if (p_ >= end_ || *p_ != '>') return false;
    ++p_;
    outcome_.rootClosed = name;
    return true;
}

bool SegmentConverter::Player() {
    if (end_ - p_ < 8 || LoadWord<std::uint64_t>(p_) != LoadWord<std::uint64_t>("<player>")) return false;
    present_ = 0;
    cut_ = false;
    previous_ = kPlayerStart;
    spanFrom_ = kPlayerStart;
    spanStart_ = p_;
    const char* p = Joined(p_);
    for (;;) {
        if (!p) return false;
        p = SkipSpaces(p);
        if (p >= end_ || *p != '<') return false;  // text beside the elements is expat's
        if (p[1] == '/') break;
        p = Element(p);
        if (!p) return false;
        ExtendSpan();
        if (previous_ >= 0) p = Joined(previousEnd_);
    }
    if (end_ - p < 9 || std::string_view(p, 9) != "</player>") return false;
    p_ = p + 9;
    WritePlayer();
    return true;
}

// Reads on from `at`, the end tag of the known element just read, while the
// elements are joined as last time. Returns the position after the end tag of
// the last element read, or nullptr when a text or that end tag is bad.
const char* SegmentConverter::Joined(const char* at) {
    const KnownTag* tag = &tags_[static_cast<std::size_t>(previous_)];
    const char* from = at;
    const char* text = nullptr;
    auto follow = [&](const auto& joint) {
        if (!joint.Fits(at, end_)) return false;
        text = at + joint.size();
        tag = joint.next();
        return true;
    };
    for (;;) {
        if (!follow(tag->span) && !follow(tag->joints[0]) && !follow(tag->joints[1])) break;
        bool plain = true;
        bool references = false;
        at = TextEnd(text, plain, references);
        if (!at || !KeepText(tag->field, std::string_view(text, static_cast<std::size_t>(at - text)), plain, references))
            return nullptr;
    }
    previous_ = static_cast<int>(tag - tags_.data());
    if (at != from) {  // a span may start from the element reached
        spanFrom_ = previous_;
        spanStart_ = at;
    }
    const TagPattern& close = tag->close;
    if (end_ - at < static_cast<std::ptrdiff_t>(close.size()) || !close.Matches(at)) return nullptr;
    previousEnd_ = at;
    return at + close.size();
}

// Remembers the bytes from the end tag of the known element just read to
// nextTagEnd as its joint to next.
void SegmentConverter::LearnJoint(const char* nextTagEnd, int next) {
    if (previous_ < 0) return;
    auto& joints = tags_[static_cast<std::size_t>(previous_)].joints;
    const KnownTag* tag = &tags_[static_cast<std::size_t>(next)];
    if (joints[0].next() != tag) joints[1] = joints[0];
    joints[0].Set(std::string_view(previousEnd_, static_cast<std::size_t>(nextTagEnd - previousEnd_)), tag);
    if (spanFrom_ >= 0 && spanFrom_ != previous_)
        tags_[static_cast<std::size_t>(spanFrom_)].span.Set(
            std::string_view(spanStart_, static_cast<std::size_t>(nextTagEnd - spanStart_)), tag);
}

// After an element read on its own: a span goes on over a known element that
// is not kept, while it has room; any other element is where the next may start.
void SegmentConverter::ExtendSpan() {
    bool passable = previous_ >= 0 && tags_[static_cast<std::size_t>(previous_)].field < 0 &&
                    previousEnd_ - spanStart_ < static_cast<std::ptrdiff_t>(kWidestSpan);
    if (spanFrom_ >= 0 && passable) return;
    spanFrom_ = previous_;
    spanStart_ = previousEnd_;
}

// The element at p inside a player, holding only text or empty; returns the
// position after it, or nullptr when it is no such element.
const char* SegmentConverter::Element(const char* p) {
    const KnownTag* expected = previous_ >= 0 ? tags_[static_cast<std::size_t>(previous_)].joints[0].next() : nullptr;
    if (expected && expected->open.Matches(p)) {
        int index = static_cast<int>(expected - tags_.data());
        LearnJoint(p + expected->open.size(), index);
        previous_ = index;
        return KnownElement(p + expected->open.size(), *expected);
    }
    return UnexpectedElement(p);
}

// An element other than the one that followed last time: most often a known one.
const char* SegmentConverter::UnexpectedElement(const char* p) {
    for (std::size_t i = 1; i < tags_.size(); ++i)
        if (tags_[i].open.Matches(p)) return Followed(p, static_cast<int>(i));
    return OtherElement(p);
}

// The known element at p followed the previous one against the guess.
const char* SegmentConverter::Followed(const char* p, int index) {
    const KnownTag& tag = tags_[static_cast<std::size_t>(index)];
    LearnJoint(p + tag.open.size(), index);
    previous_ = index;
    return KnownElement(p + tag.open.size(), tag);
}

// The text and end tag of a known element whose start tag ends before text.
const char* SegmentConverter::KnownElement(const char* text, const KnownTag& tag) {
    bool plain = true;
    bool references = false;
    const char* close = TextEnd(text, plain, references);
    std::size_t n = tag.close.size();
    if (!close || end_ - close < static_cast<std::ptrdiff_t>(n) || !tag.close.Matches(close)) return nullptr;
    previousEnd_ = close;
    std::string_view value(text, static_cast<std::size_t>(close - text));
    return KeepText(tag.field, value, plain, references) ? close + n : nullptr;
}

// Any other element: read by its parts, and learned for next time.
const char* SegmentConverter::OtherElement(const char* p) {
    std::string_view name = NameAt(p + 1);
    const char* q = p + 1 + name.size();
    bool simple = *q == '>';  // neither blanks in the tag nor an empty element
    bool empty = false;
    if (!simple) {
        q = SkipSpaces(q);
        empty = *q == '/';
        q += empty ? 1 : 0;
        if (*q != '>') return nullptr;
    }
    if (name.empty() || IsPlayerTag(name)) return nullptr;
    int field = PlayerFieldOfTag(name);
    int learned = simple ? Learn(name, field) : -1;
    if (learned > 0) LearnJoint(q + 1, learned);
    previous_ = learned;
    const char* text = q + 1;
    if (empty) {
        if (field >= 0) present_ &= ~(1u << field);
        return text;
    }
    bool plain = true;
    bool references = false;
    const char* close = TextEnd(text, plain, references);
    std::size_t n = name.size();
    if (!close || end_ - close < static_cast<std::ptrdiff_t>(n + 3) || close[1] != '/' || close[2 + n] != '>' ||
        !SameName(std::string_view(close + 2, n), name))
        return nullptr;
    previousEnd_ = close;
    std::string_view value(text, static_cast<std::size_t>(close - text));
    return KeepText(field, value, plain, references) ? close + 3 + n : nullptr;
}

// The index of the known tag for name, added when new; -1 when there is no room.
int SegmentConverter::Learn(std::string_view name, int field) {
    for (std::size_t i = 1; i < tags_.size(); ++i)
        if (tags_[i].name == name) return static_cast<int>(i);
    if (tags_.size() >= kMaxKnownTags || name.size() > kMaxKnownNameLength) return -1;
    std::string open = "<" + std::string(name) + ">";
    std::string close = "</" + std::string(name) + ">";
    assert(tags_.size() < tags_.capacity() && "joints point into tags_, which must not move");
    tags_.push_back({std::string(name), TagPattern(open), TagPattern(close), field, {}, {}});
    return static_cast<int>(tags_.size() - 1);
}

// The "<" ending the text at p, or nullptr when the text is no plain XML text.
const char* SegmentConverter::TextEnd(const char* text, bool& plain, bool& references) const {
    const char* close = FindTextStop(text);
    return *close == '<' ? close : ScanText(close, plain, references);
}

// TextEnd's slower part, from the first byte that needs a look on. plain: the
// text holds only printable characters.
const char* SegmentConverter::ScanText(const char* p, bool& plain, bool& references) const {
    for (;;) {
        p = FindTextStop(p);
        auto c = static_cast<unsigned char>(*p);
        if (c == '<') return p;
        plain = plain && c >= 0x80;  // letters of other scripts need no cleaning, the others may
        std::size_t n = TextCharLength(reinterpret_cast<const unsigned char*>(p),
                                       reinterpret_cast<const unsigned char*>(end_), references);
        if (n == 0) return nullptr;
        p += n;
    }
}

// Keeps the text of an element as its field's value; false for a bad reference.
bool SegmentConverter::KeepText(int field, std::string_view text, bool plain, bool references) {
    // References are checked even where the text is not kept: a bad one makes the file broken.
    if (references && !DecodeReferences(text, decoded_)) return false;
    if (field < 0) return true;
    if (field == Name && plain) SetName(text);
    else if (plain && text.size() <= static_cast<std::size_t>(FieldChars(field)) && IsTidy(text))
        SetValue(field, {text, {}});
    else SetCleanedField(field, text);
    return true;
}

// FIDE writes "Surname, First names": without the comma that is two pieces.
void SegmentConverter::SetName(std::string_view text) {
    if (text.size() > 32) return SetCleanedField(Name, text);
    std::uint32_t blanks = ByteMask32(text, ' ');
    std::uint32_t commas = ByteMask32(text, ',');
    if (!IsTidy(blanks, text.size())) return SetCleanedField(Name, text);
    if (commas == 0) {
        SetValue(Name, {text, {}});
        return;
    }
    auto comma = static_cast<unsigned>(__builtin_ctz(commas));
    bool single = (commas & (commas - 1)) == 0;
    if (single && comma > 0 && (blanks >> (comma - 1) & 1) == 0 && (blanks >> (comma + 1) & 1) != 0)
        SetValue(Name, {text.substr(0, comma), text.substr(comma + 1)});
    else
        SetCleanedField(Name, text);
}

void SegmentConverter::SetCleanedField(int field, std::string_view text) {
    std::string& cleaned = cleaned_[field];
    cleaned.clear();
    cut_ = AppendFieldValue(text, field, cleaned) || cut_;
    SetValue(field, {cleaned, {}});
}

// The line is never longer than the player element it comes from, so it fits
// in the room the caller gives.
void SegmentConverter::WritePlayer() {
    // Without a FIDE identifier the line could not be told from any other.
    if ((present_ & (1u << FideId)) == 0 || values_[FideId].head.empty()) return;
    char* w = w_;
    for (unsigned field = 0; field < FieldCount; ++field) {
        if (present_ & (1u << field)) {
            const Value& value = values_[field];
            w = CopyPiece(w, value.head);
            if (!value.tail.empty()) w = CopyPiece(w, value.tail);  // only names have one
        }
        *w++ = '|';
    }
    *w++ = '\r';
    *w++ = '\n';
    w_ = w;
    ++outcome_.players;
    outcome_.playersCut += cut_ ? 1 : 0;
}

}  // namespace

SegmentOutcome ConvertPlayerListSegment(std::string_view data, SegmentState start, char* out) {
    assert(data.data()[data.size()] == '<' && "the padding after the data starts with '<'");
    return SegmentConverter(data, out).Run(start);
}

}  // namespace veltrun
