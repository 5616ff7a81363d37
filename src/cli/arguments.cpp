#include "cli/arguments.h"

#include <algorithm>

#include "store/text_utils.h"

namespace veltrun::cli {

namespace {

bool IsOption(const std::string& word) { return word.size() > 1 && word[0] == '-' && !IsAllDigits(word.substr(1)); }

// "--name=value" is accepted as well as "--name value".
std::pair<std::string, std::optional<std::string>> SplitInline(const std::string& word) {
    auto eq = word.find('=');
    if (word.rfind("--", 0) == 0 && eq != std::string::npos) return {word.substr(0, eq), word.substr(eq + 1)};
    return {word, std::nullopt};
}

// Takes the global option at argv[i] (and its value) into options; false
// when argv[i] is not one of them.
bool TakeGlobalOption(const std::vector<std::string>& argv, size_t& i, GlobalOptions& options) {
    // Plain variables, not a structured binding: lambdas cannot capture those in clang.
    auto split = SplitInline(argv[i]);
    const std::string name = split.first;
    const std::optional<std::string> inlineValue = split.second;
    auto takeValue = [&]() -> std::string {
        if (inlineValue) return *inlineValue;
        if (i + 1 >= argv.size()) throw UsageError("Option " + name + " needs a value.");
        return argv[++i];
    };
    if (name == "--home") options.home = takeValue();
    else if (name == "--lang") options.lang = takeValue();
    else if (name == "--yes") options.answer = true;
    else if (name == "--no") options.answer = false;
    else return false;
    return true;
}

}  // namespace

GlobalOptions ParseGlobalOptions(const std::vector<std::string>& argv) {
    GlobalOptions options;
    size_t i = 0;
    for (; i < argv.size(); ++i) {
        if (TakeGlobalOption(argv, i, options)) continue;
        const std::string& word = argv[i];
        if (word == "--help" || word == "-h") options.help = true;
        else if (word == "--version") options.version = true;
        else if (IsOption(word)) throw UsageError("Unknown option " + word + ".");
        else break;
    }
    if (i >= argv.size()) return options;
    options.command = argv[i];
    // The global options may also follow the command ("pair T --yes"), up to a "--".
    for (++i; i < argv.size(); ++i) {
        if (argv[i] == "--") {
            options.rest.insert(options.rest.end(), argv.begin() + static_cast<long>(i), argv.end());
            break;
        }
        if (!TakeGlobalOption(argv, i, options)) options.rest.push_back(argv[i]);
    }
    return options;
}

CommandArgs::CommandArgs(const std::vector<std::string>& rest, const std::vector<OptionSpec>& allowed) {
    bool onlyPositional = false;
    for (size_t i = 0; i < rest.size(); ++i) {
        const std::string& word = rest[i];
        if (onlyPositional || !IsOption(word)) {
            positional_.push_back(word);
            continue;
        }
        if (word == "--") {
            onlyPositional = true;
            continue;
        }
        auto split = SplitInline(word);
        const std::string name = split.first;
        const std::optional<std::string> inlineValue = split.second;
        if (name == "--help" || name == "-h") {
            help_ = true;
            continue;
        }
        auto option = std::find_if(allowed.begin(), allowed.end(), [&](const OptionSpec& o) { return o.name == name; });
        if (option == allowed.end()) throw UsageError("Unknown option " + name + ".");
        if (!option->takesValue) {
            if (inlineValue) throw UsageError("Option " + name + " takes no value.");
            values_[name] = "";
            continue;
        }
        if (inlineValue) {
            values_[name] = *inlineValue;
        } else {
            if (i + 1 >= rest.size()) throw UsageError("Option " + name + " needs a value.");
            values_[name] = rest[++i];
        }
    }
}

std::string CommandArgs::Value(const std::string& name, const std::string& fallback) const {
    auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

int CommandArgs::IntValue(const std::string& name, int fallback) const {
    auto it = values_.find(name);
    if (it == values_.end()) return fallback;
    int value = 0;
    if (!TryParseInt(it->second, value)) throw UsageError("Option " + name + " needs a whole number, not \"" + it->second + "\".");
    return value;
}

}  // namespace veltrun::cli
