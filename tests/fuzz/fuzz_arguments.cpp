// The command-line parser: any words either parse or give a usage error.
#include "cli/arguments.h"
#include "fuzz_support.h"

using namespace veltrun;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) words.emplace_back();
        else words.back().push_back(static_cast<char>(data[i]));
    }
    try {
        auto global = cli::ParseGlobalOptions(words);
        cli::CommandArgs args(global.rest, {{"--rounds", true, ""}, {"--dry-run", false, ""}, {"--tb", true, ""}});
        args.IntValue("--rounds", 0);
        fuzz::Require(args.Positional().size() <= global.rest.size(), "no invented arguments");
    } catch (const cli::UsageError&) {
    }
    return 0;
}
