// Writes a deterministic fitting input to standard output: n, then n points of a
// noisy polynomial over [-1, 1], then the degree m.
//
//     generate_points N M > input.txt
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// A small linear congruential generator: the same points on every machine.
std::uint64_t next_random(std::uint64_t& state)
{
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return state >> 33;
}

void append(std::vector<char>& out, float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.insert(out.end(), text, result.ptr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: generate_points N M\n", stdout);
        return 2;
    }
    const long long n = std::atoll(argv[1]);
    const int m = std::atoi(argv[2]);
    std::uint64_t state = 20261211;
    std::vector<char> out;
    out.reserve(1 << 20);
    const auto flush = [&out] {
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    };
    std::printf("%lld\n", n);
    for (long long k = 0; k < n; ++k) {
        const double x = -1.0 + 2.0 * static_cast<double>(k) / static_cast<double>(n);
        const double noise = static_cast<double>(next_random(state) % 2001) / 1000.0 - 1.0;
        const double f = 3.0 - 2.0 * x + 0.5 * x * x * x + 0.01 * noise;
        append(out, static_cast<float>(x));
        out.push_back(' ');
        append(out, static_cast<float>(f));
        out.push_back('\n');
        if (out.size() > (1 << 20) - 64) flush();
    }
    flush();
    std::printf("%d\n", m);
    return 0;
}
