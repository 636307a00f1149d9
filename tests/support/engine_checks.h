// What the tests of the engine and its front ends share: an input screen set
// up from a short description, the message ids of a run, the results
// screen's boxes, the reference model, and a comma-decimal locale.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "design_record.h"
#include "design_run.h"
#include "input_screen.h"
#include "messages.h"
#include "reference_model.h"
#include "screen_texts.h"

namespace coredesign::testing {

inline std::vector<std::string> MessageIds(const RunResult& run) {
    std::vector<std::string> ids;
    for (const Message& m : run.messages) ids.push_back(MessageIdName(m.id));
    return ids;
}

// A freshly loaded input screen set up as `inputs` says, in words separated by
// blanks: "nogap" (245 Perm chosen), "calc" (Calculate Core chosen),
// "pick=PARTNO" (Pick Core chosen, then that core; "pick=" chooses none), or
// "control=text" for a text field or unit box ("txtStack=2", "txtFluxDensity=");
// "gapped" chooses 100 Perm again.
inline InputScreen Screen(const std::string& inputs) {
    InputScreen s;
    std::istringstream words(inputs);
    for (std::string word; words >> word;) {
        const std::size_t eq = word.find('=');
        const std::string name = word.substr(0, eq), text = eq == std::string::npos ? "" : word.substr(eq + 1);
        if (word == "nogap" || word == "gapped") {
            s.ChooseFamily(word == "gapped");
        } else if (word == "calc") {
            s.ChooseCalculateCore();
        } else if (name == "pick") {
            s.ChoosePickCore();
            if (!text.empty() && !s.PickPart(text)) ADD_FAILURE() << "no list entry for " << text;
        } else if (name == "cmbinductance" || name == "cmbfrequency") {
            (name == "cmbinductance" ? s.Fields().cmbinductance : s.Fields().cmbfrequency) = text;
        } else {
            bool found = false;
            for (const InputField& field : kInputFields) {
                if (name != field.control) continue;
                s.Fields().*field.text = text;
                found = true;
            }
            if (!found) ADD_FAILURE() << "no field " << name;
        }
    }
    return s;
}

// Everything of an input screen that a design file can set, as one text:
// the field texts and units, the list's text, the boxes, the family and
// calculator of the record, the list's choice, size and colour.
inline std::string ScreenState(const InputScreen& s) {
    const InputTexts& in = s.Fields();
    std::string state;
    for (const InputField& field : kInputFields) state += std::string(field.control) + "=" + in.*field.text + "|";
    state += in.cmbinductance + "|" + in.cmbfrequency + "|" + in.txtCoreSize + "|";
    const CheckBoxes& b = s.Boxes();
    for (bool box : {b.chkGap, b.chkNoGap, b.chkCalcCore, b.chkPickCore, in.coreSizeListEnabled, s.Record().GappedCores,
                     s.Record().CalculatorType == Calculator::PickCore})
        state += box ? '1' : '0';
    return state + "|" + std::to_string(s.CoreListIndex()) + "/" + std::to_string(s.CoreList().size()) + "/" +
           std::to_string(static_cast<int>(s.CoreListColour()));
}

// The results screen's boxes by control name (also the JSON's keys), in the
// screen's order.
// clang-format off
inline const std::pair<const char*, std::string ResultsTexts::*> kResultsBoxes[] = {
    {"txtInductance", &ResultsTexts::txtInductance}, {"txtOutPutVoltage", &ResultsTexts::txtOutPutVoltage},
    {"txtDCCurrent", &ResultsTexts::txtDCCurrent}, {"txtFluxDensity", &ResultsTexts::txtFluxDensity},
    {"txtFrequency", &ResultsTexts::txtFrequency}, {"txtMinInputVoltage", &ResultsTexts::txtMinInputVoltage},
    {"txtCurrentDensityFactor", &ResultsTexts::txtCurrentDensityFactor}, {"VoutUnit", &ResultsTexts::VoutUnit},
    {"txtAmbientTemp", &ResultsTexts::txtAmbientTemp}, {"txtcore", &ResultsTexts::txtcore},
    {"txtOutCoreSize", &ResultsTexts::txtOutCoreSize}, {"txtStackout", &ResultsTexts::txtStackout},
    {"txtNoOfTurns", &ResultsTexts::txtNoOfTurns}, {"txtWireSize", &ResultsTexts::txtWireSize},
    {"txtInductanceZero", &ResultsTexts::txtInductanceZero}, {"txtInductanceFull", &ResultsTexts::txtInductanceFull},
    {"txtCopperLoss", &ResultsTexts::txtCopperLoss}, {"txtCoreLoss", &ResultsTexts::txtCoreLoss},
    {"txtTotalLoss", &ResultsTexts::txtTotalLoss}, {"txtTotalTempRise", &ResultsTexts::txtTotalTempRise}};
// clang-format on

inline void ExpectSameBoxes(const ResultsTexts& shown, const ResultsTexts& expected) {
    for (const auto& [name, box] : kResultsBoxes) EXPECT_EQ(shown.*box, expected.*box) << name;
    EXPECT_EQ(shown.txtTotalTempRiseAlarm, expected.txtTotalTempRiseAlarm);
}

// Restores the C locale when a test that changed it ends, however it ends.
struct LocaleGuard {
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

}  // namespace coredesign::testing
