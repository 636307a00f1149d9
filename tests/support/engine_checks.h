// What the engine tests share: message ids of a run, the figures against the
// reference model, and a comma-decimal locale.
#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <vector>

#include "catalogue.h"
#include "design_record.h"
#include "design_run.h"
#include "input_screen.h"
#include "messages.h"
#include "reference_model.h"

namespace coredesign::testing {

using coredesign::LoadedRecord;

inline std::vector<std::string> MessageIds(const RunResult& run) {
    std::vector<std::string> ids;
    for (const Message& m : run.messages) ids.push_back(MessageIdName(m.id));
    return ids;
}

// Every figure of an evaluated core in the record agrees with the reference
// model's to a relative 1e-12 (the same formulas, grouped differently).
inline void ExpectSameFigures(const DesignRecord& r, const refmodel::Figures& f) {
    EXPECT_EQ(r.WireSize, f.wireSize);
    EXPECT_EQ(r.Turns, f.turns);
    const struct {
        const char* name;
        double engine, model;
    } figures[] = {{"H", r.MagnetizingForce, f.H},
                   {"muEff", r.EffectivePermeability, f.muEff},
                   {"InductanceFullLoad", r.InductanceFullLoad, f.inductanceFullLoad},
                   {"SkinDepth", r.SkinDepth, f.skinDepth},
                   {"MeanTurnLength", r.MeanTurnLength, f.meanTurn},
                   {"ConductorLength", r.ConductorLength, f.conductorLength},
                   {"ConductorResistance", r.ConductorResistance, f.conductorResistance},
                   {"AcResistanceFactor", r.AcResistanceFactor, f.acFactor},
                   {"AcResistance", r.AcResistance, f.acResistance},
                   {"ActualFillFactor", r.ActualFillFactor, f.fill},
                   {"Bdc", r.Bdc, f.bdc},
                   {"Bac", r.Bac, f.bac},
                   {"CopperLoss", r.CopperLoss, f.copperLoss},
                   {"MaterialLoss", r.MaterialLoss, f.materialLoss},
                   {"CoreLoss", r.CoreLoss, f.coreLoss},
                   {"SurfaceArea", r.SurfaceArea, f.surface},
                   {"CopperLossAtTemp", r.CopperLossAtTemp, f.copperLossAtTemp},
                   {"TotalLoss", r.TotalLoss, f.totalLoss},
                   {"TempRise", r.TempRise, f.tempRise}};
    for (const auto& x : figures)
        EXPECT_TRUE(x.engine == x.model || std::fabs(x.engine - x.model) <= 1e-12 * std::fabs(x.model))
            << x.name << ": " << x.engine << " vs " << x.model;
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
