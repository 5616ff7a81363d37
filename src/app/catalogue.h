#pragma once
// The message catalogue: every identifier with its built-in English text.
#include <string_view>
#include <vector>

namespace veltrun {

struct CatalogueEntry {
    int id;
    std::string_view english;
};

// All entries, ordered by identifier.
const std::vector<CatalogueEntry>& MessageCatalogue();
// The English text of an identifier; empty when the identifier is unused.
std::string_view EnglishText(int id);

}  // namespace veltrun
