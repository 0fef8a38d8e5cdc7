#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "fit.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

// The float nearest to the nine-digit values quoted below.
float nearest(double value) { return static_cast<float>(value); }

TEST(DotProduct, AddsExactProductsAndRoundsEachSumInAscendingOrder)
{
    // Rounding the product first, or summing downwards, gives 1 + 2^-11.
    const float a[] = {std::ldexp(1.0f, -12), 1.0f + std::ldexp(1.0f, -12)};
    EXPECT_EQ(dot_product(a, a, 2), 1.0f + std::ldexp(1.0f, -11) + std::ldexp(1.0f, -23));

    // Each 1 + 2^-24 is a tie that rounds to 1; a sum kept in double would not.
    const float small[] = {1.0f, std::ldexp(1.0f, -24), std::ldexp(1.0f, -24)};
    const float ones[] = {1.0f, 1.0f, 1.0f};
    EXPECT_EQ(dot_product(small, ones, 3), 1.0f);
}

TEST(DotProduct, NoTermsGivePositiveZero)
{
    const float a[] = {-0.0f};
    for (std::int32_t count : {0, -1}) {
        const float sum = dot_product(a, a, count);
        EXPECT_EQ(sum, 0.0f);
        EXPECT_FALSE(std::signbit(sum));
    }
}

