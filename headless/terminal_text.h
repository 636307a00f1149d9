// Texts from outside the program (arguments, file names, the environment)
// as the front end's messages echo them to a terminal: no such text may
// drive the terminal (set its title, move the cursor, clear the screen).
#pragma once

#include <string>
#include <string_view>

namespace coredesign::cli {

// `text` with its control characters shown escaped: ESC as "\e", the other
// C0 controls, DEL, the C1 controls (U+0080 to U+009F) and every byte that
// is not part of well-formed UTF-8 as "\x" and two hexadecimal digits per
// byte. Plain and non-ASCII text stands as it is.
std::string EscapeControls(std::string_view text);

}  // namespace coredesign::cli
