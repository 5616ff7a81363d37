#pragma once
// The file layer lies below the session, yet its messages must be in the
// director's language and some of what it finds is a warning. The session
// lends it both for as long as it lives; without one (tests of the file layer
// alone) texts stay English and warnings go nowhere.
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace veltrun {

struct Translation;

using FileWarningFn = std::function<void(const std::string&)>;

// The newest lender is used; ending it returns to the one before.
void LendFileNotices(const void* owner, const Translation* translation, FileWarningFn warn);
void EndFileNotices(const void* owner);

std::string FileText(int id, std::string_view english);
// "The file "/path/name"" in the director's language.
std::string TheFile(const std::filesystem::path& file);
// Shows the warning once per run for this file and kind of finding.
void WarnOnceAboutFile(const std::filesystem::path& file, std::string_view kind, const std::string& text);

}  // namespace veltrun
