// Where the program keeps its settings, tournaments and language files, and
// what it puts there on the first start.
#include <cstdlib>
#include <system_error>

#include "store/errors.h"
#include "store/file_limits.h"
#include "store/settings.h"
#include "store/text_file.h"

namespace veltrun {

namespace fs = std::filesystem;

namespace {

// The shipped data/Veltrun.ini, built in for an installation without it.
constexpr std::string_view BuiltInSettings =
#include "store/default_settings.inc"
    ;

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path ExecutableFolder(const fs::path& executable) {
    if (executable.empty()) return {};
    std::error_code ec;
    fs::path absolute = fs::absolute(executable, ec);
    return ec ? fs::path() : absolute.parent_path();
}

fs::path ChooseProgramFolder(const std::string& homeOption, const fs::path& executable) {
    if (!homeOption.empty()) return homeOption;
    if (std::string env = EnvironmentValue("VELTRUN_HOME"); !env.empty()) return env;
    // Only a portable copy keeps its files beside the program: an installed
    // one must not fill /usr/bin with tournaments just because root may write there.
    fs::path exeFolder = ExecutableFolder(executable);
    std::error_code ec;
    if (!exeFolder.empty() && fs::exists(exeFolder / "Veltrun.ini", ec)) return exeFolder;
    // A relative XDG_DATA_HOME is invalid and is ignored, as the XDG rules say.
    if (fs::path data = EnvironmentValue("XDG_DATA_HOME"); data.is_absolute()) return data / "veltrun";
    std::string home = EnvironmentValue("HOME");
    if (home.empty()) throw myException("Cannot find a program folder: HOME is not set; use --home DIR.");
    return fs::path(home) / ".local" / "share" / "veltrun";
}

// Where the shipped settings and language files are found.
struct ShippedData {
    fs::path settings;
    fs::path languages;
};

// The build tree keeps them beside the executable under names that do not make
// its folder a portable copy; an installation keeps them in share/veltrun.
std::vector<ShippedData> ShippedDataFolders(const fs::path& executable) {
    fs::path exeFolder = ExecutableFolder(executable);
    if (exeFolder.empty()) return {};
    const fs::path installed = exeFolder.parent_path() / "share" / "veltrun";
    return {{exeFolder / "Veltrun.default.ini", exeFolder / "Language.default"},
            {installed / "Veltrun.ini", installed / "Language"}};
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

void InstallSettingsFile(const fs::path& programFolder, const fs::path& executable) {
    const fs::path target = programFolder / "Veltrun.ini";
    std::error_code ec;
    if (fs::exists(target, ec)) return;
    std::vector<std::string> lines = SplitLines(BuiltInSettings);
    for (const auto& shipped : ShippedDataFolders(executable)) {
        if (fs::is_regular_file(shipped.settings, ec)) {
            lines = ReadTextLines(shipped.settings, file_limit::SettingsFile);
            break;
        }
    }
    WriteTextLines(target, lines);
}

// Copies every shipped language file that the program folder lacks; the
// director's own edits of an existing file are kept.
void InstallLanguageFiles(const fs::path& programFolder, const fs::path& executable) {
    std::error_code ec;
    for (const auto& shipped : ShippedDataFolders(executable)) {
        if (!fs::is_directory(shipped.languages, ec)) continue;
        fs::path target = programFolder / "Language";
        fs::create_directories(target, ec);
        for (const auto& entry : fs::directory_iterator(shipped.languages, ec)) {
            if (!entry.is_regular_file(ec)) continue;
            fs::copy_file(entry.path(), target / entry.path().filename(), fs::copy_options::skip_existing, ec);
        }
        return;
    }
}

}  // namespace

fs::path ResolveProgramFolder(const std::string& homeOption, const fs::path& executable) {
    fs::path folder = fs::absolute(ChooseProgramFolder(homeOption, executable)).lexically_normal();
    if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec))
        throw myException("Cannot create the program folder \"" + folder.string() + "\".");
    return folder;
}

void InstallDefaults(const fs::path& programFolder, const fs::path& executable) {
    InstallSettingsFile(programFolder, executable);
    InstallLanguageFiles(programFolder, executable);
}

std::filesystem::path CurrentExecutablePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : path;
}

}  // namespace veltrun
