#include "options.h"

#include "design_file.h"
#include "design_run.h"
#include "input_screen.h"
#include "terminal_text.h"

namespace coredesign::cli {
namespace {

bool Refuse(std::string& error, std::string message) {
    error = std::move(message);
    return false;
}

bool Field(const OptionEntry& option, const std::string& value, Options& options, std::string&) {
    options.fields[option.control] = value;
    return true;
}

bool InductanceUnit(const OptionEntry&, const std::string& value, Options& options, std::string& error) {
    if (!IsOneOf(value, kInductanceUnits))
        return Refuse(error,
                      "unknown inductance unit '" + EscapeControls(value) + "' (Henry, millihenry or microhenry)");
    options.inductanceUnit = value;
    return true;
}

bool FrequencyUnit(const OptionEntry&, const std::string& value, Options& options, std::string& error) {
    if (!IsOneOf(value, kFrequencyUnits))
        return Refuse(error, "unknown frequency unit '" + EscapeControls(value) + "' (Hz or kHz)");
    options.frequencyUnit = value;
    return true;
}

bool Family(const OptionEntry&, const std::string& value, Options& options, std::string& error) {
    if (value != "gapped" && value != "nogap")
        return Refuse(error, "unknown core family '" + EscapeControls(value) + "' (gapped or nogap)");
    options.gapped = value == "gapped";
    options.familyGiven = true;
    return true;
}

bool Pick(const OptionEntry&, const std::string& value, Options& options, std::string&) {
    options.pick = value;
    return true;
}

// An option that names a file to read or write: the name may not be empty.
bool NamedFile(const OptionEntry& option, const std::string& value, Options& options, std::string& error) {
    if (value.empty()) return Refuse(error, "option " + std::string(option.name) + " needs a file name");
    const std::string_view name = option.name;
    (name == "--report"        ? options.reportFile
     : name == "--spice"       ? options.spiceFile
     : name == "--pdf"         ? options.pdfFile
     : name == "--design"      ? options.designFile
     : name == "--save-design" ? options.saveDesignFile
                               : options.batchFile) = value;
    return true;
}

// A whole number of curve points in range, written in decimal digits only.
bool Points(const OptionEntry&, const std::string& value, Options& options, std::string& error) {
    bool digits = !value.empty() && value.size() <= 6;
    for (char c : value) digits = digits && c >= '0' && c <= '9';
    const int n = digits ? std::stoi(value) : 0;
    if (!digits || n < kMinCurvePoints || n > kMaxCurvePoints)
        return Refuse(error, "option --points needs a whole number from " + std::to_string(kMinCurvePoints) + " to " +
                                 std::to_string(kMaxCurvePoints) + ", not '" + EscapeControls(value) + "'");
    options.points = n;
    options.pointsGiven = true;
    return true;
}

bool Flag(const OptionEntry& option, const std::string&, Options& options, std::string&) {
    const std::string_view name = option.name;
    bool& flag = name == "--json"      ? options.json
                 : name == "--explore" ? options.explore
                 : name == "--curve"   ? options.curve
                 : name == "--csv"     ? options.csv
                 : name == "--help"    ? options.help
                                       : options.version;
    flag = true;
    return true;
}

const std::vector<OptionEntry> kOptions = {
    {"--inductance", nullptr, true, "txtInductance", Field,
     "  --inductance TEXT                    inductance at full load (.000318)\n"},
    {"--inductance-unit", nullptr, true, nullptr, InductanceUnit,
     "  --inductance-unit Henry|millihenry|microhenry   (Henry)\n"},
    {"--output-voltage", nullptr, true, "txtOutPutVoltage", Field,
     "  --output-voltage TEXT                output voltage, V (10)\n"},
    {"--dc-current", nullptr, true, "txtDCCurrent", Field,
     "  --dc-current TEXT                    DC current, A (3.5)\n"},
    {"--flux-density", nullptr, true, "txtFluxDensity", Field,
     "  --flux-density TEXT                  flux density, T (1.2; 0.8 with --family nogap)\n"},
    {"--frequency", nullptr, true, "txtFrequency", Field,
     "  --frequency TEXT                     switching frequency (50000)\n"},
    {"--frequency-unit", nullptr, true, nullptr, FrequencyUnit, "  --frequency-unit Hz|kHz              (Hz)\n"},
    {"--min-input-voltage", nullptr, true, "txtMinInputVoltage", Field,
     "  --min-input-voltage TEXT             minimum input voltage, V (24)\n"},
    {"--max-input-voltage", nullptr, true, "txtMaxInputVoltage", Field,
     "  --max-input-voltage TEXT             maximum input voltage, V (50)\n"},
    {"--ambient-temp", nullptr, true, "txtAmbientTemp", Field,
     "  --ambient-temp TEXT                  ambient temperature, degC (35)\n"},
    {"--current-density", nullptr, true, "txtCurrentDensityFactor", Field,
     "  --current-density TEXT               current density, A/cm^2 (400)\n"},
    {"--fill-factor", nullptr, true, "txtFill_Factor", Field,
     "  --fill-factor TEXT                   window fill factor (.4)\n"},
    {"--stack", nullptr, true, "txtStack", Field, "  --stack TEXT                         cores to stack (1)\n"},
    {"--family", nullptr, true, nullptr, Family,
     "  --family gapped|nogap                core family, 100 or 245 Perm (gapped)\n"},
    {"--pick", nullptr, true, nullptr, Pick,
     "  --pick PARTNO                        Pick Core with this part number\n"},
    {"--report", nullptr, true, nullptr, NamedFile,
     "  --report FILE                        on results, also write the design report to FILE\n"},
    {"--json", nullptr, false, nullptr, Flag, "  --json                               print the JSON document\n"},
    {"--explore", nullptr, false, nullptr, Flag,
     "  --explore                            Pick Core on every core of the family (both families\n"
     "                                       without --family) at 1 to 9 cores stacked, as JSON;\n"
     "                                       --stack sets only the Calculate Core runs' stack\n"},
    {"--curve", nullptr, false, nullptr, Flag,
     "  --curve                              print the design's inductance against current (CSV;\n"
     "                                       with --json, a \"curve\" key in the document)\n"},
    {"--points", nullptr, true, nullptr, Points,
     "  --points N                           currents of the curve, 2 to 10001 (101)\n"},
    {"--csv", nullptr, false, nullptr, Flag,
     "  --csv                                CSV output: --explore's table or the curve\n"},
    {"--spice", nullptr, true, nullptr, NamedFile,
     "  --spice FILE                         write a SPICE subcircuit of the designed choke to FILE\n"},
    {"--pdf", nullptr, true, nullptr, NamedFile,
     "  --pdf FILE                           on results, also write the report as PDF to FILE\n"},
    {"--design", nullptr, true, nullptr, NamedFile,
     "  --design FILE                        start from the design file FILE; the options given as\n"
     "                                       well then act on it as on a fresh screen: --family,\n"
     "                                       --pick, then the texts and units\n"},
    {"--save-design", nullptr, true, nullptr, NamedFile,
     "  --save-design FILE                   write the design the run starts from to FILE\n"},
    {"--batch", nullptr, true, nullptr, NamedFile,
     "  --batch FILE                         one run per row of the CSV file FILE ('-': standard\n"
     "                                       input), whose header names each column's option: a\n"
     "                                       field or unit, family, pick, design, save-design,\n"
     "                                       report or spice; CSV out, with --json JSON Lines\n"},
    {"--help", "-h", false, nullptr, Flag, "  --help                               this text\n"},
    {"--version", nullptr, false, nullptr, Flag,
     "  --version                            the program's name and version\n"},
};

const OptionEntry* FindSpelling(std::string_view arg) {
    for (const OptionEntry& option : kOptions)
        if (arg == option.name || (option.alias && arg == option.alias)) return &option;
    return nullptr;
}

}  // namespace

const std::vector<OptionEntry>& OptionTable() {
    return kOptions;
}

const OptionEntry* FindOption(std::string_view bareName) {
    for (const OptionEntry& option : kOptions)
        if (bareName == std::string_view(option.name).substr(2)) return &option;
    return nullptr;
}

bool IsInputOption(const OptionEntry& option) {
    return option.apply == Field || option.apply == InductanceUnit || option.apply == FrequencyUnit ||
           option.apply == Family || option.apply == Pick;
}

bool ApplyOption(const OptionEntry& option, const std::string& value, Options& options, std::string& error) {
    return option.apply(option, value, options, error);
}

std::string UsageText() {
    std::string text =
        "Usage: coredesign-cli [options]\n"
        "Sizes a DC output inductor as the desktop program's Show Results does, starting\n"
        "from a freshly loaded input screen. Field texts are taken exactly as given.\n"
        "\n"
        "Options:\n";
    for (const OptionEntry& option : kOptions) text += option.usage;
    return text +
           "\n"
           "Exit status: 0 results shown, 1 the run ended otherwise, 2 usage error.\n"
           "With --explore: 0 when at least one core and stack fits, 1 when none does.\n";
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return ParseOptions(args, options, error);
}

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error) {
    const std::size_t argc = args.size();
    for (std::size_t i = 0; i < argc; ++i) {
        std::string arg = args[i];
        std::optional<std::string> inlineValue;
        if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        const OptionEntry* option = FindSpelling(arg);
        if (!option) return Refuse(error, "unknown option '" + EscapeControls(arg) + "'");
        std::string value;
        if (!option->takesValue) {
            if (inlineValue) return Refuse(error, "option " + arg + " takes no value");
        } else if (inlineValue) {
            value = *inlineValue;
        } else if (i + 1 >= argc) {
            return Refuse(error, "option " + arg + " needs a value");
        } else {
            value = args[++i];
        }
        if (!ApplyOption(*option, value, options, error)) return false;
    }
    return CheckCombination(options, error);
}

