// The line reader: any bytes decode to valid UTF-8 lines, and those lines
// survive a write and a read unchanged.
#include <fstream>

#include "fuzz_support.h"
#include "store/errors.h"
#include "store/text_file.h"

using namespace veltrun;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = fuzz::ScratchFolder() / "lines.txt";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    std::vector<std::string> lines;
    try {
        lines = ReadTextLines(file);
    } catch (const myException&) {
        return 0;
    }
    for (auto& line : lines) {
        fuzz::Require(IsValidUtf8(line), "decoded lines are UTF-8");
        fuzz::Require(line.find_first_of("\r\n") == std::string::npos, "no line end inside a line");
    }
    WriteTextLines(file, lines);
    auto again = ReadTextLines(file);
    fuzz::Require(again == lines, "write and read give the same lines");
    return 0;
}
