#include "shown_texts.h"

namespace coredesign {
const char* TextRoleName(TextRole role) {
    switch (role) {
        case TextRole::Title: return "title";
        case TextRole::Text: return "text";
        case TextRole::ToolTip: return "tooltip";
        case TextRole::Item: return "item";
        case TextRole::Look: return "look";
    }
    return "text";
}

std::string RenderShownTexts(const ShownTexts& texts) {
    std::string out;
    for (const ShownText& t : texts) {
        if (t.text.empty()) continue;
        out += t.control.empty() ? std::string("-") : t.control;
        out += ' ';
        out += TextRoleName(t.role);
        out += " \"";
        for (const char c : t.text) {
            switch (c) {
                case '\r': out += "\\r"; break;
                case '\n': out += "\\n"; break;
                case '\t': out += "\\t"; break;
                case '\\': out += "\\\\"; break;
                case '"': out += "\\\""; break;
                default: out += c;
            }
        }
        out += "\"\n";
    }
    return out;
}

}  // namespace coredesign
