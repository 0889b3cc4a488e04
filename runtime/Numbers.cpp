#include "runtime/Numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace runtime {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigitIn(char c, int radix) {
    const int upper = std::toupper(static_cast<unsigned char>(c));
    if (radix == 16)
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    return upper >= '0' && upper < '0' + radix;
}

int DigitValue(char c) {
    const int upper = std::toupper(static_cast<unsigned char>(c));
    return upper <= '9' ? upper - '0' : upper - 'A' + 10;
}

// "&H" and "&O" numbers are whole numbers read as the classic conversion reads them: values
// that fit 16 bits are signed 16-bit, values that fit 32 bits signed 32-bit, so "&HFFFF" is -1.
double ReadRadix(const std::string& s, std::size_t pos, int radix) {
    double value = 0;
    for (; pos < s.size() && IsDigitIn(s[pos], radix); ++pos)
        value = value * radix + DigitValue(s[pos]);
    if (value <= 0xFFFF)
        return value >= 0x8000 ? value - 0x10000 : value;
    if (value <= 0xFFFFFFFFu)
        return value >= 0x80000000u ? value - 4294967296.0 : value;
    return value;
}

// Copies the longest decimal number at the start of `s` into a form strtod reads: sign,
// digits, one point, digits, then an exponent (E or D) with its own sign and digits.
std::string DecimalPrefix(const std::string& s) {
    std::string out;
    std::size_t i = 0;
    auto digits = [&] {
        bool any = false;
        for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i, any = true)
            out += s[i];
        return any;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        out += s[i++];
    bool mantissa = digits();
    if (i < s.size() && s[i] == '.') {
        out += s[i++];
        mantissa = digits() || mantissa;
    }
    if (!mantissa)
        return "0";
    if (i < s.size() && (std::toupper(static_cast<unsigned char>(s[i])) == 'E' ||
                         std::toupper(static_cast<unsigned char>(s[i])) == 'D')) {
        const std::size_t mark = out.size();
        out += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            out += s[i++];
        if (!digits())
            out.resize(mark);
    }
    return out;
}

// from_chars rather than strtod: the point is the separator whatever locale the user
// interface has set, and from_chars reads no sign of its own.
double ParseDecimal(const std::string& number) {
    const bool negative = number[0] == '-';
    const std::size_t start = (negative || number[0] == '+') ? 1 : 0;
    double value = 0;
    const auto [end, ec] =
        std::from_chars(number.data() + start, number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        const auto e = number.find('e');
        const bool tiny = e != std::string::npos && number.find('-', e) != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    std::string s;
    for (char c : text)
        if (!IsBlank(c))
            s += c;
    if (s.size() >= 2 && s[0] == '&') {
        const int upper = std::toupper(static_cast<unsigned char>(s[1]));
        if (upper == 'H')
            return ReadRadix(s, 2, 16);
        if (upper == 'O')
            return ReadRadix(s, 2, 8);
    }
    return ParseDecimal(DecimalPrefix(s));
}

double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest < 0.5)
        return below;
    if (rest > 0.5)
        return below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::optional<std::int32_t> ToInt32HalfEven(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace runtime
