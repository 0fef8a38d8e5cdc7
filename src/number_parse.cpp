// The number grammar and the exact, locale-free conversion through std::from_chars.
#include "number_parse.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

bool is_digit(char c) { return static_cast<unsigned char>(c - '0') < 10; }
bool is_sign(char c) { return c == '+' || c == '-'; }
bool is_exponent_mark(char c) { return c == 'e' || c == 'E'; }

// The state after c, or start when c cannot continue the number.
inline ScanState real_next(ScanState state, char c)
{
    constexpr ScanState stop = ScanState::start;  // start is never a state to move to
    const bool digit = is_digit(c);
    switch (state) {
        case ScanState::start:
            if (is_sign(c)) return ScanState::sign;
            [[fallthrough]];
        case ScanState::sign:
            if (digit) return ScanState::digits;
            return c == '.' ? ScanState::point : stop;
        case ScanState::digits:
            if (digit) return ScanState::digits;
            if (c == '.') return ScanState::fraction;
            return is_exponent_mark(c) ? ScanState::exponent_mark : stop;
        case ScanState::point:
            return digit ? ScanState::fraction : stop;
        case ScanState::fraction:
            if (digit) return ScanState::fraction;
            return is_exponent_mark(c) ? ScanState::exponent_mark : stop;
        case ScanState::exponent_mark:
            if (is_sign(c)) return ScanState::exponent_sign;
            [[fallthrough]];
        case ScanState::exponent_sign:
        case ScanState::exponent:
            return digit ? ScanState::exponent : stop;
    }
    return stop;
}

// The decimal exponent of the leading nonzero digit, roughly: enough to tell a
// value beyond the double range from one below it. Saturates instead of overflowing.
long long decimal_magnitude(std::string_view text)
{
    long long magnitude = 0;
    bool seen_point = false;
    bool seen_nonzero = false;
    std::size_t i = 0;
    for (; i < text.size() && !is_exponent_mark(text[i]); ++i) {
        const char c = text[i];
        if (c == '.') {
            seen_point = true;
        } else if (is_digit(c)) {
            if (c != '0') {
                seen_nonzero = true;
            }
            if (seen_nonzero && !seen_point) {
                ++magnitude;
            } else if (!seen_nonzero && seen_point) {
                --magnitude;
            }
        }
    }
    long long exponent = 0;
    bool negative_exponent = false;
    for (++i; i < text.size(); ++i) {
        if (text[i] == '-') {
            negative_exponent = true;
        } else if (is_digit(text[i]) && exponent < 1'000'000'000'000LL) {
            exponent = exponent * 10 + (text[i] - '0');
        }
    }
    return magnitude + (negative_exponent ? -exponent : exponent);
}

}  // namespace

std::size_t scan_number(NumberKind kind, ScanState& state, const char* first, const char* last)
{
    const char* p = first;
    if (kind == NumberKind::integer) {
        if (p < last && state == ScanState::start && is_sign(*p)) {
            state = ScanState::sign;
            ++p;
        }
        while (p < last && is_digit(*p)) {
            state = ScanState::digits;
            ++p;
        }
        return static_cast<std::size_t>(p - first);
    }
    while (p < last) {
        if (state == ScanState::digits || state == ScanState::fraction ||
            state == ScanState::exponent) {
            while (p < last && is_digit(*p))
                ++p;  // the common case: a run of digits
            if (p == last) break;
        }
        const ScanState next = real_next(state, *p);
        if (next == ScanState::start) break;
        state = next;
        ++p;
    }
    return static_cast<std::size_t>(p - first);
}

bool scan_complete(ScanState state)
{
    return state == ScanState::digits || state == ScanState::fraction ||
           state == ScanState::exponent;
}

bool parse_int32(std::string_view text, std::int32_t& value)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);  // from_chars takes a minus sign only
    }
    std::int32_t parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return false;
    }
    value = parsed;
    return true;
}

namespace {

// The float from_chars' result stands for: out of the double range, from_chars
// leaves the value alone, and the nearest double is an infinity or a zero,
// whichever side of the range the text lies on.
float nearest_float(std::string_view text, double parsed, std::errc error)
{
    if (error == std::errc::result_out_of_range) {
        parsed = decimal_magnitude(text) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        if (!text.empty() && text.front() == '-') parsed = -parsed;
    }
    return static_cast<float>(parsed);
}

}  // namespace

float parse_float(std::string_view text)
{
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);  // from_chars takes '-' only
    double parsed = 0.0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::general);
    return nearest_float(text, parsed, result.ec);
}

const char* parse_float_quickly(const char* first, const char* last, float& value)
{
    // One sign at most; from_chars takes '-' only.
    const char* number = first < last && *first == '+' ? first + 1 : first;
    const char* mantissa = first < last && is_sign(*first) ? first + 1 : first;
    // from_chars would also take words for infinity and NaN, and a sign after '+'.
    if (mantissa == last || !(is_digit(*mantissa) || *mantissa == '.')) return nullptr;
    double parsed = 0.0;
    const auto result = std::from_chars(number, last, parsed, std::chars_format::general);
    // An exponent mark that from_chars left has no digits: a malformed number.
    if (result.ec == std::errc::invalid_argument || result.ptr == last ||
        is_exponent_mark(*result.ptr)) {
        return nullptr;
    }
    value = nearest_float(std::string_view(number, result.ptr - number), parsed, result.ec);
    return result.ptr;
}
