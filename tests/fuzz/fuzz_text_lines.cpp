// The line reader: any bytes decode to valid UTF-8 lines, and those lines
// survive a write and a read unchanged.
#include "fuzz_support.h"
#include "store/text_file.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    auto file = fuzz::ScratchFolder() / "lines.txt";
    fuzz::WriteBytes(file, input);
    std::vector<std::string> lines;
    if (fuzz::Refused([&] { lines = ReadTextLines(file); })) return;
    for (auto& line : lines) {
        fuzz::Require(IsValidUtf8(line), "decoded lines are UTF-8");
        fuzz::Require(line.find_first_of("\r\n") == std::string::npos, "no line end inside a line");
    }
    WriteTextLines(file, lines);
    fuzz::Require(ReadTextLines(file) == lines, "write and read give the same lines");
}
