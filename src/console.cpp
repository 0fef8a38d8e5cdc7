// Console output and the number reader, over buffers of the console's own.
#include "console.h"

#include <algorithm>
#include <cstring>

#include "number_format.h"

namespace {

// How much of an unreadable value is kept for the error message.
constexpr std::size_t kQuotedLimit = kQuotedLength + 1;

void hand_over_output(Console& console)
{
    if (console.output_used == 0) return;
    const auto size = static_cast<std::streamsize>(console.output_used);
    if (console.out->sputn(console.output.data(), size) != size) console.write_failed = true;
    console.output_used = 0;
}

// Room for `length` more characters in the output buffer.
char* reserve_output(Console& console, std::size_t length)
{
    if (console.output.size() - console.output_used < length) hand_over_output(console);
    return console.output.data() + console.output_used;
}

void put(Console& console, const char* text, std::size_t length)
{
    if (length == 0) return;
    if (length > console.output.size()) {
        hand_over_output(console);
        if (console.out->sputn(text, static_cast<std::streamsize>(length)) !=
            static_cast<std::streamsize>(length)) {
            console.write_failed = true;
        }
    } else {
        std::memcpy(reserve_output(console, length), text, length);
        console.output_used += length;
    }
    console.line_open = text[length - 1] != '\n';
}

// Takes the next block of input once the last one is used up. Only what is
// there is taken; when nothing is, the output is flushed first unless the caller
// must not wait. False at the end of the input (or when waiting was not allowed).
bool refill(Console& console, bool may_wait)
{
    std::streamsize available = console.in->in_avail();
    if (available <= 0) {
        if (!may_wait) return false;
        flush_output(console);
        if (console.in->sgetc() == std::char_traits<char>::eof()) return false;
        available = std::max<std::streamsize>(console.in->in_avail(), 1);
    }
    const std::streamsize wanted =
        std::min(available, static_cast<std::streamsize>(console.input.size()));
    const std::streamsize got = console.in->sgetn(console.input.data(), wanted);
    console.input_next = 0;
    console.input_end = got > 0 ? static_cast<std::size_t>(got) : 0;
    return console.input_end > 0;
}

bool skip_blanks(Console& console)
{
    for (;;) {
        const char* data = console.input.data();
        while (console.input_next < console.input_end && is_blank(data[console.input_next])) {
            ++console.input_next;
        }
        if (console.input_next < console.input_end) return true;
        if (!refill(console, true)) return false;
    }
}

// Appends the rest of a word that is not a number, as far as it is already in
// the input: quoting it must never wait for more.
void quote_rest_of_word(Console& console, std::string& text)
{
    while (text.size() < kQuotedLimit) {
        if (console.input_next == console.input_end && !refill(console, false)) return;
        const char c = console.input[console.input_next];
        if (is_blank(c)) return;
        text.push_back(c);
        ++console.input_next;
    }
}

}  // namespace

Console make_console(std::streambuf* in, std::streambuf* out, std::size_t block_size)
{
    return Console{
        in,    out, std::vector<char>(block_size), 0, 0, std::vector<char>(block_size), 0, false,
        false, {}};
}

void write_text(Console& console, std::string_view text) { put(console, text.data(), text.size()); }

void write_int(Console& console, std::int32_t value)
{
    char* text = reserve_output(console, kNumberTextSize);
    console.output_used += format_int(value, text);
    console.line_open = true;
}

void write_float(Console& console, float value)
{
    char* text = reserve_output(console, kNumberTextSize);
    console.output_used += format_float(value, text);
    console.line_open = true;
}

void write_float_row(Console& console, const float* values, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k) {
        char* text = reserve_output(console, kNumberTextSize + 4);
        const std::size_t length = format_float(values[k], text);
        std::memcpy(text + length, "    ", 4);  // three of them stay
        console.output_used += length + 3;
    }
    if (count > 0) console.line_open = true;
}

void flush_output(Console& console)
{
    hand_over_output(console);
    if (console.out->pubsync() != 0) console.write_failed = true;
}

void end_line(Console& console)
{
    put(console, "\n", 1);
    flush_output(console);
}

void end_open_line(Console& console)
{
    if (console.line_open) end_line(console);
}

ReadOutcome read_number(Console& console, NumberKind kind, std::string_view& text)
{
    text = {};
    if (!skip_blanks(console)) return ReadOutcome::end_of_input;

    ScanState state = ScanState::start;
    const char* start = console.input.data() + console.input_next;
    std::size_t taken = scan_number(kind, state, start, console.input.data() + console.input_end);
    console.input_next += taken;
    if (console.input_next < console.input_end) {
        text = std::string_view(start, taken);  // the usual case: all in one block
    } else {
        // The number may go on in the next block; keep what there is of it.
        std::string& token = console.token;
        token.assign(start, taken);
        while (console.input_next == console.input_end && refill(console, true)) {
            const char* data = console.input.data();
            taken = scan_number(kind, state, data, data + console.input_end);
            token.append(data, taken);
            console.input_next = taken;
        }
        text = token;
    }
    if (scan_complete(state)) return ReadOutcome::number;

    std::string& quoted = console.token;
    if (quoted.data() != text.data()) quoted.assign(text.data(), text.size());
    if (quoted.size() > kQuotedLimit) quoted.resize(kQuotedLimit);
    quote_rest_of_word(console, quoted);
    text = quoted;
    return ReadOutcome::not_a_number;
}

ReadOutcome read_float(Console& console, float& value, std::string_view& text)
{
    if (skip_blanks(console)) {
        const char* start = console.input.data() + console.input_next;
        const char* end =
            parse_float_quickly(start, console.input.data() + console.input_end, value);
        if (end != nullptr) {
            console.input_next += static_cast<std::size_t>(end - start);
            text = std::string_view(start, static_cast<std::size_t>(end - start));
            return ReadOutcome::number;
        }
    }
    const ReadOutcome outcome = read_number(console, NumberKind::real, text);
    if (outcome == ReadOutcome::number) value = parse_float(text);
    return outcome;
}
