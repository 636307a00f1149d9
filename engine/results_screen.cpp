#include "results_screen.h"

#include <cstring>

#include "constants.h"

namespace coredesign {

const ResultBox* FindResultBox(const std::string& control) {
    for (const ResultBox& box : kResultBoxes)
        if (control == box.control) return &box;
    return nullptr;
}

const std::vector<std::string>& ResultsScreen::Notes() {
    static const std::vector<std::string> notes = {
        "These are the summary design outputs based on defined inputs.",
        "Calculations are for still air with no cooling device.", "Copper loss reported at operating temperature.",
        "To view and print detailed core data and output summary click View Report."};
    return notes;
}

const std::vector<ButtonText>& ResultsScreen::Buttons() {
    static const std::vector<ButtonText> buttons = {{"cmdIinterOutput", "&Calculations", ""},
                                                    {"cmdReport", "&View Report", ""},
                                                    {"cmdExit", "R&eset Design Inputs", ""},
                                                    {kCurveButton, "Inductance C&urve", ""}};
    return buttons;
}

bool ResultsScreen::OutcomeShowsDesign(Outcome outcome) {
    return outcome == Outcome::Results || outcome == Outcome::FillWarning;
}

ResultsScreen::ResultsScreen(const DesignRecord& rec, const std::string& coreListText, bool showsDesign)
    : showsDesign_(showsDesign) {
    Fill(rec, coreListText);
}

void ResultsScreen::Fill(const DesignRecord& rec, const std::string& coreListText) {
    DisplayResults(rec, coreListText, texts_);
}

void ResultsScreen::ClearOutputs() {
    ClearResultFields(texts_);
}

void ResultsScreen::SetTemperatureAlarm(bool on) {
    texts_.txtTotalTempRiseAlarm = on;
}

void ResultsScreen::FollowDesign(bool design) {
    showsDesign_ = design;
}

std::string ResultsScreen::WebLinkText() const {
    return kWebHost;
}

BoxLook ResultsScreen::Look(const ResultBox& box) const {
    if (box.text == &ResultsTexts::txtTotalTempRise && TemperatureAlarm()) return {TextColour::Red, true};
    if (box.text == &ResultsTexts::txtStackout) return {TextColour::Black, true};
    if (box.text == &ResultsTexts::VoutUnit) return {TextColour::Navy, false};
    return {};
}

ShownTexts ResultsScreen::Shown() const {
    ShownTexts shown = {{"frmResult", TextRole::Title, kTitle}};
    for (const ResultsPanel panel : {ResultsPanel::InputValues, ResultsPanel::SummaryOutput}) {
        shown.push_back({"", TextRole::Text, panel == ResultsPanel::InputValues ? kInputHeading : kSummaryHeading});
        for (const ResultBox& box : kResultBoxes) {
            if (box.panel != panel) continue;
            if (box.caption) shown.push_back({"", TextRole::Text, box.caption});
            shown.push_back({box.control, TextRole::Text, texts_.*box.text});
            if (box.text == &ResultsTexts::txtTotalTempRise && TemperatureAlarm())
                shown.push_back({box.control, TextRole::Look, "bold red"});
            // The current density's unit is its unit box; every other unit is a caption.
            if (box.caption && *box.unit && box.text != &ResultsTexts::txtCurrentDensityFactor)
                shown.push_back({"", TextRole::Text, box.unit});
        }
    }
    shown.push_back({"Label1", TextRole::Text, kNoteHeading});
    int label = 2;
    for (const std::string& note : Notes()) shown.push_back({"Label" + std::to_string(label++), TextRole::Text, note});
    shown.push_back({"cmdWebLink", TextRole::Text, WebLinkText()});
    for (const ButtonText& button : Buttons()) {
        if (std::strcmp(button.control, kCurveButton) == 0 && !CurveOffered()) continue;
        shown.push_back({button.control, TextRole::Text, button.caption});
    }
    return shown;
}

}  // namespace coredesign
