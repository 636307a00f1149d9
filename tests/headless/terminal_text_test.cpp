// Arguments echoed in messages: their control characters (C0, DEL, C1 and
// bytes that are no UTF-8) are shown escaped, so that no argument can drive
// the terminal; plain and non-ASCII text stands as it is.
#include <gtest/gtest.h>

#include "cli_session.h"
#include "temp_folder.h"

namespace coredesign {
namespace {

TEST(EchoedArguments, ShowTheirControlCharactersEscaped) {
    const testing::TempFolder dir;
    const std::string missing = dir.File("missing") + "/";
    const struct {
        std::vector<std::string> args;
        std::string message;  // the line the run writes on standard error
    } cases[] = {
        {{"--\x1b]0;X\a"}, "unknown option '--\\e]0;X\\x07'"},
        {{"--inductance-unit", "h\r\x7f\t\n"}, "unknown inductance unit 'h\\x0d\\x7f\\x09\\x0a'"},
        {{"--family", "\x01\x1f"}, "unknown core family '\\x01\\x1f'"},
        {{"--curve", "--points", "\x1b[5n"}, "option --points needs a whole number from 2 to 10001, not '\\e[5n'"},
        {{"--pick",
          "\x9b"
          "2J"},
         "the gapped family holds no core '\\x9b2J'"},  // no UTF-8
        {{"--pick",
          "\xc2\x9b"
          "2J"},
         "the gapped family holds no core '\\xc2\\x9b2J'"},                        // U+009B, C1
        {{"--pick", "\xe2\x80"}, "the gapped family holds no core '\\xe2\\x80'"},  // cut short
        {{"--pick", "6201\xc3\xa9-\xe2\x84\xa6-\xf0\x9f\x94\xa9"},
         "the gapped family holds no core '6201\xc3\xa9-\xe2\x84\xa6-\xf0\x9f\x94\xa9'"},  // é, Ω, a nut: as they are
        {{"--pick", "62'\\x07"}, "the gapped family holds no core '62'\\x07'"},
        {{"--report", missing + "\x1b[2J"}, "cannot write the report to '" + missing + "\\e[2J'"},
        {{"--spice", missing + "\x1b"
                               "c"},
         "cannot write the SPICE model to '" + missing + "\\ec'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const testing::CliResult r = testing::RunCli(c.args);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        for (unsigned char ch : r.err) EXPECT_TRUE(ch == '\n' || (ch >= 0x20 && ch != 0x7f)) << r.err;
    }
}

}  // namespace
}  // namespace coredesign
