// The program's standard output, every write checked: output that could not
// be written (a full disk, a closed pipe, a device that takes nothing) is
// told at the end instead of passing for success.
#pragma once

#include <streambuf>

namespace coredesign::cli {

// A stream buffer over the C library's standard output that keeps the
// system's reason for the first write that failed.
class StandardOutput final : public std::streambuf {
public:
    // Flushes the output; 0 when every byte was written, else the system's
    // error number of the first failure.
    int Finish();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    void Failed();

    int error_ = 0;
};

}  // namespace coredesign::cli
