// The design report document: byte for byte (the worked example in full,
// then what changes with the mode, the family, the stack and the texts), and
// the picture references.
#include "report_document.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "folders.h"
#include "temp_folder.h"

namespace coredesign::report {
namespace {

namespace fs = std::filesystem;
using TempDir = coredesign::testing::TempFolder;
using coredesign::testing::ReadFile;

// A folder `name` inside `dir` holding stand-ins for the three report
// pictures (the report only asks whether they exist).
std::string ImageFolder(const TempDir& dir, const std::string& name) {
    const std::string folder = dir.Path() + "/" + name;
    fs::create_directories(folder);
    for (const char* image : {kLogoImage, kGappedCoreImage, kNoGapCoreImage})
        std::ofstream(folder + "/" + image) << "GIF89a";
    return folder;
}

// The reference to a picture in `folder` as the report writes it on this
// system (its rules are checked in the ResolveImagePath tests).
std::string Reference(const std::string& folder, const std::string& image) {
#ifdef _WIN32
    std::string reference = platform::ShortPath(folder + platform::kPathSeparator + image);
    for (char& ch : reference) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return reference;
#else
    return "file://" + folder + "/" + image;
#endif
}

// The style strings and notations, written out from the report's layout
// rather than taken from the code under test.
const std::string kFont = "<font style='font-family:Verdana,Arial,Helvetica,sans-serif;";
const std::string kHdr = kFont + "font-size:9px;color:midnightblue;font-weight:bold'>";
const std::string kVal = kFont + "font-size:9px;color:midnightblue;'>";
const std::string kFil = kFont + "font-size:9px;color:#ffffff;'>";
const std::string kSml = kFont + "font-size:6px;color:#ffffff;'>";

std::string H(const std::string& s) {
    return "<td align=center>" + kHdr + s + "</font></td>";
}
std::string V(const std::string& s, const std::string& font = kVal) {
    return "<td align=center>" + font + s + "</font></td>";
}
std::string First(const std::string& s, const std::string& font = kVal) {
    return "<tr align=center><td>" + font + s + "</font></td>";
}

// The worked example: Calculate Core, gapped, three cores of height 12.7 mm
// and area product 0.555 cm^4.
struct WorkedExample {
    ResultsTexts texts;
    DesignRecord rec;
};

WorkedExample MakeWorkedExample() {
    WorkedExample w;
    ResultsTexts& t = w.texts;
    t.txtInductance = "318";
    t.txtOutPutVoltage = "10";
    t.txtDCCurrent = "3.5";
    t.txtFluxDensity = "1.2";
    t.txtFrequency = "50000";
    t.txtMinInputVoltage = "24";
    t.txtCurrentDensityFactor = "400";
    t.txtAmbientTemp = "25";
    t.txtOutCoreSize = "0125TXGP";
    t.txtStackout = "* 3";
    t.txtNoOfTurns = "77";
    t.txtWireSize = "19";
    t.txtInductanceZero = "325.5";
    t.txtInductanceFull = "318.2";
    t.txtCopperLoss = "1.5";
    t.txtCoreLoss = "0.1234";
    t.txtTotalLoss = "1.62";
    t.txtTotalTempRise = "62";

    DesignRecord& r = w.rec;
    r.CalculatorType = Calculator::CalculateCore;
    r.Stack = 3;
    r.AmbientTemp = 25;
    r.TempRise = 61.5;
    r.GappedCores = true;
    r.CoreIndex = 2;
    // Row 1 is a decoy: the report must read the row at CoreIndex.
    r.CoreOD = {0, 99, 33.02};
    r.CoreID = {0, 99, 19.94};
    r.CoreHT = {0, 99, 12.7};
    r.CoreLm = {0, 99, 8.147};
    r.CoreAc = {0, 99, 0.335};
    r.CoreMass = {0, 99, 1.23456};
    r.CoreWa = {0, 99, 3.1};
    r.CoreWaAc = {0, 99, 0.555};
    return w;
}

TEST(ReportDocument, WorkedExampleIsWrittenByteForByte) {
    const WorkedExample w = MakeWorkedExample();
    const TempDir dir;
    const std::string folder = ImageFolder(dir, "bin");
    const std::string logo = Reference(folder, "kes_logo.gif");
    const std::string gap = Reference(folder, "coregap.gif");

    std::string e;
    e += "<table cellpadding=0 cellspacing=0 width=700 align=center border=0><tr><td align=center><img src=" + logo +
         "></td></tr></table><br>";
    e += "<table cellpadding=0 cellspacing=0 width=700 align=center border=0><tr><td colspan=9 align=center>" + kFont +
         "font-size:14px;color:maroon;font-weight:bold'>Inputs to Quorvane Core Design Tool</font><br><br></td></tr>"
         "</table>";
    e += "<table cellpadding=0 cellspacing=0 width=650 align=center border=1>";
    e += "<tr>" + H("Inductance") + H("Output Voltage") + H("DC Current") + H("Flux Density") + H("Frequency") +
         H("Min Input Voltage") + H("Current Density") + H("Ambient Temp") + H("Core Size") + "</tr>";
    e += First("microHenries") + V("Volts") + V("Amps") + V("Tesla") + V("Hz") + V("Volts") + V("A/cm\xB2") +
         V("\260C") + V("", kFil) + "</tr>";
    e += First("318") + V("10") + V("3.5") + V("1.2") + V("50000") + V("24") + V("400") + V("25") + V(".", kSml) +
         "</tr>";
    e += "</table><br><hr width=650><br>";
    e += "<table cellpadding=0 cellspacing=0 width=650 align=center border=0><tr><td colspan=9 align=center>" + kFont +
         "font-size:16px;color:maroon;font-weight:bold'>Core size selected by Program  </font>" + kFont +
         "font-size:18px;color:#0000ff;font-weight:bold'>0125TXGP - Stacked by 3 </font><br></td></tr></table><br>";
    e += "<table cellpadding=0 cellspacing=0 width=650 align=center border=0><tr><td colspan=8 align=center>" + kFont +
         "font-size:14px;color:maroon;font-weight:bold'>Summary of Quorvane Inductor Design </font><br><br></td></tr>"
         "</table>";
    e += "<table cellpadding=0 cellspacing=0 width=650 align=center border=1>";
    e += "<tr>" + H("No.of Turns") + H("Wire Size") + H("Inductance Zero Load") + H("Inductance Full Load") +
         H("Copper Loss") + H("Core Loss") + H("Total Loss") + H("Total Temp") + "</tr>";
    e += First(".", kFil) + V("AWG") + V("microHenries") + V("microHenries") + V("Watts") + V("Watts") + V("Watts") +
         V("\260C") + "</tr>";
    e += First("77") + V("19") + V("325.5") + V("318.2") + V("1.5") + V("0.1234") + V("1.62") + V("86") + "</tr>";
    e += "</table><br><hr width=650><br>";
    e += "<table cellpadding=0 cellspacing=0 width=650 align=center border=0><tr><td colspan=8 align=center>" + kFont +
         "font-size:12px;color:maroon;font-weight:bold'>CORE DETAILS</font></td></tr></table>";
    e += "<table cellpadding=0 cellspacing=0 width=650 align=center border=0><tr><td><center><img src=" + gap +
         " width=350 height=225></center></td><td>" + kHdr +
         "<u>NOTE:</u><br>1) Calculations are for still air with no cooling device.</font></td></TR></table><br>"
         "<hr width=700>";
    e += "<center><table cellpadding=0 cellspacing=0 align=center border=0><tr><td colspan=4 align=center>" + kFont +
         "font-size:14px;color:maroon;font-weight:bold'>Core Data</font></td></tr></table>";
    e += "<table cellspacing=0 cellpadding=0 width = 550 border=1>";
    e += "<tr>" + H("Part No.") + H("OD<br>mm") + H("ID<br>mm") + H("HT<br>mm") + H("Lm<br>cm") + H("Ac<br>sq.cm") +
         H("Mass<br>g") + H("Wa<br>sq.cm") + H("WaAc<br>cm^4") + "</tr>";
    e += First("0125TXGP") + V("33.02") + V("19.94") + V("12.7") + V("8.15") + V("0.34") + V("1.2346") + V("3.1") +
         V("0.56") + "</tr>";
    // Stack: HT 3 x 12.7 unrounded; Ac and Mass multiplied, then rounded
    // (3 x 0.335 gives 1.01, where 3 x 0.34 would give 1.02); WaAc 3 x 0.56.
    e += First("0125TXGP * 3") + V("33.02") + V("19.94") + V("38.1") + V("8.15") + V("1.01") + V("3.7037") + V("3.1") +
         V("1.68") + "</tr>";
    e += "</table>";
    e += "<br><table cellpadding=0 cellspacing=0 align=center border=0><tr><td width=250>" + kHdr +
         "  KESTROVA ALLOY7719QA3</font></TD><td align=center>" + kHdr + " </font></TD><TD align=center>" + kHdr +
         "</font></TD><TD align=center>" + kHdr + "MASS +(-) 3%</font></TD></TR></TABLE><br><hr width=700></center>";
    e += "<br><table cellpadding=0 cellspacing=0 width=650 align=center border=0>";
    e += "<tr><td>" + kHdr +
         "Designs generated by this software are believed to be accurate and reliable , but are presented without "
         "guarantee or warranty,</font></TD></tr>";
    e += "<tr><td>" + kHdr +
         "expressed or implied. Designer needs to verify all the information provided in this software using it in "
         "actual circuitry. </font></TD></tr>";
    e += "<tr><td>" + kHdr +
         "Any additional design questions should be directed to:  Kestrova, Inc. Applications Development Group at "
         "1-800-555-0142 OR e-mail questions to applications@kestrova.example.</font></TD></tr>";
    e += "</TABLE>";
    e += "<table><tr><td align=center><input type=hidden name=print value=prt onclick='window.print()'></td></tr>"
         "</table>";

    const std::string doc = BuildReportDocument(w.texts, w.rec, folder);
    if (doc != e) {
        const auto at = std::mismatch(doc.begin(), doc.end(), e.begin(), e.end());
        const auto offset = static_cast<std::size_t>(at.first - doc.begin());
        FAIL() << "first difference at byte " << offset << "\n  got:      " << doc.substr(offset, 120)
               << "\n  expected: " << e.substr(offset, 120);
    }
}

// What changes with the calculator type (any but Calculate Core is the designer's
// choice), the family and the stack; the worked example is Calculate Core,
// gapped, three cores.
TEST(ReportDocument, ModeFamilyAndStackVariants) {
    const TempDir dir;
    const std::string folder = ImageFolder(dir, "bin");
    const std::string selected = "<tr><td colspan=9 align=center>" + kFont +
                                 "font-size:16px;color:maroon;font-weight:bold'>Core size selected by ";
    const std::string blue = kFont + "font-size:18px;color:#0000ff;font-weight:bold'>";
    struct Case {
        Calculator calculatorType;
        bool gapped;
        std::int16_t stack;
        std::string heading;   // after "Core size selected by "
        std::string coreCell;  // the inputs table's core size value cell
        const char* image;
    } const cases[] = {
        {Calculator::CalculateCore, false, 1, "Program  </font>" + blue + "0125TXGP</font>", V(".", kSml),
         "corenogap.gif"},
        {Calculator::PickCore, true, 1, "Designer 0125TXGP</font>", V("0125TXGP"), "coregap.gif"},
        {Calculator::PickCore, false, 3, "Designer 0125TXGP - Stacked by 3 </font>", V("0125TXGP"), "corenogap.gif"},
        {Calculator{}, false, 2, "Designer 0125TXGP - Stacked by 2 </font>", V("0125TXGP"), "corenogap.gif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        WorkedExample w = MakeWorkedExample();
        w.rec.CalculatorType = c.calculatorType;
        w.rec.GappedCores = c.gapped;
        w.rec.Stack = c.stack;
        w.texts.txtcore = "0125TXGP";
        const std::string doc = BuildReportDocument(w.texts, w.rec, folder);
        EXPECT_NE(doc.find(selected + c.heading + "<br></td></tr></table><br>"), std::string::npos);
        EXPECT_NE(doc.find(c.coreCell + "</tr></table><br><hr width=650>"), std::string::npos);
        EXPECT_NE(doc.find(First("0125TXGP * " + std::to_string(c.stack))), std::string::npos);
        EXPECT_NE(doc.find("<img src=" + Reference(folder, c.image) + " width=350 height=225>"), std::string::npos);
        EXPECT_EQ(doc.find(Reference(folder, c.gapped ? "corenogap.gif" : "coregap.gif")), std::string::npos);
    }
}

TEST(ReportDocument, TotalTemperatureRoundsHalfToEven) {
    const TempDir dir;
    struct Case {
        std::int16_t ambient;
        double rise;
        const char* total;
    } const cases[] = {{25, 61.5, "86"}, {25, 62.5, "88"}, {25, 62.4999, "87"}, {40, 0, "40"}, {35, 119.6, "155"}};
    for (const Case& c : cases) {
        WorkedExample w = MakeWorkedExample();
        w.rec.AmbientTemp = c.ambient;
        w.rec.TempRise = c.rise;
        const std::string doc = BuildReportDocument(w.texts, w.rec, dir.Path());
        EXPECT_NE(doc.find(V("1.62") + V(c.total) + "</tr></table>"), std::string::npos)
            << c.ambient << " + " << c.rise;
    }
}

TEST(ReportDocument, CopiedTextsAreEscapedAndWrittenInWindows1252) {
    struct Case {
        const char* utf8;
        const char* written;
    } const cases[] = {
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
    for (const Case& c : cases) EXPECT_EQ(ReportText(c.utf8), c.written) << c.utf8;

    // In the document: every copied box goes through the same conversion.
    const TempDir dir;
    WorkedExample w = MakeWorkedExample();
    w.rec.CalculatorType = Calculator::PickCore;
    w.texts.txtcore = "<b>&";
    w.texts.txtOutCoreSize = "P<1>";
    w.texts.txtCopperLoss = "1&2";
    const std::string doc = BuildReportDocument(w.texts, w.rec, dir.Path());
    EXPECT_NE(doc.find(V("&lt;b&gt;&amp;") + "</tr>"), std::string::npos);
    EXPECT_NE(doc.find("Designer P&lt;1&gt;"), std::string::npos);
    EXPECT_NE(doc.find(First("P&lt;1&gt; * 3")), std::string::npos);
    EXPECT_NE(doc.find(V("1&amp;2")), std::string::npos);
    EXPECT_EQ(doc.find("<b>"), std::string::npos);
}

// A missing picture (or a folder of its name) is an empty reference; a
// folder with blanks or other unsafe characters, or a relative one, gives an
// absolute URL without blanks (on Windows: ShortPathOrUrlWithoutBlanks).
TEST(ResolveImagePath, MissingImageBlanksAndRelativeFolders) {
    const TempDir dir;
    EXPECT_EQ(ResolveImagePath(dir.Path(), "kes_logo.gif"), "");
    fs::create_directory(dir.File("coregap.gif"));
    EXPECT_EQ(ResolveImagePath(dir.Path(), "coregap.gif"), "");
    const WorkedExample w = MakeWorkedExample();
    const std::string doc = BuildReportDocument(w.texts, w.rec, dir.Path());
    EXPECT_NE(doc.find("<tr><td align=center><img src=></td></tr></table><br>"), std::string::npos);
    EXPECT_NE(doc.find("<img src= width=350 height=225>"), std::string::npos);
#ifndef _WIN32
    struct Case {
        const char* folder;
        const char* encoded;
    } const cases[] = {
        {"Program Files/Core Design", "Program%20Files/Core%20Design"},
        {"it's #1 100%", "it%27s%20%231%20100%25"},
        {"a>b&c=d", "a%3Eb%26c%3Dd"},
        {"Caf\xC3\xA9", "Caf%C3%A9"},
        {"plain-name_1.0~x", "plain-name_1.0~x"},
    };
    for (const Case& c : cases) {
        const std::string ref = ResolveImagePath(ImageFolder(dir, c.folder), "kes_logo.gif");
        EXPECT_EQ(ref, "file://" + dir.Path() + "/" + c.encoded + "/kes_logo.gif");
        EXPECT_EQ(ref.find_first_of(" '"), std::string::npos) << ref;
    }

    const std::string folder = ImageFolder(dir, "rel");
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    const std::string ref = ResolveImagePath("./rel/../rel", "coregap.gif");
    fs::current_path(before);
    EXPECT_EQ(ref, "file://" + folder + "/coregap.gif");
#endif
}

#ifdef _WIN32
// A volume without short names: the system gives the long path back.
std::string LongPathBack(const std::string& path) {
    return path;
}

// The system's short path (lower-cased); where it has no short names, the
// percent-encoded file: URL, since a blank would end the reference.
TEST(ResolveImagePath, ShortPathOrUrlWithoutBlanks) {
    const TempDir dir;
    const std::string folder = ImageFolder(dir, "Core Design");
    const std::string reference = ResolveImagePath(folder, "kes_logo.gif");
    EXPECT_EQ(reference.find(' '), std::string::npos) << reference;
    EXPECT_TRUE(fs::equivalent(reference, dir.File("Core Design/kes_logo.gif"))) << reference;
    std::string url = "file:///" + dir.Path() + "/Core%20Design/kes_logo.gif";
    for (char& ch : url) ch = ch == '\\' ? '/' : ch;
    EXPECT_EQ(ResolveImagePath(folder, "kes_logo.gif", LongPathBack), url);
}
#endif

}  // namespace
}  // namespace coredesign::report
