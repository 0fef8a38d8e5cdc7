// Basis vectors, dot products and the one-pass accumulation of the normal equations.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
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

namespace {

// The running sums of one point: A's upper triangle row by row, then B. `Terms`
// is the row length; 0 means it is only known at run time as `t`.
template <std::size_t Terms>
void add_point(float* sums, const double* column, double f, std::size_t t)
{
    const std::size_t terms = Terms != 0 ? Terms : t;
    for (std::size_t p = 0; p < terms; ++p) {
        add_row_products(sums, column[p], column + p, terms - p);
        sums += terms - p;
    }
    add_row_products(sums, f, column, terms);
}

// All points into `sums`. Widening a float to double is exact, so each point's
// column is widened once.
template <std::size_t Terms>
void add_points(float* sums, const float* const* basis, const float* f, std::int32_t count,
                std::size_t t)
{
    const std::size_t terms = Terms != 0 ? Terms : t;
    std::vector<double> column(terms);
    for (std::int32_t k = 0; k < count; ++k) {
        for (std::size_t p = 0; p < terms; ++p)
            column[p] = basis[p][k];
        add_point<Terms>(sums, column.data(), f[k], terms);
    }
}

// The loops for the usual few terms, unrolled by the compiler for each count.
template <std::size_t... Terms>
bool add_points_unrolled(float* sums, const float* const* basis, const float* f, std::int32_t count,
                         std::size_t t, std::index_sequence<Terms...>)
{
    return ((t == Terms + 1 ? (add_points<Terms + 1>(sums, basis, f, count, t), true) : false) ||
            ...);
}

}  // namespace

void accumulate_normal_equations(const float* const* basis, std::int32_t terms, const float* f,
                                 std::int32_t count, float* A, float* B)
{
    if (terms <= 0) return;
    const std::size_t t = static_cast<std::size_t>(terms);
    // Upper triangle of A row by row, then B: one float running sum per entry,
    // each summed over the points in ascending order.
    std::vector<float> sums(t * (t + 1) / 2 + t, 0.0f);
    if (!add_points_unrolled(sums.data(), basis, f, count, t, std::make_index_sequence<16>())) {
        add_points<0>(sums.data(), basis, f, count, t);
    }

    const float* entry = sums.data();
    for (std::size_t p = 0; p < t; ++p) {
        for (std::size_t q = p; q < t; ++q) {
            A[p * t + q] = *entry;
            A[q * t + p] = *entry;
            ++entry;
        }
    }
    std::copy(entry, entry + t, B);
}
