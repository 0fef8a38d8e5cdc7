// The dialogue's side of the console: text and numbers out, numbers in.
//
// Output is buffered; an end of line is a newline and a flush. Before the reader
// has to wait for input it flushes the output, so a prompt is on the screen
// whenever the program waits.
#pragma once

#include <cstdint>
#include <streambuf>
#include <string>
#include <string_view>

#include "number_parse.h"

struct Console {
    std::streambuf* in;
    std::streambuf* out;
    bool line_open = false;     // something stands on the current output line
    bool write_failed = false;  // some output could not be written
    std::string token;          // the text of the last number read, kept for its storage
};

void write_text(Console& console, std::string_view text);
void write_int(Console& console, std::int32_t value);
void write_float(Console& console, float value);

// end_line: a newline, then a flush.
void end_line(Console& console);

// end_open_line: ends the current line if something stands on it.
void end_open_line(Console& console);

// flush_output: hands everything written so far to the console.
void flush_output(Console& console);

enum class ReadOutcome : std::uint8_t { number, not_a_number, end_of_input };

// read_number: skips white space and reads one number of `kind`. On success `text`
// holds exactly its characters; the first character after it stays in the input.
// When no number stands there, `text` holds what does (a few characters of it),
// for the message; at the end of the input it is empty.
ReadOutcome read_number(Console& console, NumberKind kind, std::string& text);
