// Month-first date text: "M/D/Y", optionally followed by "H:M" or "H:M:S" and AM or PM.
#include <cctype>

#include "runtime/DateValue.h"

namespace runtime {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A cursor over the text that reads the small pieces of a date.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ == text_.size(); }

    // Skips blanks; true when there was at least one.
    bool SkipBlanks() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        return pos_ != start;
    }

    bool Take(char c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // One to `maxDigits` decimal digits; the count read goes to `digits`.
    bool Number(int maxDigits, int& value, int& digits) {
        value = 0;
        digits = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            if (++digits > maxDigits)
                return false;
            value = value * 10 + (text_[pos_++] - '0');
        }
        return digits > 0;
    }

    bool Number(int maxDigits, int& value) {
        int digits = 0;
        return Number(maxDigits, value, digits);
    }

    // "AM" or "PM" in any case: 0 for none, 1 for AM, 2 for PM.
    int Meridiem() {
        if (text_.size() - pos_ < 2)
            return 0;
        const char first = static_cast<char>(std::toupper(static_cast<unsigned char>(text_[pos_])));
        const char second =
            static_cast<char>(std::toupper(static_cast<unsigned char>(text_[pos_ + 1])));
        if (second != 'M' || (first != 'A' && first != 'P'))
            return 0;
        pos_ += 2;
        return first == 'A' ? 1 : 2;
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// A year has at most four digits in the text and at least three once expanded.
bool IsReadableDate(const CivilDateTime& t) {
    return t.year >= 100 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= DaysInMonth(t.year, t.month);
}

// Years written with one or two digits: 00-29 are the 2000s, 30-99 the 1900s.
int ExpandYear(int year, int digits) {
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

bool ReadDatePart(Reader& r, CivilDateTime& t) {
    int yearDigits = 0;
    if (!r.Number(2, t.month) || !r.Take('/') || !r.Number(2, t.day) || !r.Take('/') ||
        !r.Number(4, t.year, yearDigits))
        return false;
    t.year = ExpandYear(t.year, yearDigits);
    return IsReadableDate(t);
}

bool ApplyMeridiem(int meridiem, int& hour) {
    if (meridiem == 0)
        return hour <= 23;
    if (hour > 12)
        return false;
    if (hour == 12)
        hour = 0;
    if (meridiem == 2)
        hour += 12;
    return true;
}

bool ReadTimePart(Reader& r, CivilDateTime& t) {
    t.second = 0;
    if (!r.Number(2, t.hour) || !r.Take(':') || !r.Number(2, t.minute))
        return false;
    if (r.Take(':') && !r.Number(2, t.second))
        return false;
    if (t.minute > 59 || t.second > 59)
        return false;
    r.SkipBlanks();
    return ApplyMeridiem(r.Meridiem(), t.hour);
}

}  // namespace

bool TryParseMonthFirst(std::string_view text, DateValue& out) {
    Reader r(text);
    CivilDateTime t;
    t.hour = t.minute = t.second = 0;
    r.SkipBlanks();
    if (!ReadDatePart(r, t))
        return false;
    const bool gap = r.SkipBlanks();
    if (!r.AtEnd()) {
        if (!gap || !ReadTimePart(r, t))
            return false;
        r.SkipBlanks();
        if (!r.AtEnd())
            return false;
    }
    out = MakeDate(t);
    return true;
}

bool TryMakeDate(const CivilDateTime& parts, DateValue& out) {
    CivilDateTime t = parts;
    // Written out, a year below 100 has one or two digits and reads as such.
    if (t.year >= 0 && t.year < 100)
        t.year = ExpandYear(t.year, 2);
    if (!IsReadableDate(t) || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 ||
        t.second < 0 || t.second > 59)
        return false;
    out = MakeDate(t);
    return true;
}

DateValue MonthFirstOrDefault(std::string_view text) {
    DateValue value = kDefaultDate;
    return TryParseMonthFirst(text, value) ? value : kDefaultDate;
}

std::string FormatMonthFirst(const CivilDateTime& t) {
    return std::to_string(t.month) + "/" + std::to_string(t.day) + "/" + std::to_string(t.year) +
           " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
           std::to_string(t.second);
}

}  // namespace runtime
