#include "number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

// Runs the scanner over `text` as the console reader does: the length it takes
// and whether that much is a whole number.
struct Scanned {
    std::size_t length;
    bool complete;
};

Scanned scan(NumberKind kind, const std::string& text)
{
    ScanState state = ScanState::start;
    const std::size_t length = scan_number(kind, state, text.data(), text.data() + text.size());
    return {length, scan_complete(state)};
}

// The same, with the text handed over in two pieces split at `at`.
Scanned scan_in_two(NumberKind kind, const std::string& text, std::size_t at)
{
    ScanState state = ScanState::start;
    std::size_t length = scan_number(kind, state, text.data(), text.data() + at);
    if (length == at) {
        length += scan_number(kind, state, text.data() + at, text.data() + text.size());
    }
    return {length, scan_complete(state)};
}

struct GrammarCase {
    const char* text;
    std::size_t length;  // characters that belong to the number
    bool complete;
};

// Each case scans as stated, whole and when it spans two blocks of input.
template <std::size_t N>
void check_scans(NumberKind kind, const GrammarCase (&cases)[N])
{
    for (const GrammarCase& c : cases) {
        const std::string text = c.text;
        for (std::size_t at = 0; at <= text.size(); ++at) {
            const Scanned scanned =
                at == text.size() ? scan(kind, text) : scan_in_two(kind, text, at);
            EXPECT_EQ(scanned.length, c.length) << '"' << c.text << "\" split at " << at;
            EXPECT_EQ(scanned.complete, c.complete) << '"' << c.text << "\" split at " << at;
        }
    }
}

TEST(ScanFloat, TakesTheLongestTextTheGrammarAllows)
{
    // input, characters taken, whole number
    const GrammarCase cases[] = {
        {"5", 1, true},         {"-5", 2, true},    {"+5", 2, true},    {"5.", 2, true},
        {".5", 2, true},        {"-.5", 3, true},   {"1.5e3", 5, true}, {"1.5E-3", 6, true},
        {"1e+03x", 5, true},    {"2.7", 3, true},   {"1.2.3", 3, true}, {"1e5e5", 3, true},
        {"0x1p3", 1, true},     {"12 34", 2, true}, {"3,5", 1, true},   {"", 0, false},
        {".", 1, false},        {"-", 1, false},    {"+.", 2, false},   {"--1", 1, false},
        {"+-1", 1, false},      {"1e", 2, false},   {"1e+", 3, false},  {"1E-x", 3, false},
        {".e5", 1, false},      {"e5", 0, false},   {"inf", 0, false},  {"nan", 0, false},
        {"Infinity", 0, false}, {"abc", 0, false},
    };
    check_scans(NumberKind::real, cases);
}

TEST(ScanInteger, SignAndDigitsOnly)
{
    // input, characters taken, whole number
    const GrammarCase cases[] = {
        {"7", 1, true},   {"-12", 3, true},  {"+3", 2, true},  {"2.7", 1, true},
        {"1e5", 1, true}, {"0x10", 1, true}, {"007", 3, true}, {"-", 1, false},
        {"+", 1, false},  {"--1", 1, false}, {".5", 0, false}, {"x", 0, false},
    };
    check_scans(NumberKind::integer, cases);
}

TEST(IsBlank, TheSixWhiteSpaceCharacters)
{
    for (char c : std::string(" \t\n\v\f\r")) {
        EXPECT_TRUE(is_blank(c)) << int(c);
    }
    for (char c : std::string("a0.-\x01\x7f")) {
        EXPECT_FALSE(is_blank(c)) << int(c);
    }
}

TEST(ParseInt32, WholeRangeAndNothingBeyond)
{
    // text, fits in 32 bits, value
    const struct {
        const char* text;
        bool fits;
        std::int32_t value;
    } cases[] = {
        {"0", true, 0},
        {"-0", true, 0},
        {"+17", true, 17},
        {"000000000000000000042", true, 42},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        std::int32_t value = -99;
        EXPECT_EQ(parse_int32(c.text, value), c.fits) << c.text;
        EXPECT_EQ(value, c.fits ? c.value : -99) << c.text;
    }
}

