// The WebAssembly module's entry points (embind): a command line of
// coredesign-cli run on a host that JavaScript gives, and the texts of
// --help and --version. Every text crosses as UTF-8 bytes in a Uint8Array,
// so that what JavaScript hands in (lone surrogates, NUL, any length) reaches
// the run exactly as the wrapper (api.js) encoded it, and what the run
// writes (the report's Windows-1252 bytes among it) comes back unchanged.
//
// The module catches no C++ exception (emscripten's default, which keeps it
// small and fast): nothing a run does throws but a failed allocation, and the
// module's memory grows to 4 GiB, far beyond what any command line needs. A
// host method cannot unwind the run either: api.js answers for it when it
// throws.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

#include "options.h"
#include "run.h"
#include "script_bytes.h"
#include "version.h"

namespace coredesign::wasm {
namespace {

using emscripten::val;

// The host of the runs in JavaScript, as api.js adapts it: every answer is
// bytes, a failure is the reason's bytes, and nothing it calls throws.
class ScriptHost final : public cli::Host {
public:
    explicit ScriptHost(val host) : host_(std::move(host)) {}

    RunEnvironment Environment() override {
        return {[host = host_] { return FromBytes(host.call<val>("tempFolder")); }};
    }

    report::ReportPictures Pictures() override {
        return report::FindPictures(
            [this](const char* fileName) { return FromBytes(host_.call<val>("pictureReference", val(fileName))); });
    }

    bool WriteFile(const std::string& path, const std::string& bytes, Write how, std::string& failure) override {
        const char* mode = how == Write::Whole ? "whole" : "named";
        const val refused = host_.call<val>("writeFile", Bytes(path), Bytes(bytes), val(mode));
        if (refused.isNull()) return true;
        failure = FromBytes(refused);
        return false;
    }

    bool WritePdf(const std::string&, const std::string&, const std::string&, std::string& failure) override {
        failure = "this build has no report viewer to render a PDF (write the report with --report and print it)";
        return false;
    }

    // Reads at most `maxBytes` of a file the user named (design files, batch
    // input), or of standard input; false with the reason when it cannot.
    // (As Host's ReadFile and ReadStandardInput, for --design and --batch.)
    bool ReadFile(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& failure) override {
        return Read(host_.call<val>("readFile", Bytes(path), val(static_cast<double>(maxBytes))), maxBytes, bytes,
                    failure);
    }
    bool ReadStandardInput(std::size_t maxBytes, std::string& bytes, std::string& failure) override {
        return Read(host_.call<val>("readStandardInput", val(static_cast<double>(maxBytes))), maxBytes, bytes, failure);
    }

private:
    // The adapter's answer to a read: {bytes} or {failure}.
    static bool Read(const val& answer, std::size_t maxBytes, std::string& bytes, std::string& failure) {
        const bool read = answer["bytes"].instanceof (val::global("Uint8Array"));
        (read ? bytes : failure) = FromBytes(read ? answer["bytes"] : answer["failure"]);
        if (read && bytes.size() > maxBytes) bytes.resize(maxBytes);
        return read;
    }

    val host_;
};

// What cli/main.cpp does with its command line, on the script's host.
int RunCommandLine(const std::vector<std::string>& args, cli::Host& host, std::ostream& out, std::ostream& err) {
    cli::Options options;
    std::string error;
    if (!cli::ParseOptions(args, options, error)) {
        err << "coredesign-cli: " << error << "\n"
            << "Try 'coredesign-cli --help'.\n";
        return 2;
    }
    if (options.help) {
        out << cli::UsageText();
        return 0;
    }
    if (options.version) {
        out << VersionText("coredesign-cli");
        return 0;
    }
    return cli::Run(options, host, out, err);
}

// runCommandLine(args, host): args an array of Uint8Array (the arguments
// after the program's name), host as api.js adapts it. Returns
// {status, stdout, stderr}, the outputs as Uint8Array.
val Run(const val& arguments, const val& host) {
    std::vector<std::string> args;
    const unsigned count = arguments["length"].as<unsigned>();
    args.reserve(count);
    for (unsigned i = 0; i < count; ++i) args.push_back(FromBytes(arguments[i]));
    ScriptHost scriptHost(host);
    std::ostringstream out, err;
    const int status = RunCommandLine(args, scriptHost, out, err);
    val result = val::object();
    result.set("status", status);
    result.set("stdout", Bytes(out.str()));
    result.set("stderr", Bytes(err.str()));
    return result;
}

val Usage() {
    return Bytes(cli::UsageText());
}

val Version() {
    return Bytes(VersionText("coredesign-cli"));
}

}  // namespace
}  // namespace coredesign::wasm

EMSCRIPTEN_BINDINGS(coredesign) {
    emscripten::function("runCommandLine", &coredesign::wasm::Run);
    emscripten::function("usageBytes", &coredesign::wasm::Usage);
    emscripten::function("versionBytes", &coredesign::wasm::Version);
}
