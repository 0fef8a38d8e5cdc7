#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "fit.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// The float nearest to a nine-digit value quoted in the cases.
float nearest(double value) { return static_cast<float>(value); }

struct InversionCase {
    const char* name;
    std::int32_t order;
    std::vector<float> matrix;
    std::vector<float> inverse;
};

TEST(InvertMatrix, ExactInversesIncludingRowRotations)
{
    const float t = nearest(0.333333343);
    // name, order, input row by row, expected inverse row by row
    const InversionCase cases[] = {
        {"empty", 0, {}, {}},
        {"one by one", 1, {4}, {0.25f}},
        {"one third", 1, {3}, {nearest(0.333333343)}},
        {"identity", 3, {1, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
        {"diagonal", 3, {2, 0, 0, 0, 4, 0, 0, 0, 8}, {0.5f, 0, 0, 0, 0.25f, 0, 0, 0, 0.125f}},
        {"two by two", 2, {2, 3, 4, 5}, {-2.5f, 1.5f, 2, -1}},
        {"one rotation", 2, {0, 1, 1, 0}, {0, 1, 1, 0}},
        {"rotation, scaled", 2, {0, 2, 4, 0}, {0, 0.25f, 0.5f, 0}},
        {"two rotations", 3, {0, 1, 0, 0, 0, 1, 1, 0, 0}, {0, 0, 1, 1, 0, 0, 0, 1, 0}},
        // A swap of rows 0 and 1 in place of the rotation would give 0.125 at (0, 1).
        {"rotation, not a swap",
         3,
         {0, 3, 6, 4, 2, 8, 1, 3, 5},
         {nearest(-0.583333373), nearest(0.124999985), nearest(0.50000006), nearest(-0.50000006),
          nearest(-0.25000003), nearest(1.00000012), nearest(0.416666687), nearest(0.125000015),
          nearest(-0.50000006)}},
        // The pivot 1 - 3t is -2^-25 because the product 3t is exact in double.
        {"tiny pivot", 2, {1, t, 3, 1}, {-33554432, 11184811, 100663296, -33554432}},
        {"subnormal pivot", 1, {std::numeric_limits<float>::denorm_min()}, {kInf}},
    };
    for (const InversionCase& c : cases) {
        const std::vector<float> input = c.matrix;
        const auto inverse = invert_matrix(c.order, input.data());
        ASSERT_TRUE(inverse.has_value()) << c.name;
        EXPECT_EQ(*inverse, c.inverse) << c.name;
        EXPECT_EQ(input, c.matrix) << c.name;
    }
}

TEST(InvertMatrix, NoInverseWhenAStageHasNoNonzeroPivot)
{
    // name, order, input row by row
    const InversionCase cases[] = {
        {"zero pivot at the last stage", 2, {1, 1, 1, 1}, {}},
        {"zero column", 2, {0, 1, 0, 1}, {}},
        {"zero", 1, {0.0f}, {}},
        {"negative zero", 1, {-0.0f}, {}},
        {"normal matrix of two abscissas, degree 2", 3, {2, 1, 1, 1, 1, 1, 1, 1, 1}, {}},
        {"zero matrix", 4, std::vector<float>(16, 0.0f), {}},
    };
    for (const InversionCase& c : cases) {
        const std::vector<float> input = c.matrix;
        EXPECT_FALSE(invert_matrix(c.order, input.data()).has_value()) << c.name;
        EXPECT_EQ(input, c.matrix) << c.name;
    }
    EXPECT_FALSE(invert_matrix(-1, nullptr).has_value());
}

TEST(InvertMatrix, NonFiniteValuesSpreadWithoutError)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<float> with_nan = {nan, 1, 1, 1};
    const auto inverse = invert_matrix(2, with_nan.data());  // a NaN pivot is used
    ASSERT_TRUE(inverse.has_value());
    for (float value : *inverse) {
        EXPECT_TRUE(std::isnan(value));
    }
    // An infinity turns into NaNs in the sweeps (infinity minus infinity, zero
    // times infinity), and they reach the rows above it.
    const std::vector<float> with_inf = {1, 0, kInf, 1};
    const auto spread = invert_matrix(2, with_inf.data());
    ASSERT_TRUE(spread.has_value());
    EXPECT_TRUE(std::isnan((*spread)[0]));
}

}  // namespace
