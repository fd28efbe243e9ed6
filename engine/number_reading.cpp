#include "number_reading.h"

#include "text_rules.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace cellwright {

namespace {

// Walks the text one character at a time, skipping blanks wherever they stand.
class Scanner {
public:
    explicit Scanner(std::u16string_view text)
        : text(text)
    {
    }

    char16_t Peek()
    {
        while (pos < text.size() && IsNumberBlank(text[pos]))
            ++pos;
        return pos < text.size() ? text[pos] : u'\0';
    }
    void Take() { ++pos; }

private:
    std::u16string_view text;
    size_t pos = 0;
};

int DigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return 99;
}

double ReadRadix(Scanner &scan, int radix)
{
    double value = 0;
    while (DigitValue(scan.Peek()) < radix) {
        value = value * radix + DigitValue(scan.Peek());
        scan.Take();
    }
    return value;
}

// The "C" locale, made once.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    return c;
}

// For a decimal number with at least one nonzero digit: the power of ten p with
// 10^(p-1) <= |value| < 10^p, saturated far beyond the range of a double.
long OrderOfMagnitude(std::string_view number)
{
    const size_t e = number.find('e');
    long exponent = 0;
    if (e != std::string_view::npos) {
        for (const char c : number.substr(e + 1)) {
            if (c >= '0' && c <= '9')
                exponent = std::min(exponent * 10 + (c - '0'), 100000000L);
        }
        if (number.substr(e + 1).starts_with('-'))
            exponent = -exponent;
    }
    long digitsBeforePoint = 0, digits = 0, firstNonzero = -1;
    bool point = false;
    for (const char c : number.substr(0, e)) {
        if (c == '.') {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (c != '0' && firstNonzero < 0)
                firstNonzero = digits;
            ++digits;
            if (!point)
                ++digitsBeforePoint;
        }
    }
    return digitsBeforePoint - firstNonzero + exponent;
}

} // namespace

double ReadNumber(std::u16string_view text)
{
    Scanner scan(text);

    if (scan.Peek() == u'&') {
        scan.Take();
        const char16_t kind = scan.Peek();
        if (kind == u'H' || kind == u'h') {
            scan.Take();
            return ReadRadix(scan, 16);
        }
        if (kind == u'O' || kind == u'o') {
            scan.Take();
            return ReadRadix(scan, 8);
        }
        return 0;
    }

    // Collect the decimal number without its blanks, then let the C library do the exact
    // rounding.
    std::string collected;
    if (scan.Peek() == u'+' || scan.Peek() == u'-') {
        if (scan.Peek() == u'-')
            collected += '-';
        scan.Take();
    }
    bool digits = false;
    bool period = false;
    for (char16_t c = scan.Peek();; c = scan.Peek()) {
        if (c >= u'0' && c <= u'9') {
            collected += static_cast<char>(c);
            digits = true;
        } else if (c == u'.' && !period) {
            collected += '.';
            period = true;
        } else {
            break;
        }
        scan.Take();
    }
    if (!digits)
        return 0;

    if (scan.Peek() == u'E' || scan.Peek() == u'e') {
        std::string exponent = "e";
        scan.Take();
        if (scan.Peek() == u'+' || scan.Peek() == u'-') {
            exponent += static_cast<char>(scan.Peek());
            scan.Take();
        }
        bool exponentDigits = false;
        while (scan.Peek() >= u'0' && scan.Peek() <= u'9') {
            exponent += static_cast<char>(scan.Peek());
            exponentDigits = true;
            scan.Take();
        }
        if (exponentDigits)
            collected += exponent;
    }

    // strtod rounds exactly; in the "C" locale the period is the decimal point whatever the
    // program's own locale is.
    errno = 0;
    double value = strtod_l(collected.c_str(), nullptr, CLocale());
    if (errno == ERANGE) {
        // Which way it went out of range follows from the decimal order of magnitude, not from
        // the exponent's sign alone (0.000…01 underflows without any exponent).
        const bool negative = collected.front() == '-';
        value = OrderOfMagnitude(collected) > 0 ? HUGE_VAL : 0.0;
        if (negative)
            value = -value;
    }
    return value;
}

std::optional<int16_t> RoundToInt16(double value)
{
    if (!(value >= -32768.5 && value <= 32767.5))
        return std::nullopt;
    // Halves to even, by hand: within this range the fraction is exact, and the program then
    // needs no maths library at all.
    long whole = static_cast<long>(value); // toward zero
    const double fraction = value - static_cast<double>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0))
        ++whole;
    else if (fraction < -0.5 || (fraction == -0.5 && whole % 2 != 0))
        --whole;
    if (whole < -32768 || whole > 32767)
        return std::nullopt;
    return static_cast<int16_t>(whole);
}

} // namespace cellwright
