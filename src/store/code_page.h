#pragma once
// The code page in which lines that are not valid UTF-8 are read: files of
// older tools were written in one. Windows-1250 unless the settings name
// another single-byte code page.
#include <string>
#include <string_view>

namespace veltrun {

inline constexpr std::string_view DefaultNonUtf8CodePage = "windows-1250";

// Empty chooses the default. Returns false for a name that is no single-byte,
// ASCII-compatible code page known here; the default is used then.
bool UseCodePageForNonUtf8(std::string_view name);
// The name of the code page in use, as the settings gave it.
std::string CodePageForNonUtf8();
// Bytes in that code page to UTF-8.
std::string NonUtf8ToUtf8(std::string_view bytes);

}  // namespace veltrun
