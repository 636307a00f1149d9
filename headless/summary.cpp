#include "summary.h"

#include "constants.h"
#include "input_screen.h"
#include "results_screen.h"

namespace coredesign::cli {
namespace {

// Pads to a width in characters (UTF-8 continuation bytes take no column).
std::string PadRight(std::string text, size_t width) {
    size_t columns = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++columns;
    if (columns < width) text.append(width - columns, ' ');
    return text;
}

}  // namespace

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
        // The results screen, panel by panel and row by row: caption, value
        // and unit. A box without a caption belongs to the row before it: the
        // stack marker follows the core size; the current density's unit box
        // is the row's unit.
        const ResultsTexts& t = *session.Results();
        const ResultBox* row = nullptr;
        std::string value;
        auto flush = [&] {
            if (!row) return;
            if (&(t.*row->text) == &t.txtTotalTempRise && t.txtTotalTempRiseAlarm)
                value += " (over 155 \u00B0C in total)";
            out += "  " + PadRight(row->caption, 24) + value + (value.empty() || !*row->unit ? "" : " ") + row->unit +
                   "\n";
        };
        for (const ResultBox& box : kResultBoxes) {
            if (!box.caption) {
                const std::string& text = t.*box.text;
                if (box.fill != BoxFill::Unit && !text.empty()) value += " " + text;
                continue;
            }
            const bool newPanel = !row || row->panel != box.panel;
            flush();
            if (newPanel)
                out += box.panel == ResultsPanel::InputValues
                           ? "\n" + std::string(ResultsScreen::kInputHeading) + "\n"
                           : "\n" + std::string(ResultsScreen::kSummaryHeading) + "\n";
            row = &box;
            value = t.*box.text;
        }
        flush();
    }
    return out;
}

}  // namespace coredesign::cli
