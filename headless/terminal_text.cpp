#include "terminal_text.h"

namespace coredesign::cli {
namespace {

// The length of the well-formed UTF-8 sequence of two to four bytes at
// `at`, or 0 (no overlong form, no surrogate, nothing above U+10FFFF).
std::size_t SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned lead = byte(0);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((byte(k) & 0xC0) != 0x80) return 0;
    // The second byte's range where the lead alone does not settle it.
    const unsigned second = byte(1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
        (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

void AppendEscaped(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    if (byte == 0x1B) {
        out += "\\e";
        return;
    }
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

}  // namespace

std::string EscapeControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte < 0x7F) {
            out += text[at++];
            continue;
        }
        const std::size_t length = byte >= 0x80 ? SequenceLength(text, at) : 0;
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
        const bool c1 = length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[at + 1]) <= 0x9F;
        if (length > 0 && !c1) {
            out.append(text.substr(at, length));
            at += length;
            continue;
        }
        for (std::size_t k = 0; k < (c1 ? 2 : 1); ++k) AppendEscaped(out, static_cast<unsigned char>(text[at + k]));
        at += c1 ? 2 : 1;
    }
    return out;
}

}  // namespace coredesign::cli
