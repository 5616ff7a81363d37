#include "store/file_limits.h"

namespace veltrun {

FileTooLarge::FileTooLarge(const std::filesystem::path& file, std::uintmax_t limit)
    : myException("The file \"" + file.string() + "\" is larger than " + SizeText(limit) +
                  ", more than a file of its kind can hold."),
      file_(file),
      limit_(limit) {}

std::string SizeText(std::uintmax_t bytes) {
    using file_limit::KiB, file_limit::MiB;
    if (bytes >= MiB && bytes % MiB == 0) return std::to_string(bytes / MiB) + " MB";
    if (bytes >= KiB && bytes % KiB == 0) return std::to_string(bytes / KiB) + " KB";
    return std::to_string(bytes) + " bytes";
}

std::string CutToChars(std::string_view text, int maxChars, bool* cut) {
    std::size_t at = 0;
    for (int chars = 0; at < text.size() && chars < maxChars; ++chars) {
        ++at;
        // Continuation bytes belong to the character just begun.
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    if (cut) *cut = at < text.size();
    return std::string(text.substr(0, at));
}

}  // namespace veltrun
