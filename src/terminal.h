// The real console: stream buffers on the standard file descriptors, and the
// closing pause.
#pragma once

#include <cstddef>
#include <streambuf>
#include <vector>

// Reads a file descriptor in large blocks. A read returns what is there, so at a
// terminal one typed line arrives at a time.
class FileInputBuffer : public std::streambuf {
public:
    FileInputBuffer(int descriptor, std::size_t size);

protected:
    int_type underflow() override;
    // What the descriptor holds that a read would return at once, where the
    // system tells; 0 otherwise. The reader flushes its prompts only before a
    // read that may wait.
    std::streamsize showmanyc() override;

private:
    int descriptor_;
    std::vector<char> buffer_;
};

// Collects output and writes it to a file descriptor when full or on a flush.
class FileOutputBuffer : public std::streambuf {
public:
    FileOutputBuffer(int descriptor, std::size_t size);
    ~FileOutputBuffer() override;

protected:
    int_type overflow(int_type c) override;
    int sync() override;
    // A block at least as large as the buffer goes out directly, not copied.
    std::streamsize xsputn(const char* data, std::streamsize size) override;

private:
    bool write_out();
    bool write_all(const char* data, std::size_t size);

    int descriptor_;
    std::vector<char> buffer_;
};

// pause_console: at the end of a run, waits for one key press when standard input
// is a terminal, after writing "Press any key to continue . . . " to `out`; the
// terminal's mode is restored afterwards. On Windows the command interpreter's
// PAUSE does it. Does nothing when input is not a terminal.
void pause_console(std::streambuf& out);
