// Number formatting: a fast six-digit float formatter with an exact fallback.
//
// The fast path scales the value by a power of ten in double, so that six digits
// stand before the point, and rounds. The scaled value is off by less than 1e-9,
// so wherever its fraction is not within 1e-8 of one half the rounding is the
// one the exact value gets; the rest (exact ties among them) goes to the exact,
// locale-free std::to_chars. An exhaustive test compares both on every float.
#include "number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// 10^0 .. 10^50, each the double nearest to it (exact up to 10^22).
constexpr double kPowersOfTen[] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12,
    1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23, 1e24, 1e25,
    1e26, 1e27, 1e28, 1e29, 1e30, 1e31, 1e32, 1e33, 1e34, 1e35, 1e36, 1e37, 1e38,
    1e39, 1e40, 1e41, 1e42, 1e43, 1e44, 1e45, 1e46, 1e47, 1e48, 1e49, 1e50,
};

// How close to one half the fraction of the scaled value may come before the
// rounding is left to the exact conversion.
constexpr double kTieMargin = 1e-8;

std::size_t write_word(bool negative, const char* word, char* text)
{
    std::size_t length = 0;
    if (negative) text[length++] = '-';
    const std::size_t word_length = std::strlen(word);
    std::memcpy(text + length, word, word_length);
    return length + word_length;
}

std::size_t format_exact(double value, char* text)
{
    const auto result =
        std::to_chars(text, text + kNumberTextSize, value, std::chars_format::general, 6);
    return static_cast<std::size_t>(result.ptr - text);
}

// magnitude * 10^power, rounded once (exact powers) or twice (the larger ones).
double scale_by_power_of_ten(double magnitude, int power)
{
    return power >= 0 ? magnitude * kPowersOfTen[power] : magnitude / kPowersOfTen[-power];
}

// "00" .. "99".
constexpr char kTwoDigits[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546"
    "4748495051525354555657585960616263646566676869707172737475767778798081828384858687888990919293"
    "949596979899";

// Writes the six digits of `digits` (100000 .. 999999) with the decimal exponent
// `exponent` of the first one, trailing zeros dropped, positional or scientific.
// Fixed-size copies may write up to 8 characters past the text's end, all within
// kNumberTextSize.
std::size_t write_digits(std::uint32_t digits, int exponent, char* text)
{
    const std::uint32_t high = digits / 10000;
    const std::uint32_t middle = digits / 100 % 100;
    const std::uint32_t low = digits % 100;
    char figures[8] = {};
    std::memcpy(figures, kTwoDigits + 2 * high, 2);
    std::memcpy(figures + 2, kTwoDigits + 2 * middle, 2);
    std::memcpy(figures + 4, kTwoDigits + 2 * low, 2);
    int count = 0;  // significant figures without trailing zeros
    if (low != 0) {
        count = low % 10 != 0 ? 6 : 5;
    } else if (middle != 0) {
        count = middle % 10 != 0 ? 4 : 3;
    } else {
        count = high % 10 != 0 ? 2 : 1;
    }

    if (exponent < -4 || exponent >= 6) {
        char* out = text;
        *out++ = figures[0];
        if (count > 1) {
            *out++ = '.';
            std::memcpy(out, figures + 1, 8 - 1);
            out += count - 1;
        }
        const int size = exponent < 0 ? -exponent : exponent;  // below 100 for floats
        out[0] = 'e';
        out[1] = exponent < 0 ? '-' : '+';
        std::memcpy(out + 2, kTwoDigits + 2 * size, 2);
        return static_cast<std::size_t>(out + 4 - text);
    }
    if (exponent < 0) {
        // "0.", then -exponent - 1 zeros, then the figures.
        std::memcpy(text, "0.000000", 8);
        const int zeros = -exponent - 1;
        std::memcpy(text + 2 + zeros, figures, 8);
        return static_cast<std::size_t>(2 + zeros + count);
    }
    const int whole = exponent + 1;  // 1 .. 6 figures before the point
    std::memcpy(text, figures, 8);
    if (count <= whole) return static_cast<std::size_t>(whole);  // zeros fill the rest
    text[whole] = '.';
    std::memcpy(text + whole + 1, figures + whole, 8 - static_cast<std::size_t>(whole));
    return static_cast<std::size_t>(count + 1);
}

// floor(log2(magnitude)) of a positive finite double, from its exponent field.
int binary_exponent(double magnitude)
{
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    return static_cast<int>((bits >> 52) & 0x7ff) - 1023;
}

}  // namespace

std::size_t format_float(float value, char* text)
{
    const bool negative = std::signbit(value);
    if (std::isnan(value)) return write_word(negative, "NaN", text);
    if (std::isinf(value)) return write_word(negative, "Infinity", text);
    if (value == 0.0f) return write_word(negative, "0", text);

    // Every float is a normal double, so the double's exponent field gives
    // floor(log2), and from it floor(log10) or one less.
    const double magnitude = std::fabs(static_cast<double>(value));
    int exponent = (binary_exponent(magnitude) * 78913) >> 18;  // 78913 / 2^18 ~ log10(2)
    double scaled = scale_by_power_of_ten(magnitude, 5 - exponent);
    if (scaled >= 1e6) {
        ++exponent;
        scaled = scale_by_power_of_ten(magnitude, 5 - exponent);
    }
    const std::uint32_t whole = static_cast<std::uint32_t>(scaled);  // scaled < 1e7
    const double fraction = scaled - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) < kTieMargin) {
        return format_exact(static_cast<double>(value), text);
    }
    std::uint32_t digits = whole + (fraction > 0.5 ? 1 : 0);
    if (digits >= 1000000) {  // rounding carried into a seventh digit
        digits /= 10;
        ++exponent;
    }
    std::size_t length = 0;
    if (negative) text[length++] = '-';
    return length + write_digits(digits, exponent, text + length);
}

std::size_t format_int(std::int32_t value, char* text)
{
    const auto result = std::to_chars(text, text + kNumberTextSize, value);
    return static_cast<std::size_t>(result.ptr - text);
}
