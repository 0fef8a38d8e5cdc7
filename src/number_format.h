// Writing numbers as the report shows them.
#pragma once

#include <cstddef>
#include <cstdint>

// Room for the longest text format_float or format_int writes ("-1.23457e+38",
// "-2147483648"), with some to spare.
constexpr std::size_t kNumberTextSize = 16;

// format_float: writes `value`, widened exactly to double, in general notation with
// six significant digits (exact ties to even, trailing zeros dropped, scientific
// form for decimal exponents below -4 or from 6 up, an exponent of at least two
// digits), "Infinity" or "NaN" for non-finite values, and a minus sign whenever the
// sign bit is set, "-0" included. Returns the number of characters written to
// `text`, which must hold kNumberTextSize characters. No terminating zero.
std::size_t format_float(float value, char* text);

// format_int: writes `value` in decimal with a minus sign when negative.
std::size_t format_int(std::int32_t value, char* text);
