// The web link: opens the maker's web site in the desktop's web browser.
#pragma once

namespace coredesign::gui {
class ScreenRegistry;
}

// Formerly the Module2 namespace (module2_weblink).
namespace coredesign::gui::weblink {

// The empty document created in the temporary folder to ask the desktop which
// program opens web pages; it never outlives the click.
inline constexpr const char* kProbeFileName = "x27z42j.html";

// The results screen's web link. Makes sure a program is registered for web
// pages, then asks the desktop to open the maker's web site with the
// directions screen's window as parent (that screen is created, unseen, when
// it does not exist). Every way of failing ends in one message box.
void LaunchWebSite(ScreenRegistry& registry);

}  // namespace coredesign::gui::weblink
