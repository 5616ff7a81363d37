// Settings and options files: reading never fails on any bytes, and writing
// one key changes that key only.
#include <fstream>

#include "fuzz_support.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/text_file.h"

using namespace veltrun;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = fuzz::ScratchFolder() / "settings.ini";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::string before = IniReadString(file, "Options", "Language");
    std::string otherBefore = IniReadString(file, "Reports", "HtmlSuffix");
    try {
        IniWriteString(file, "Options", "Language", "Deutsch.txt");
    } catch (const myException&) {
        return 0;  // a line over the length limit is refused with a message
    }
    fuzz::Require(IniReadString(file, "Options", "Language") == "Deutsch.txt", "written key reads back");
    fuzz::Require(IniReadString(file, "Reports", "HtmlSuffix") == otherBefore, "other key unchanged");
    (void)before;
    return 0;
}
