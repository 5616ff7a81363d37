#include "reports/html_text.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/unistr.h>

#include <memory>
#include <optional>

#include "store/text_file.h"
#include "store/web_charsets.h"

namespace veltrun {

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out += c;
        }
    }
    return out;
}

bool EncodeForCharset(std::string_view utf8, const std::string& charset, std::string& bytes) {
    const std::optional<std::string> name = WebCharsetConverter(charset);
    if (!name) return false;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(ucnv_open(name->c_str(), &status), &ucnv_close);
    if (U_FAILURE(status) || !converter) return false;
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_ESCAPE, UCNV_ESCAPE_XML_DEC, nullptr, nullptr,
                          &status);
    if (U_FAILURE(status)) return false;

    if (ucnv_getType(converter.get()) == UCNV_UTF8 && IsValidUtf8(utf8)) {
        bytes.assign(utf8);  // already what the page declares
        return true;
    }
    const icu::UnicodeString text =
        icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    // First pass measures, second converts.
    int32_t needed = ucnv_fromUChars(converter.get(), nullptr, 0, text.getBuffer(), text.length(), &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return false;
    status = U_ZERO_ERROR;
    ucnv_reset(converter.get());
    bytes.assign(static_cast<size_t>(needed) + 1, '\0');
    const int32_t written = ucnv_fromUChars(converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
                                            text.getBuffer(), text.length(), &status);
    if (U_FAILURE(status)) return false;
    bytes.resize(static_cast<size_t>(written));
    return true;
}

}  // namespace veltrun
