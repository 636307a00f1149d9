// The texts a screen shows, as plain values a front end puts on its widgets
// and the tests compare letter by letter.
#pragma once

#include <string>
#include <vector>

namespace coredesign {

// The colours the screens draw texts in.
enum class TextColour { Black, Navy, NoteBlue, Red, LinkBlue, LinkYellow };

// A button of a screen: control name, caption with its access key ("&"), tool tip.
struct ButtonText {
    const char* control;
    const char* caption;
    const char* toolTip;  // "" for none
};

// What of a control a text is.
enum class TextRole {
    Title,    // the window's title
    Text,     // a caption, a value, a button's caption (with its access key "&")
    ToolTip,  // the control's tool tip
    Item,     // an entry of a list, in the list's order
    Look,     // how a text stands out: "red", "bold red"
};

// One text of a screen. `control` is the control's name; a caption that
// has none is named by the empty text.
struct ShownText {
    std::string control;
    TextRole role = TextRole::Text;
    std::string text;
};
using ShownTexts = std::vector<ShownText>;

// One line per text: the control (or "-"), the role ("title", "text",
// "tooltip", "item", "look") and the text in double quotes, with CR, LF, tab, the
// backslash and the double quote written as \r \n \t \\ \". Empty texts are
// left out: a control that shows nothing shows no line.
std::string RenderShownTexts(const ShownTexts& texts);

// A text's role as the rendering names it ("title", "text", "tooltip", "item", "look").
const char* TextRoleName(TextRole role);

}  // namespace coredesign
