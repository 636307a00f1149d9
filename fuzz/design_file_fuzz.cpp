// Fuzz target: design files. The bytes are a file that is opened onto a
// freshly loaded input screen. A refused file must leave the screen exactly
// as it was and say why; an opened one must save again (its texts came as
// UTF-8), and the saved file must open onto another fresh screen into the
// same state. The JSON reader beneath must never crash, overflow its stack or
// read past the bytes, whatever they are (the 1 MiB bound and the bounded
// nesting are the file's own).
#include <cstdint>
#include <string>
#include <string_view>

#include "design_file.h"
#include "fuzz_checks.h"
#include "input_screen.h"

namespace coredesign::fuzz {
namespace {

// Everything of the input screen that a design file can change.
std::string State(const InputScreen& screen) {
    const InputTexts& in = screen.Fields();
    std::string state;
    for (const InputField& field : kInputFields) state += in.*field.text + '\x1F';
    state += in.cmbinductance + '\x1F' + in.cmbfrequency + '\x1F' + in.txtCoreSize + '\x1F';
    const CheckBoxes& b = screen.Boxes();
    for (bool box : {b.chkGap, b.chkNoGap, b.chkCalcCore, b.chkPickCore, in.coreSizeListEnabled,
                     screen.Record().GappedCores, screen.Record().CalculatorType == Calculator::PickCore})
        state += box ? '1' : '0';
    state += std::to_string(screen.CoreListIndex()) + '/' + std::to_string(screen.CoreList().size()) + '/' +
             std::to_string(static_cast<int>(screen.CoreListColour()));
    return state;
}

}  // namespace
}  // namespace coredesign::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace coredesign;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    InputScreen screen;
    const std::string fresh = fuzz::State(screen);
    if (const std::optional<Message> refused = OpenDesignFile(bytes, screen)) {
        if (fuzz::State(screen) != fresh) fuzz::Fail("refusal", "the screen changed: " + refused->text);
        if (refused->text.empty() || refused->title != kCautionTitle) fuzz::Fail("refusal", "no message");
        return 0;
    }
    std::string saved;
    if (const std::optional<Message> refused = DesignFileText(screen, saved))
        fuzz::Fail("save", "an opened design cannot be saved: " + refused->text);
    InputScreen again;
    if (const std::optional<Message> refused = OpenDesignFile(saved, again))
        fuzz::Fail("round trip", "the saved design is refused: " + refused->text);
    if (fuzz::State(again) != fuzz::State(screen)) fuzz::Fail("round trip", "the saved design opens differently");
    return 0;
}
