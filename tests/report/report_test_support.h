// Helpers shared by the report tests.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "report_document.h"

namespace coredesign::report::testing {

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "coredesign-report-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A folder `name` inside `dir` holding the three report pictures (small
// stand-in files: the report only asks whether they exist).
inline std::string ImageFolder(const TempDir& dir, const std::string& name) {
    const std::string folder = dir.Path() + "/" + name;
    std::filesystem::create_directories(folder);
    for (const char* image : {kLogoImage, kGappedCoreImage, kNoGapCoreImage})
        std::ofstream(folder + "/" + image) << "GIF89a";
    return folder;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace coredesign::report::testing
