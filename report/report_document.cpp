#include "report_document.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "catalogue.h"
#include "constants.h"
#include "numtext.h"
#include "results_screen.h"

namespace coredesign::report {
namespace {

// The document's two non-ASCII characters, as Windows-1252 bytes: the
// degree sign B0 (octal 260) and the superscript two B2 (octal 262).
constexpr const char* kDegreeC = "\260C";

// The eight style strings.
constexpr const char* kHeader =
    "font-family:Verdana,Arial,Helvetica,sans-serif;font-size:9px;color:midnightblue;font-weight:bold";
constexpr const char* kValue = "font-family:Verdana,Arial,Helvetica,sans-serif;font-size:9px;color:midnightblue;";
constexpr const char* kFiller = "font-family:Verdana,Arial,Helvetica,sans-serif;font-size:9px;color:#ffffff;";
constexpr const char* kSmallFiller = "font-family:Verdana,Arial,Helvetica,sans-serif;font-size:6px;color:#ffffff;";
constexpr const char* kTitle12 =
    "font-family:Verdana,Arial,Helvetica,sans-serif;font-size:12px;color:maroon;font-weight:bold";
constexpr const char* kTitle14 =
    "font-family:Verdana,Arial,Helvetica,sans-serif;font-size:14px;color:maroon;font-weight:bold";
constexpr const char* kTitle16 =
    "font-family:Verdana,Arial,Helvetica,sans-serif;font-size:16px;color:maroon;font-weight:bold";
constexpr const char* kBlue18 =
    "font-family:Verdana,Arial,Helvetica,sans-serif;font-size:18px;color:#0000ff;font-weight:bold";

constexpr const char* kTable700 = "<table cellpadding=0 cellspacing=0 width=700 align=center border=0>";
constexpr const char* kTable650 = "<table cellpadding=0 cellspacing=0 width=650 align=center border=0>";
constexpr const char* kRuledTable650 = "<table cellpadding=0 cellspacing=0 width=650 align=center border=1>";

std::string Font(const char* style) {
    return std::string("<font style='") + style + "'>";
}

// One cell of a row: its content and the style of its font.
struct Cell {
    std::string text;
    const char* style;
};

// A header row: "<tr>", then every cell centred on its own.
std::string HeaderRow(const std::vector<std::string>& captions) {
    std::string row = "<tr>";
    for (const std::string& caption : captions) row += "<td align=center>" + Font(kHeader) + caption + "</font></td>";
    return row + "</tr>";
}

// A unit or value row: the centring sits on the row, so the first cell is a bare "<td>".
std::string ValueRow(const std::vector<Cell>& cells) {
    std::string row;
    for (std::size_t k = 0; k < cells.size(); ++k) {
        row += k == 0 ? "<tr align=center><td>" : "<td align=center>";
        row += Font(cells[k].style) + cells[k].text + "</font></td>";
    }
    return row + "</tr>";
}

// Cells in the value style.
std::vector<Cell> Values(std::initializer_list<std::string> texts) {
    std::vector<Cell> cells;
    for (const std::string& t : texts) cells.push_back({t, kValue});
    return cells;
}

// The chosen core, or a core of zeros for a row the catalogue lacks (which
// the results screen's designs never ask for).
const Core& ChosenOrNone(const DesignRecord& rec) {
    static const Core none;
    const Core* const core = rec.LoadedCatalogue->Find(rec.CoreIndex);
    return core ? *core : none;
}

// Windows-1252 bytes 80..9F and the characters they stand for (0 = unassigned).
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendCodePoint(std::string& out, std::uint32_t cp) {
    if (cp >= 0xA0 && cp <= 0xFF) {
        out += static_cast<char>(cp);
        return;
    }
    for (int k = 0; k < 32; ++k) {
        if (kCp1252High[k] != 0 && kCp1252High[k] == cp) {
            out += static_cast<char>(0x80 + k);
            return;
        }
    }
    // C1 controls would be read back as Windows-1252 characters; show them as unknown.
    if (cp >= 0x80 && cp <= 0x9F) cp = 0xFFFD;
    out += "&#" + std::to_string(cp) + ";";
}

// Decodes one UTF-8 sequence at text[pos]; returns its length, or 0 when the
// bytes there are not valid UTF-8 (overlong forms and surrogates included).
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, std::uint32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[pos + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1Fu;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0Fu;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0u) != 0x80u) return 0;
        cp = (cp << 6) | (byte(k) & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

ReportPictures FindPictures(const std::function<std::string(const char* fileName)>& reference) {
    return {reference(kLogoImage), reference(kGappedCoreImage), reference(kNoGapCoreImage)};
}

std::string ReportText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char ch = utf8[pos];
        if (static_cast<unsigned char>(ch) < 0x80) {
            switch (ch) {
                case '&': out += "&amp;"; break;
                case '<': out += "&lt;"; break;
                case '>': out += "&gt;"; break;
                default: out += ch;
            }
            ++pos;
            continue;
        }
        std::uint32_t cp = 0;
        const std::size_t length = DecodeUtf8(utf8, pos, cp);
        if (length == 0) {
            AppendCodePoint(out, 0xFFFD);
            ++pos;
        } else {
            AppendCodePoint(out, cp);
            pos += length;
        }
    }
    return out;
}

