// Design files: the file a screen is saved as, every refusal with its
// message (the screen unchanged), opening as the clicks on a fresh screen
// would, texts of any content travelling unchanged, and designs that cannot
// be saved.
#include "design_file.h"

#include <gtest/gtest.h>

#include "engine_checks.h"
#include "json_reader.h"

namespace coredesign {
namespace {

using testing::Screen;
using testing::ScreenState;

// A design file of version 1 with these members after format and version.
std::string File(const std::string& members) {
    return "{\"format\": \"coredesign-design\", \"version\": 1" + (members.empty() ? "" : ", " + members) + "}";
}

TEST(DesignFile, AFreshScreenIsSavedWithEveryKeyInTheFilesOrder) {
    std::string text;
    ASSERT_FALSE(DesignFileText(InputScreen(), text));
    EXPECT_EQ(text,
              "{\n"
              "  \"format\": \"coredesign-design\",\n"
              "  \"version\": 1,\n"
              "  \"fields\": {\n"
              "    \"txtInductance\": \".000318\",\n"
              "    \"txtOutPutVoltage\": \"10\",\n"
              "    \"txtDCCurrent\": \"3.5\",\n"
              "    \"txtFluxDensity\": \"1.2\",\n"
              "    \"txtFrequency\": \"50000\",\n"
              "    \"txtMinInputVoltage\": \"24\",\n"
              "    \"txtMaxInputVoltage\": \"50\",\n"
              "    \"txtAmbientTemp\": \"35\",\n"
              "    \"txtCurrentDensityFactor\": \"400\",\n"
              "    \"txtFill_Factor\": \".4\",\n"
              "    \"txtStack\": \"1\"\n"
              "  },\n"
              "  \"cmbinductance\": \"Henry\",\n"
              "  \"cmbfrequency\": \"Hz\",\n"
              "  \"family\": \"gapped\",\n"
              "  \"calculator\": \"calculate\",\n"
              "  \"pick\": null\n"
              "}\n");
}

// Each refusal says what is wrong, as a "Caution" with the information
// icon, and leaves the screen as it was.
TEST(DesignFile, EveryRefusalSaysWhatIsWrongAndChangesNothing) {
    const std::string big(kMaxDesignFileBytes, '1');
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {File("\"fields\": {\"txtInductance\": \"" + big + "\"}"),
         "This design file is larger than 1 MiB (1048576 bytes), the most a design file may hold."},
        {"coredesign",
         "This file cannot be opened as a design: its JSON is malformed: 'c' stands where a value "
         "belongs (line 1, column 1)."},
        {"{\"format\": \"coredesign-design\",\n \"version\": 1,\n \"fields\": {\"txtInductance\": \".0003",
         "This file cannot be opened as a design: it ends before its JSON is complete (line 3, column 36)."},
        {File("\"fields\": {\"txtInductance\": \"\xC0\xAF\"}"),
         "This file cannot be opened as a design: it is not UTF-8 text (line 1, column 76)."},
        {File("\"fields\": {\"txtInductance\": \"\\ud800\"}"),
         "This file cannot be opened as a design: its JSON is malformed: a \\u escape names the first half of a "
         "surrogate pair alone (line 1, column 76)."},
        {File("\"x\": " + std::string(70, '[') + std::string(70, ']')),
         "This file cannot be opened as a design: its JSON is malformed: it nests more than 64 levels deep (line 1, "
         "column 115)."},
        {File("") + "{}",
         "This file cannot be opened as a design: its JSON is malformed: more follows after the JSON "
         "value (line 1, column 46)."},
        {"[1, 2]", "This file is not a design file of the Output Inductor Core Design Tool."},
        {"{\"format\": \"coredesign-report\", \"version\": 1}",
         "This file is not a design file of the Output Inductor Core Design Tool."},
        {"{\"format\": \"coredesign-design\"}", "This design file does not say which version of design files it is."},
        {"{\"format\": \"coredesign-design\", \"version\": 2, \"colour\": \"red\"}",
         "This design file was written by a newer version of the program (design file version 2); this version "
         "opens design files of version 1."},
        {"{\"format\": \"coredesign-design\", \"version\": 12}",
         "This design file was written by a newer version of the program (design file version 12); this version "
         "opens design files of version 1."},
        {"{\"format\": \"coredesign-design\", \"version\": \"1\"}",
         "In this design file, version is a text, where a whole number belongs."},
        {"{\"format\": \"coredesign-design\", \"version\": 1.5}",
         "In this design file, version is 1.5, where a whole number from 1 belongs."},
        {"{\"format\": \"coredesign-design\", \"version\": 0}",
         "In this design file, version is 0, where a whole number from 1 belongs."},
        {File("\"Family\": \"nogap\""), "This design file has a key \"Family\" that this version does not know."},
        {File("\"fields\": {\"txtinductance\": \"1\"}"),
         "This design file has a key fields \"txtinductance\" that this version does not know."},
        {File("\"\\n<b>" + std::string(50, 'k') + "\": 1"), "This design file has a key \"\\n<b>" +
                                                                std::string(36, 'k') +
                                                                "\"... that this version does not "
                                                                "know."},
        {File("\"family\": \"gapped\", \"family\": \"nogap\""), "This design file gives \"family\" twice."},
        {File("\"fields\": {\"txtStack\": \"2\", \"txtStack\": \"3\"}"),
         "This design file gives fields \"txtStack\" twice."},
        {File("\"fields\": [\"1\"]"), "In this design file, fields is a list, where an object of field texts belongs."},
        {File("\"fields\": {\"txtStack\": 2}"),
         "In this design file, fields txtStack is a number, where a text belongs."},
        {File("\"cmbinductance\": \"henry\""),
         "In this design file, cmbinductance is \"henry\", which is none of Henry, millihenry and microhenry."},
        {File("\"cmbfrequency\": null"), "In this design file, cmbfrequency is null, where a text belongs."},
        {File("\"family\": true"), "In this design file, family is true or false, where a text belongs."},
        {File("\"calculator\": \"auto\""),
         "In this design file, calculator is \"auto\", which is none of calculate and pick."},
        {File("\"pick\": \"6218TXGP\""),
         "This design file picks the core \"6218TXGP\", but its calculator is calculate, not pick."},
        {File("\"calculator\": \"pick\", \"pick\": 6218"),
         "In this design file, pick is a number, where a part number or null belongs."},
        {File("\"calculator\": \"pick\", \"pick\": \"6201TXNG\""),
         "This design file picks the core \"6201TXNG\", which the 100 Perm (gapped) family does not hold."},
        {File("\"family\": \"nogap\", \"calculator\": \"pick\", \"pick\": \"6233TXNG\""),
         "This design file picks the core \"6233TXNG\", which the 245 Perm (no-gap) family does not hold."},
        {File("\"calculator\": \"pick\", \"pick\": \"6218txgp\""),
         "This design file picks the core \"6218txgp\", which the 100 Perm (gapped) family does not hold."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 80));
        InputScreen screen = Screen("nogap pick=6226TXNG txtStack=2");
        const std::string before = ScreenState(screen);
        const std::optional<Message> refused = OpenDesignFile(c.bytes, screen);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->text, c.message);
        EXPECT_EQ(refused->title, "Caution");
        EXPECT_EQ(refused->icon, MessageIcon::Information);
        EXPECT_EQ(MessageIdName(refused->id), std::string("design_file"));
        EXPECT_EQ(ScreenState(screen), before);
    }
}

