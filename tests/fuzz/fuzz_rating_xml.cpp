// The XML rating list: the segment reader and expat agree on every file, a
// failure keeps the old output file, and every line written has its nine fields.
#include <algorithm>

#include "fuzz_tournament.h"
#include "ratinglist/xml_rating_list.h"

using namespace veltrun;

namespace {

// The output bytes, or "!" and the kind of failure.
std::string Convert(const std::filesystem::path& xml, const std::filesystem::path& out, bool segments,
                    std::size_t segmentBytes) {
    fuzz::PutFile(out, "old\r\n");
    ConversionOptions options;
    options.allowQuickReader = segments;
    options.segmentBytes = segmentBytes;
    try {
        ConvertXmlRatingFile(xml, out, options);
    } catch (const XmlConversionError& e) {
        fuzz::Require(fuzz::FileBytes(out) == "old\r\n", "a failed conversion keeps the old file");
        return "!" + std::to_string(static_cast<int>(e.kind));
    }
    return fuzz::FileBytes(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto xml = fuzz::ScratchFolder() / "players_list.xml";
    auto out = fuzz::ScratchFolder() / "elo.txt";
    fuzz::PutFile(xml, std::string_view(reinterpret_cast<const char*>(data), size));
    // Small segments put their borders all over the input.
    std::size_t segmentBytes = 16 + (size > 0 ? data[size - 1] : 0);
    std::string segmented = Convert(xml, out, true, segmentBytes);
    std::string strict = Convert(xml, out, false, segmentBytes);
    fuzz::Require(segmented == strict, "the segment reader agrees with expat");
    if (segmented.rfind("!", 0) == 0) return 0;
    size_t start = 0;
    while (start < segmented.size()) {
        size_t end = segmented.find('\n', start);
        fuzz::Require(end != std::string::npos, "every line is ended");
        std::string_view line(segmented.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty())
            fuzz::Require(std::count(line.begin(), line.end(), '|') == 9, "nine fields in every line");
        start = end + 1;
    }
    return 0;
}
