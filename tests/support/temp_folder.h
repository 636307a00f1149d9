// A folder of the test's own under the system's temporary folder, and an
// environment variable set for the life of an object. No Qt.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <system_error>

namespace coredesign::testing {

// A fresh, empty folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        namespace fs = std::filesystem;
        std::random_device seed;
        std::mt19937_64 random(seed());
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate = fs::temp_directory_path() / ("coredesign-test-" + std::to_string(random()));
            std::error_code ec;
            if (fs::create_directory(candidate, ec)) path_ = candidate.string();
        }
    }
    ~TempFolder() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool Valid() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    // A path inside the folder.
    std::string File(const std::string& relative) const { return (std::filesystem::path(path_) / relative).string(); }

private:
    std::string path_;
};

// The whole content of a file (empty when it cannot be read).
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes a file whole, in binary.
inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// Sets (or, given nothing, unsets) an environment variable; the earlier value
// comes back when the object goes.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        Set(value);
    }
    ~ScopedEnv() { Set(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
#ifdef _WIN32
        // An empty value removes the variable (from the process's environment too).
        ::_putenv_s(name_.c_str(), value ? value->c_str() : "");
#else
        if (value)
            ::setenv(name_.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
#endif
    }
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace coredesign::testing
