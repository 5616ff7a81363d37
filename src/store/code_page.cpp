#include "store/code_page.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <array>
#include <memory>
#include <mutex>

#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

using Table = std::array<char32_t, 256>;

struct CodePage {
    std::string name;
    Table table;
};

// A table of all 256 bytes, so that decoding needs no converter and no lock
// beyond taking the current table.
std::unique_ptr<Table> BuildTable(const std::string& name) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(name.c_str(), &status);
    if (U_FAILURE(status) || !converter) return nullptr;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> owner(converter, ucnv_close);
    if (ucnv_getMaxCharSize(converter) != 1) return nullptr;
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &status);
    auto table = std::make_unique<Table>();
    for (int byte = 0; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        UChar out[4] = {};
        status = U_ZERO_ERROR;
        ucnv_reset(converter);
        int32_t length = ucnv_toUChars(converter, out, 4, &in, 1, &status);
        char32_t c = U_SUCCESS(status) && length == 1 ? out[0] : 0xFFFD;
        if (c == 0x1A && byte != 0x1A) c = 0xFFFD;  // the substitution character of some converters
        // Our files are ASCII in their structure ("|", digits, keys).
        if (byte < 0x80 && c != static_cast<char32_t>(byte)) return nullptr;
        (*table)[byte] = c;
    }
    return table;
}

std::mutex lock;
std::shared_ptr<const CodePage> current;

std::shared_ptr<const CodePage> Current() {
    std::lock_guard guard(lock);
    if (!current) {
        auto table = BuildTable(std::string(DefaultNonUtf8CodePage));
        if (table) current = std::make_shared<const CodePage>(CodePage{std::string(DefaultNonUtf8CodePage), *table});
    }
    return current;
}

}  // namespace

bool UseCodePageForNonUtf8(std::string_view name) {
    std::string wanted = Trim(name);
    bool known = true;
    std::unique_ptr<Table> table;
    if (!wanted.empty()) table = BuildTable(wanted);
    if (!table) {
        known = wanted.empty();
        wanted = std::string(DefaultNonUtf8CodePage);
        table = BuildTable(wanted);
    }
    if (table) {
        std::lock_guard guard(lock);
        current = std::make_shared<const CodePage>(CodePage{wanted, *table});
    }
    return known;
}

std::string CodePageForNonUtf8() {
    auto page = Current();
    return page ? page->name : std::string(DefaultNonUtf8CodePage);
}

std::string NonUtf8ToUtf8(std::string_view bytes) {
    auto page = Current();
    if (!page) return Cp1250ToUtf8(bytes);  // an ICU without its data: the built-in table
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char b : bytes) AppendUtf8(page->table[static_cast<unsigned char>(b)], out);
    return out;
}

}  // namespace veltrun
