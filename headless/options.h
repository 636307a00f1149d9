// The options of coredesign-cli, in one table that every front end taking
// them reads: the command line, the columns of a batch file and the Python
// module's keywords. Each option is named, takes a text or nothing, and sets
// what the run does; the usage text is written from the same table.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "curve.h"

namespace coredesign {
struct Design;
struct InputTexts;
}  // namespace coredesign

namespace coredesign::cli {

struct Options {
    std::map<std::string, std::string> fields;  // control name -> text
    std::optional<std::string> inductanceUnit, frequencyUnit;
    bool gapped = true;
    bool familyGiven = false;  // --family given: --explore compares that family only
    std::optional<std::string> pick;
    std::optional<std::string> reportFile;
    bool json = false;
    bool explore = false;              // every core and stack instead of one run
    bool csv = false;                  // CSV output (of --explore or --curve)
    bool curve = false;                // the inductance curve of the design
    int points = kDefaultCurvePoints;  // --points: currents of the curve's grid
    bool pointsGiven = false;
    std::optional<std::string> spiceFile;       // --spice: the circuit model of the design
    std::optional<std::string> pdfFile;         // --pdf: the report as PDF
    std::optional<std::string> designFile;      // --design: the run starts from this design file
    std::optional<std::string> saveDesignFile;  // --save-design: the run's design is written here
    std::optional<std::string> batchFile;       // --batch: one run per row of this CSV file ("-": standard input)
    bool help = false;
    bool version = false;
};

// One option of the table.
struct OptionEntry {
    const char* name;     // as written on the command line: "--dc-current"
    const char* alias;    // another spelling ("-h"), or null
    bool takesValue;      // followed by a text (its own argument, or after '=')
    const char* control;  // the input screen's field it types into, or null
    // What the option does, given its text (empty for one without). False,
    // with the message, on a usage error.
    bool (*apply)(const OptionEntry& option, const std::string& value, Options& options, std::string& error);
    const char* usage;  // its lines of the usage text
};

// Every option, in the order of the usage text.
const std::vector<OptionEntry>& OptionTable();

// The option of this name, written without its leading dashes ("dc-current"),
// as batch columns and Python keywords name them; null when there is none.
const OptionEntry* FindOption(std::string_view bareName);

// True for an option that sets what the input screen holds before Show
// Results (a field text, a unit, the family, the picked part), false for one
// that chooses what the run prints or writes (--json, --report, --curve ...).
// A front end that chooses its output itself takes only these.
bool IsInputOption(const OptionEntry& option);

// Applies one option with its text. False, with the message, on a usage error.
bool ApplyOption(const OptionEntry& option, const std::string& value, Options& options, std::string& error);

// The options of a command line, checked together. False (with a message)
// on a usage error.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);
// The same for the arguments after the program's name, each taken whole
// (a front end without C strings may hand in texts that hold NUL).
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// Options that only mean something together, and those that cannot go with
// --explore's many runs. False, with the message, when they clash.
bool CheckCombination(const Options& options, std::string& error);

std::string UsageText();

// The field texts and unit lists that the options type into an input screen.
void TypeOptions(const Options& options, InputTexts& in);

// The options, by bare name and text, that give a freshly loaded screen what
// opening `design` gives it: --family, --pick, the units and the field texts
// the design sets, in the table's order. (A Pick Core design with no part
// chosen has no option of its own: its pairs hold no --pick.)
std::vector<std::pair<std::string, std::string>> DesignOptions(const Design& design);

}  // namespace coredesign::cli
