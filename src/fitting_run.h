// One fitting run: the dialogue that asks for the points and the degree and writes
// the report of the least-squares fit.
#pragma once

#include <istream>
#include <ostream>

// The exit statuses of a run.
enum ExitStatus : int {
    kFitWritten = 0,    // the whole report was written
    kBadInput = 1,      // a value could not be read, or lay outside its range
    kNoFit = 2,         // no polynomial of the degree can be fitted to the points
    kOutOfMemory = 3,   // storage for the data or the fit could not be obtained
    kOutputFailed = 4,  // the report could not be written out
};

// run_fitting: asks for the number of points, the points and the degree on `in`
// and `out`, and writes the report of the fit to `out`. Input errors, a fit that
// does not exist and a lack of memory end the run with one line that says so.
// Returns the exit status. Nothing here pauses or touches any other stream.
int run_fitting(std::istream& in, std::ostream& out);
