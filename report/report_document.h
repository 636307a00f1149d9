// The HTML design report: one line of fixed tables that carries the results
// screen's texts, a few record fields and the chosen core's catalogue data.
//
// The document is single-byte Windows-1252 text without a character-set
// declaration; its only non-ASCII bytes are the degree sign (B0) and the
// superscript two (B2), plus whatever a copied results text itself holds.
#pragma once

#include <string>
#include <string_view>

#include "design_record.h"
#include "screen_texts.h"

namespace coredesign::report {

// The image files the report shows; they lie in the program's folder.
inline constexpr const char* kLogoImage = "kes_logo.gif";
inline constexpr const char* kGappedCoreImage = "coregap.gif";
inline constexpr const char* kNoGapCoreImage = "corenogap.gif";

// The text written after "src=" for an image in `programFolder`: on Windows
// the lower-cased short (8.3) path of the file, elsewhere its absolute
// file: URL with blanks and unsafe characters percent-encoded. Never holds a
// blank: on a Windows volume without short names (the system gives the long
// path back) a path with a blank becomes the file: URL too. Empty when the
// file does not exist or is not a regular file.
std::string ResolveImagePath(const std::string& programFolder, const std::string& fileName);

// The system's short (8.3) form of a path, empty when it gives none.
using ShortPathFunction = std::string (*)(const std::string& path);

// The same, asking `shortPath` instead of the system for the short form (on
// Windows only; elsewhere it is not asked).
std::string ResolveImagePath(const std::string& programFolder, const std::string& fileName,
                             ShortPathFunction shortPath);

// A results screen text made ready for the document: &, < and > written as
// entities, UTF-8 turned into Windows-1252 bytes. A character that
// Windows-1252 lacks is written as a numeric character reference; a byte that
// is not part of valid UTF-8 becomes the replacement character's reference.
std::string ReportText(std::string_view utf8);

// The whole document (Windows-1252 bytes, no line break). Images are looked
// up in `programFolder`.
std::string BuildReportDocument(const ResultsTexts& results, const DesignRecord& rec, const std::string& programFolder);

}  // namespace coredesign::report
