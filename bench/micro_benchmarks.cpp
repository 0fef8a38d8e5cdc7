// Micro-benchmarks: the float formatter against std::to_chars, the number reader,
// and the accumulation of the normal equations in one pass against one dot
// product per entry.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "fit.h"
#include "number_format.h"
#include "number_parse.h"

namespace {

// Values like those of a report: powers of abscissas in [-1, 1] and data values.
std::vector<float> report_values()
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::vector<float> values(1 << 16);
    for (std::size_t k = 0; k < values.size(); ++k) {
        const float x = unit(random);
        values[k] = k % 3 == 0 ? x : k % 3 == 1 ? x * x * x : 3.0f + 100.0f * x;
    }
    return values;
}

void BM_FormatFloat(benchmark::State& state)
{
    const std::vector<float> values = report_values();
    char text[kNumberTextSize];
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(format_float(values[k++ & 0xffff], text));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatFloat);

void BM_ToCharsGeneral6(benchmark::State& state)
{
    const std::vector<float> values = report_values();
    char text[64];
    std::size_t k = 0;
    for (auto _ : state) {
        const auto result =
            std::to_chars(text, text + sizeof text, static_cast<double>(values[k++ & 0xffff]),
                          std::chars_format::general, 6);
        benchmark::DoNotOptimize(result.ptr);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToCharsGeneral6);

void BM_ScanAndParseFloat(benchmark::State& state)
{
    std::vector<std::string> texts;
    for (float value : report_values())
        texts.push_back(std::to_string(value));
    std::size_t k = 0;
    for (auto _ : state) {
        const std::string& text = texts[k++ & 0xffff];
        ScanState scan = ScanState::start;
        const std::size_t length =
            scan_number(NumberKind::real, scan, text.data(), text.data() + text.size());
        benchmark::DoNotOptimize(parse_float(std::string_view(text.data(), length)));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScanAndParseFloat);

struct Basis {
    std::vector<std::vector<float>> rows;
    std::vector<const float*> pointers;
    std::vector<float> f;
};

Basis make_basis(std::int32_t n, std::int32_t terms)
{
    std::vector<float> x = report_values();
    x.resize(static_cast<std::size_t>(n));
    Basis basis;
    for (std::int32_t i = 0; i < terms; ++i)
        basis.rows.push_back(power_vector(i, n, x.data()));
    for (const auto& row : basis.rows)
        basis.pointers.push_back(row.data());
    basis.f = x;
    return basis;
}

// The basis, A and B of one benchmark case: 2^16 points, state.range(0) terms.
struct NormalEquationsCase {
    explicit NormalEquationsCase(const benchmark::State& state)
        : terms(static_cast<std::int32_t>(state.range(0))),
          basis(make_basis(kPoints, terms)),
          A(static_cast<std::size_t>(terms * terms)),
          B(static_cast<std::size_t>(terms))
    {
    }
    static constexpr std::int32_t kPoints = 1 << 16;
    std::int32_t terms;
    Basis basis;
    std::vector<float> A, B;
};

void BM_NormalEquationsOnePass(benchmark::State& state)
{
    NormalEquationsCase c(state);
    for (auto _ : state) {
        accumulate_normal_equations(c.basis.pointers.data(), c.terms, c.basis.f.data(), c.kPoints,
                                    c.A.data(), c.B.data());
        benchmark::DoNotOptimize(c.A.data());
    }
    state.SetItemsProcessed(state.iterations() * c.kPoints);
}
BENCHMARK(BM_NormalEquationsOnePass)->Arg(2)->Arg(6)->Arg(13);

void BM_NormalEquationsPerEntry(benchmark::State& state)
{
    NormalEquationsCase c(state);
    const std::vector<const float*>& phi = c.basis.pointers;
    for (auto _ : state) {
        for (std::int32_t p = 0; p < c.terms; ++p) {
            for (std::int32_t q = p; q < c.terms; ++q) {
                c.A[p * c.terms + q] = c.A[q * c.terms + p] =
                    dot_product(phi[p], phi[q], c.kPoints);
            }
            c.B[p] = dot_product(c.basis.f.data(), phi[p], c.kPoints);
        }
        benchmark::DoNotOptimize(c.A.data());
    }
    state.SetItemsProcessed(state.iterations() * c.kPoints);
}
BENCHMARK(BM_NormalEquationsPerEntry)->Arg(2)->Arg(6)->Arg(13);

}  // namespace

BENCHMARK_MAIN();
