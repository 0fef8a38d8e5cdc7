// The floor a fitting run cannot go below: it parses the same input, computes the
// same powers and formats the same count of numbers as polyfit, and does nothing
// else (no prompts, no grammar checks, no fit). The benchmark times polyfit
// against it in the same run.
//
//     polyfit_floor < input > /dev/null
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "number_format.h"

namespace {

// The whole of standard input, read in one go when it is a file of known size.
std::vector<char> read_all()
{
    std::vector<char> data;
    struct stat status {};
    if (fstat(0, &status) == 0 && S_ISREG(status.st_mode)) {
        data.reserve(static_cast<std::size_t>(status.st_size) + 1);
    }
    char block[1 << 16];
    ssize_t got = 0;
    while ((got = read(0, block, sizeof block)) > 0)
        data.insert(data.end(), block, block + got);
    return data;
}

const char* skip_blanks(const char* p, const char* end)
{
    while (p < end && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    return p;
}

class Writer {
public:
    ~Writer() { flush(); }
    void number(float value)
    {
        if (used_ + kNumberTextSize + 4 > sizeof buffer_) flush();
        used_ += format_float(value, buffer_ + used_);
        std::memcpy(buffer_ + used_, "   ", 3);
        used_ += 3;
    }
    void flush()
    {
        std::fwrite(buffer_, 1, used_, stdout);
        used_ = 0;
    }

private:
    char buffer_[1 << 16];
    std::size_t used_ = 0;
};

}  // namespace

int main()
{
    const std::vector<char> data = read_all();
    const char* p = data.data();
    const char* const end = p + data.size();
    int n = 0;
    p = std::from_chars(skip_blanks(p, end), end, n).ptr;
    std::vector<float> x(static_cast<std::size_t>(n)), f(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        double value = 0;
        p = std::from_chars(skip_blanks(p, end), end, value).ptr;
        x[k] = static_cast<float>(value);
        p = std::from_chars(skip_blanks(p, end), end, value).ptr;
        f[k] = static_cast<float>(value);
    }
    int m = 0;
    std::from_chars(skip_blanks(p, end), end, m);

    Writer out;
    std::vector<float> row(static_cast<std::size_t>(n));
    for (int i = 0; i <= m; ++i) {
        for (int k = 0; k < n; ++k) {
            const double base = x[k];
            row[k] = i == 0   ? 1.0f
                     : i == 1 ? x[k]
                     : i == 2 ? static_cast<float>(base * base)
                              : static_cast<float>(std::pow(base, static_cast<double>(i)));
        }
        for (float value : row)
            out.number(value);
    }
    for (float value : f)
        out.number(value);
    const int terms = m + 1;
    for (int e = 0; e < terms * terms + 2 * terms; ++e)
        out.number(x[static_cast<std::size_t>(e) % x.size()]);
    return 0;
}
