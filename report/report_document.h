// The HTML design report: one line of fixed tables that carries the results
// screen's texts, a few record fields and the chosen core's catalogue data.
//
// The document is single-byte Windows-1252 text without a character-set
// declaration; its only non-ASCII bytes are the degree sign (B0) and the
// superscript two (B2), plus whatever a copied results text itself holds.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "design_record.h"
#include "screen_texts.h"

namespace coredesign::report {

// The image files the report shows (beside the desktop program and the CLI).
inline constexpr const char* kLogoImage = "kes_logo.gif";
inline constexpr const char* kGappedCoreImage = "coregap.gif";
inline constexpr const char* kNoGapCoreImage = "corenogap.gif";

// What the report writes after "src=" for each of its pictures. The front
// end finds them: the desktop program and the CLI in the program's folder,
// another front end wherever it keeps them. An empty reference is written
// as it is (a picture that is missing).
struct ReportPictures {
    std::string logo;        // kLogoImage
    std::string gappedCore;  // kGappedCoreImage
    std::string noGapCore;   // kNoGapCoreImage
};

// The three references, each as `reference` gives it for the picture's file name.
ReportPictures FindPictures(const std::function<std::string(const char* fileName)>& reference);

// The file View Report writes into the temporary folder.
inline constexpr const char* kTemporaryReportName = "temp.htm";

// A results screen text made ready for the document: &, < and > written as
// entities, UTF-8 turned into Windows-1252 bytes. A character that
// Windows-1252 lacks is written as a numeric character reference; a byte that
// is not part of valid UTF-8 becomes the replacement character's reference.
std::string ReportText(std::string_view utf8);

// The whole document (Windows-1252 bytes, no line break).
std::string BuildReportDocument(const ResultsTexts& results, const DesignRecord& rec, const ReportPictures& pictures);

// The bytes of a report file (temp.htm, a --report file, a saved copy): the
// document as one line, then CR LF.
std::string ReportFileBytes(const ResultsTexts& results, const DesignRecord& rec, const ReportPictures& pictures);

}  // namespace coredesign::report
