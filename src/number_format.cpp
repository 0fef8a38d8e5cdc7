// Number formatting through the exact, locale-free std::to_chars.
#include "number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

std::size_t write_word(bool negative, const char* word, char* text)
{
    std::size_t length = 0;
    if (negative) {
        text[length++] = '-';
    }
    const std::size_t word_length = std::strlen(word);
    std::memcpy(text + length, word, word_length);
    return length + word_length;
}

}  // namespace

std::size_t format_float(float value, char* text)
{
    if (std::isnan(value)) {
        return write_word(std::signbit(value), "NaN", text);
    }
    if (std::isinf(value)) {
        return write_word(std::signbit(value), "Infinity", text);
    }
    const auto result = std::to_chars(text, text + kNumberTextSize, static_cast<double>(value),
                                      std::chars_format::general, 6);
    return static_cast<std::size_t>(result.ptr - text);
}

std::size_t format_int(std::int32_t value, char* text)
{
    const auto result = std::to_chars(text, text + kNumberTextSize, value);
    return static_cast<std::size_t>(result.ptr - text);
}
