// Helpers shared by the engine tests.
#pragma once

#include <cctype>
#include <clocale>
#include <string>
#include <vector>

#include "catalogue.h"
#include "design_run.h"
#include "messages.h"
#include "record.h"
#include "reference_model.h"
#include "session.h"

namespace coredesign::testing {

// A record as the input screen's load leaves it: wire table and one family.
inline Module1 LoadedRecord(bool gapped = true) {
    Module1 rec;
    rec.CalculatorType = 1;
    DataLoad(rec);
    rec.GappedCores = gapped;
    ArrayData_QV_Load(rec);
    return rec;
}

inline std::vector<std::string> MessageIds(const RunResult& run) {
    std::vector<std::string> ids;
    for (const Message& m : run.messages) ids.push_back(MessageIdName(m.id));
    return ids;
}

// The reference model's inputs for a session's default field texts.
inline refmodel::Inputs DefaultInputs() {
    return refmodel::Inputs{};
}

// A test name part for a parameter: its index and the letters and digits of a text.
inline std::string ParamName(size_t index, const std::string& text) {
    std::string name = std::to_string(index) + "_";
    for (unsigned char c : text) name += std::isalnum(c) ? static_cast<char>(c) : '_';
    return name;
}

// Restores the C locale when a test that changed it ends, however it ends.
class LocaleGuard {
public:
    LocaleGuard() = default;
    ~LocaleGuard() { std::setlocale(LC_ALL, "C"); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;
};

// Switches to a locale whose decimal separator is a comma; false if the
// machine has none (the build generates one where it can, see CMakeLists).
inline bool UseCommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
        if (std::setlocale(LC_ALL, name) && std::string(std::localeconv()->decimal_point) == ",") return true;
    }
    std::setlocale(LC_ALL, "C");
    return false;
}

// The maker's contact lines as the design messages write them.
inline const std::string kPhones4And6 = "1-800-555-0142    Europe +44 20 7946 0142      Asia +852 5550 0142";
inline const std::string kPhones4And4 = "1-800-555-0142    Europe +44 20 7946 0142    Asia +852 5550 0142";
inline const std::string kMail = "applications@kestrova.example";

}  // namespace coredesign::testing