// Opening does on a fresh screen what a designer's clicks there do; a key
// the file leaves out keeps the fresh screen's value.
TEST(DesignFile, OpeningDoesWhatTheClicksOnAFreshScreenDo) {
    const struct {
        std::string members;
        const char* clicks;  // as testing::Screen reads them
    } cases[] = {
        {"", ""},
        {"\"family\": \"nogap\"", "nogap"},  // the flux density text becomes 0.8
        {"\"family\": \"nogap\", \"fields\": {\"txtFluxDensity\": \"0.9\"}", "nogap txtFluxDensity=0.9"},
        {"\"family\": \"gapped\", \"calculator\": \"calculate\", \"pick\": null", ""},
        {"\"calculator\": \"pick\", \"pick\": \"6218TXGP\", \"fields\": {\"txtStack\": \"3\"}",
         "pick=6218TXGP txtStack=3"},
        {"\"calculator\": \"pick\"", "pick="},
        {"\"calculator\": \"pick\", \"pick\": null", "pick="},
        {"\"family\": \"nogap\", \"calculator\": \"pick\", \"pick\": \"6226TXNG\", \"cmbinductance\": "
         "\"microhenry\", \"cmbfrequency\": \"kHz\"",
         "nogap pick=6226TXNG cmbinductance=microhenry cmbfrequency=kHz"},
        {"\"fields\": {\"txtInductance\": \"\", \"txtStack\": \"\"}", "txtInductance= txtStack="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.members);
        InputScreen opened;
        ASSERT_FALSE(OpenDesignFile(File(c.members), opened));
        EXPECT_EQ(ScreenState(opened), ScreenState(Screen(c.clicks)));
        // A screen used before, loaded afresh, opens the file the same way.
        InputScreen used = Screen("nogap pick=6226TXNG txtInductance=5 cmbfrequency=kHz");
        used.ShowResults();
        used.Reload();
        ASSERT_FALSE(OpenDesignFile(File(c.members), used));
        EXPECT_EQ(ScreenState(used), ScreenState(opened));
    }
}

