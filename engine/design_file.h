// Design files: what a designer typed and chose on the input screen, kept
// as UTF-8 JSON so that a design can be reopened, shared and run again.
//
//   {"format": "coredesign-design", "version": 1,
//    "fields": {"txtInductance": ".000318", ... the eleven field texts},
//    "cmbinductance": "Henry", "cmbfrequency": "Hz",
//    "family": "gapped", "calculator": "calculate", "pick": null}
//
// Opening a file does on a freshly loaded input screen what a designer does
// there: the click on "245 Perm" for the no-gap family (which sets the flux
// density text), the click on "Pick Core" and the list entry of the picked
// part, then every field text and unit as if pasted; it presses nothing. A
// key missing from the file keeps the fresh screen's value. A refused file
// changes nothing. The front ends read and write the files; this is bytes
// in and out, and the texts of the input screen's two design buttons.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "input_screen.h"
#include "messages.h"

namespace coredesign {

inline constexpr const char* kDesignFileFormat = "coredesign-design";
inline constexpr int kDesignFileVersion = 1;
// A larger file is refused unread.
inline constexpr std::size_t kMaxDesignFileBytes = std::size_t{1} << 20;
inline constexpr const char* kDesignFileSuffix = ".coredesign";
inline constexpr const char* kDesignFileMimeType = "application/x-coredesign-design";

// The input screen's two buttons and their file dialogs (the ampersand marks
// the access key, which no other control of the screen uses).
inline constexpr const char* kSaveDesignCaption = "Sa&ve Design...";
inline constexpr const char* kSaveDesignHint = "Saves the inputs on this screen as a design file, to open again later.";
inline constexpr const char* kOpenDesignCaption = "O&pen Design...";
inline constexpr const char* kOpenDesignHint =
    "Opens a design file: its inputs take the place of those on this screen.";
inline constexpr const char* kDesignFileFilter = "Design files (*.coredesign)";
inline constexpr const char* kDesignFileFirstName = "design.coredesign";
// The web edition's third design button: a link that carries the design in
// its fragment (never sent to a server) and opens it on the input screen.
inline constexpr const char* kCopyLinkCaption = "Copy &Link";
inline constexpr const char* kCopyLinkHint =
    "Puts a link on the clipboard that opens these inputs on this screen; the design travels in the link itself.";

// What a design file sets; each part left out keeps the fresh screen's.
struct Design {
    std::array<std::optional<std::string>, std::size(kInputFields)> texts;  // in the order of kInputFields
    std::optional<std::string> cmbinductance, cmbfrequency;
    std::optional<bool> gapped;  // the family: true 100 Perm (gapped), false 245 Perm (no gap)
    std::optional<Calculator> calculator;
    std::optional<std::string> pick;  // the picked part number (Pick Core only)
};

// Reads a design file's bytes into `design`. The message that says what is
// wrong when the file is refused: larger than kMaxDesignFileBytes, not UTF-8
// JSON (malformed, truncated, nested too deep, a lone surrogate), not this
// format, a newer version, a key this version does not know or a key given
// twice, a value of the wrong type, a unit, family or calculator of none of
// the screen's names, or a picked part that the family does not hold.
std::optional<Message> ReadDesignFile(std::string_view bytes, Design& design);

// Does what opening `design` does on the freshly loaded screen `fresh`. The
// design must be one that ReadDesignFile gave.
void ApplyDesign(const Design& design, InputScreen& fresh);

// ReadDesignFile, then ApplyDesign; a refused file leaves `fresh` unchanged.
std::optional<Message> OpenDesignFile(std::string_view bytes, InputScreen& fresh);

// The design the screen holds: every field text and unit, the family loaded,
// the calculator chosen and, in Pick Core mode, the part of the list entry
// chosen (none when the empty entry or none is chosen).
Design DesignOf(const InputScreen& screen);

// The file of `design`, every key written. Refused, with the message, when a
// text is not UTF-8 (a design file holds UTF-8 text only) or a unit is none
// of its list's names.
std::optional<Message> DesignFileText(const Design& design, std::string& text);

// The same for what the screen holds.
std::optional<Message> DesignFileText(const InputScreen& screen, std::string& text);

}  // namespace coredesign
