// The design report document: byte for byte (the worked example in full,
// then what changes with the mode, the family, the stack and the texts).
#include "report_document.h"

#include <gtest/gtest.h>

#include "engine_checks.h"
#include "temp_folder.h"

namespace coredesign::report {
namespace {

using coredesign::testing::ReadFile;

// The pictures as a front end hands them in (the worked example's file
// names them so); where a front end finds them is its own business.
const ReportPictures kPictures{"file://@FOLDER@/kes_logo.gif", "file://@FOLDER@/coregap.gif",
                               "file://@FOLDER@/corenogap.gif"};

// A value cell and a row's first cell, as the report's layout writes them.
const std::string kFont = "<font style='font-family:Verdana,Arial,Helvetica,sans-serif;";
std::string V(const std::string& s) {
    return "<td align=center>" + kFont + "font-size:9px;color:midnightblue;'>" + s + "</font></td>";
}
std::string First(const std::string& s) {
    return "<tr align=center><td>" + kFont + "font-size:9px;color:midnightblue;'>" + s + "</font></td>";
}

// The worked example: Calculate Core, gapped, three cores of height 12.7 mm
// and area product 0.555 cm^4.
struct WorkedExample {
    ResultsTexts texts;
    DesignRecord rec;
};

WorkedExample MakeWorkedExample() {
    WorkedExample w;
    // The results screen's boxes in their order (see kResultsBoxes).
    const char* const boxes[] = {"318",      "10",  "3.5", "1.2", "50000", "24",    "400", "A/cm^2", "25",   "",
                                 "0125TXGP", "* 3", "77",  "19",  "325.5", "318.2", "1.5", "0.1234", "1.62", "62"};
    for (std::size_t k = 0; k < std::size(boxes); ++k) w.texts.*coredesign::testing::kResultsBoxes[k].second = boxes[k];
    DesignRecord& r = w.rec;
    r.CalculatorType = Calculator::CalculateCore;
    r.Stack = 3;
    r.AmbientTemp = 25;
    r.TempRise = 61.5;
    r.GappedCores = true;
    r.CoreIndex = 2;
    // Row 1 is a decoy: the report must read the row at CoreIndex.
    Core decoy{"0099TXGP", 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99}, core;
    core.partNo = "0125TXGP";
    core.od = 33.02;
    core.id = 19.94;
    core.ht = 12.7;
    core.lm = 8.147;
    core.ac = 0.335;
    core.mass = 1.23456;
    core.wa = 3.1;
    core.waAc = 0.555;
    static const Catalogue catalogue({decoy, core});
    r.LoadedCatalogue = &catalogue;
    return w;
}

// worked_example.htm holds the expected bytes (Windows-1252), written out
// from the report's layout: broken into lines for reading (the document has
// no line breaks), with the pictures as kPictures names them. Among them: the
// total temperature 25 + 61.5 rounded half to even (86), and the stack row
// with HT 3 x 12.7 unrounded, Ac and Mass multiplied then rounded (3 x 0.335
// gives 1.01, where 3 x 0.34 would give 1.02), WaAc 3 x 0.56.
TEST(ReportDocument, WorkedExampleIsWrittenByteForByte) {
    const WorkedExample w = MakeWorkedExample();
    std::string expected;
    for (char c : ReadFile(COREDESIGN_TEST_DATA "/worked_example.htm"))
        if (c != '\n') expected += c;
    ASSERT_GT(expected.size(), 10000u);

    const std::string doc = BuildReportDocument(w.texts, w.rec, kPictures);
    EXPECT_EQ(ReportFileBytes(w.texts, w.rec, kPictures), doc + "\r\n");
    if (doc != expected) {
        const auto at = std::mismatch(doc.begin(), doc.end(), expected.begin(), expected.end());
        const auto offset = static_cast<std::size_t>(at.first - doc.begin());
        FAIL() << "first difference at byte " << offset << "\n  got:      " << doc.substr(offset, 120)
               << "\n  expected: " << expected.substr(offset, 120);
    }
}

// What changes with the calculator type (any but Calculate Core is the
// designer's choice), the family and the stack.
TEST(ReportDocument, ModeFamilyAndStackVariants) {
    const std::string blue = kFont + "font-size:18px;color:#0000ff;font-weight:bold'>";
    const struct {
        Calculator calculatorType;
        bool gapped;
        std::int16_t stack;
        std::string heading;  // after "Core size selected by "
        bool coreEchoed;      // the inputs table shows the core size
    } cases[] = {
        {Calculator::CalculateCore, false, 1, "Program  </font>" + blue + "0125TXGP</font>", false},
        {Calculator::PickCore, true, 1, "Designer 0125TXGP</font>", true},
        {Calculator::PickCore, false, 3, "Designer 0125TXGP - Stacked by 3 </font>", true},
        {Calculator{}, false, 2, "Designer 0125TXGP - Stacked by 2 </font>", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heading);
        WorkedExample w = MakeWorkedExample();
        w.rec.CalculatorType = c.calculatorType;
        w.rec.GappedCores = c.gapped;
        w.rec.Stack = c.stack;
        w.texts.txtcore = "0125TXGP";
        const std::string doc = BuildReportDocument(w.texts, w.rec, kPictures);
        EXPECT_NE(doc.find("font-weight:bold'>Core size selected by " + c.heading + "<br></td></tr></table><br>"),
                  std::string::npos);
        EXPECT_EQ(doc.find(V("0125TXGP") + "</tr></table><br><hr width=650>") != std::string::npos, c.coreEchoed);
        EXPECT_NE(doc.find(First("0125TXGP * " + std::to_string(c.stack))), std::string::npos);
        const std::string& core = c.gapped ? kPictures.gappedCore : kPictures.noGapCore;
        const std::string& other = c.gapped ? kPictures.noGapCore : kPictures.gappedCore;
        EXPECT_NE(doc.find("<img src=" + core + " width=350 height=225>"), std::string::npos);
        EXPECT_EQ(doc.find(other), std::string::npos);
    }
}

TEST(ReportDocument, CopiedTextsAreEscapedAndWrittenInWindows1252) {
    const struct {
        const char* utf8;
        const char* written;
    } cases[] = {
        {"1<2 A&B x>y", "1&lt;2 A&amp;B x&gt;y"},
        {"&amp;", "&amp;amp;"},
        {"12,5", "12,5"},                              // a comma decimal separator passes
        {"\xC2\xB0\xC2\xB2", "\xB0\xB2"},              // degree sign, superscript two
        {"\342\202\2545", "\2005"},                    // euro sign (E2 82 AC): Windows-1252 byte 80
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},            // Latin-1 letters
        {"\xD9\xAB", "&#1643;"},                       // Arabic decimal separator: not in Windows-1252
        {"\xF0\x9F\x98\x80", "&#128512;"},             // outside the basic plane
        {"\xC2\x81", "&#65533;"},                      // a C1 control would read back as another character
        {"a\377b", "a&#65533;b"},                      // not UTF-8 at all (byte FF)
        {"\xC0\xAF", "&#65533;&#65533;"},              // overlong form
        {"\xED\xA0\x80", "&#65533;&#65533;&#65533;"},  // surrogate
        {"\xE2\x82", "&#65533;&#65533;"},              // cut short
    };
    for (const auto& c : cases) EXPECT_EQ(ReportText(c.utf8), c.written) << c.utf8;

    // In the document: every copied box goes through the same conversion.
    WorkedExample w = MakeWorkedExample();
    w.rec.CalculatorType = Calculator::PickCore;
    w.texts.txtcore = "<b>&";
    w.texts.txtOutCoreSize = "P<1>";
    w.texts.txtCopperLoss = "1&2";
    const std::string doc = BuildReportDocument(w.texts, w.rec, kPictures);
    EXPECT_NE(doc.find(V("&lt;b&gt;&amp;") + "</tr>"), std::string::npos);
    EXPECT_NE(doc.find("Designer P&lt;1&gt;"), std::string::npos);
    EXPECT_NE(doc.find(First("P&lt;1&gt; * 3")), std::string::npos);
    EXPECT_NE(doc.find(V("1&amp;2")), std::string::npos);
    EXPECT_EQ(doc.find("<b>"), std::string::npos);
}

}  // namespace
}  // namespace coredesign::report