// Any text comes back as it was saved: numbers no double holds, quotes,
// backslashes, line breaks, NUL and other control characters, non-ASCII
// text, a long text; and what a screen holds in Pick Core mode. The file
// is UTF-8 JSON whatever the texts.
TEST(DesignFile, TextsOfAnyContentTravelUnchanged) {
    const std::string texts[] = {"1e400",
                                 "\"quoted\" \\ back\\slash /",
                                 "line\nfeed\r\nand return\r",
                                 std::string("nul\0inside", 10),
                                 "\x01\x1F\x7F\t",
                                 "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80 \xE2\x80\xA8",
                                 std::string(40000, '7'),
                                 "",
                                 " ",
                                 "<b>&amp;</b>",
                                 "\\u0041"};
    for (const std::string& extra : {std::string("pick=6230TXGP"), std::string("nogap pick=6226TXNG"),
                                     std::string("pick=6218TXGP calc"), std::string("pick=")}) {
        SCOPED_TRACE(extra);
        InputScreen screen = Screen(extra + " cmbinductance=millihenry");
        for (std::size_t k = 0; k < std::size(kInputFields); ++k) screen.Fields().*kInputFields[k].text = texts[k];
        std::string text;
        ASSERT_FALSE(DesignFileText(screen, text));
        json::ReadError error;
        EXPECT_TRUE(json::Parse(text, error)) << error.what;
        InputScreen opened;
        const std::optional<Message> refused = OpenDesignFile(text, opened);
        ASSERT_FALSE(refused) << refused->text;
        for (const InputField& field : kInputFields)
            EXPECT_EQ(opened.Fields().*field.text, screen.Fields().*field.text) << field.control;
        const Design design = DesignOf(opened);
        EXPECT_EQ(design.gapped, screen.Record().GappedCores);
        EXPECT_EQ(design.calculator, screen.Record().CalculatorType);
        EXPECT_EQ(design.pick, DesignOf(screen).pick);
        EXPECT_EQ(opened.Fields().cmbinductance, "millihenry");
    }
    // The part chosen in Pick Core mode is saved; a list entry chosen in
    // Calculate Core mode, or the empty entry, is no pick.
    EXPECT_EQ(DesignOf(Screen("pick=6230TXGP")).pick, "6230TXGP");
    EXPECT_EQ(DesignOf(Screen("pick=")).pick, std::nullopt);
    InputScreen calculate;
    calculate.ChooseListEntry(3);
    EXPECT_EQ(DesignOf(calculate).pick, std::nullopt);
    // A file of exactly the largest size opens.
    const std::string padding(kMaxDesignFileBytes - File("\"fields\": {\"txtStack\": \"\"}").size(), '1');
    InputScreen largest;
    EXPECT_FALSE(OpenDesignFile(File("\"fields\": {\"txtStack\": \"" + padding + "\"}"), largest));
    EXPECT_EQ(largest.Fields().txtStack, padding);
}

// What a design file cannot hold is refused on saving, with a message
// that says which, and nothing is written.
TEST(DesignFile, ADesignThatCannotBeHeldIsNotSaved) {
    const struct {
        const char* screen;
        std::string control, text;
        const char* message;
    } cases[] = {
        {"", "txtMaxInputVoltage",
         "5\xFF"
         "0",
         "This design cannot be saved: the text of txtMaxInputVoltage is not UTF-8 text, and a design file holds "
         "UTF-8 text only."},
        {"", "txtInductance", "\xED\xA0\x80",
         "This design cannot be saved: the text of txtInductance is not UTF-8 text, and a design file holds UTF-8 "
         "text only."},
        {"cmbinductance=henry", "", "",
         "This design cannot be saved: its inductance unit is none of Henry, millihenry and microhenry."},
        {"cmbfrequency=", "", "", "This design cannot be saved: its frequency unit is none of Hz and kHz."},
    };
    for (const auto& c : cases) {
        InputScreen screen = Screen(c.screen);
        for (const InputField& field : kInputFields)
            if (c.control == field.control) screen.Fields().*field.text = c.text;
        std::string text = "untouched";
        const std::optional<Message> refused = DesignFileText(screen, text);
        ASSERT_TRUE(refused) << c.message;
        EXPECT_EQ(refused->text, c.message);
        EXPECT_EQ(refused->title, "Caution");
        EXPECT_EQ(text, "untouched");
    }
}

}  // namespace
}  // namespace coredesign
