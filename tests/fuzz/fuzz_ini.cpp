// Settings and options files: reading never fails on any bytes, and writing
// one key changes that key only.
#include "fuzz_support.h"
#include "store/ini_file.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    auto file = fuzz::ScratchFolder() / "settings.ini";
    fuzz::WriteBytes(file, input);
    IniReadString(file, "Options", "Language");
    std::string otherBefore = IniReadString(file, "Reports", "HtmlSuffix");
    // A line over the length limit is refused with a message.
    if (fuzz::Refused([&] { IniWriteString(file, "Options", "Language", "Deutsch.txt"); })) return;
    fuzz::Require(IniReadString(file, "Options", "Language") == "Deutsch.txt", "written key reads back");
    fuzz::Require(IniReadString(file, "Reports", "HtmlSuffix") == otherBefore, "other key unchanged");
}