TEST(ParseFloat, NearestDoubleThenNearestFloat)
{
    constexpr float kInf = std::numeric_limits<float>::infinity();
    // text, float stored
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {"0.1", 0.1f},
        {"+2.5", 2.5f},
        {"-2.5", -2.5f},
        {"5.", 5.0f},
        {".5", 0.5f},
        {"1e20", 1e20f},
        {"3.4028235e38", std::numeric_limits<float>::max()},
        {"3.402823567797e38", std::numeric_limits<float>::max()},  // below the halfway point
        {"3.4028235677974e38", kInf},                              // above it
        // Exactly halfway to 2^128: the tie goes to the even neighbour, 2^128.
        {"3.40282356779733661637539395458142568448e38", kInf},
        {"-1e39", -kInf},
        {"1e400", kInf},  // beyond double too
        {"-1e400", -kInf},
        {"1e99999999999999999999999", kInf},
        {"1.4e-45", std::numeric_limits<float>::denorm_min()},
        {"1e-46", 0.0f},
        {"1e-400", 0.0f},
        {"0e999999999999", 0.0f},
        {"0.000000000000000000000000000000000000000000000000001e60", 1e9f},
        // The nearest double to this text is exactly halfway between two floats;
        // rounding it again goes to the even one, not to the text's nearest float.
        {"1.0000000596046448", 1.0f},
        {"1.00000005960464479", 1.0f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parse_float(c.text), c.value) << c.text;
    }
    EXPECT_TRUE(std::signbit(parse_float("-0")));
    EXPECT_TRUE(std::signbit(parse_float("-1e-400")));
    EXPECT_FALSE(std::signbit(parse_float("+0.0")));
}

TEST(ParseFloatQuickly, AgreesWithTheScannerWhereverItDecides)
{
    // text, characters taken (0: left to the scanner)
    const struct {
        const char* text;
        std::size_t length;
    } cases[] = {
        {"1e5 ", 3},   {"-.5\n", 3}, {"+3 ", 2},   {"5. ", 2}, {"0x10 ", 1}, {"1.2.3 ", 3},
        {"1e400 ", 5}, {"+-2 ", 0},  {"--1 ", 0},  {"1e ", 0}, {"1e+x", 0},  {". ", 0},
        {"-. ", 0},    {"inf ", 0},  {"-nan ", 0}, {"5", 0},   {"12e", 0},   {"", 0},
    };
    for (const auto& c : cases) {
        const std::string text = c.text;
        float value = -7.0f;
        const char* end = parse_float_quickly(text.data(), text.data() + text.size(), value);
        const std::size_t length = end == nullptr ? 0 : static_cast<std::size_t>(end - text.data());
        EXPECT_EQ(length, c.length) << '"' << c.text << '"';
        if (end == nullptr) {
            EXPECT_EQ(value, -7.0f) << '"' << c.text << '"';  // nothing stored
        }
    }

    // Random texts over the number alphabet: where the fast path decides, it takes
    // what the scanner takes and gives what parse_float gives.
    std::mt19937 random(42);
    const std::string alphabet = "0123456789..+-eE  x";
    for (int trial = 0; trial < 200000; ++trial) {
        std::string text;
        const int size = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < size; ++i)
            text.push_back(alphabet[random() % alphabet.size()]);
        float quick = 0.0f;
        const char* end = parse_float_quickly(text.data(), text.data() + text.size(), quick);
        if (end == nullptr) continue;
        const Scanned scanned = scan(NumberKind::real, text);
        ASSERT_TRUE(scanned.complete) << '"' << text << '"';
        ASSERT_EQ(static_cast<std::size_t>(end - text.data()), scanned.length)
            << '"' << text << '"';
        const float careful = parse_float(std::string_view(text.data(), scanned.length));
        ASSERT_EQ(std::memcmp(&quick, &careful, sizeof quick), 0) << '"' << text << '"';
    }
}

}  // namespace
