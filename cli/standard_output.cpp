#include "standard_output.h"

#include <cerrno>
#include <cstdio>

namespace coredesign::cli {

void StandardOutput::Failed() {
    if (!error_) error_ = errno ? errno : EIO;
}

StandardOutput::int_type StandardOutput::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    errno = 0;
    if (std::fputc(traits_type::to_char_type(c), stdout) == EOF) {
        Failed();
        return traits_type::eof();
    }
    return c;
}

std::streamsize StandardOutput::xsputn(const char* s, std::streamsize n) {
    errno = 0;
    const std::size_t written = std::fwrite(s, 1, static_cast<std::size_t>(n), stdout);
    if (written < static_cast<std::size_t>(n)) Failed();
    return static_cast<std::streamsize>(written);
}

int StandardOutput::sync() {
    errno = 0;
    if (std::fflush(stdout) == 0) return 0;
    Failed();
    return -1;
}

int StandardOutput::Finish() {
    sync();
    if (std::ferror(stdout) && !error_) error_ = EIO;
    return error_;
}

}  // namespace coredesign::cli
