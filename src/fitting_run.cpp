// The fitting dialogue: questions, then the report, computed as it is written.
#include "fitting_run.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "console.h"
#include "fit.h"

namespace {

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr const char* kNoMemory = "Error: there is not enough memory for this fit.";

// Raised by a read that gets no acceptable value; the message is ready to write.
struct InputError {
    std::string message;
};

// Makes what the user typed safe and short enough to quote on one line.
std::string printable(std::string_view text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size() && i < kQuotedLength; ++i) {
        const char c = text[i];
        const bool plain = c >= 0x20 && c < 0x7f;
        shown.push_back(plain ? c : '?');
    }
    return text.size() > kQuotedLength ? shown + "..." : shown;
}

std::string found_clause(ReadOutcome outcome, std::string_view text)
{
    if (outcome == ReadOutcome::end_of_input) {
        return ", but the input ended.";
    }
    return ", found \"" + printable(text) + "\".";
}

// Reads a whole number from `lowest` up to the 32-bit maximum.
std::int32_t read_count(Console& console, const char* what, std::int32_t lowest)
{
    std::string_view text;
    const ReadOutcome outcome = read_number(console, NumberKind::integer, text);
    std::int32_t value = 0;
    if (outcome == ReadOutcome::number && parse_int32(text, value) && value >= lowest) {
        return value;
    }
    throw InputError{std::string("Error: expected ") + what + " (a whole number from " +
                     std::to_string(lowest) + " to " + std::to_string(kIntMax) + ")" +
                     found_clause(outcome, text)};
}

// Reads x[k] or f(x[k]); `before` and `after` surround the index in messages.
float read_value(Console& console, const char* before, std::int32_t k, const char* after)
{
    std::string_view text;
    float value = 0.0f;
    const ReadOutcome outcome = read_float(console, value, text);
    if (outcome == ReadOutcome::number) return value;
    throw InputError{std::string("Error: expected a number for ") + before + std::to_string(k) +
                     after + found_clause(outcome, text)};
}

// Writes "name(index)= " or similar pieces: text, an index, more text.
void write_indexed(Console& console, const char* before, std::int32_t index, const char* after)
{
    write_text(console, before);
    write_int(console, index);
    write_text(console, after);
}

// Writes each value followed by three spaces, then two ends of line.
void write_row(Console& console, const float* values, std::size_t count)
{
    write_float_row(console, values, count);
    end_line(console);
    end_line(console);
}

struct Points {
    std::vector<float> x;
    std::vector<float> f;
};

// Counts the decimal number in text[first, last) up by one, in place; a carry out
// of the first digit makes the number one digit longer.
void count_up(std::string& text, std::size_t first, std::size_t last)
{
    for (std::size_t i = last; i-- > first;) {
        if (text[i] != '9') {
            ++text[i];
            return;
        }
        text[i] = '0';
    }
    text.insert(text.begin() + static_cast<std::ptrdiff_t>(first), '1');
}

// The prompts for point k, "x[k]=" and "   f(x[k])=", kept as text and moved on
// to the next point by counting the index up in place.
struct PointPrompts {
    std::string x = "x[0]=";
    std::string f = "   f(x[0])=";

    void next_point()
    {
        count_up(x, 2, x.size() - 2);
        count_up(f, 7, f.size() - 3);
    }
};

// Makes room for one more of the `n` values. The first block holds up to 2^20
// values (4 MiB) at once; beyond that the capacity doubles as values arrive, but
// never past n, so no room is left over once all are in and a count with no
// points behind it costs no more than the first block.
inline void make_room(std::vector<float>& values, std::int32_t n)
{
    if (values.size() < values.capacity()) return;
    constexpr std::size_t kFirstBlock = std::size_t{1} << 20;
    const std::size_t doubled = std::max(2 * values.capacity(), kFirstBlock);
    values.reserve(std::min(doubled, static_cast<std::size_t>(n)));
}

// Storage grows as the points arrive (see make_room).
Points read_points(Console& console, std::int32_t n)
{
    Points points;
    PointPrompts prompts;
    for (std::int32_t k = 0; k < n; ++k, prompts.next_point()) {
        make_room(points.x, n);
        make_room(points.f, n);
        write_text(console, prompts.x);
        points.x.push_back(read_value(console, "x[", k, "]"));
        write_text(console, prompts.f);
        points.f.push_back(read_value(console, "f(x[", k, "])"));
    }
    return points;
}

// The storage the report needs for `terms` coefficients, checked before any of it
// is taken so that a degree far beyond the memory fails at once and cleanly.
void check_fit_size(std::size_t n, std::size_t terms, std::size_t max_floats)
{
    if (terms > max_floats / terms || n > max_floats / terms ||
        terms * terms > max_floats - n * terms) {
        throw std::bad_alloc();
    }
}

std::string no_fit_message(std::int32_t m, std::size_t distinct)
{
    std::string message = "Error: no polynomial of degree " + std::to_string(m) +
                          " can be fitted to these points: it needs at least " +
                          std::to_string(static_cast<std::int64_t>(m) + 1) +
                          " distinct abscissas, and ";
    if (distinct == 1) {
        return message + "there is only 1.";
    }
    return message + "there are only " + std::to_string(distinct) + ".";
}

void write_heading(Console& console, const char* heading)
{
    write_text(console, heading);
    end_line(console);
    end_line(console);
}

struct NormalEquations {
    std::vector<float> A;  // row-major, terms x terms
    std::vector<float> B;
};

