// The whole program for the web page, over the engine's screen models: one
// Session keeps the screen flow, the design record, the input screen's model
// (with the results screen it owns), the intermediate outputs and the report
// the results screen last wrote. The page sends a command (a click, a typed
// text, a chosen entry) and gets back plain state as JSON: the screens that
// exist and which are shown, each screen's texts as its model shows them
// (shown_texts.h), what each control is and how it stands, and the message
// boxes to show with the control that takes the focus afterwards. The page
// draws; every text, rule and figure is the models'.
//
// As the module's other entry points (bindings.cpp), texts cross as UTF-8
// bytes in a Uint8Array.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "constants.h"
#include "design_file.h"
#include "fixed_screens.h"
#include "input_screen.h"
#include "json_writer.h"
#include "report_document.h"
#include "screen_flow.h"
#include "script_bytes.h"
#include "shown_texts.h"

namespace coredesign::wasm {
namespace {

using emscripten::val;

const char* ColourName(TextColour colour) {
    switch (colour) {
        case TextColour::Black: return "black";
        case TextColour::Navy: return "navy";
        case TextColour::NoteBlue: return "noteBlue";
        case TextColour::Red: return "red";
        case TextColour::LinkBlue: return "linkBlue";
        case TextColour::LinkYellow: return "linkYellow";
    }
    return "black";
}

// Every character the key filter lets into a filtered field, so that the
// page decides as the key arrives, without asking the worker.
std::string FieldCharacters() {
    std::string taken;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (!InputScreen::FieldTakes(c)) continue;
        if (c < 0x80) {
            taken += static_cast<char>(c);
        } else if (c < 0x800) {
            taken += static_cast<char>(0xC0 | (c >> 6));
            taken += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            taken += static_cast<char>(0xE0 | (c >> 12));
            taken += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            taken += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            taken += static_cast<char>(0xF0 | (c >> 18));
            taken += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            taken += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            taken += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return taken;
}

std::optional<Screen> ScreenNamed(const std::string& name) {
    for (int k = 0; k < kScreenCount; ++k)
        if (name == ScreenName(static_cast<Screen>(k))) return static_cast<Screen>(k);
    return std::nullopt;
}

// The input screen's view: the messages a run tells wait for the page.
class QueuedView final : public InputScreenView {
public:
    explicit QueuedView(std::vector<Message>& queue) : queue_(queue) {}
    void Tell(const Message& message) override { queue_.push_back(message); }

private:
    std::vector<Message>& queue_;
};

// The input screen's Copy Link button (the web edition's alone).
constexpr const char* kCopyLinkButton = "cmdCopyLink";

class Session {
public:
    Session() : view_(messages_) { Carry(flow_.Command(FlowCommand::Launch)); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() { flow_.AttachInput(nullptr); }

    // The site's address, before which the report's pictures stand
    // ("http://host:port"): each is its origin, "/pictures/" and the file name.
    void SetPictureOrigin(const val& origin) {
        const std::string base = FromBytes(origin) + "/pictures/";
        pictures_ = report::FindPictures([&base](const char* fileName) { return base + fileName; });
    }

    val State() { return Bytes(StateText()); }

    // A click on a control of a screen that is shown.
    val Click(const std::string& screenName, const std::string& control) {
        const std::optional<Screen> screen = ScreenNamed(screenName);
        if (screen && flow_.Visible(*screen)) Clicked(*screen, control);
        return State();
    }

    // A text typed or pasted into a field of the input screen (the field's whole text).
    val Type(const std::string& control, const val& text) {
        if (!input_) return State();
        for (const InputField& field : kInputFields)
            if (control == field.control) input_->Fields().*field.text = FromBytes(text);
        return State();
    }

    // An entry chosen in one of the input screen's lists.
    val Choose(const std::string& control, int index) {
        if (!input_) return State();
        const std::vector<std::string>& units = InputScreen::ListItems(control);
        const bool inRange = index >= 0 && index < static_cast<int>(units.size());
        if (control == "cmbinductance" && inRange)
            input_->Fields().cmbinductance = units[static_cast<std::size_t>(index)];
        else if (control == "cmbfrequency" && inRange)
            input_->Fields().cmbfrequency = units[static_cast<std::size_t>(index)];
        else if (control == "txtCoreSize" && input_->Fields().coreSizeListEnabled && index >= -1 &&
                 index < static_cast<int>(input_->CoreList().size()))
            input_->ChooseListEntry(index);
        return State();
    }

    // The mouse button down (true) or up on the results screen's note Label2.
    val Note(bool down) {
        if (ResultsScreen* results = ResultsModel()) down ? results->PressNote() : results->ReleaseNote();
        return State();
    }

    // The file Save Design writes, or empty with the refusal told.
    val DesignFile() {
        std::string text;
        if (!input_) return Bytes(text);
        if (const std::optional<Message> refused = DesignFileText(*input_, text)) {
            Tell(*refused);
            text.clear();
        }
        return Bytes(text);
    }

    // The design text of the input screen as it stands, for Compare Cores and
    // the design link (empty when it cannot be written; nothing is told).
    val DesignText() {
        std::string text;
        if (input_ && DesignFileText(*input_, text)) text.clear();
        return Bytes(text);
    }

    // Open Design with a file's bytes (or a design link's): the screen is
    // loaded afresh and takes the design, or stays as it is with the refusal told.
    val OpenDesign(const val& bytes) {
        if (!input_) return State();
        Design design;
        if (const std::optional<Message> refused = ReadDesignFile(FromBytes(bytes), design)) {
            Tell(*refused);
            return State();
        }
        input_->Reload();
        ApplyDesign(design, *input_);
        return State();
    }

    // Use This Design of Compare Cores, as frmCompareCores::UseDesign: the
    // flow's command, the texts of `designText` (the design the table was
    // computed for) with the chosen stack, the family, Pick Core and the
    // part, then Show Results.
    val UseDesign(bool gapped, const std::string& partNo, int stack, const val& designText) {
        Carry(flow_.Command(FlowCommand::UseThisDesign));
        if (!input_) return State();
        // The texts the table was computed for: that family's, as the screen
        // that holds the design shows them once the family is chosen.
        InputScreen designed;
        if (const std::optional<Message> refused = OpenDesignFile(FromBytes(designText), designed)) {
            Tell(*refused);
            return State();
        }
        std::vector<Message> refused;
        const std::optional<std::vector<ComparedFamily>> families = designed.FamiliesToCompare(refused);
        InputTexts texts = designed.Fields();
        if (families)
            for (const ComparedFamily& family : *families)
                if (family.gapped == gapped) texts = family.texts;
        texts.txtStack = std::to_string(stack);
        input_->UseDesign(gapped, texts, partNo);
        Carry(flow_.ShowResults());
        return State();
    }

    // The bytes of the report the results screen last wrote for the viewer.
    val ReportFile() { return Bytes(report_); }

    // The texts a screen shows, one a line (shown_texts.h), for the checks.
    val Shown(const std::string& screenName) {
        std::string text;
        if (const std::optional<Screen> screen = ScreenNamed(screenName))
            if (flow_.Exists(*screen)) text = RenderShownTexts(ShownBy(*screen));
        return Bytes(text);
    }

private:
    void Tell(const Message& message) { messages_.push_back(message); }

    void Clicked(Screen screen, const std::string& control) {
        switch (screen) {
            case Screen::Start:
                if (control == "cmdProcess") Carry(flow_.Command(FlowCommand::Accept));
                if (control == "cmdExit") Carry(flow_.Command(FlowCommand::ExitStart));
                break;
            case Screen::Input: ClickedOnInput(control); break;
            case Screen::Results:
                if (control == "cmdIinterOutput") Carry(flow_.Command(FlowCommand::Calculations));
                if (control == "cmdReport") ViewReport();
                if (control == "cmdExit") Carry(flow_.Command(FlowCommand::ResetDesignInputs));
                if (control == ResultsScreen::kCurveButton && ResultsModel() && ResultsModel()->CurveOffered())
                    Carry(flow_.Command(FlowCommand::Curve));
                if (control == "cmdWebLink") Carry(flow_.Command(FlowCommand::WebLink));
                break;
            case Screen::Intermediate:
                if (control == IntermediateScreen::CloseButton().control)
                    Carry(flow_.Command(FlowCommand::CloseIntermediate));
                break;
            case Screen::ReportViewer:
                if (control == "cmdBack") Carry(flow_.Command(FlowCommand::Back));
                if (control == "cmdExit") Carry(flow_.Command(FlowCommand::ResetDesign));
                break;
            case Screen::Directions:
                if (control == DirectionsScreen::ExitButton().control)
                    Carry(flow_.Command(FlowCommand::ExitDirections));
                break;
            case Screen::CompareCores:
                if (control == "cmdClose") Carry(flow_.Command(FlowCommand::CloseCompare));
                break;
            case Screen::InductanceCurve:
                if (control == "cmdClose") Carry(flow_.Command(FlowCommand::CloseCurve));
                break;
        }
    }

    void ClickedOnInput(const std::string& control) {
        if (!input_) return;
        if (control == "cmdProcess") Carry(flow_.ShowResults());
        if (control == "cmdQuit") input_->ClearResults();
        if (control == "cmdExit") Carry(flow_.Command(FlowCommand::Cancel));
        if (control == "cmdHelp") Carry(flow_.Command(FlowCommand::Help));
        if (control == "cmdCompare") {
            // An open window compares again; a new one opens only for texts that pass the checks.
            std::vector<Message> refused;
            if (!flow_.Exists(Screen::CompareCores) && !input_->FamiliesToCompare(refused)) {
                for (const Message& message : refused) Tell(message);
                return;
            }
            Carry(flow_.Command(FlowCommand::Compare));
        }
        if (control == "chkGap") input_->ClickFamily(true);
        if (control == "chkNoGap") input_->ClickFamily(false);
        if (control == "chkCalcCore") input_->ClickCalculator(Calculator::CalculateCore);
        if (control == "chkPickCore") input_->ClickCalculator(Calculator::PickCore);
    }

    // View Report: the report written from the results screen, then the viewer shown.
    void ViewReport() {
        const ResultsScreen* results = ResultsModel();
        if (!results) return;
        report_ = report::ReportFileBytes(results->Texts(), record_, pictures_);
        Carry(flow_.Command(FlowCommand::ViewReport));
    }

    // The results screen's model: the input screen's, or, while there is no
    // input screen, the one the screen kept (as frmResult does).
    ResultsScreen* ResultsModel() {
        if (!input_) {
            if (!keptResults_ && flow_.Exists(Screen::Results)) keptResults_.emplace(record_, std::string(), false);
            return keptResults_ ? &*keptResults_ : nullptr;
        }
        return input_->ResultsModel();
    }

    void Create(Screen s, bool counts) {
        if (flow_.Exists(s)) return;
        switch (s) {
            case Screen::Input:
                input_ = std::make_unique<InputScreen>(record_, view_);
                flow_.AttachInput(input_.get());
                break;
            case Screen::Results:
                if (input_) {
                    if (!input_->ResultsModel() && keptResults_) input_->AdoptResults(*keptResults_);
                    keptResults_.reset();
                    input_->OpenResults();
                }
                break;
            case Screen::Intermediate: intermediate_.emplace(record_); break;
            case Screen::Directions: directionsWritten_ = false; break;
            default: break;
        }
        flow_.Created(s, counts);
    }

    void Close(Screen s) {
        if (!flow_.Exists(s)) return;
        flow_.Hidden(s);
        const FlowSteps after = flow_.Closing(s);
        if (s == Screen::Results) {
            // A results screen that outlives its input screen keeps what it showed.
            if (!input_) keptResults_.reset();
        }
        Carry(after);
        switch (s) {
            case Screen::Input:
                flow_.AttachInput(nullptr);
                if (input_ && input_->ResultsModel()) keptResults_ = *input_->ResultsModel();
                input_.reset();
                break;
            case Screen::Intermediate: intermediate_.reset(); break;
            case Screen::ReportViewer: report_.clear(); break;
            default: break;
        }
        flow_.Gone(s);
    }

    void Carry(const FlowSteps& steps) {
        for (const FlowStep& step : steps) {
            switch (step.move) {
                case Move::Show:
                    Create(step.screen, true);
                    flow_.Shown(step.screen);
                    if (step.screen == Screen::Results && input_) input_->RefillResults();
                    shownOrder_.erase(std::remove(shownOrder_.begin(), shownOrder_.end(), step.screen),
                                      shownOrder_.end());
                    shownOrder_.push_back(step.screen);
                    break;
                case Move::Hide: flow_.Hidden(step.screen); break;
                case Move::SetAside:
                    flow_.Hidden(step.screen);
                    flow_.SetCounted(step.screen, false);
                    break;
                case Move::Close: Close(step.screen); break;
                case Move::CreateUnseen: Create(step.screen, false); break;
                case Move::ResetCoreList:
                    Create(step.screen, true);
                    if (input_) input_->ResetCoreSizeList();
                    break;
                case Move::Refill:
                    Create(step.screen, true);
                    if (step.screen == Screen::Results && input_) input_->RefillResults();
                    if (step.screen == Screen::Intermediate && intermediate_) intermediate_->Refill(record_);
                    if (step.screen == Screen::Directions) directionsWritten_ = true;
                    break;
            }
        }
    }

    ShownTexts ShownBy(Screen s) {
        switch (s) {
            case Screen::Start: return StartScreen::Shown();
            case Screen::Input: {
                if (!input_) return {};
                // The web edition's own design button stands after the screen's.
                ShownTexts shown = input_->Shown();
                shown.push_back({kCopyLinkButton, TextRole::Text, kCopyLinkCaption});
                shown.push_back({kCopyLinkButton, TextRole::ToolTip, kCopyLinkHint});
                return shown;
            }
            case Screen::Results: {
                const ResultsScreen* results = ResultsModel();
                return results ? results->Shown() : ShownTexts{};
            }
            case Screen::Intermediate: return intermediate_ ? intermediate_->Shown() : ShownTexts{};
            case Screen::ReportViewer: return ReportViewerScreen::Shown();
            case Screen::Directions: return DirectionsScreen::Shown(directionsWritten_);
            default: return {};
        }
    }

    // A screen's texts in the order they stand on the page: on the input
    // screen the family boxes and Cores To Stack share the permeability's
    // row, and the calculator boxes the calculator's, as the desktop screen
    // lays them out; every other screen shows its texts in its model's order.
    static ShownTexts LaidOut(Screen s, ShownTexts texts) {
        if (s != Screen::Input) return texts;
        ShownTexts stack, family, calculator, rest;
        for (ShownText& text : texts) {
            const bool stackCaption = text.control.empty() && text.text == InputScreen::kStackCaption;
            if (stackCaption || text.control == "txtStack")
                stack.push_back(std::move(text));
            else if (text.control == "chkGap" || text.control == "chkNoGap")
                family.push_back(std::move(text));
            else if (text.control == "chkCalcCore" || text.control == "chkPickCore")
                calculator.push_back(std::move(text));
            else
                rest.push_back(std::move(text));
        }
        ShownTexts laidOut;
        for (ShownText& text : rest) {
            const bool permeability = text.control.empty() && text.text == InputScreen::kPermeabilityCaption;
            const bool calculatorCaption = text.control.empty() && text.text == InputScreen::kCalculatorCaption;
            laidOut.push_back(std::move(text));
            if (permeability) {
                laidOut.insert(laidOut.end(), family.begin(), family.end());
                laidOut.insert(laidOut.end(), stack.begin(), stack.end());
            }
            if (calculatorCaption) laidOut.insert(laidOut.end(), calculator.begin(), calculator.end());
        }
        return laidOut;
    }

    // The captions that begin a row of their screen (the rest stand beside them).
    static const std::set<std::string>& RowCaptions(Screen s) {
        static const std::set<std::string> input = [] {
            std::set<std::string> captions = {InputScreen::kPermeabilityCaption, InputScreen::kCalculatorCaption,
                                              InputScreen::kCoreListCaption};
            for (const InputRow& row : kInputRows) captions.insert(row.caption);
            return captions;
        }();
        static const std::set<std::string> results = [] {
            std::set<std::string> captions;
            for (const ResultBox& box : kResultBoxes)
                if (box.caption) captions.insert(box.caption);
            return captions;
        }();
        static const std::set<std::string> none;
        return s == Screen::Input ? input : s == Screen::Results ? results : none;
    }

    // How each text stands: "panel" opens a panel (a heading), "row" a row,
    // "" beside the text before it.
    static std::string Placement(Screen s, const ShownText& text) {
        if (text.role == TextRole::Title) return "title";
        if (s == Screen::Results && text.control.empty() &&
            (text.text == ResultsScreen::kInputHeading || text.text == ResultsScreen::kSummaryHeading))
            return "panel";
        if (text.role != TextRole::Text) return "";
        if (text.control.empty() && RowCaptions(s).count(text.text)) return "row";
        if (s == Screen::Intermediate && text.control.rfind("Label", 0) == 0 && text.control.rfind("Labelo", 0) != 0)
            return "row";
        return "";
    }

    void Control(cli::JsonWriter& json, const std::string& name, const char* kind) {
        json.Key(name);
        json.BeginObject();
        json.Key("kind");
        json.String(kind);
    }

    void Buttons(cli::JsonWriter& json, const std::vector<ButtonText>& buttons) {
        for (const ButtonText& button : buttons) {
            Control(json, button.control, "button");
            json.EndObject();
        }
    }

    // What each control of a screen is and how it stands.
    void Controls(cli::JsonWriter& json, Screen s) {
        json.Key("controls");
        json.BeginObject();
        switch (s) {
            case Screen::Start:
                Buttons(json, StartScreen::Buttons());
                Control(json, "Text1", "box");
                json.EndObject();
                break;
            case Screen::Input: {
                if (!input_) break;
                for (const InputField& field : kInputFields) {
                    Control(json, field.control, "field");
                    json.Key("filtered");
                    json.Bool(field.keyFiltered);
                    json.EndObject();
                }
                for (const char* list : {"cmbinductance", "cmbfrequency"}) {
                    Control(json, list, "list");
                    const std::string& chosen = std::strcmp(list, "cmbinductance") == 0 ? input_->Fields().cmbinductance
                                                                                        : input_->Fields().cmbfrequency;
                    const std::vector<std::string>& items = InputScreen::ListItems(list);
                    int index = -1;
                    for (std::size_t k = 0; k < items.size(); ++k)
                        if (items[k] == chosen) index = static_cast<int>(k);
                    json.Key("index");
                    json.Integer(index);
                    json.EndObject();
                }
                Control(json, "txtCoreSize", "list");
                json.Key("index");
                json.Integer(input_->CoreListIndex());
                json.Key("enabled");
                json.Bool(input_->Fields().coreSizeListEnabled);
                json.Key("colour");
                json.String(input_->CoreListColour() == ListColour::Grey    ? "grey"
                            : input_->CoreListColour() == ListColour::Black ? "black"
                                                                            : "");
                json.EndObject();
                Control(json, "txtDensityFactorUom", "box");
                json.EndObject();
                const CheckBoxes& boxes = input_->Boxes();
                const bool checked[] = {boxes.chkGap, boxes.chkNoGap, boxes.chkCalcCore, boxes.chkPickCore};
                int k = 0;
                for (const CheckBoxText& box : InputScreen::CheckBoxTexts()) {
                    Control(json, box.control, "check");
                    json.Key("checked");
                    json.Bool(checked[k++]);
                    json.EndObject();
                }
                Buttons(json, InputScreen::Buttons());
                Control(json, kCopyLinkButton, "button");
                json.EndObject();
                break;
            }
            case Screen::Results: {
                const ResultsScreen* results = ResultsModel();
                if (!results) break;
                for (const ResultBox& box : kResultBoxes) {
                    Control(json, box.control, "box");
                    const BoxLook look = results->Look(box);
                    json.Key("colour");
                    json.String(ColourName(look.colour));
                    json.Key("bold");
                    json.Bool(look.bold);
                    json.EndObject();
                }
                for (int label = 1; label <= 5; ++label) {
                    Control(json, "Label" + std::to_string(label), "note");
                    json.EndObject();
                }
                Control(json, "cmdWebLink", "link");
                json.Key("colour");
                json.String(ColourName(results->WebLinkColour()));
                json.Key("address");
                json.String(std::string("https://") + kWebHost + "/");
                json.EndObject();
                Buttons(json, ResultsScreen::Buttons());
                break;
            }
            case Screen::Intermediate:
                if (!intermediate_) break;
                for (int k = 1; k <= 38; ++k) {
                    Control(json, "Label" + std::to_string(k), "caption");
                    json.EndObject();
                    Control(json, "Labelo" + std::to_string(k), "box");
                    if (k == IntermediateScreen::kFillFactorValue) {
                        json.Key("colour");
                        json.String(ColourName(intermediate_->FillFactorColour()));
                    }
                    json.EndObject();
                }
                Control(json, "txtWarning", "box");
                json.Key("colour");
                json.String(ColourName(TextColour::Red));
                json.EndObject();
                Buttons(json, {IntermediateScreen::CloseButton()});
                break;
            case Screen::ReportViewer: Buttons(json, ReportViewerScreen::Buttons()); break;
            case Screen::Directions:
                for (const char* box : {"Text1", "txtHelp", "TxtHelp2"}) {
                    Control(json, box, "box");
                    json.EndObject();
                }
                Buttons(json, {DirectionsScreen::ExitButton()});
                break;
            default: break;
        }
        json.EndObject();
    }

    // The screen shown last of those still visible, where the keys go.
    const char* Active() const {
        for (auto s = shownOrder_.rbegin(); s != shownOrder_.rend(); ++s)
            if (flow_.Visible(*s)) return ScreenName(*s);
        return "";
    }

    std::string StateText() {
        cli::JsonWriter json(true);
        json.BeginObject();
        json.Key("ends");
        json.Bool(flow_.ProgramEnds());
        json.Key("active");
        json.String(Active());
        json.Key("fieldCharacters");
        static const std::string fieldCharacters = FieldCharacters();
        json.String(fieldCharacters);
        json.Key("designFileName");
        json.String(kDesignFileFirstName);
        json.Key("designFileType");
        json.String(kDesignFileMimeType);
        json.Key("screens");
        json.BeginArray();
        for (int k = 0; k < kScreenCount; ++k) {
            const Screen s = static_cast<Screen>(k);
            if (!flow_.Exists(s)) continue;
            json.BeginObject();
            json.Key("name");
            json.String(ScreenName(s));
            json.Key("visible");
            json.Bool(flow_.Visible(s));
            json.Key("texts");
            json.BeginArray();
            for (const ShownText& text : LaidOut(s, ShownBy(s))) {
                json.BeginArray();
                json.String(text.control);
                json.String(TextRoleName(text.role));
                json.String(text.text);
                json.String(Placement(s, text));
                json.EndArray();
            }
            json.EndArray();
            Controls(json, s);
            json.EndObject();
        }
        json.EndArray();
        // What Print says of a page that is not a report of this program.
        json.Key("printHook");
        json.String(ReportViewerScreen::kPrintHookName);
        json.Key("cannotPrint");
        WriteMessage(json, ReportViewerScreen::kPrintHookName,
                     {MessageId::DesignFile, ReportViewerScreen::kCannotPrintMessage, kCautionTitle,
                      MessageIcon::Information, ""});
        json.Key("messages");
        json.BeginArray();
        for (const Message& message : messages_) WriteMessage(json, MessageIdName(message.id), message);
        messages_.clear();
        json.EndArray();
        json.EndObject();
        return json.Text();
    }

    // A message box; `id` names it (MessageIdName, or the print refusal's "print").
    void WriteMessage(cli::JsonWriter& json, const char* id, const Message& message) const {
        json.BeginObject();
        json.Key("id");
        json.String(id);
        json.Key("title");
        json.String(message.title);
        json.Key("text");
        json.String(message.text);
        json.Key("icon");
        json.String(message.icon == MessageIcon::Information ? "information" : "none");
        json.Key("focus");
        json.String(input_ ? input_->FocusAfter(message) : message.focus);
        json.EndObject();
    }

    ScreenFlow flow_;
    DesignRecord record_;
    std::vector<Message> messages_;
    QueuedView view_;
    std::unique_ptr<InputScreen> input_;
    std::optional<ResultsScreen> keptResults_;
    std::optional<IntermediateScreen> intermediate_;
    bool directionsWritten_ = false;
    std::string report_;
    report::ReportPictures pictures_;
    std::vector<Screen> shownOrder_;  // the screens in the order they were last shown
};

}  // namespace
}  // namespace coredesign::wasm

EMSCRIPTEN_BINDINGS(coredesign_session) {
    using coredesign::wasm::Session;
    emscripten::class_<Session>("Session")
        .constructor<>()
        .function("setPictureOrigin", &Session::SetPictureOrigin)
        .function("state", &Session::State)
        .function("click", &Session::Click)
        .function("type", &Session::Type)
        .function("choose", &Session::Choose)
        .function("note", &Session::Note)
        .function("designFile", &Session::DesignFile)
        .function("designText", &Session::DesignText)
        .function("openDesign", &Session::OpenDesign)
        .function("useDesign", &Session::UseDesign)
        .function("reportFile", &Session::ReportFile)
        .function("shown", &Session::Shown);
}
