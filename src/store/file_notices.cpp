#include "store/file_notices.h"

#include <algorithm>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "store/translation.h"

namespace veltrun {

namespace {

struct Lender {
    const void* owner;
    const Translation* translation;
    FileWarningFn warn;
};

// Readers may run on worker threads (the rating search), hence the lock.
std::mutex lock;
std::vector<Lender> lenders;
std::set<std::pair<std::string, std::string>> warned;

}  // namespace

void LendFileNotices(const void* owner, const Translation* translation, FileWarningFn warn) {
    std::lock_guard guard(lock);
    lenders.push_back({owner, translation, std::move(warn)});
    warned.clear();
}

void EndFileNotices(const void* owner) {
    std::lock_guard guard(lock);
    lenders.erase(std::remove_if(lenders.begin(), lenders.end(), [owner](const Lender& l) { return l.owner == owner; }),
                  lenders.end());
}

std::string FileText(int id, std::string_view english) {
    std::lock_guard guard(lock);
    if (lenders.empty() || !lenders.back().translation) return std::string(english);
    return lenders.back().translation->TranslateText(id, english);
}

std::string TheFile(const std::filesystem::path& file) {
    return FileText(420, "The file") + " \"" + file.string() + "\"";
}

void WarnOnceAboutFile(const std::filesystem::path& file, std::string_view kind, const std::string& text) {
    FileWarningFn warn;
    {
        std::lock_guard guard(lock);
        if (lenders.empty() || !lenders.back().warn) return;
        if (!warned.insert({file.lexically_normal().string(), std::string(kind)}).second) return;
        warn = lenders.back().warn;
    }
    warn(text);  // outside the lock: showing the warning may read files again
}

}  // namespace veltrun
