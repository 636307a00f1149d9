// Every text of every screen model, for a few designs, against one reviewed
// file per screen (tests/engine/screens/<screen>.txt): a changed letter in a
// caption, a unit, a button, a tool tip or a value fails here. To write the
// files anew after a deliberate change, run with COREDESIGN_WRITE_REVIEWED=1
// and review the difference before committing it.
#include "shown_texts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "compare_screen.h"
#include "curve_screen.h"
#include "engine_checks.h"
#include "fixed_screens.h"
#include "input_screen.h"

namespace coredesign {
namespace {

// The designs of the files: the default, the no-gap default, a stacked Pick
// Core design, the fill warning and the temperature alarm.
const char* const kDesigns[] = {"", "nogap", "pick=6213TXGP txtStack=2", "pick=6205TXGP",
                                "pick=6218TXGP txtAmbientTemp=150"};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The file's text, or (when asked to) the file written anew with `rendered`.
void ExpectReviewed(const std::string& screen, const std::string& rendered) {
    const std::string path = std::string(COREDESIGN_REVIEWED_DIR) + "/" + screen + ".txt";
    if (std::getenv("COREDESIGN_WRITE_REVIEWED")) {
        std::ofstream(path, std::ios::binary) << rendered;
        return;
    }
    const std::string reviewed = ReadFile(path);
    ASSERT_FALSE(reviewed.empty()) << "no reviewed file " << path;
    // Line by line, so that a failure names the first line that differs.
    std::istringstream want(reviewed), got(rendered);
    std::string a, b;
    for (int line = 1;; ++line) {
        const bool wanted = static_cast<bool>(std::getline(want, a));
        const bool given = static_cast<bool>(std::getline(got, b));
        if (!wanted && !given) break;
        ASSERT_EQ(b, a) << screen << ".txt line " << line;
        a.clear();
        b.clear();
    }
    EXPECT_EQ(rendered, reviewed);
}

std::string Heading(const char* design) {
    return std::string("== ") + (*design ? design : "default") + "\n";
}

TEST(ShownTexts, FixedScreensAsReviewed) {
    ExpectReviewed("frmEnter", RenderShownTexts(StartScreen::Shown()));
    ExpectReviewed("frmDirections", "== before Help\n" + RenderShownTexts(DirectionsScreen::Shown(false)) +
                                        "== after Help\n" + RenderShownTexts(DirectionsScreen::Shown(true)));
    ExpectReviewed("frmHtmlReport", RenderShownTexts(ReportViewerScreen::Shown()));
}

TEST(ShownTexts, DesignScreensAsReviewed) {
    std::string input = "== loaded\n" + RenderShownTexts(InputScreen().Shown());
    std::string results, intermediate, curve;
    for (const char* design : kDesigns) {
        InputScreen s = testing::Screen(design);
        const RunResult& run = s.ShowResults();
        input += Heading(design) + RenderShownTexts(s.Shown());
        ASSERT_NE(s.ResultsModel(), nullptr) << design;
        results += Heading(design) + RenderShownTexts(s.ResultsModel()->Shown());
        intermediate += Heading(design) + RenderShownTexts(IntermediateScreen(s.Record()).Shown());
        if (ResultsScreen::OutcomeShowsDesign(run.outcome) && HoldsDesign(s.Record()))
            curve += Heading(design) + RenderShownTexts(CurveScreen(s.Record()).Shown());
    }
    ExpectReviewed("frmXls", input);
    ExpectReviewed("frmResult", results);
    ExpectReviewed("frmIntermediateOutput", intermediate);
    ExpectReviewed("frmInductanceCurve", curve);
}

TEST(ShownTexts, CompareCoresAsReviewed) {
    std::string texts = RenderShownTexts(CompareScreen::Shown());
    InputScreen s;
    std::vector<Message> refused;
    const std::optional<std::vector<ComparedFamily>> families = s.FamiliesToCompare(refused);
    ASSERT_TRUE(families.has_value());
    const Comparison c = CompareCores(*families);
    texts += "== default\n" + CompareScreen::InputsText(c) + "\n" + CompareScreen::CountText(c) + "\n" +
             CompareScreen::RowName(c.rows.front()) + "\n" + CompareScreen::ComparingText(ComparisonRuns(*families)) +
             "\n" + CompareScreen::CancelledText(true) + "\n" + CompareScreen::CancelledText(false) + "\n" +
             CompareScreen::kNothingCompared + "\n";
    ExpectReviewed("frmCompareCores", texts);
}

// The rendering itself: what is escaped, and that empty texts show no line.
TEST(ShownTexts, Rendering) {
    EXPECT_EQ(RenderShownTexts({{"a", TextRole::Text, "x\"y\\z\r\n\t"},
                                {"", TextRole::ToolTip, "tip"},
                                {"b", TextRole::Item, ""},
                                {"c", TextRole::Title, "T"},
                                {"d", TextRole::Look, "red"}}),
              "a text \"x\\\"y\\\\z\\r\\n\\t\"\n- tooltip \"tip\"\nc title \"T\"\nd look \"red\"\n");
}

}  // namespace
}  // namespace coredesign
