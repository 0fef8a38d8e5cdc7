// The numeric core of the least-squares fit: basis vectors, dot products and the
// inversion of the normal matrix. Every stored value is a float; every step is
// evaluated in double from stored floats and rounded to float when it is stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// power_vector: entry k is x[k] raised to `exponent`, computed by pow in double
// and rounded to float. `count` entries are read from x; a count of zero or less
// gives an empty vector. The caller owns the result.
std::vector<float> power_vector(std::int32_t exponent, std::int32_t count, const float* x);

// dot_product: the sum over k = 0 .. count-1 of a[k]*b[k]. The sum starts at +0.0
// in a float, and each step adds the exact product in double and rounds the new
// sum to float, in ascending k. A count of zero or less gives +0.0.
float dot_product(const float* a, const float* b, std::int32_t count);

// invert_matrix: the inverse of the row-major matrix of `order` x `order` floats,
// by Gauss-Jordan elimination on [matrix | I]. A zero pivot is replaced by rotating
// the rows below it upwards; there is no pivot search and no tolerance. Gives no
// value when some stage has only zeros at and below its pivot. The input is left
// unchanged; an order of zero gives an empty matrix, a negative order no value.
std::optional<std::vector<float>> invert_matrix(std::int32_t order, const float* matrix);

// accumulate_normal_equations: A[p][q] = dot_product(basis[p], basis[q], count) for
// every p, q below `terms`, and B[p] = dot_product(f, basis[p], count), in a single
// pass over the points. Each entry keeps its own float running sum in ascending k,
// so every value equals the one dot_product gives. A is row-major, terms x terms;
// its lower triangle is the mirror of the upper one.
void accumulate_normal_equations(const float* const* basis, std::int32_t terms, const float* f,
                                 std::int32_t count, float* A, float* B);

// count_distinct: how many different values `values` holds, counting +0.0 and -0.0
// as one, but no more than `limit`: the scan stops once it has seen that many.
std::size_t count_distinct(const float* values, std::int32_t count, std::size_t limit);
