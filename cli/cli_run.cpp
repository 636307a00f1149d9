#include "cli_run.h"

#include <cstdint>
#include <cstring>
#include <variant>
#include <vector>

#include "constants.h"
#include "explore_output.h"
#include "exports.h"
#include "folders.h"
#include "input_screen.h"
#include "json_writer.h"
#include "numtext.h"
#include "report_file.h"
#include "runtime.h"
#include "spice_model.h"

namespace coredesign::cli {
namespace {

struct FieldOption {
    const char* option;
    const char* control;
};

constexpr FieldOption kFieldOptions[] = {
    {"--inductance", "txtInductance"},
    {"--output-voltage", "txtOutPutVoltage"},
    {"--dc-current", "txtDCCurrent"},
    {"--flux-density", "txtFluxDensity"},
    {"--frequency", "txtFrequency"},
    {"--min-input-voltage", "txtMinInputVoltage"},
    {"--max-input-voltage", "txtMaxInputVoltage"},
    {"--ambient-temp", "txtAmbientTemp"},
    {"--current-density", "txtCurrentDensityFactor"},
    {"--fill-factor", "txtFill_Factor"},
    {"--stack", "txtStack"},
};

std::string* FieldByControl(InputTexts& in, const std::string& control) {
    for (const InputField& field : kInputFields)
        if (control == field.control) return &(in.*field.text);
    return nullptr;
}

const char* IconName(MessageIcon icon) {
    return icon == MessageIcon::Information ? "information" : "none";
}

// One figure of the record as its JSON value.
void WriteValue(JsonWriter& w, double v) {
    w.Number(v);
}
void WriteValue(JsonWriter& w, std::int16_t v) {
    w.Integer(v);
}
void WriteValue(JsonWriter& w, Calculator v) {
    w.Integer(static_cast<std::int16_t>(v));
}
void WriteValue(JsonWriter& w, bool v) {
    w.Bool(v);
}
void WriteValue(JsonWriter& w, const std::string& v) {
    w.String(v);
}

void WriteResultsScreen(JsonWriter& w, const ResultsTexts& t) {
    auto box = [&](const char* name, const std::string& v) {
        w.Key(name);
        w.String(v);
    };
    w.BeginObject();
    box("txtInductance", t.txtInductance);
    box("txtOutPutVoltage", t.txtOutPutVoltage);
    box("txtDCCurrent", t.txtDCCurrent);
    box("txtFluxDensity", t.txtFluxDensity);
    box("txtFrequency", t.txtFrequency);
    box("txtMinInputVoltage", t.txtMinInputVoltage);
    box("txtCurrentDensityFactor", t.txtCurrentDensityFactor);
    box("VoutUnit", t.VoutUnit);
    box("txtAmbientTemp", t.txtAmbientTemp);
    box("txtcore", t.txtcore);
    box("txtOutCoreSize", t.txtOutCoreSize);
    box("txtStackout", t.txtStackout);
    box("txtNoOfTurns", t.txtNoOfTurns);
    box("txtWireSize", t.txtWireSize);
    box("txtInductanceZero", t.txtInductanceZero);
    box("txtInductanceFull", t.txtInductanceFull);
    box("txtCopperLoss", t.txtCopperLoss);
    box("txtCoreLoss", t.txtCoreLoss);
    box("txtTotalLoss", t.txtTotalLoss);
    box("txtTotalTempRise", t.txtTotalTempRise);
    w.Key("txtTotalTempRiseAlarm");
    w.Bool(t.txtTotalTempRiseAlarm);
    w.EndObject();
}

void WriteIntermediateScreen(JsonWriter& w, const IntermediateTexts& t) {
    w.BeginObject();
    for (int k = 1; k <= 38; ++k) {
        w.Key("Label" + std::to_string(k));
        w.String(t.Label[k]);
    }
    for (int k = 1; k <= 38; ++k) {
        w.Key("Labelo" + std::to_string(k));
        w.String(t.Labelo[k]);
    }
    w.Key("txtWarning");
    w.String(t.txtWarning);
    w.Key("FillFactorRed");
    w.Bool(t.FillFactorRed);
    w.EndObject();
}

// Pads to a width in characters (UTF-8 continuation bytes take no column).
std::string PadRight(std::string text, size_t width) {
    size_t columns = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++columns;
    if (columns < width) text.append(width - columns, ' ');
    return text;
}

bool ShowsDesign(Outcome o) {
    return o == Outcome::Results || o == Outcome::FillWarning;
}

// A whole number of curve points in range, written in decimal digits only.
bool ParsePoints(const std::string& text, int& points) {
    if (text.empty() || text.size() > 6) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    const int n = std::stoi(text);
    if (n < kMinCurvePoints || n > kMaxCurvePoints) return false;
    points = n;
    return true;
}

// Options that only mean something together, and those that cannot go with
// --explore's many runs.
bool CheckCombination(const Options& options, std::string& error) {
    const auto refuse = [&error](const char* text) {
        error = text;
        return false;
    };
    if (options.pointsGiven && !options.curve) return refuse("option --points goes with --curve");
    if (options.csv && options.json) return refuse("options --csv and --json exclude each other");
    if (options.csv && !options.curve && !options.explore) return refuse("option --csv goes with --explore or --curve");
    if (!options.explore) return true;
    if (options.pick) return refuse("option --pick cannot go with --explore (every core is picked in turn)");
    if (options.reportFile) return refuse("option --report cannot go with --explore (it writes the report of one run)");
    if (options.curve) return refuse("option --curve cannot go with --explore (it draws the curve of one design)");
    if (options.spiceFile) return refuse("option --spice cannot go with --explore (it models one design)");
    if (options.pdfFile) return refuse("option --pdf cannot go with --explore (it writes the report of one run)");
    return true;
}

// The file exports that follow a run: the circuit model and the PDF. Each
// tells on `err` why it wrote nothing; false when a file could not be written.
bool WriteExports(const Options& options, const InputScreen& session, std::ostream& err) {
    const RunResult& run = session.LastRun();
    const std::string outcome = OutcomeName(run.outcome);
    bool written = true;
    if (options.spiceFile) {
        std::string failure;
        if (!ShowsDesign(run.outcome) || !HoldsDesign(session.Record())) {
            err << "coredesign-cli: no SPICE model written: the run ended in " << outcome << " without a design\n";
        } else if (!WriteFileWhole(*options.spiceFile, SpiceModel(session.Record()), failure)) {
            err << "coredesign-cli: cannot write the SPICE model to '" << *options.spiceFile << "': " << failure
                << "\n";
            written = false;
        }
    }
    if (options.pdfFile) {
        if (run.outcome != Outcome::Results) {
            err << "coredesign-cli: no PDF written: the run ended in " << outcome << ", not on the results screen\n";
            return written;
        }
        // The report as --report writes it, rendered by the report viewer's engine.
        std::string failure;
        std::string report = options.reportFile.value_or(std::string());
        const bool ownReport = report.empty();
        if (ownReport) {
            report = platform::CreateTemporaryFile(platform::TempFolder(), "coredesign-report-", ".htm", failure);
            if (!report.empty() && !report::WriteReportFile(report, *session.Results(), session.Record(), failure)) {
                std::remove(report.c_str());
                report.clear();
            }
        }
        const bool rendered = !report.empty() && WriteReportPdf(report, *options.pdfFile, failure);
        if (ownReport && !report.empty()) std::remove(report.c_str());
        if (!rendered) {
            err << "coredesign-cli: cannot write the PDF to '" << *options.pdfFile << "': " << failure << "\n";
            written = false;
        }
    }
    return written;
}

}  // namespace

void WriteRecord(JsonWriter& w, const DesignRecord& r) {
    w.BeginObject();
    for (const RecordField& field : kRecordFields) {
        w.Key(field.name);
        std::visit([&](auto member) { WriteValue(w, r.*member); }, field.member);
    }
    w.EndObject();
}

std::string UsageText() {
    return "Usage: coredesign-cli [options]\n"
           "Sizes a DC output inductor as the desktop program's Show Results does, starting\n"
           "from a freshly loaded input screen. Field texts are taken exactly as given.\n"
           "\n"
           "Options:\n"
           "  --inductance TEXT                    inductance at full load (.000318)\n"
           "  --inductance-unit Henry|millihenry|microhenry   (Henry)\n"
           "  --output-voltage TEXT                output voltage, V (10)\n"
           "  --dc-current TEXT                    DC current, A (3.5)\n"
           "  --flux-density TEXT                  flux density, T (1.2; 0.8 with --family nogap)\n"
           "  --frequency TEXT                     switching frequency (50000)\n"
           "  --frequency-unit Hz|kHz              (Hz)\n"
           "  --min-input-voltage TEXT             minimum input voltage, V (24)\n"
           "  --max-input-voltage TEXT             maximum input voltage, V (50)\n"
           "  --ambient-temp TEXT                  ambient temperature, degC (35)\n"
           "  --current-density TEXT               current density, A/cm^2 (400)\n"
           "  --fill-factor TEXT                   window fill factor (.4)\n"
           "  --stack TEXT                         cores to stack (1)\n"
           "  --family gapped|nogap                core family, 100 or 245 Perm (gapped)\n"
           "  --pick PARTNO                        Pick Core with this part number\n"
           "  --report FILE                        on results, also write the design report to FILE\n"
           "  --json                               print the JSON document\n"
           "  --explore                            Pick Core on every core of the family (both families\n"
           "                                       without --family) at 1 to 9 cores stacked, as JSON;\n"
           "                                       --stack sets only the Calculate Core runs' stack\n"
           "  --curve                              print the design's inductance against current (CSV;\n"
           "                                       with --json, a \"curve\" key in the document)\n"
           "  --points N                           currents of the curve, 2 to 10001 (101)\n"
           "  --csv                                CSV output: --explore's table or the curve\n"
           "  --spice FILE                         write a SPICE subcircuit of the designed choke to FILE\n"
           "  --pdf FILE                           on results, also write the report as PDF to FILE\n"
           "  --help                               this text\n"
           "  --version                            the program's name and version\n"
           "\n"
           "Exit status: 0 results shown, 1 the run ended otherwise, 2 usage error.\n"
           "With --explore: 0 when at least one core and stack fits, 1 when none does.\n";
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        std::optional<std::string> inlineValue;
        if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        auto value = [&](std::string& out) {
            if (inlineValue) {
                out = *inlineValue;
                return true;
            }
            if (i + 1 >= argc) {
                error = "option " + arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        auto noValue = [&] {
            if (inlineValue) {
                error = "option " + arg + " takes no value";
                return false;
            }
            return true;
        };
        if (arg == "--json") {
            if (!noValue()) return false;
            options.json = true;
            continue;
        }
        if (arg == "--explore" || arg == "--curve" || arg == "--csv") {
            if (!noValue()) return false;
            (arg == "--explore" ? options.explore : arg == "--curve" ? options.curve : options.csv) = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            if (!noValue()) return false;
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            if (!noValue()) return false;
            options.version = true;
            continue;
        }
        bool matched = false;
        for (const auto& f : kFieldOptions) {
            if (arg == f.option) {
                std::string v;
                if (!value(v)) return false;
                options.fields[f.control] = v;
                matched = true;
                break;
            }
        }
        if (matched) continue;
        std::string v;
        if (arg == "--inductance-unit") {
            if (!value(v)) return false;
            if (v != "Henry" && v != "millihenry" && v != "microhenry") {
                error = "unknown inductance unit '" + v + "' (Henry, millihenry or microhenry)";
                return false;
            }
            options.inductanceUnit = v;
        } else if (arg == "--frequency-unit") {
            if (!value(v)) return false;
            if (v != "Hz" && v != "kHz") {
                error = "unknown frequency unit '" + v + "' (Hz or kHz)";
                return false;
            }
            options.frequencyUnit = v;
        } else if (arg == "--family") {
            if (!value(v)) return false;
            if (v != "gapped" && v != "nogap") {
                error = "unknown core family '" + v + "' (gapped or nogap)";
                return false;
            }
            options.gapped = v == "gapped";
            options.familyGiven = true;
        } else if (arg == "--pick") {
            if (!value(v)) return false;
            options.pick = v;
        } else if (arg == "--report") {
            if (!value(v)) return false;
            if (v.empty()) {
                error = "option --report needs a file name";
                return false;
            }
            options.reportFile = v;
        } else if (arg == "--points") {
            if (!value(v)) return false;
            if (!ParsePoints(v, options.points)) {
                error = "option --points needs a whole number from " + std::to_string(kMinCurvePoints) + " to " +
                        std::to_string(kMaxCurvePoints) + ", not '" + v + "'";
                return false;
            }
            options.pointsGiven = true;
        } else if (arg == "--spice" || arg == "--pdf") {
            if (!value(v)) return false;
            if (v.empty()) {
                error = "option " + arg + " needs a file name";
                return false;
            }
            (arg == "--spice" ? options.spiceFile : options.pdfFile) = v;
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    return CheckCombination(options, error);
}

void TypeOptions(const Options& options, InputTexts& in) {
    if (options.inductanceUnit) in.cmbinductance = *options.inductanceUnit;
    if (options.frequencyUnit) in.cmbfrequency = *options.frequencyUnit;
    for (const auto& [control, text] : options.fields) *FieldByControl(in, control) = text;
}

std::string JsonDocument(const InputScreen& session, std::optional<int> curvePoints) {
    const RunResult& run = session.LastRun();
    JsonWriter w;
    w.BeginObject();
    w.Key("outcome");
    w.String(OutcomeName(run.outcome));
    w.Key("messages");
    w.BeginArray();
    for (const Message& m : run.messages) {
        w.BeginObject();
        w.Key("id");
        w.String(MessageIdName(m.id));
        w.Key("text");
        w.String(m.text);
        w.Key("title");
        w.String(m.title);
        w.Key("icon");
        w.String(IconName(m.icon));
        w.Key("focus");
        if (m.focus.empty())
            w.Null();
        else
            w.String(m.focus);
        w.EndObject();
    }
    w.EndArray();
    w.Key("record");
    WriteRecord(w, session.Record());
    w.Key("results_screen");
    if (ShowsDesign(run.outcome) && session.Results())
        WriteResultsScreen(w, *session.Results());
    else
        w.Null();
    w.Key("intermediate_screen");
    if (ShowsDesign(run.outcome))
        WriteIntermediateScreen(w, MakeIntermediateTexts(session.Record()));
    else
        w.Null();
    if (curvePoints) {
        w.Key("curve");
        if (ShowsDesign(run.outcome) && HoldsDesign(session.Record()))
            WriteCurve(w, MakeInductanceCurve(session.Record(), *curvePoints));
        else
            w.Null();
    }
    w.EndObject();
    return w.Text() + "\n";
}

std::string Summary(const InputScreen& session) {
    const RunResult& run = session.LastRun();
    std::string out;
    out += std::string(kAppTitle) + "\n";
    out += "Outcome: " + std::string(OutcomeName(run.outcome)) + "\n";
    for (const Message& m : run.messages) {
        std::string text = m.text;
        for (size_t p; (p = text.find("\r\n")) != std::string::npos;) text.replace(p, 2, "\n  ");
        out += "\n[" + m.title + "] " + text + "\n";
    }
    if (run.outcome == Outcome::FillWarning) {
        // The designer is back on the input screen with the intermediate outputs.
        const IntermediateTexts t = MakeIntermediateTexts(session.Record());
        for (int k = 1; k <= 38; ++k) {
            if (t.Label[k].empty()) continue;
            if (t.Labelo[k].empty()) {
                out += (k == 1 ? "\n" : "") + t.Label[k] + "\n";
                continue;
            }
            out += "  " + PadRight(t.Label[k], 28) + t.Labelo[k] +
                   (k == 10 && t.FillFactorRed ? "  (over the fill factor)" : "") + "\n";
        }
        std::string warning = t.txtWarning;
        for (size_t p; (p = warning.find("\r\n")) != std::string::npos;) warning.replace(p, 2, " ");
        if (!warning.empty()) out += "\n" + warning + "\n";
    }
    if (run.outcome == Outcome::Results && session.Results()) {
        const ResultsTexts& t = *session.Results();
        auto line = [&](const char* caption, const std::string& value, const char* unit) {
            out += "  " + PadRight(caption, 24) + value + (value.empty() || !*unit ? "" : " ") + unit + "\n";
        };
        out += "\nInput Values\n";
        line("Desired Inductance", t.txtInductance, "microHenries");
        line("Output Voltage", t.txtOutPutVoltage, "Volts");
        line("DC Current", t.txtDCCurrent, "Amps");
        line("Flux Density", t.txtFluxDensity, "Tesla");
        line("Frequency", t.txtFrequency, "Hz");
        line("Min Input Voltage", t.txtMinInputVoltage, "Volts");
        line("Current Density", t.txtCurrentDensityFactor, t.VoutUnit.c_str() + (t.VoutUnit[0] == ' ' ? 1 : 0));
        line("Ambient Temperature", t.txtAmbientTemp, "\u00B0C");
        line("Core Size", t.txtcore, "");
        out += "\nSummary Output\n";
        line("Core Size", PartWithStack(t.txtOutCoreSize, session.Record().Stack), "");
        line("No. of Turns", t.txtNoOfTurns, "");
        line("Wire Size", t.txtWireSize, "AWG");
        line("Inductance Zero Load", t.txtInductanceZero, "microHenries");
        line("Inductance Full Load", t.txtInductanceFull, "microHenries");
        line("Copper Loss", t.txtCopperLoss, "Watts");
        line("Core Loss", t.txtCoreLoss, "Watts");
        line("Total Losses", t.txtTotalLoss, "Watts");
        line("Temperature Rise", t.txtTotalTempRise + (t.txtTotalTempRiseAlarm ? " (over 155 \u00B0C in total)" : ""),
             "\u00B0C");
    }
    return out;
}

int Run(const Options& options, std::ostream& out, std::ostream& err) {
    if (options.explore) return RunExplore(options, out);
    InputScreen session;
    if (!options.gapped) session.ChooseFamily(false);
    if (options.pick) {
        session.ChoosePickCore();
        if (!session.PickPart(*options.pick)) {
            err << "coredesign-cli: the " << (options.gapped ? "gapped" : "no-gap") << " family holds no core '"
                << *options.pick << "'\n";
            return 2;
        }
    }
    TypeOptions(options, session.Fields());

    const RunResult& run = session.ShowResults();
    int status = run.outcome == Outcome::Results ? 0 : 1;
    if (options.reportFile && run.outcome == Outcome::Results) {
        std::string failure;
        if (!report::WriteReportFile(*options.reportFile, *session.Results(), session.Record(), failure)) {
            err << "coredesign-cli: cannot write the report to '" << *options.reportFile << "': " << failure << "\n";
            out << (options.json ? JsonDocument(session) : Summary(session));
            return 1;
        }
    }
    if (!WriteExports(options, session, err)) status = 1;
    if (options.curve && !options.json) {
        // The curve alone, as CSV.
        if (!ShowsDesign(run.outcome) || !HoldsDesign(session.Record())) {
            err << "coredesign-cli: no curve: the run ended in " << OutcomeName(run.outcome) << " without a design\n";
            return 1;
        }
        const InductanceCurve curve = MakeInductanceCurve(session.Record(), options.points);
        out << CurveCsv(curve);
        if (curve.lawEndsBefore)
            err << "coredesign-cli: the core's permeability law has no value from "
                << RoundTripNumber(*curve.lawEndsBefore) << " A on: the curve ends at "
                << RoundTripNumber(curve.points.back().current) << " A\n";
        return status;
    }
    out << (options.json ? JsonDocument(session, options.curve ? std::optional<int>(options.points) : std::nullopt)
                         : Summary(session));
    return status;
}

}  // namespace coredesign::cli
