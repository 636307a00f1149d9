#include "file_reference.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "folders.h"

namespace coredesign::platform {
namespace {

// The absolute file: URL of a path written with '/' (a Windows path as
// "C:/folder/file" or "//server/share/file"), every byte outside the
// unreserved set (letters, digits, - . _ ~) and the separator / percent-encoded.
std::string FileUrl(const std::string& absolutePath) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string url = "file://";
    std::size_t start = 0;
    if (kPathSeparator == '\\') {
        if (absolutePath.size() >= 2 && absolutePath[1] == ':' &&
            std::isalpha(static_cast<unsigned char>(absolutePath[0]))) {
            url += '/' + absolutePath.substr(0, 2);  // a drive: file:///C:/...
            start = 2;
        } else if (absolutePath.compare(0, 2, "//") == 0) {
            start = 2;  // a network share: file://server/share/...
        }
    }
    for (std::size_t i = start; i < absolutePath.size(); ++i) {
        const char ch = absolutePath[i];
        const auto b = static_cast<unsigned char>(ch);
        const bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
                           b == '.' || b == '_' || b == '~' || b == '/';
        if (plain) {
            url += ch;
        } else {
            url += '%';
            url += kHex[b >> 4];
            url += kHex[b & 0x0F];
        }
    }
    return url;
}

}  // namespace

std::string FileReference(const std::string& folder, const std::string& fileName) {
    return FileReference(folder, fileName, ShortPath);
}

std::string FileReference(const std::string& folder, const std::string& fileName, ShortPathFunction shortPath) {
    if constexpr (kHasShortPaths) {
        const std::string file = folder + kPathSeparator + fileName;
        if (!IsRegularFile(file)) return std::string();
        // The short path as the system writes it, lower-cased, without blanks at either end.
        std::string reference = shortPath(file);
        const auto first = reference.find_first_not_of(' ');
        if (first == std::string::npos) return std::string();
        reference = reference.substr(first, reference.find_last_not_of(' ') - first + 1);
        for (char& ch : reference) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        // A volume without short names gives the long path back: a blank in
        // it would end the src attribute, so it is written as a URL instead.
        if (reference.find(' ') == std::string::npos) return reference;
    }
    std::error_code ec;
    std::filesystem::path path = std::filesystem::path(folder) / fileName;
    path = std::filesystem::absolute(path, ec).lexically_normal();
    if (ec || !std::filesystem::is_regular_file(path, ec)) return std::string();
    return FileUrl(path.generic_string());
}

}  // namespace coredesign::platform
