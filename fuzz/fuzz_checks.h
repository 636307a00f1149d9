// What the fuzz targets hold the program to: a Show Results run ends in one
// defined way, and no text shows a non-finite number. A fault is printed and
// aborts the process, which libFuzzer reports with the input that caused it.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "design_run.h"
#include "input_screen.h"
#include "messages.h"

namespace coredesign::fuzz {

[[noreturn]] inline void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "fuzz fault: %s: %s\n", what, detail.c_str());
    std::abort();
}

// "nan" or "inf" (also "infinity"), in any case, standing as a word of its
// own; a letter after a backslash is an escape of the JSON document (the
// line break before "an e-mail" is written "\\nan e-mail" there).
// (Not instrumented for coverage: the check is no part of the program, and
// its loops over long texts would cost most of the fuzzer's time.)
__attribute__((no_sanitize("coverage"))) inline bool ShowsNonFinite(const std::string& text) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    auto letter = [&](char c) { return lower(c) >= 'a' && lower(c) <= 'z'; };
    const std::size_t n = text.size();
    for (std::size_t p = 0; p + 3 <= n; ++p) {
        const char c = lower(text[p]);
        if (c != 'n' && c != 'i') continue;
        if (p > 0 && (letter(text[p - 1]) || text[p - 1] == '\\')) continue;
        const char* word = c == 'n' ? "nan" : "infinity";
        if (lower(text[p + 1]) != word[1] || lower(text[p + 2]) != word[2]) continue;
        if (p + 3 == n || !letter(text[p + 3])) return true;
        std::size_t k = 3;
        while (c == 'i' && k < 8 && p + k < n && lower(text[p + k]) == word[k]) ++k;
        if (k == 8) return true;
    }
    return false;
}

inline void CheckText(const char* what, const std::string& text) {
    if (ShowsNonFinite(text)) Fail(what, "shows a non-finite number:\n" + text);
}

// Empty when the run ended in one defined way: its outcome, the messages
// that told it and what it shows agree, and a design that reaches the
// screens holds a core of the catalogue and finite figures. Otherwise what
// is wrong.
inline std::string RunFault(const InputScreen& screen, const RunResult& run) {
    std::vector<MessageId> ids;
    for (const Message& m : run.messages) ids.push_back(m.id);
    const bool pick = screen.Record().CalculatorType == Calculator::PickCore;
    const bool temperatureLast = !ids.empty() && ids.back() == MessageId::Temperature;
    if (run.temperatureAlarm != temperatureLast) return "the temperature mark and the messages disagree";
    if (run.showResults != (run.outcome == Outcome::Results)) return "the results screen and the outcome disagree";
    if (run.showIntermediate && run.outcome != Outcome::FillWarning)
        return "intermediate outputs without a fill warning";
    switch (run.outcome) {
        case Outcome::Validation:
            if (ids.size() != 1 || ids[0] > MessageId::Stack) return "a refused input not told by one input message";
            return {};
        case Outcome::Results:
            if (!ids.empty() && !(pick && ids.size() == 1 && temperatureLast))
                return "results after a stopping message";
            break;
        case Outcome::FillWarning:
            if (!pick || ids.empty() || ids[0] != MessageId::Fill || ids.size() > 2)
                return "a fill warning not so told";
            break;
        case Outcome::AreaProduct:
        case Outcome::DcBias:
        case Outcome::NoWire:
        case Outcome::InductanceLimit: {
            const MessageId told = run.outcome == Outcome::AreaProduct ? MessageId::AreaProduct
                                   : run.outcome == Outcome::DcBias    ? MessageId::DcBias
                                   : run.outcome == Outcome::NoWire    ? MessageId::NoWire
                                                                       : MessageId::InductanceLimit;
            if (ids.size() != 1 || ids[0] != told) return "a stopped design not told by its own message";
            return {};
        }
        default: return "an outcome that is none of the defined ones";
    }
    const DesignRecord& r = screen.Record();
    if (r.CoreIndex < 1 || r.CoreIndex > r.CatalogueRows() || r.CoreSize != r.ChosenCore().partNo)
        return "a design without a core of the catalogue";
    for (double v : {r.Inductance, r.RippleCurrent, r.PeakCurrent, r.Energy, r.AreaProduct, r.InductanceFullLoad,
                     r.ActualFillFactor, r.MeanTurnLength, r.ConductorResistance, r.SkinDepth, r.Bdc, r.Bac, r.CoreLoss,
                     r.CopperLossAtTemp, r.TotalLoss, r.TempRise})
        if (!std::isfinite(v)) return "a design with a non-finite figure";
    if (!screen.Results()) return "a design without a results screen";
    return {};
}

}  // namespace coredesign::fuzz
