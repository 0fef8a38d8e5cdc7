// Compares format_float with std::to_chars(double(v), general, 6) on float bit
// patterns: every one of the 2^32, or every `stride`-th for a quick sample. Non-
// finite values and zeros, which the program writes in its own words, are checked
// against those words. Prints the first mismatch and exits 1.
//
//     format_sweep [stride]
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "number_format.h"

namespace {

std::string expected_text(float value)
{
    const char* sign = std::signbit(value) ? "-" : "";
    if (std::isnan(value)) return std::string(sign) + "NaN";
    if (std::isinf(value)) return std::string(sign) + "Infinity";
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(value),
                                      std::chars_format::general, 6);
    return std::string(text, result.ptr);
}

// Checks patterns first, first + step, ... below 2^32; returns a mismatch or 0.
std::uint64_t sweep(std::uint64_t first, std::uint64_t step, std::uint64_t* checked)
{
    char text[kNumberTextSize];
    std::uint64_t count = 0;
    for (std::uint64_t bits = first; bits < (std::uint64_t{1} << 32); bits += step) {
        const std::uint32_t pattern = static_cast<std::uint32_t>(bits);
        float value;
        std::memcpy(&value, &pattern, sizeof value);
        const std::size_t length = format_float(value, text);
        if (expected_text(value) != std::string(text, length)) {
            *checked = count;
            return bits | (std::uint64_t{1} << 40);
        }
        ++count;
    }
    *checked = count;
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::uint64_t stride = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1;
    if (stride == 0) return 2;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::uint64_t> results(threads), counts(threads);
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t) {
        workers.emplace_back(
            [&, t] { results[t] = sweep(t * stride, threads * stride, &counts[t]); });
    }
    std::uint64_t total = 0;
    int status = 0;
    for (unsigned t = 0; t < threads; ++t) {
        workers[t].join();
        total += counts[t];
        if (results[t] != 0) {
            const std::uint32_t pattern = static_cast<std::uint32_t>(results[t]);
            float value;
            std::memcpy(&value, &pattern, sizeof value);
            char text[kNumberTextSize];
            const std::size_t length = format_float(value, text);
            std::printf("mismatch at 0x%08x: format_float gives \"%.*s\", to_chars \"%s\"\n",
                        pattern, static_cast<int>(length), text, expected_text(value).c_str());
            status = 1;
        }
    }
    std::printf("%llu float patterns checked, stride %llu\n",
                static_cast<unsigned long long>(total), static_cast<unsigned long long>(stride));
    return status;
}
