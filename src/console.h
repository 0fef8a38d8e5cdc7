// The dialogue's side of the console: text and numbers out, numbers in.
//
// Both directions go through buffers of the console's own, handed to the stream
// buffers in large blocks. An end of line is a newline and a flush. Input is
// taken in blocks of what is already there; only when all of it is used up and
// the next read may have to wait is the output flushed, so a prompt is on the
// screen whenever the program waits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "number_parse.h"

struct Console {
    std::streambuf* in;
    std::streambuf* out;
    std::vector<char> input;   // input taken from `in`, not all of it read yet
    std::size_t input_next;    // the next unread character of `input`
    std::size_t input_end;     // the end of what `input` holds
    std::vector<char> output;  // output not yet handed to `out`
    std::size_t output_used;
    bool line_open;     // something stands on the current output line
    bool write_failed;  // some output could not be written
    std::string token;  // a number that spans two blocks of input
};

// make_console: a console on the two stream buffers, with blocks of `block_size`.
Console make_console(std::streambuf* in, std::streambuf* out, std::size_t block_size = 65536);

void write_text(Console& console, std::string_view text);
void write_int(Console& console, std::int32_t value);
void write_float(Console& console, float value);

// write_float_row: each of the `count` values followed by three spaces.
void write_float_row(Console& console, const float* values, std::size_t count);

// end_line: a newline, then a flush.
void end_line(Console& console);

// end_open_line: ends the current line if something stands on it.
void end_open_line(Console& console);

// flush_output: hands everything written so far to the console.
void flush_output(Console& console);

enum class ReadOutcome : std::uint8_t { number, not_a_number, end_of_input };

// How many characters of an unreadable value a message quotes. The reader keeps
// one more, so that the message can tell that the value goes on.
constexpr std::size_t kQuotedLength = 40;

// read_number: skips white space and reads one number of `kind`. On success `text`
// holds exactly its characters, valid until the next read; the first character
// after it stays in the input. When no number stands there, `text` holds what
// does (the first characters of it), for the message; at the end of input it is
// empty.
ReadOutcome read_number(Console& console, NumberKind kind, std::string_view& text);

// read_float: read_number for a float, and its value. Most numbers are scanned
// and converted in one step.
ReadOutcome read_float(Console& console, float& value, std::string_view& text);
