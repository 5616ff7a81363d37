#pragma once
// FIDE's players list has one plain shape: a declaration, a root element, and
// in it nothing but <player> elements holding elements with text. A piece of
// such a file that starts at a <player> tag can be converted without knowing
// what came before it, so the pieces (segments) are converted side by side.
// Whatever falls outside that shape makes the segment fail; the caller then
// leaves the file to expat.
#include <cstddef>
#include <string>
#include <string_view>

namespace veltrun {

// Where a segment starts or ends in the file's shape.
enum class SegmentState { Prologue, BetweenPlayers, Finished };

struct SegmentOutcome {
    bool ok = false;  // false: something outside the plain shape, or an error
    SegmentState endState = SegmentState::Prologue;
    long long players = 0;
    long long playersCut = 0;  // written with a field cut to its longest length
    std::size_t outputBytes = 0;
    std::string rootOpened;  // the root's name, from the segment with its start tag
    std::string rootClosed;  // the name in the root's end tag, from the segment with it
};

// The byte after a segment's data must be '<', and this many bytes from it on
// must be readable. The '<' stops every scan at the end without a bounds check
// each step; the rest is room for the widest load that may start inside the
// data: two sixteen-byte loads over a name of up to 32 bytes.
constexpr std::size_t kWidestLoad = 32;
constexpr std::size_t kSegmentPadding = 64;
static_assert(kSegmentPadding >= kWidestLoad);

// Writes the elo.txt lines of the segment's players (with CR LF) to out, which
// must have room for data.size() + kSegmentPadding bytes: no line is longer
// than the player element it comes from.
SegmentOutcome ConvertPlayerListSegment(std::string_view data, SegmentState start, char* out);

}  // namespace veltrun
