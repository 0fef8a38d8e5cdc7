// Console stream buffers and the closing pause, for POSIX systems and Windows.
#include "terminal.h"

#include <cerrno>
#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
long read_some(int descriptor, char* data, std::size_t size)
{
    return _read(descriptor, data, static_cast<unsigned>(size));
}
long write_some(int descriptor, const char* data, std::size_t size)
{
    return _write(descriptor, data, static_cast<unsigned>(size));
}
#else
long read_some(int descriptor, char* data, std::size_t size)
{
    return static_cast<long>(::read(descriptor, data, size));
}
long write_some(int descriptor, const char* data, std::size_t size)
{
    return static_cast<long>(::write(descriptor, data, size));
}
#endif

}  // namespace

FileInputBuffer::FileInputBuffer(int descriptor, std::size_t size)
    : descriptor_(descriptor), buffer_(size)
{
    setg(buffer_.data(), buffer_.data(), buffer_.data());
}

FileInputBuffer::int_type FileInputBuffer::underflow()
{
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    long got = -1;
    do {
        got = read_some(descriptor_, buffer_.data(), buffer_.size());
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        return traits_type::eof();  // end of input, or an error that ends it
    }
    setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
    return traits_type::to_int_type(*gptr());
}

std::streamsize FileInputBuffer::showmanyc()
{
#ifdef _WIN32
    return 0;
#else
    int waiting = 0;
    if (ioctl(descriptor_, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
    return waiting;
#endif
}

FileOutputBuffer::FileOutputBuffer(int descriptor, std::size_t size)
    : descriptor_(descriptor), buffer_(size)
{
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FileOutputBuffer::~FileOutputBuffer() { write_out(); }

bool FileOutputBuffer::write_all(const char* data, std::size_t size)
{
    while (size > 0) {
        const long written = write_some(descriptor_, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;  // the output is gone: drop it rather than retry forever
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool FileOutputBuffer::write_out()
{
    const bool ok = write_all(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return ok;
}

std::streamsize FileOutputBuffer::xsputn(const char* data, std::streamsize size)
{
    if (size < static_cast<std::streamsize>(buffer_.size())) {
        return std::streambuf::xsputn(data, size);
    }
    if (!write_out() || !write_all(data, static_cast<std::size_t>(size))) return 0;
    return size;
}

FileOutputBuffer::int_type FileOutputBuffer::overflow(int_type c)
{
    if (!write_out()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int FileOutputBuffer::sync() { return write_out() ? 0 : -1; }

#ifdef _WIN32

void pause_console(std::streambuf& out)
{
    out.pubsync();
    // As elsewhere, a run whose input is not typed at the console does not pause.
    if (_isatty(0)) std::system("PAUSE");
}

#else

void pause_console(std::streambuf& out)
{
    if (!isatty(STDIN_FILENO)) {
        return;
    }
    const char prompt[] = "Press any key to continue . . . ";
    out.sputn(prompt, sizeof prompt - 1);
    out.pubsync();

    termios saved{};
    const bool have_mode = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (have_mode) {
        // One key, unechoed; Ctrl-C and the other signal keys count as keys too.
        termios single_key = saved;
        single_key.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
        single_key.c_cc[VMIN] = 1;
        single_key.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &single_key);
    }
    char key = 0;
    while (::read(STDIN_FILENO, &key, 1) < 0 && errno == EINTR) {}
    if (have_mode) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    }
    out.sputc('\n');
    out.pubsync();
}

#endif
