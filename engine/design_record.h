// The design record: the one set of figures that every screen reads.
//
// Field names are the names the whole program uses for these quantities.
// Units are the record's own: henry for the entered and design inductance,
// microhenry for the full-load inductance, hertz, volts, amperes, tesla,
// A/cm^2, whole degrees Celsius; catalogue dimensions in mm, path length in
// cm, areas in cm^2, area product in cm^4, mass in g, AL in nH per turn^2.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "catalogue.h"

namespace coredesign {

// The calculator type chosen on the input screen, kept as the 16-bit values
// 1 and 2 that the record has always held. (Formerly the bare literals 1 and 2.)
enum class Calculator : std::int16_t { CalculateCore = 1, PickCore = 2 };

// Formerly Module1.
struct DesignRecord {
    // Inputs, rewritten by initValues at the start of every Show Results run.
    double InductanceEntered = 0;     // H, as entered (after the unit choice)
    double Inductance = 0;            // H, design inductance (raised by inductance passes)
    double DCCurrent = 0;             // A
    double OutputVoltage = 0;         // V
    double MinInputVoltage = 0;       // V
    double MaxInputVoltage = 0;       // V
    double Frequency = 0;             // Hz
    double FluxDensity = 0;           // T
    std::int16_t AmbientTemp = 0;     // degC
    double CurrentDensityFactor = 0;  // A/cm^2
    double FillFactor = 0;            // fraction
    std::int16_t Stack = 0;           // cores stacked
    Calculator CalculatorType{};      // 0 until the input screen loads
    bool GappedCores = false;         // true = 100-permeability family
    std::string CoreSize;             // part number of the chosen core
    std::string TempFolder;           // the temporary folder

    // The loaded family's catalogue and the wire table, shared and never
    // changed through the record; the loads below choose them. (Formerly the
    // thirteen catalogue arrays CorePartNo ... CoreSurface and the four
    // WireTable arrays, copied into every record: see Core and Wire.)
    const Catalogue* LoadedCatalogue = &Catalogue::Empty();
    const WireTable* LoadedWireTable = &WireTable::Empty();

    double MaxAreaProduct = 0;  // cm^4, largest area product (CoreWaAc) of any load; never lowered

    // The chosen core.
    std::int16_t CoreIndex = 0;  // catalogue row, 0 = none

    // Results.
    double RippleCurrent = 0;  // A peak to peak
    double PeakCurrent = 0;    // A
    double Energy = 0;         // J
    double AreaProduct = 0;    // cm^4
    double WireSize = 0;       // AWG
    double WireDiameter = 0;   // cm
    std::int16_t Turns = 0;
    double InductanceFullLoad = 0;   // uH
    double ActualFillFactor = 0;     // fraction
    double MeanTurnLength = 0;       // cm
    double ConductorLength = 0;      // cm
    double ConductorResistance = 0;  // ohm
    double SkinDepth = 0;            // cm
    double Bdc = 0;                  // T
    double Bac = 0;                  // T
    double MaterialLoss = 0;         // W/kg
    double CoreLoss = 0;             // W
    double CopperLossAtTemp = 0;     // W
    double TotalLoss = 0;            // W
    double TempRise = 0;             // degC
    bool DesignWarning = false;
    bool FillWarning = false;

    // Working values handed from one step of a pass to the next.
    double Period = 0;     // us
    double OffTime = 0;    // us
    double StackedAc = 0;  // cm^2
    double Permeability = 0;
    double RequiredCopperArea = 0;  // cm^2
    double WireResistance = 0;      // ohm/cm
    double MagnetizingForce = 0;    // Oe
    double EffectivePermeability = 0;
    double AcResistanceFactor = 0;
    double AcResistance = 0;  // ohm
    double CopperLoss = 0;    // W at 25 degC
    double SurfaceArea = 0;   // cm^2

