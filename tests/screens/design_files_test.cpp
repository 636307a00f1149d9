// The input screen's Save Design... and Open Design..., driven through the
// real buttons and the stand-in file dialog: what is saved and opened, a
// refused file and a failed save, and designs crossing between the desktop
// program and the CLI in both directions.
#include "design_files.h"

#include <QCheckBox>
#include <nlohmann/json.hpp>

#include "cli_session.h"
#include "command.h"
#include "design_file.h"
#include "document.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using DesignFilesTest = ScreenTest;
using json = nlohmann::ordered_json;
using coredesign::testing::ReadFile;
using coredesign::testing::ScreenState;

std::string FileOf(const InputScreen& screen) {
    std::string text;
    const std::optional<Message> refused = DesignFileText(screen, text);
    EXPECT_FALSE(refused) << refused->text;
    return text;
}

TEST_F(DesignFilesTest, SavesAndOpensThroughTheButtonsAndTheDialog) {
    frmXls& input = Input();
    const char* design = "nogap pick=6226TXNG txtStack=3 cmbinductance=microhenry txtInductance=150";
    Enter(design);
    answers.push_back(TempFile("choke"));  // without a suffix: the file type's is added
    Click(input, "cmdSaveDesign");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(Str(dialogs[0].fileName), "design.coredesign");
    EXPECT_EQ(Str(dialogs[0].filter), "Design files (*.coredesign)");
    EXPECT_TRUE(dialogs[0].confirmOverwrite);
    EXPECT_EQ(dialogs[0].parent, &input);
    const std::string saved = ReadFile(temp.File("choke.coredesign"));
    EXPECT_EQ(saved, FileOf(coredesign::testing::Screen(design)));

    // Another design on the screen, then the file opened: the screen as the file says.
    Click(input, "chkGap");
    Click(input, "cmdQuit");
    answers.push_back(TempFile("choke.coredesign"));
    Click(input, "cmdOpenDesign");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].mode, FileDialogRequest::Mode::Open);
    EXPECT_EQ(dialogs[1].fileName, TempFile("choke.coredesign"));  // where the last save went
    EXPECT_EQ(Str(dialogs[1].filter), "Design files (*.coredesign);;All files (*)");
    EXPECT_EQ(ScreenState(input.Logic()), ScreenState(coredesign::testing::Screen(design)));
    for (const InputField& f : kInputFields)
        EXPECT_EQ(Str(Field(f.control).text()), input.Logic().Fields().*f.text) << f.control;
    EXPECT_TRUE(Child<QCheckBox>(input, "chkNoGap").isChecked());
    EXPECT_EQ(PartNumberOfEntry(Str(CoreList().currentText())), "6226TXNG");
    EXPECT_EQ(Str(Child<QComboBox>(input, "cmbinductance").currentText()), "microhenry");
    EXPECT_TRUE(messages.empty());

    // Cancelled dialogs write and change nothing.
    SetField("txtStack", QStringLiteral("5"));
    const std::string before = ScreenState(input.Logic());
    answers.push_back(std::nullopt);
    Click(input, "cmdOpenDesign");
    EXPECT_EQ(ScreenState(input.Logic()), before);
    answers.push_back(std::nullopt);
    Click(input, "cmdSaveDesign");
    EXPECT_EQ(ReadFile(temp.File("choke.coredesign")), saved);
    EXPECT_TRUE(messages.empty());

    // A Calculate Core design opened on a screen whose list was greyed: the list as loaded.
    coredesign::testing::WriteFile(temp.File("plain.coredesign"), FileOf(InputScreen()));
    Click(input, "chkCalcCore");
    EXPECT_EQ(ListState(CoreList()), "0  disabled grey");
    answers.push_back(TempFile("plain.coredesign"));
    Click(input, "cmdOpenDesign");
    EXPECT_EQ(ListState(CoreList()), "35 6205TXGP A enabled");
    EXPECT_EQ(ScreenState(input.Logic()), ScreenState(InputScreen()));
}

