// libFuzzer target: one whole fitting run over in-memory input. Besides the
// sanitizers' checks it asserts what holds for every input: the status is one the
// program documents, nothing reaches the standard streams, and the output has the
// shape that belongs to its status.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "fitting_run.h"

namespace {

// Enough for fits up to a few hundred terms, little enough to keep each run short.
constexpr std::size_t kFuzzFitFloats = std::size_t{1} << 18;

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++found;
    }
    return found;
}

bool ends_with(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// The last line of the output, without its newline.
std::string last_line(const std::string& text)
{
    const std::size_t end = text.size() - 1;
    const std::size_t start = text.rfind('\n', end - 1);
    return text.substr(start == std::string::npos ? 0 : start + 1, end - (start + 1));
}

void check_shape(const std::string& output, int status)
{
    require(!output.empty() && output.back() == '\n', "the output ends with a line end");
    const std::size_t errors = count(output, "Error: ");
    switch (status) {
        case kFitWritten: {
            require(errors == 0, "a written fit has no error line");
            const std::size_t terms = count(output, "tabphi(");
            require(terms >= 1 && count(output, "\nC[") == terms, "one coefficient line per term");
            require(count(output, "*x^") == terms - 1, "one polynomial term per exponent");
            require(count(output, "The B vector is\n\nB= ") == 1, "one B row");
            require(ends_with(output, "\n\n"), "the polynomial line ends the report");
            break;
        }
        case kNoFit:
            require(errors == 1 && last_line(output).rfind("Error: no polynomial", 0) == 0,
                    "a missing fit ends with its one line");
            require(output.find("\n\nError: ") != std::string::npos, "after the B row");
            require(count(output, "C[") == 0, "no coefficients without a fit");
            break;
        case kBadInput:
        case kOutOfMemory:
            require(errors == 1 && last_line(output).rfind("Error: ", 0) == 0,
                    "a refused run ends with one error line");
            break;
        default:
            require(false, "the status is one of 0, 1, 2 and 3");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    std::ostringstream stray;
    std::streambuf* const cout_buffer = std::cout.rdbuf(stray.rdbuf());
    std::streambuf* const cerr_buffer = std::cerr.rdbuf(stray.rdbuf());
    const int status = run_fitting(in, out, kFuzzFitFloats);
    std::cout.rdbuf(cout_buffer);
    std::cerr.rdbuf(cerr_buffer);
    require(stray.str().empty(), "nothing reaches the standard streams");
    check_shape(out.str(), status);
    return 0;
}