bool CheckCombination(const Options& options, std::string& error) {
    if (options.batchFile &&
        (!options.fields.empty() || options.inductanceUnit || options.frequencyUnit || options.familyGiven ||
         options.pick || options.reportFile || options.explore || options.csv || options.curve || options.pointsGiven ||
         options.spiceFile || options.pdfFile || options.designFile || options.saveDesignFile))
        return Refuse(error, "option --batch goes with --json only (each row's options are its columns)");
    if (options.pointsGiven && !options.curve) return Refuse(error, "option --points goes with --curve");
    if (options.csv && options.json) return Refuse(error, "options --csv and --json exclude each other");
    if (options.csv && !options.curve && !options.explore)
        return Refuse(error, "option --csv goes with --explore or --curve");
    if (!options.explore) return true;
    if (options.pick) return Refuse(error, "option --pick cannot go with --explore (every core is picked in turn)");
    if (options.reportFile)
        return Refuse(error, "option --report cannot go with --explore (it writes the report of one run)");
    if (options.curve)
        return Refuse(error, "option --curve cannot go with --explore (it draws the curve of one design)");
    if (options.spiceFile) return Refuse(error, "option --spice cannot go with --explore (it models one design)");
    if (options.pdfFile)
        return Refuse(error, "option --pdf cannot go with --explore (it writes the report of one run)");
    if (options.designFile || options.saveDesignFile)
        return Refuse(error,
                      "options --design and --save-design cannot go with --explore (it starts from fresh "
                      "screens)");
    return true;
}

void TypeOptions(const Options& options, InputTexts& in) {
    if (options.inductanceUnit) in.cmbinductance = *options.inductanceUnit;
    if (options.frequencyUnit) in.cmbfrequency = *options.frequencyUnit;
    for (const auto& [control, text] : options.fields)
        for (const InputField& field : kInputFields)
            if (control == field.control) in.*field.text = text;
}

std::vector<std::pair<std::string, std::string>> DesignOptions(const Design& design) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const OptionEntry& option : kOptions) {
        const std::string_view name = option.name;
        std::optional<std::string> value;
        if (name == "--family" && design.gapped) value = *design.gapped ? "gapped" : "nogap";
        if (name == "--pick") value = design.pick;
        if (name == "--inductance-unit") value = design.cmbinductance;
        if (name == "--frequency-unit") value = design.cmbfrequency;
        for (std::size_t k = 0; option.control && k < std::size(kInputFields); ++k)
            if (std::string_view(option.control) == kInputFields[k].control) value = design.texts[k];
        if (value) pairs.emplace_back(option.name + 2, *value);
    }
    return pairs;
}

}  // namespace coredesign::cli
