// Counting the distinct abscissas, which decides whether a fit of a degree exists.
#include <algorithm>
#include <cstddef>
#include <unordered_set>
#include <vector>

#include "fit.h"

namespace {

// +0.0 and -0.0 are the same abscissa.
inline float without_zero_sign(float value) { return value == 0.0f ? 0.0f : value; }

// A short list beats a hash set for the few terms of a usual fit.
constexpr std::size_t kListLimit = 16;

std::size_t count_with_list(const float* values, std::int32_t count, std::size_t limit)
{
    std::vector<float> seen;
    for (std::int32_t k = 0; k < count && seen.size() < limit; ++k) {
        const float value = without_zero_sign(values[k]);
        if (std::find(seen.begin(), seen.end(), value) == seen.end()) {
            seen.push_back(value);
        }
    }
    return seen.size();
}

std::size_t count_with_set(const float* values, std::int32_t count, std::size_t limit)
{
    std::unordered_set<float> seen;
    for (std::int32_t k = 0; k < count && seen.size() < limit; ++k) {
        seen.insert(without_zero_sign(values[k]));
    }
    return std::min(seen.size(), limit);
}

}  // namespace

std::size_t count_distinct(const float* values, std::int32_t count, std::size_t limit)
{
    return limit <= kListLimit ? count_with_list(values, count, limit)
                               : count_with_set(values, count, limit);
}
