// One fitting run: the dialogue that asks for the points and the degree and writes
// the report of the least-squares fit.
#pragma once

#include <cstddef>
#include <istream>
#include <limits>
#include <ostream>

// The exit statuses of a run.
enum ExitStatus : int {
    kFitWritten = 0,    // the whole report was written
    kBadInput = 1,      // a value could not be read, or lay outside its range
    kNoFit = 2,         // no polynomial of the degree can be fitted to the points
    kOutOfMemory = 3,   // storage for the data or the fit could not be obtained
    kOutputFailed = 4,  // the report could not be written out
};

// The most floats a run sets out to store for the basis vectors and A together;
// beyond it the run reports a lack of memory before it starts the report.
constexpr std::size_t kMaxFitFloats = std::numeric_limits<std::ptrdiff_t>::max() / 8;

// run_fitting: asks for the number of points, the points and the degree on `in`
// and `out`, and writes the report of the fit to `out`. Input errors, a fit that
// does not exist and a lack of memory end the run with one line that says so.
// Returns the exit status. Nothing here pauses or touches any other stream.
// A smaller `max_fit_floats` bounds the work of a run, for fuzzing.
int run_fitting(std::istream& in, std::ostream& out, std::size_t max_fit_floats = kMaxFitFloats);
