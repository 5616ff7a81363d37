#include "standings/history.h"

namespace veltrun {

std::vector<std::string> HistoryPositions(std::string_view history, int count) {
    std::vector<std::string> entries(count > 0 ? static_cast<size_t>(count) : 0);
    size_t start = 0;
    for (int k = 0; k < count && start <= history.size(); ++k) {
        size_t bar = history.find('|', start);
        if (bar == std::string_view::npos) {
            entries[k] = std::string(history.substr(start));
            break;
        }
        entries[k] = std::string(history.substr(start, bar - start));
        start = bar + 1;
    }
    return entries;
}

}  // namespace veltrun
