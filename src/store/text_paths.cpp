// Path texts, folders and the date stamp of text_utils.h. Files written on
// Windows name paths with "\", so both separators are accepted.
#include <ctime>
#include <filesystem>
#include <system_error>

#include "store/errors.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

std::size_t LastSeparator(std::string_view path) { return path.find_last_of("\\/"); }

}  // namespace

std::string ExtractDirPart(std::string_view path) {
    std::size_t pos = LastSeparator(path);
    if (pos == std::string_view::npos || pos == 0) return {};
    return std::string(path.substr(0, pos));
}

std::string ExtractNamePart(std::string_view path) {
    std::size_t pos = LastSeparator(path);
    if (pos == std::string_view::npos || pos == 0) return {};
    if (pos + 1 == path.size()) return std::string(1, path[pos]);
    return std::string(path.substr(pos + 1));
}

std::string ExtractExtPart(std::string_view name) {
    std::size_t pos = name.rfind('.');
    if (pos == std::string_view::npos || pos == 0) return " ";
    if (pos + 1 == name.size()) return ".";
    return std::string(name.substr(pos + 1));
}

bool HasForbiddenNameChar(std::string_view name) { return name.find_first_of("\\/:*?\"<>|") != std::string_view::npos; }

bool DirectoryExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

void ForceDirectories(const std::string& path) {
    if (path.empty()) throw myException("Cannot create a folder with an empty name.");
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error || !DirectoryExists(path)) {
        std::string reason = error ? error.message() : "a file of that name exists";
        throw myException("Cannot create the folder \"" + path + "\": " + reason);
    }
}

std::string DateStamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return PadLeft(std::to_string(local.tm_year + 1900), "0", 4) + PadLeft(std::to_string(local.tm_mon + 1), "0", 2) +
           PadLeft(std::to_string(local.tm_mday), "0", 2);
}

}  // namespace veltrun