// A file that cannot be read, or that the engine refuses, is told and
// changes nothing; a save that fails is told and leaves an earlier file as
// it was.
TEST_F(DesignFilesTest, ARefusedFileOrAFailedSaveIsToldAndChangesNothing) {
    frmXls& input = Input();
    Enter("pick=6230TXGP txtStack=2");
    const std::string before = ScreenState(input.Logic());
    coredesign::testing::WriteFile(temp.File("newer.coredesign"),
                                   "{\"format\": \"coredesign-design\", \"version\": 3}");
    const struct {
        QString file;
        QString message;
    } opens[] = {
        {TempFile("newer.coredesign"),
         QStringLiteral("This design file was written by a newer version of the program (design file version 3); "
                        "this version opens design files of version 1.")},
        {TempFile("missing.coredesign"), SorryMessage(QStringLiteral("No such file or directory"))},
    };
    for (const auto& c : opens) {
        messages.clear();
        answers.push_back(c.file);
        Click(input, "cmdOpenDesign");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, c.message);
        EXPECT_EQ(Str(messages[0].title), "Caution");
        EXPECT_EQ(messages[0].icon, BoxIcon::Information);
        EXPECT_EQ(messages[0].parent, &input);
        EXPECT_EQ(ScreenState(input.Logic()), before);
    }

    const std::string earlier = "an earlier file";
    coredesign::testing::WriteFile(temp.File("kept.coredesign"), earlier);
    {
        const coredesign::testing::ScopedFileSizeLimit fullDisk(64);  // the design is longer
        messages.clear();
        answers.push_back(TempFile("kept.coredesign"));
        Click(input, "cmdSaveDesign");
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(SorryMessage(QString()))) << Str(messages[0].text);
    EXPECT_EQ(ReadFile(temp.File("kept.coredesign")), earlier);
    messages.clear();
    answers.push_back(TempFile("missing/d.coredesign"));
    Click(input, "cmdSaveDesign");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(SorryMessage(QString()))) << Str(messages[0].text);
    EXPECT_EQ(ScreenState(input.Logic()), before);
}

// The CLI's document of the run the desktop program has just made: the input
// screen's logic, with the results screen's boxes as the screen shows them.
json DesktopDocument(frmXls& input, frmResult* results) {
    json doc = json::parse(cli::JsonDocument(input.Logic()));
    if (!results || !doc["outcome"].is_string() || doc["intermediate_screen"].is_null()) return doc;
    const ResultsTexts shown = results->Texts();
    json boxes = json::object();
    for (const auto& [name, box] : coredesign::testing::kResultsBoxes) boxes[name] = shown.*box;
    boxes["txtTotalTempRiseAlarm"] = shown.txtTotalTempRiseAlarm;
    doc["results_screen"] = boxes;
    return doc;
}

// A design saved by the desktop program opens identically in the CLI, and
// one saved by the CLI on the desktop screen: the same screen, the same
// run, and saved again, the same file.
TEST_F(DesignFilesTest, ADesignCrossesBetweenTheDesktopProgramAndTheCli) {
    const struct {
        const char* words;  // as Enter and testing::Screen read them
        std::vector<std::pair<const char*, std::string>> texts;
        std::vector<std::string> cli;  // the same design as the CLI's options
    } designs[] = {
        {"", {}, {}},
        {"nogap", {}, {"--family", "nogap"}},
        {"pick=6230TXGP txtStack=3", {}, {"--pick", "6230TXGP", "--stack", "3"}},
        {"cmbfrequency=kHz",
         {{"txtInductance", "1e400"},
          {"txtDCCurrent", "3.5\"q\\"},
          {"txtMaxInputVoltage", "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80 <b>&amp;</b>"},
          {"txtStack", ""}},
         {"--frequency-unit", "kHz", "--inductance", "1e400", "--dc-current", "3.5\"q\\", "--max-input-voltage",
          "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80 <b>&amp;</b>", "--stack", ""}},
    };
    using coredesign::testing::RunCli;
    for (const auto& d : designs) {
        SCOPED_TRACE(d.words);
        // Saved on the desktop, run there and in the CLI.
        Fresh();
        Enter(d.words);
        for (const auto& [control, text] : d.texts) SetField(control, QString::fromStdString(text));
        const std::string desktopFile = temp.File("desktop.coredesign"), again = temp.File("again.coredesign");
        answers.push_back(QString::fromStdString(desktopFile));
        Click(Input(), "cmdSaveDesign");
        ShowResults();
        const json desktopRun = DesktopDocument(Input(), Results());
        EXPECT_EQ(json::parse(RunCli({"--design", desktopFile, "--json"}).out), desktopRun);
        EXPECT_EQ(RunCli({"--design", desktopFile, "--save-design", again}).err, "");
        EXPECT_EQ(ReadFile(again), ReadFile(desktopFile));

        // Saved by the CLI, opened on a fresh desktop screen.
        Fresh();
        std::vector<std::string> save = d.cli;
        save.insert(save.end(), {"--save-design", temp.File("cli.coredesign")});
        RunCli(save);
        answers.push_back(TempFile("cli.coredesign"));
        Click(Input(), "cmdOpenDesign");
        EXPECT_TRUE(messages.empty());
        InputScreen expected = coredesign::testing::Screen(d.words);
        for (const auto& [control, text] : d.texts)
            for (const InputField& f : kInputFields)
                if (std::string(control) == f.control) expected.Fields().*f.text = text;
        EXPECT_EQ(ScreenState(Input().Logic()), ScreenState(expected));
        for (const InputField& f : kInputFields)
            EXPECT_EQ(Str(Field(f.control).text()), expected.Fields().*f.text) << f.control;
        ShowResults();
        EXPECT_EQ(DesktopDocument(Input(), Results()),
                  json::parse(RunCli({"--design", temp.File("cli.coredesign"), "--json"}).out));
        EXPECT_EQ(DesktopDocument(Input(), Results()), desktopRun);
    }
}

}  // namespace
}  // namespace coredesign::gui::testing
