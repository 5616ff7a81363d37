// The XML rating list: the segment reader and expat agree on every file, a
// failure keeps the old output file, and every line written has its nine fields.
#include <algorithm>

#include "fuzz_support.h"
#include "ratinglist/xml_rating_list.h"

using namespace veltrun;

namespace {

// The output bytes, or "!" and the kind of failure.
std::string Convert(const std::filesystem::path& xml, const std::filesystem::path& out, bool segments,
                    std::size_t segmentBytes) {
    fuzz::WriteBytes(out, "old\r\n");
    ConversionOptions options;
    options.allowQuickReader = segments;
    options.segmentBytes = segmentBytes;
    try { ConvertXmlRatingFile(xml, out, options); } catch (const XmlConversionError& e) {
        fuzz::Require(fuzz::ReadBytes(out) == "old\r\n", "a failed conversion keeps the old file");
        return "!" + std::to_string(static_cast<int>(e.kind));
    }
    return fuzz::ReadBytes(out);
}

}  // namespace

VELTRUN_FUZZ_TARGET {
    auto xml = fuzz::ScratchFolder() / "players_list.xml", out = fuzz::ScratchFolder() / "elo.txt";
    fuzz::WriteBytes(xml, input);
    // Small segments put their borders all over the input.
    std::size_t segmentBytes = 16 + (input.empty() ? 0 : static_cast<unsigned char>(input.back()));
    std::string segmented = Convert(xml, out, true, segmentBytes);
    fuzz::Require(segmented == Convert(xml, out, false, segmentBytes), "the segment reader agrees with expat");
    if (segmented.rfind("!", 0) == 0) return;
    for (size_t start = 0; start < segmented.size();) {
        size_t end = segmented.find('\n', start);
        fuzz::Require(end != std::string::npos, "every line is ended");
        std::string_view line(segmented.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) fuzz::Require(std::count(line.begin(), line.end(), '|') == 9, "nine fields in every line");
        start = end + 1;
    }
}