TEST(PowerVector, SignedPowersAndTheirLimits)
{
    const float x[] = {-2.0f, -0.5f, 0.0f, 3.0f, 1e20f, 1e-30f};
    // exponent, expected vector
    const struct {
        std::int32_t exponent;
        std::vector<float> powers;
    } cases[] = {
        {0, {1, 1, 1, 1, 1, 1}},
        {1, {-2, -0.5f, 0, 3, 1e20f, 1e-30f}},
        {2, {4, 0.25f, 0, 9, kInf, 0}},
        {3, {-8, -0.125f, 0, 27, kInf, 0}},
        {5, {-32, -0.03125f, 0, 243, kInf, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(power_vector(c.exponent, 6, x), c.powers) << "exponent " << c.exponent;
    }
    EXPECT_TRUE(power_vector(0, 0, x).empty());
    EXPECT_TRUE(power_vector(3, -4, x).empty());
}

TEST(PowerVector, TinyPowersBecomeSubnormal)
{
    const float x[] = {1e-20f};
    const float square = power_vector(2, 1, x)[0];
    EXPECT_EQ(std::fpclassify(square), FP_SUBNORMAL);
    EXPECT_EQ(square, static_cast<float>(double(x[0]) * double(x[0])));
}

// A and B of a fit to the points, through accumulate_normal_equations.
struct NormalEquations {
    std::vector<float> A;
    std::vector<float> B;
};

NormalEquations normal_equations(const std::vector<float>& x, const std::vector<float>& f,
                                 std::int32_t degree)
{
    const std::int32_t n = static_cast<std::int32_t>(x.size());
    const std::size_t terms = static_cast<std::size_t>(degree) + 1;
    std::vector<std::vector<float>> basis;
    std::vector<const float*> rows;
    for (std::int32_t i = 0; i <= degree; ++i) {
        basis.push_back(power_vector(i, n, x.data()));
    }
    for (const auto& row : basis) {
        rows.push_back(row.data());
    }
    NormalEquations result{std::vector<float>(terms * terms), std::vector<float>(terms)};
    accumulate_normal_equations(rows.data(), degree + 1, f.data(), n, result.A.data(),
                                result.B.data());
    return result;
}

TEST(NormalEquations, EntriesOfTheSameDegreeCanDiffer)
{
    const float x0 = 1.0f + std::ldexp(1.0f, -12);
    const std::vector<float> x = {x0};
    EXPECT_EQ(power_vector(2, 1, x.data())[0], 1.0f + std::ldexp(1.0f, -11));  // a tie, to even
    EXPECT_EQ(power_vector(3, 1, x.data())[0],
              1.0f + 3 * std::ldexp(1.0f, -12) + std::ldexp(1.0f, -22));

    const NormalEquations eq = normal_equations(x, {0.0f}, 3);
    const float a12 = 1.0f + 3 * std::ldexp(1.0f, -12) + std::ldexp(1.0f, -23);
    EXPECT_EQ(eq.A[1 * 4 + 2], a12);
    EXPECT_EQ(eq.A[2 * 4 + 1], a12);
    EXPECT_EQ(eq.A[0 * 4 + 3], nearest(1.00073266));
    EXPECT_EQ(eq.A[3 * 4 + 0], nearest(1.00073266));
}

TEST(NormalEquations, OverflowTravelsIntoAAndB)
{
    const NormalEquations eq = normal_equations({1e20f}, {0.0f}, 2);
    const float big = 1e20f;
    const std::vector<float> expected_A = {1, big, kInf, big, kInf, kInf, kInf, kInf, kInf};
    EXPECT_EQ(eq.A, expected_A);
    EXPECT_EQ(eq.B[0], 0.0f);
    EXPECT_EQ(eq.B[1], 0.0f);
    EXPECT_TRUE(std::isnan(eq.B[2]));  // 0 times infinity
}

TEST(NormalEquations, DegreeZeroAndTheMean)
{
    // f values, B[0], the inverse of A, C[0]
    const struct {
        std::vector<float> f;
        float B0;
        float inverse;
        float C0;
    } cases[] = {
        {{1, 2, 2, 2, 2, 2, 2}, 13.0f, nearest(0.142857149), nearest(1.85714293)},
        {{1, 3, 5}, 9.0f, nearest(0.333333343), 3.0f},
        {{-7.25f}, -7.25f, 1.0f, -7.25f},
    };
    for (const auto& c : cases) {
        const std::vector<float> x(c.f.size(), 4.0f);
        const NormalEquations eq = normal_equations(x, c.f, 0);
        EXPECT_EQ(eq.A[0], static_cast<float>(c.f.size()));
        EXPECT_EQ(eq.B[0], c.B0);
        const auto inverse = invert_matrix(1, eq.A.data());
        ASSERT_TRUE(inverse.has_value());
        EXPECT_EQ((*inverse)[0], c.inverse);
        EXPECT_EQ(dot_product(inverse->data(), eq.B.data(), 1), c.C0);
    }
    EXPECT_NE(nearest(1.85714293), nearest(13.0 / 7.0));
}

TEST(NormalEquations, MoreTermsThanAbscissasGiveASingularMatrix)
{
    const NormalEquations eq = normal_equations({0.0f, 1.0f}, {1.0f, 2.0f}, 2);
    const std::vector<float> expected_A = {2, 1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(eq.A, expected_A);
    EXPECT_FALSE(invert_matrix(3, eq.A.data()).has_value());
}

TEST(NormalEquations, OnePassGivesEveryValueOfSeparateDotProducts)
{
    std::mt19937 random(20261211);
    std::uniform_real_distribution<float> value(-3.0f, 3.0f);
    for (std::int32_t degree : {0, 1, 4, 9, 15, 16, 20}) {
        std::vector<float> x(257), f(257);
        for (std::size_t k = 0; k < x.size(); ++k) {
            x[k] = value(random);
            f[k] = value(random) * 1000.0f;
        }
        const NormalEquations eq = normal_equations(x, f, degree);
        const std::int32_t n = static_cast<std::int32_t>(x.size());
        for (std::int32_t p = 0; p <= degree; ++p) {
            const std::vector<float> phi_p = power_vector(p, n, x.data());
            EXPECT_EQ(eq.B[p], dot_product(f.data(), phi_p.data(), n));
            for (std::int32_t q = 0; q <= degree; ++q) {
                const std::vector<float> phi_q = power_vector(q, n, x.data());
                EXPECT_EQ(eq.A[p * (degree + 1) + q], dot_product(phi_p.data(), phi_q.data(), n))
                    << "degree " << degree << " entry " << p << "," << q;
            }
        }
    }
}

TEST(CountDistinct, CountsValuesUpToTheLimit)
{
    const std::vector<float> repeated = {1, 1, 2, -0.0f, 0.0f, 2, 1};
    EXPECT_EQ(count_distinct(repeated.data(), 7, 10), 3u);
    EXPECT_EQ(count_distinct(repeated.data(), 7, 2), 2u);
    EXPECT_EQ(count_distinct(repeated.data(), 0, 5), 0u);

    std::vector<float> many(1000);
    for (std::size_t k = 0; k < many.size(); ++k) {
        many[k] = static_cast<float>(k % 40);
    }
    EXPECT_EQ(count_distinct(many.data(), 1000, 100), 40u);  // past the short list
    EXPECT_EQ(count_distinct(many.data(), 1000, 30), 30u);
    EXPECT_EQ(count_distinct(many.data(), 1000, 12), 12u);
}

}  // namespace
