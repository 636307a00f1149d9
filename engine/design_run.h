// The Show Results run: read the field texts into the record, check them,
// size the core, evaluate candidates and apply the acceptance tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "design_record.h"
#include "messages.h"

namespace coredesign {

// What the input screen holds when Show Results is pressed. The defaults are
// the texts of a freshly loaded screen.
struct InputTexts {
    std::string txtInductance = ".000318";
    std::string cmbinductance = "Henry";
    std::string txtOutPutVoltage = "10";
    std::string txtDCCurrent = "3.5";
    std::string txtFluxDensity = "1.2";
    std::string txtFrequency = "50000";
    std::string cmbfrequency = "Hz";
    std::string txtMinInputVoltage = "24";
    std::string txtMaxInputVoltage = "50";
    std::string txtAmbientTemp = "35";
    std::string txtCurrentDensityFactor = "400";
    std::string txtFill_Factor = ".4";
    std::string txtStack = "1";
    std::string txtCoreSize;          // the core size list's current text
    bool coreSizeListEnabled = true;  // the list is enabled (and black) after load
};

// What a run reads from the system it runs on. The engine asks no operating
// system itself: the front end hands these in (the desktop program and the
// CLI read them through platform/).
struct RunEnvironment {
    // The temporary folder, read anew as each run reads its inputs into the
    // record's TempFolder; empty when not given.
    std::function<std::string()> tempFolder;

    std::string TempFolder() const { return tempFolder ? tempFolder() : std::string(); }
};

// How a run ended.
enum class Outcome { Results, FillWarning, Validation, AreaProduct, DcBias, NoWire, InductanceLimit };

// "results", "fill_warning", ... as the CLI's JSON names them.
const char* OutcomeName(Outcome outcome);

// The results screen as the input reading touches it: the front end creates
// the screen if it does not exist yet (filling it from the record as it
// stands) and sets its total temperature box back to regular black.
class ResultsScreenPort {
public:
    virtual ~ResultsScreenPort() = default;
    virtual void ResetTemperatureMark(const DesignRecord& rec) = 0;
};

struct RunResult {
    Outcome outcome = Outcome::Validation;
    std::vector<Message> messages;   // in the order they are shown
    bool stackSetToOne = false;      // txtStack was empty and now reads "1"
    bool clearCoreList = false;      // empty and disable the core size list
    bool temperatureAlarm = false;   // mark txtTotalTempRise bold red
    bool clearResultFields = false;  // empty the eight output boxes before showing the results
    bool showResults = false;        // results screen shown, input screen hidden
    bool showIntermediate = false;   // input screen stays, intermediate outputs shown
    int inductancePasses = 0;        // passes after the first
};

// Copies all inputs, in base units, into the record; the temporary folder
// comes from `environment`.
void initValues(DesignRecord& rec, const InputTexts& in, ResultsScreenPort* port,
                const RunEnvironment& environment = {});

// The whole run. The record must hold a loaded catalogue and wire table.
RunResult ShowResults(DesignRecord& rec, const InputTexts& in, ResultsScreenPort* port = nullptr,
                      const RunEnvironment& environment = {});

}  // namespace coredesign