// Writes the power table and the data row, and forms A and B from the same basis
// vectors: each is computed once and freed once A and B are complete.
NormalEquations write_tables(Console& console, const Points& points, std::size_t terms)
{
    const std::int32_t n = static_cast<std::int32_t>(points.x.size());
    NormalEquations equations{std::vector<float>(terms * terms), std::vector<float>(terms)};
    std::vector<std::vector<float>> basis(terms);
    std::vector<const float*> basis_rows(terms);
    for (std::size_t i = 0; i < terms; ++i) {
        // x to the power 1 is x itself: that row needs no storage of its own.
        if (i != 1) basis[i] = power_vector(static_cast<std::int32_t>(i), n, points.x.data());
        basis_rows[i] = i == 1 ? points.x.data() : basis[i].data();
        write_indexed(console, "tabphi(", static_cast<std::int32_t>(i), ")= ");
        write_row(console, basis_rows[i], points.x.size());
    }
    write_text(console, "tabf= ");
    write_row(console, points.f.data(), points.f.size());
    accumulate_normal_equations(basis_rows.data(), static_cast<std::int32_t>(terms),
                                points.f.data(), n, equations.A.data(), equations.B.data());
    return equations;
}

void write_normal_equations(Console& console, const NormalEquations& equations, std::size_t terms)
{
    write_heading(console, "The A matrix is");
    for (std::size_t i = 0; i < terms; ++i) {
        write_row(console, equations.A.data() + i * terms, terms);
    }
    write_heading(console, "The B vector is");
    write_text(console, "B= ");
    write_row(console, equations.B.data(), terms);
}

// Forms and writes each coefficient C[p], row p of the inverse times B, then the
// polynomial line.
void write_fit(Console& console, const std::vector<float>& inverse, const std::vector<float>& B)
{
    const std::size_t terms = B.size();
    std::vector<float> C(terms);
    for (std::size_t p = 0; p < terms; ++p) {
        C[p] = dot_product(inverse.data() + p * terms, B.data(), static_cast<std::int32_t>(terms));
        write_indexed(console, "C[", static_cast<std::int32_t>(p), "]=");
        write_float(console, C[p]);
        end_line(console);
    }
    end_line(console);
    end_line(console);
    write_heading(console, "The function which best fits the data is ");
    write_text(console, "(");
    write_float(console, C[0]);
    write_text(console, ")");
    for (std::size_t p = 1; p < terms; ++p) {
        write_text(console, "+(");
        write_float(console, C[p]);
        write_indexed(console, ")*x^", static_cast<std::int32_t>(p), "");
    }
    end_line(console);
    end_line(console);
}

// The report from the power table to the polynomial line. Returns the status.
int write_report(Console& console, const Points& points, std::int32_t m, std::size_t max_floats)
{
    const std::size_t terms = static_cast<std::size_t>(m) + 1;
    check_fit_size(points.x.size(), terms, max_floats);
    const NormalEquations equations = write_tables(console, points, terms);
    write_normal_equations(console, equations, terms);

    // Fewer distinct abscissas than terms make A singular; single precision would
    // still find tiny pivots and print huge coefficients without any sign of it.
    const std::int32_t n = static_cast<std::int32_t>(points.x.size());
    const std::size_t distinct = count_distinct(points.x.data(), n, terms);
    if (distinct < terms) {
        write_text(console, no_fit_message(m, distinct));
        end_line(console);
        return kNoFit;
    }
    const auto inverse = invert_matrix(static_cast<std::int32_t>(terms), equations.A.data());
    if (!inverse) {
        write_text(console, "Error: no polynomial of degree " + std::to_string(m) +
                                " can be fitted to these points: the matrix A cannot be"
                                " inverted in single precision.");
        end_line(console);
        return kNoFit;
    }
    write_fit(console, *inverse, equations.B);
    return kFitWritten;
}

int fitting_dialogue(Console& console, std::size_t max_fit_floats)
{
    write_heading(
        console,
        "This program finds the polynomial which fits best to a given set of data points.");
    write_text(console, "Please enter the number of your data points: ");
    const std::int32_t n = read_count(console, "the number of data points", 1);
    end_line(console);
    write_text(console, "Please enter your data points:");
    end_line(console);
    const Points points = read_points(console, n);
    write_text(console,
               "What is the degree of the polynomial that you would like to fit to this data? ");
    const std::int32_t m = read_count(console, "the degree of the polynomial", 0);
    return write_report(console, points, m, max_fit_floats);
}

// Ends an unfinished line and writes one message line.
void report_failure(Console& console, const std::string& message)
{
    end_open_line(console);
    write_text(console, message);
    end_line(console);
}

}  // namespace

int run_fitting(std::istream& in, std::ostream& out, std::size_t max_fit_floats)
{
    Console console = make_console(in.rdbuf(), out.rdbuf());
    int status = kFitWritten;
    try {
        status = fitting_dialogue(console, max_fit_floats);
    } catch (const InputError& error) {
        report_failure(console, error.message);
        status = kBadInput;
    } catch (const std::bad_alloc&) {
        report_failure(console, kNoMemory);
        status = kOutOfMemory;
    } catch (const std::length_error&) {  // a vector longer than it can ever be
        report_failure(console, kNoMemory);
        status = kOutOfMemory;
    }
    flush_output(console);
    return console.write_failed ? kOutputFailed : status;
}
