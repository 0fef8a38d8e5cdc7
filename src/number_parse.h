// Reading numbers as the dialogue accepts them.
//
// An integer is an optional sign and decimal digits. A float is an optional sign,
// decimal digits with at most one point (at least one digit), then optionally e or
// E, an optional sign and digits. Nothing else is a number: no hex, no words for
// infinity or NaN. A number ends at the first character that cannot continue it;
// that character is not part of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class NumberKind : std::uint8_t { integer, real };

// Where a scanner stands in the text of one number.
enum class ScanState : std::uint8_t {
    start,          // nothing yet
    sign,           // a sign alone
    digits,         // digits, no point yet
    point,          // a point with no digit before it, or a sign and such a point
    fraction,       // digits and a point, the fraction possibly still empty
    exponent_mark,  // e or E after the mantissa
    exponent_sign,  // its sign
    exponent,       // exponent digits
};

// scan_number: takes characters from [first, last) as long as they continue a
// number of `kind` whose text so far led to `state`, and returns how many it took.
// It stops at the first character that cannot continue the number; when it takes
// them all, the number may go on in the text that follows, and a further call
// with the same `state` carries on.
std::size_t scan_number(NumberKind kind, ScanState& state, const char* first, const char* last);

// scan_complete: whether the text so far is a whole number. A sign alone, a point
// without digits, or an exponent mark without digits is not.
bool scan_complete(ScanState state);

// is_blank: the white space that separates numbers: space, \t, \n, \v, \f, \r.
inline bool is_blank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');  // \t \n \v \f \r are 9 .. 13
}

// parse_int32: the value of a complete integer text. False when it lies beyond
// the 32-bit range, and then `value` is left alone.
bool parse_int32(std::string_view text, std::int32_t& value);

// parse_float: the value of a complete float text, converted to the nearest double
// and that rounded to the nearest float. Beyond the float range it gives an
// infinity of its sign; below the smallest subnormal it rounds to a zero of its sign.
float parse_float(std::string_view text);

// parse_float_quickly: the fast path of scanning and parse_float in one. When a
// whole float starts at `first` and ends before `last`, stores its value and
// returns the end of its text. Returns nullptr, and stores nothing, whenever the
// scanner has to decide: when no number or a malformed one starts there, or when
// the number reaches `last` and might go on beyond it.
const char* parse_float_quickly(const char* first, const char* last, float& value);
