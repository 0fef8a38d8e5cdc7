// Gauss-Jordan inversion of a float matrix with zero-pivot row rotation.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "fit.h"

namespace {

// The augmented matrix [input | I]: `order` rows of 2*order floats.
struct Augmented {
    std::size_t order;
    std::size_t width;
    std::vector<float> cells;

    float* row(std::size_t i) { return cells.data() + i * width; }
};

// M[p][j] - multiplier * M[s][j], with the exact product formed in double.
inline float subtract_product(float value, float multiplier, float pivot_value)
{
    return static_cast<float>(static_cast<double>(value) -
                              static_cast<double>(multiplier) * static_cast<double>(pivot_value));
}

// Moves row s to the bottom and the rows below it up one place, both halves.
void rotate_rows_up(Augmented& m, std::size_t s)
{
    std::vector<float> saved(m.row(s), m.row(s) + m.width);
    for (std::size_t p = s; p + 1 < m.order; ++p) {
        std::copy(m.row(p + 1), m.row(p + 1) + m.width, m.row(p));
    }
    std::copy(saved.begin(), saved.end(), m.row(m.order - 1));
}

// Brings a row with a nonzero entry in column s to row s. False when none of rows
// s .. order-1 has one: after order - s rotations they are back where they were.
bool find_pivot(Augmented& m, std::size_t s)
{
    for (std::size_t tries = 0; tries < m.order - s; ++tries) {
        if (m.row(s)[s] != 0.0f) {  // +0.0 and -0.0 are zero; a NaN is not
            return true;
        }
        rotate_rows_up(m, s);
    }
    return false;
}

// Divides the pivot row by its pivot, right to left, so the pivot column goes last.
void normalise_pivot_row(Augmented& m, std::size_t s)
{
    float* pivot_row = m.row(s);
    for (std::size_t j = m.width; j-- > s;) {
        pivot_row[j] = static_cast<float>(static_cast<double>(pivot_row[j]) /
                                          static_cast<double>(pivot_row[s]));
    }
}

// Subtracts row s, scaled by row p's entry in column s, from row p for columns
// first .. width-1, right to left, re-reading the multiplier at every column.
void eliminate(Augmented& m, std::size_t p, std::size_t s, std::size_t first)
{
    float* target = m.row(p);
    const float* pivot_row = m.row(s);
    for (std::size_t j = m.width; j-- > first;) {
        target[j] = subtract_product(target[j], target[s], pivot_row[j]);
    }
}

}  // namespace

std::optional<std::vector<float>> invert_matrix(std::int32_t order, const float* matrix)
{
    if (order < 0) {
        return std::nullopt;
    }
    const std::size_t n = static_cast<std::size_t>(order);
    Augmented m{n, 2 * n, std::vector<float>(2 * n * n, 0.0f)};
    for (std::size_t i = 0; i < n; ++i) {
        std::copy(matrix + i * n, matrix + i * n + n, m.row(i));
        m.row(i)[n + i] = 1.0f;
    }

    for (std::size_t s = 0; s < n; ++s) {
        if (!find_pivot(m, s)) {
            return std::nullopt;
        }
        normalise_pivot_row(m, s);
        for (std::size_t p = s + 1; p < n; ++p) {
            eliminate(m, p, s, s);
        }
    }
    // The backward sweep runs over every column, down to column 0: a zero
    // multiplier times a non-finite value left of the pivot gives a NaN there.
    for (std::size_t s = n; s-- > 0;) {
        for (std::size_t p = s; p-- > 0;) {
            eliminate(m, p, s, 0);
        }
    }

    std::vector<float> inverse(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        std::copy(m.row(i) + n, m.row(i) + 2 * n, inverse.begin() + i * n);
    }
    return inverse;
}
