// Basis vectors, dot products and the one-pass accumulation of the normal equations.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "fit.h"

namespace {

// One step of every running sum in this program: the product of two floats is exact
// in double, the sum is rounded once to double and once more to float on storing.
inline float add_product(float sum, float a, float b)
{
    return static_cast<float>(static_cast<double>(sum) +
                              static_cast<double>(a) * static_cast<double>(b));
}

}  // namespace

std::vector<float> power_vector(std::int32_t exponent, std::int32_t count, const float* x)
{
    const std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;
    std::vector<float> powers;
    powers.reserve(n);  // filled once, not zeroed first
    // pow returns 1, x and the exact x*x for these exponents, so they need no call.
    if (exponent == 0) {
        powers.assign(n, 1.0f);
    } else if (exponent == 1) {
        powers.assign(x, x + n);
    } else if (exponent == 2) {
        for (std::size_t k = 0; k < n; ++k) {
            const double value = x[k];
            powers.push_back(static_cast<float>(value * value));
        }
    } else {
        const double power = exponent;
        for (std::size_t k = 0; k < n; ++k) {
            powers.push_back(static_cast<float>(std::pow(static_cast<double>(x[k]), power)));
        }
    }
    return powers;
}

float dot_product(const float* a, const float* b, std::int32_t count)
{
    float sum = 0.0f;
    for (std::int32_t k = 0; k < count; ++k) {
        sum = add_product(sum, a[k], b[k]);
    }
    return sum;
}

namespace {

// Adds column[p] * column[q] for q = p .. count-1 to sums[0 .. count-p-1]: one
// step of independent running sums, which the compiler may do several at a time.
void add_row_products(float* __restrict sums, double left, const double* __restrict column,
                      std::size_t count)
{
    for (std::size_t q = 0; q < count; ++q) {
        sums[q] = static_cast<float>(static_cast<double>(sums[q]) + left * column[q]);
    }
}

}  // namespace

void accumulate_normal_equations(const float* const* basis, std::int32_t terms, const float* f,
                                 std::int32_t count, float* A, float* B)
{
    if (terms <= 0) return;
    const std::size_t t = static_cast<std::size_t>(terms);
    // Upper triangle of A row by row, then B: one float running sum per entry.
    // Widening a float to double is exact, so each point's column is widened once.
    std::vector<float> sums(t * (t + 1) / 2 + t, 0.0f);
    float* const rhs = sums.data() + t * (t + 1) / 2;
    std::vector<double> column(t);

    for (std::int32_t k = 0; k < count; ++k) {
        for (std::size_t p = 0; p < t; ++p)
            column[p] = basis[p][k];
        float* row_sums = sums.data();
        for (std::size_t p = 0; p < t; ++p) {
            add_row_products(row_sums, column[p], column.data() + p, t - p);
            row_sums += t - p;
        }
        add_row_products(rhs, f[k], column.data(), t);
    }

    const float* entry = sums.data();
    for (std::size_t p = 0; p < t; ++p) {
        for (std::size_t q = p; q < t; ++q) {
            A[p * t + q] = *entry;
            A[q * t + p] = *entry;
            ++entry;
        }
        B[p] = rhs[p];
    }
}
