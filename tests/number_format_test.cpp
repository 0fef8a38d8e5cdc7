#include "number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

std::string formatted(float value)
{
    char text[kNumberTextSize];
    return std::string(text, format_float(value, text));
}

float from_bits(std::uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct FormatCase {
    float value;
    const char* text;
};

TEST(FormatFloat, SixSignificantDigitsInGeneralNotation)
{
    // stored value, text written
    const FormatCase cases[] = {
        {1.0f, "1"},
        {-2.25f, "-2.25"},
        {0.5f, "0.5"},
        {0.1f, "0.1"},
        {1.0f / 3.0f, "0.333333"},
        {123456.7f, "123457"},
        {999999.0f, "999999"},
        {999999.5f, "1e+06"},  // rounding carries into a seventh digit
        {1000000.0f, "1e+06"},
        {1234567.0f, "1.23457e+06"},
        {0.0001f, "0.0001"},
        {0.00001f, "1e-05"},
        {0.000123456f, "0.000123456"},
        {1.015625f, "1.01562"},  // exact tie, to the even digit
        {1.046875f, "1.04688"},  // exact tie, to the even digit upwards
        {16777216.0f, "1.67772e+07"},
        {std::numeric_limits<float>::max(), "3.40282e+38"},
        {-std::numeric_limits<float>::max(), "-3.40282e+38"},
        {std::numeric_limits<float>::min(), "1.17549e-38"},
        {std::numeric_limits<float>::denorm_min(), "1.4013e-45"},
        {1.00000048f, "1"},
        {100.0f, "100"},
        {-0.000999999f, "-0.000999999"},
        {1e20f, "1e+20"},
        {0.0f, "0"},
        {-0.0f, "-0"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(formatted(c.value), c.text) << "value " << c.value;
    }
}

TEST(FormatFloat, NonFiniteValuesAreWordsWithTheirSign)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(formatted(kInf), "Infinity");
    EXPECT_EQ(formatted(-kInf), "-Infinity");
    EXPECT_EQ(formatted(from_bits(0x7fc00000u)), "NaN");
    EXPECT_EQ(formatted(from_bits(0xffc00000u)), "-NaN");
    EXPECT_EQ(formatted(from_bits(0x7f800001u)), "NaN");  // signalling, any payload
}

TEST(FormatInt, DecimalWithSignWhenNegative)
{
    char text[kNumberTextSize];
    EXPECT_EQ(std::string(text, format_int(0, text)), "0");
    EXPECT_EQ(std::string(text, format_int(42, text)), "42");
    EXPECT_EQ(std::string(text, format_int(-2147483647 - 1, text)), "-2147483648");
    EXPECT_EQ(std::string(text, format_int(2147483647, text)), "2147483647");
}

}  // namespace
