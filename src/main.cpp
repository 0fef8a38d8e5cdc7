// polyfit: least-squares polynomial fitting at the console.
#include <istream>
#include <ostream>

#include "fitting_run.h"
#include "terminal.h"

int main()
{
    constexpr std::size_t kBufferSize = 64 * 1024;
    FileInputBuffer input(0, kBufferSize);
    FileOutputBuffer output(1, kBufferSize);
    std::istream in(&input);
    std::ostream out(&output);
    const int status = run_fitting(in, out);
    pause_console(output);
    return status;
}