std::string BuildReportDocument(const ResultsTexts& results, const DesignRecord& rec, const ReportPictures& pictures) {
    const bool calculateCore = rec.CalculatorType == Calculator::CalculateCore;
    const double n = rec.Stack;
    const std::string stack = FormatWhole(rec.Stack);
    const std::string partNo = ReportText(results.txtOutCoreSize);
    std::string doc;

    // 1. Logo.
    doc += kTable700;
    doc += "<tr><td align=center><img src=" + pictures.logo + "></td></tr></table><br>";

    // 2. Inputs heading.
    doc += kTable700;
    doc += "<tr><td colspan=9 align=center>" + Font(kTitle14) +
           "Inputs to Quorvane Core Design Tool</font><br><br></td></tr></table>";

    // 3. Inputs table.
    doc += kRuledTable650;
    // The results screen's input boxes under their report headings; the core
    // size only for Pick Core (Calculate Core names its core below).
    std::vector<std::string> headings;
    std::vector<Cell> units, inputs;
    for (const ResultBox& box : kResultBoxes) {
        if (box.panel != ResultsPanel::InputValues || !box.reportHeading) continue;
        headings.emplace_back(box.reportHeading);
        if (box.fill == BoxFill::PickedPart) {
            units.push_back({"", kFiller});
            inputs.push_back(calculateCore ? Cell{".", kSmallFiller} : Cell{ReportText(results.*box.text), kValue});
        } else {
            units.push_back({ReportText(box.unit), kValue});
            inputs.push_back({ReportText(results.*box.text), kValue});
        }
    }
    doc += HeaderRow(headings);
    doc += ValueRow(units);
    doc += ValueRow(inputs);
    doc += "</table><br><hr width=650><br>";

    // 4. Selected-core heading.
    const std::string stackNote = rec.Stack == 1 ? std::string() : " - Stacked by " + stack + " ";
    doc += kTable650;
    doc += "<tr><td colspan=9 align=center>" + Font(kTitle16);
    if (calculateCore)
        doc += "Core size selected by Program  </font>" + Font(kBlue18);
    else
        doc += "Core size selected by Designer ";
    doc += partNo + stackNote + "</font><br></td></tr>";
    doc += "</table><br>";

    // 5. Summary heading.
    doc += kTable650;
    doc += "<tr><td colspan=8 align=center>" + Font(kTitle14) +
           "Summary of Quorvane Inductor Design </font><br><br></td></tr></table>";

    // 6. Summary table.
    doc += kRuledTable650;
    // The summary boxes under their report headings (an empty unit is a
    // filler), then the total temperature, which no box shows.
    headings.clear();
    units.clear();
    std::vector<Cell> values;
    for (const ResultBox& box : kResultBoxes) {
        if (box.panel != ResultsPanel::SummaryOutput || !box.reportHeading) continue;
        headings.emplace_back(box.reportHeading);
        units.push_back(*box.unit ? Cell{ReportText(box.unit), kValue} : Cell{".", kFiller});
        values.push_back({ReportText(results.*box.text), kValue});
    }
    headings.emplace_back("Total Temp");
    units.push_back({kDegreeC, kValue});
    const double totalTemp = static_cast<double>(rec.AmbientTemp) + rec.TempRise;
    values.push_back({FormatRounded(totalTemp, 0), kValue});
    doc += HeaderRow(headings);
    doc += ValueRow(units);
    doc += ValueRow(values);
    doc += "</table><br><hr width=650><br>";

    // 7. Core details.
    doc += kTable650;
    doc += "<tr><td colspan=8 align=center>" + Font(kTitle12) + "CORE DETAILS</font></td></tr></table>";
    doc += kTable650;
    doc += "<tr><td><center><img src=" + (rec.GappedCores ? pictures.gappedCore : pictures.noGapCore) +
           " width=350 height=225></center></td>";
    doc += "<td>" + Font(kHeader) + "<u>NOTE:</u><br>" +
           "1) Calculations are for still air with no cooling device.</font></td></TR>";
    doc += "</table><br><hr width=700>";

    // 8. Core data: one core, then the stack.
    doc += "<center>";
    doc += "<table cellpadding=0 cellspacing=0 align=center border=0>";
    doc += "<tr><td colspan=4 align=center>" + Font(kTitle14) + "Core Data</font></td></tr></table>";
    doc += "<table cellspacing=0 cellpadding=0 width = 550 border=1>";
    doc += HeaderRow({"Part No.", "OD<br>mm", "ID<br>mm", "HT<br>mm", "Lm<br>cm", "Ac<br>sq.cm", "Mass<br>g",
                      "Wa<br>sq.cm", "WaAc<br>cm^4"});
    const Core& core = ChosenOrNone(rec);
    const double od = core.od, id = core.id, ht = core.ht, lm = core.lm, ac = core.ac, mass = core.mass;
    const double wa = core.wa, waAc = core.waAc;
    doc +=
        ValueRow(Values({partNo, FormatPlain(od), FormatPlain(id), FormatPlain(ht), FormatRounded(lm, 2),
                         FormatRounded(ac, 2), FormatRounded(mass, 4), FormatRounded(wa, 2), FormatRounded(waAc, 2)}));
    doc +=
        ValueRow(Values({PartWithStack(partNo, rec.Stack, StackOfOne::Written), FormatPlain(od), FormatPlain(id),
                         FormatPlain(n * ht), FormatRounded(lm, 2), FormatRounded(n * ac, 2),
                         FormatRounded(n * mass, 4), FormatRounded(wa, 2), FormatPlain(n * RoundHalfEven(waAc, 2))}));
    doc += "</table>";
    doc += "<br><table cellpadding=0 cellspacing=0 align=center border=0><tr><td width=250>" + Font(kHeader) +
           "  KESTROVA ALLOY7719QA3</font></TD>";
    doc += "<td align=center>" + Font(kHeader) + " </font></TD>";
    doc += "<TD align=center>" + Font(kHeader) + "</font></TD>";
    doc += "<TD align=center>" + Font(kHeader) + "MASS +(-) 3%</font></TD></TR></TABLE>";
    doc += "<br><hr width=700>";
    doc += "</center>";

    // 9. Disclaimer.
    doc += std::string("<br>") + kTable650;
    const std::string lines[] = {
        "Designs generated by this software are believed to be accurate and reliable , but are presented without "
        "guarantee or warranty,",
        "expressed or implied. Designer needs to verify all the information provided in this software using it in "
        "actual circuitry. ",
        std::string("Any additional design questions should be directed to:  Kestrova, Inc. Applications Development "
                    "Group at ") +
            kPhoneUsa + " OR e-mail questions to " + kSupportEmail + ".",
    };
    for (const std::string& line : lines) doc += "<tr><td>" + Font(kHeader) + line + "</font></TD></tr>";
    doc += "</TABLE>";

    // 10. Print hook: the viewer's Print finds this element by name and clicks it.
    doc +=
        "<table><tr><td align=center><input type=hidden name=print value=prt onclick='window.print()'></td></tr>"
        "</table>";
    return doc;
}

std::string ReportFileBytes(const ResultsTexts& results, const DesignRecord& rec, const ReportPictures& pictures) {
    return BuildReportDocument(results, rec, pictures) + "\r\n";
}

}  // namespace coredesign::report