    // Rows of the loaded catalogue (34 or 36 once loaded, 0 before).
    int CatalogueRows() const { return LoadedCatalogue->Rows(); }
    // The chosen core; CoreIndex must be a row of the loaded catalogue.
    const Core& ChosenCore() const { return LoadedCatalogue->Row(CoreIndex); }
};

// One figure of the record by name: its name (a JSON key of the command-line
// front end) and the member that holds it, with its type.
struct RecordField {
    using Member = std::variant<double DesignRecord::*, std::int16_t DesignRecord::*, Calculator DesignRecord::*,
                                bool DesignRecord::*, std::string DesignRecord::*>;
    const char* name;
    Member member;
};

// Every figure of the record, in the order of the declarations above; the
// catalogue and the wire table are not among them.
#define COREDESIGN_RECORD_FIELD(name) \
    RecordField {                     \
#name, &DesignRecord::name    \
    }
inline constexpr RecordField kRecordFields[] = {
    COREDESIGN_RECORD_FIELD(InductanceEntered),
    COREDESIGN_RECORD_FIELD(Inductance),
    COREDESIGN_RECORD_FIELD(DCCurrent),
    COREDESIGN_RECORD_FIELD(OutputVoltage),
    COREDESIGN_RECORD_FIELD(MinInputVoltage),
    COREDESIGN_RECORD_FIELD(MaxInputVoltage),
    COREDESIGN_RECORD_FIELD(Frequency),
    COREDESIGN_RECORD_FIELD(FluxDensity),
    COREDESIGN_RECORD_FIELD(AmbientTemp),
    COREDESIGN_RECORD_FIELD(CurrentDensityFactor),
    COREDESIGN_RECORD_FIELD(FillFactor),
    COREDESIGN_RECORD_FIELD(Stack),
    COREDESIGN_RECORD_FIELD(CalculatorType),
    COREDESIGN_RECORD_FIELD(GappedCores),
    COREDESIGN_RECORD_FIELD(CoreSize),
    COREDESIGN_RECORD_FIELD(TempFolder),
    COREDESIGN_RECORD_FIELD(MaxAreaProduct),
    COREDESIGN_RECORD_FIELD(CoreIndex),
    COREDESIGN_RECORD_FIELD(RippleCurrent),
    COREDESIGN_RECORD_FIELD(PeakCurrent),
    COREDESIGN_RECORD_FIELD(Energy),
    COREDESIGN_RECORD_FIELD(AreaProduct),
    COREDESIGN_RECORD_FIELD(WireSize),
    COREDESIGN_RECORD_FIELD(WireDiameter),
    COREDESIGN_RECORD_FIELD(Turns),
    COREDESIGN_RECORD_FIELD(InductanceFullLoad),
    COREDESIGN_RECORD_FIELD(ActualFillFactor),
    COREDESIGN_RECORD_FIELD(MeanTurnLength),
    COREDESIGN_RECORD_FIELD(ConductorLength),
    COREDESIGN_RECORD_FIELD(ConductorResistance),
    COREDESIGN_RECORD_FIELD(SkinDepth),
    COREDESIGN_RECORD_FIELD(Bdc),
    COREDESIGN_RECORD_FIELD(Bac),
    COREDESIGN_RECORD_FIELD(MaterialLoss),
    COREDESIGN_RECORD_FIELD(CoreLoss),
    COREDESIGN_RECORD_FIELD(CopperLossAtTemp),
    COREDESIGN_RECORD_FIELD(TotalLoss),
    COREDESIGN_RECORD_FIELD(TempRise),
    COREDESIGN_RECORD_FIELD(DesignWarning),
    COREDESIGN_RECORD_FIELD(FillWarning),
    COREDESIGN_RECORD_FIELD(Period),
    COREDESIGN_RECORD_FIELD(OffTime),
    COREDESIGN_RECORD_FIELD(StackedAc),
    COREDESIGN_RECORD_FIELD(Permeability),
    COREDESIGN_RECORD_FIELD(RequiredCopperArea),
    COREDESIGN_RECORD_FIELD(WireResistance),
    COREDESIGN_RECORD_FIELD(MagnetizingForce),
    COREDESIGN_RECORD_FIELD(EffectivePermeability),
    COREDESIGN_RECORD_FIELD(AcResistanceFactor),
    COREDESIGN_RECORD_FIELD(AcResistance),
    COREDESIGN_RECORD_FIELD(CopperLoss),
    COREDESIGN_RECORD_FIELD(SurfaceArea),
};
#undef COREDESIGN_RECORD_FIELD

// Loads the wire table into the record.
void DataLoad(DesignRecord& rec);

// Loads the catalogue of the family chosen by GappedCores and raises
// MaxAreaProduct to its largest area product. (The input screen then refills
// its core size list from the loaded rows.)
void ArrayData_QV_Load(DesignRecord& rec);

// A record as the input screen's load leaves it: Calculate Core, the wire
// table and the catalogue of the chosen family loaded.
DesignRecord LoadedRecord(bool gapped = true);

}  // namespace coredesign
