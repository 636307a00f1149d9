// Fuzz target: a designer at the input screen. The bytes are the screen's
// state and clicks, split at '|':
//
//   CLICKS|txtInductance|txtOutPutVoltage|txtDCCurrent|txtFluxDensity|
//   txtFrequency|txtMinInputVoltage|txtMaxInputVoltage|txtAmbientTemp|
//   txtCurrentDensityFactor|txtFill_Factor|txtStack|cmbinductance|
//   cmbfrequency|core size list text
//
// The field texts are typed first (missing ones keep their initial text);
// then each character of CLICKS is one step: 'g' / 'n' click 100 / 245 Perm,
// 'c' / 'p' click Calculate / Pick Core, 'l' chooses the list entry the next
// character's code gives (or none), 't' puts the last text into the core size
// list as it stands, 'f' types the field texts again, 'x' Clear Results, 'e'
// the return from the results screen, 'r' Show Results (at most four times:
// more runs in a row on one screen reach nothing new and only slow the
// search). Without any 'r' the clicks end with one Show Results.
//
// After every Show Results the run must end in exactly one defined way, and
// no text of the program may show a non-finite number: the command-line
// front end's JSON document (every message, the record, and the results and
// intermediate outputs screens whenever they are shown) and summary, and the
// report when the results are shown (the only time it can be made). Any fault aborts, so that libFuzzer keeps the
// input.
#include <cstdint>
#include <string>
#include <vector>

#include "document.h"
#include "fuzz_checks.h"
#include "input_screen.h"
#include "report_document.h"
#include "summary.h"

namespace coredesign::fuzz {
namespace {

std::vector<std::string> Split(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> parts(1);
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == '|')
            parts.emplace_back();
        else
            parts.back().push_back(static_cast<char>(data[k]));
    }
    return parts;
}

void TypeFields(InputScreen& screen, const std::vector<std::string>& parts) {
    InputTexts& in = screen.Fields();
    for (std::size_t k = 0; k < std::size(kInputFields); ++k)
        if (k + 1 < parts.size()) in.*kInputFields[k].text = parts[k + 1];
    if (parts.size() > 12) in.cmbinductance = parts[12];
    if (parts.size() > 13) in.cmbfrequency = parts[13];
}

// The JSON document holds every message, the record, and the results and
// intermediate outputs screens whenever they are shown.
void ShowResultsAndCheck(InputScreen& screen) {
    const RunResult& run = screen.ShowResults();
    if (const std::string fault = RunFault(screen, run); !fault.empty()) Fail("run", fault);
    CheckText("the JSON document", cli::JsonDocument(screen));
    CheckText("the summary", cli::Summary(screen));
    if (run.outcome == Outcome::Results)
        CheckText("the report",
                  report::BuildReportDocument(*screen.Results(), screen.Record(), report::ReportPictures{}));
}

}  // namespace
}  // namespace coredesign::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace coredesign;
    const std::vector<std::string> parts = fuzz::Split(data, size);
    const std::string& clicks = parts[0];
    InputScreen screen;
    fuzz::TypeFields(screen, parts);
    int runs = 0;
    for (std::size_t k = 0; k < clicks.size(); ++k) {
        switch (clicks[k]) {
            case 'g': screen.ClickFamily(true); break;
            case 'n': screen.ClickFamily(false); break;
            case 'c': screen.ClickCalculator(Calculator::CalculateCore); break;
            case 'p': screen.ClickCalculator(Calculator::PickCore); break;
            case 'l':
                if (k + 1 < clicks.size()) {
                    const auto code = static_cast<unsigned char>(clicks[++k]);
                    screen.ChooseListEntry(static_cast<int>(code % (screen.CoreList().size() + 1)) - 1);
                }
                break;
            case 't': screen.Fields().txtCoreSize = parts.size() > 14 ? parts[14] : std::string(); break;
            case 'f': fuzz::TypeFields(screen, parts); break;
            case 'x': screen.ClearResults(); break;
            case 'e': screen.ResetCoreSizeList(); break;
            case 'r':
                if (runs < 4) fuzz::ShowResultsAndCheck(screen);
                ++runs;
                break;
            default: break;
        }
    }
    if (runs == 0) fuzz::ShowResultsAndCheck(screen);
    return 0;
}
