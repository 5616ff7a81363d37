#include "reports/number_text.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "store/tournament.h"

namespace veltrun {
namespace {

// Adds one unit to the last digit of a digit string, carrying leftwards.
void IncrementDigits(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] < '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

std::string DefaultNumberText(double value) {
    if (value == 0) value = 0.0;  // never "-0"
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

std::string FixedText(double value, int decimals) {
    if (!std::isfinite(value)) return DefaultNumberText(value);
    if (decimals < 0) decimals = 0;
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t point = text.find('.');
    std::string whole(text.substr(0, point));
    std::string fraction(point == std::string_view::npos ? "" : text.substr(point + 1));
    bool roundUp = fraction.size() > static_cast<size_t>(decimals) && fraction[decimals] >= '5';
    fraction.resize(static_cast<size_t>(decimals), '0');
    std::string digits = whole + fraction;
    if (roundUp) IncrementDigits(digits);
    whole = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
    fraction = digits.substr(digits.size() - static_cast<size_t>(decimals));
    std::string out = whole;
    if (decimals > 0) out += "." + fraction;
    if (value < 0 && out.find_first_not_of("0.") != std::string::npos) out.insert(out.begin(), '-');
    return out;
}

std::string PointsText(const Tournament& t, double points) {
    return t.PointsType == "3-1-0" ? DefaultNumberText(points) : FixedText(points, 1);
}

}  // namespace veltrun
