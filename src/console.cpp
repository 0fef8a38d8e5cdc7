// Console output through the stream buffer and the number reader.
#include "console.h"

#include "number_format.h"

namespace {

// How much of an unreadable value is kept for the error message: a little more
// than it quotes, so that it can tell that the value goes on.
constexpr std::size_t kQuotedLimit = 41;

void put(Console& console, const char* text, std::size_t length)
{
    if (length == 0) {
        return;
    }
    const auto written = console.out->sputn(text, static_cast<std::streamsize>(length));
    if (written != static_cast<std::streamsize>(length)) {
        console.write_failed = true;
    }
    console.line_open = text[length - 1] != '\n';
}

// The next input character without taking it. The output is flushed first when
// the input buffer is empty, since the read may then wait for the user.
int peek_input(Console& console)
{
    if (console.in->in_avail() <= 0) {
        flush_output(console);
    }
    return console.in->sgetc();
}

// Appends the rest of a word that is not a number, as far as it is already in
// the input: quoting it must never wait for more.
void quote_rest_of_word(Console& console, std::string& text)
{
    while (text.size() < kQuotedLimit && console.in->in_avail() > 0) {
        const int c = console.in->sgetc();
        if (c == std::char_traits<char>::eof() || is_blank(static_cast<char>(c))) {
            break;
        }
        text.push_back(static_cast<char>(c));
        console.in->sbumpc();
    }
}

}  // namespace

void write_text(Console& console, std::string_view text) { put(console, text.data(), text.size()); }

void write_int(Console& console, std::int32_t value)
{
    char text[kNumberTextSize];
    put(console, text, format_int(value, text));
}

void write_float(Console& console, float value)
{
    char text[kNumberTextSize];
    put(console, text, format_float(value, text));
}

void flush_output(Console& console)
{
    if (console.out->pubsync() != 0) {
        console.write_failed = true;
    }
}

void end_line(Console& console)
{
    put(console, "\n", 1);
    flush_output(console);
}

void end_open_line(Console& console)
{
    if (console.line_open) {
        end_line(console);
    }
}

ReadOutcome read_number(Console& console, NumberKind kind, std::string& text)
{
    constexpr int kEnd = std::char_traits<char>::eof();
    text.clear();
    int c = peek_input(console);
    while (c != kEnd && is_blank(static_cast<char>(c))) {
        console.in->sbumpc();
        c = peek_input(console);
    }
    if (c == kEnd) {
        return ReadOutcome::end_of_input;
    }
    ScanState state = ScanState::start;
    while (c != kEnd && scan_step(kind, state, static_cast<char>(c))) {
        text.push_back(static_cast<char>(c));
        console.in->sbumpc();
        c = peek_input(console);
    }
    if (scan_complete(state)) {
        return ReadOutcome::number;
    }
    if (text.size() > kQuotedLimit) {
        text.resize(kQuotedLimit);
    }
    quote_rest_of_word(console, text);
    return ReadOutcome::not_a_number;
}
