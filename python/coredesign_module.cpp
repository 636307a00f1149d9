// The Python module coredesign: the runs of coredesign-cli from Python. The
// keywords are the command line's options (the same table, headless/options.h),
// the documents are built as dicts and lists from the same calls that write
// the CLI's JSON (headless/document.h), and the engine computes without the
// GIL, so that threads design side by side.
#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <string_view>

#include "design_file.h"
#include "document.h"
#include "file_reference.h"
#include "folders.h"
#include "named_file.h"
#include "numtext.h"
#include "object_writer.h"
#include "options.h"
#include "run.h"
#include "terminal_text.h"
#include "version.h"

namespace py = pybind11;

namespace coredesign::python {
namespace {

// Which options a function takes besides the design's inputs.
enum class Takes { Inputs, InputsAndPoints, Explore };

const char* FunctionName(Takes takes) {
    return takes == Takes::Explore ? "explore()" : takes == Takes::InputsAndPoints ? "curve()" : "design()";
}

// Raises ValueError with the whole message (a NUL of a text in it too).
[[noreturn]] void Refuse(const std::string& message) {
    if (PyObject* text = TextObject(message)) {
        PyErr_SetObject(PyExc_ValueError, text);
        Py_DECREF(text);
    }
    throw py::error_already_set();
}

// A keyword's value as the option's text: a str taken exactly (as UTF-8; a
// lone surrogate from U+DC80 to U+DCFF stands for the byte it escapes, as
// Python reads bytes that are not UTF-8 from a command line or a file name),
// an int as its decimal digits, a float (or another number, as the float it
// converts to) as its shortest round-trip text ("0.1", "1e+05", "nan"). Empty for
// None, which leaves the option out.
std::optional<std::string> OptionText(const char* option, py::handle value) {
    PyObject* v = value.ptr();
    if (v == Py_None) return std::nullopt;
    if (PyUnicode_Check(v)) {
        PyObject* bytes = PyUnicode_AsEncodedString(v, "utf-8", "surrogateescape");
        if (!bytes) {
            PyErr_Clear();
            Refuse(std::string("option --") + option +
                   " needs a text that UTF-8 can carry (a lone surrogate other than an escaped byte cannot be)");
        }
        std::string text(PyBytes_AS_STRING(bytes), static_cast<std::size_t>(PyBytes_GET_SIZE(bytes)));
        Py_DECREF(bytes);
        return text;
    }
    if (PyFloat_Check(v)) return FormatShortest(PyFloat_AS_DOUBLE(v));
    if (!PyBool_Check(v) && PyIndex_Check(v)) {
        const auto whole = py::reinterpret_steal<py::object>(PyNumber_Index(v));
        if (!whole) throw py::error_already_set();
        return static_cast<std::string>(py::str(whole));
    }
    // Another number (NumPy's float32, Fraction, Decimal) as the float it converts to.
    if (!PyBool_Check(v) && Py_TYPE(v)->tp_as_number && Py_TYPE(v)->tp_as_number->nb_float) {
        const double number = PyFloat_AsDouble(v);
        if (number == -1.0 && PyErr_Occurred()) throw py::error_already_set();
        return FormatShortest(number);
    }
    Refuse(std::string("option --") + option + " needs a text or a number, not " + Py_TYPE(v)->tp_name);
}

// A file name: a str (as UTF-8, an escaped byte as that byte, as OptionText
// takes it), bytes, or a path-like object (os.fspath).
std::string PathText(py::handle value) {
    const py::object path = py::module_::import("os").attr("fspath")(value);
    if (PyBytes_Check(path.ptr())) return static_cast<std::string>(py::bytes(path));
    return *OptionText("design", path);
}

// The options of a call, each applied through the command line's table.
cli::Options OptionsOf(const py::kwargs& kwargs, Takes takes) {
    cli::Options options;
    std::string error;
    for (const auto& [key, value] : kwargs) {
        Py_ssize_t size = 0;
        const char* utf8 = PyUnicode_Check(key.ptr()) ? PyUnicode_AsUTF8AndSize(key.ptr(), &size) : nullptr;
        if (!utf8) {
            PyErr_Clear();
            Refuse("unknown option " + static_cast<std::string>(py::repr(key)));
        }
        const std::string keyword(utf8, static_cast<std::size_t>(size));
        std::string name = keyword;
        const bool spelled = name.find('-') == std::string::npos;
        for (char& c : name)
            if (c == '_') c = '-';
        const cli::OptionEntry* option = spelled ? cli::FindOption(name) : nullptr;
        if (!option) Refuse("unknown option '" + keyword + "'");
        const bool points = std::string_view(option->name) == "--points";
        const bool designFile = std::string_view(option->name) == "--design";
        if (designFile && takes != Takes::Explore) {
            options.designFile = PathText(value);
            continue;
        }
        if (!cli::IsInputOption(*option) && !(points && takes == Takes::InputsAndPoints))
            Refuse("option '" + keyword + "' does not go with " + FunctionName(takes) +
                   " (it chooses what the command line prints or writes)");
        const std::optional<std::string> text = OptionText(name.c_str(), value);
        if (text && !cli::ApplyOption(*option, *text, options, error)) Refuse(error);
    }
    options.curve = takes == Takes::InputsAndPoints;
    options.explore = takes == Takes::Explore;
    if (!cli::CheckCombination(options, error)) Refuse(error);
    return options;
}

RunEnvironment Environment() {
    return {[] { return platform::TempFolder(); }};
}

// What the calls read and write of the system: the temporary folder, and the
// design files named (read and written as the CLI reads and writes them).
class FileHost final : public cli::Host {
public:
    RunEnvironment Environment() override { return python::Environment(); }
    report::ReportPictures Pictures() override { return {}; }
    bool WriteFile(const std::string& path, const std::string& bytes, Write, std::string& failure) override {
        return platform::WriteNamedFile(path, bytes, failure);
    }
    bool ReadFile(const std::string& path, std::size_t maxBytes, std::string& bytes, std::string& failure) override {
        readFailed = !platform::ReadNamedFile(path, maxBytes, bytes, failure);
        return !readFailed;
    }
    bool WritePdf(const std::string&, const std::string&, const std::string&, std::string& failure) override {
        failure = "the Python module renders no PDF";
        return false;
    }

    bool readFailed = false;  // a file named could not be read
};

// Raises OSError with the whole message.
[[noreturn]] void RefuseFile(const std::string& message) {
    if (PyObject* text = TextObject(message)) {
        PyErr_SetObject(PyExc_OSError, text);
        Py_DECREF(text);
    }
    throw py::error_already_set();
}

// The input screen as the options leave it (a design file opened first),
// made without the GIL; with the CLI's message, OSError when the design file
// cannot be read and ValueError when the options or the file are refused.
InputScreen SetUp(const cli::Options& options) {
    InputScreen screen = cli::FreshScreen(Environment());
    std::string error;
    bool set;
    FileHost host;
    {
        py::gil_scoped_release released;
        set = cli::SetUpScreen(options, host, screen, error);
    }
    if (!set && host.readFailed) RefuseFile(error);
    if (!set) Refuse(error);
    return screen;
}

// The run of one design, made without the GIL.
InputScreen Designed(const cli::Options& options) {
    InputScreen session = SetUp(options);
    {
        py::gil_scoped_release released;
        session.ShowResults();
    }
    return session;
}

// Where the report's pictures are: beside the programs, in the folder the
// package installs them to (COREDESIGN_PICTURES_FROM_MODULE, relative to the
// module's folder), or in the build tree's programs' folder
// (COREDESIGN_PICTURES_IN_BUILD_TREE, the same way).
report::ReportPictures Pictures() {
    const py::module_ os = py::module_::import("os");
    const py::object file = py::module_::import("coredesign").attr("__file__");
    const std::string folder = py::bytes(os.attr("path").attr("dirname")(os.attr("fsencode")(file)));
    for (const std::string& candidate : {platform::JoinPath(folder, COREDESIGN_PICTURES_FROM_MODULE),
                                         platform::JoinPath(folder, COREDESIGN_PICTURES_IN_BUILD_TREE)}) {
        if (!platform::FileReference(candidate, report::kLogoImage).empty())
            return report::FindPictures(
                [&candidate](const char* name) { return platform::FileReference(candidate, name); });
    }
    return {};
}

py::object Design(const py::kwargs& kwargs) {
    const InputScreen session = Designed(OptionsOf(kwargs, Takes::Inputs));
    ObjectWriter w;
    cli::WriteRunDocument(w, session);
    return w.Result();
}

py::object Explore(const py::kwargs& kwargs) {
    const cli::Options options = OptionsOf(kwargs, Takes::Explore);
    std::optional<Comparison> comparison;
    {
        py::gil_scoped_release released;
        comparison = cli::ExploreCores(options, Environment());
    }
    ObjectWriter w;
    cli::WriteExploreDocument(w, *comparison);
    return w.Result();
}

py::object Curve(const py::kwargs& kwargs) {
    const cli::Options options = OptionsOf(kwargs, Takes::InputsAndPoints);
    const InputScreen session = Designed(options);
    std::optional<InductanceCurve> curve;
    {
        py::gil_scoped_release released;
        curve = cli::DesignCurve(session, options.points);
    }
    if (!curve) return py::none();
    ObjectWriter w;
    cli::WriteCurve(w, *curve);
    return w.Result();
}

py::object Spice(const py::kwargs& kwargs) {
    const InputScreen session = Designed(OptionsOf(kwargs, Takes::Inputs));
    const std::optional<std::string> model = cli::SpiceText(session);
    if (!model) return py::none();
    return py::reinterpret_steal<py::object>(
        PyUnicode_DecodeUTF8(model->data(), static_cast<Py_ssize_t>(model->size()), "surrogateescape"));
}

py::object ReportHtml(const py::kwargs& kwargs) {
    const InputScreen session = Designed(OptionsOf(kwargs, Takes::Inputs));
    const std::optional<std::string> report = cli::ReportBytes(session, Pictures());
    if (!report) return py::none();
    return py::bytes(*report);
}

// The options that give a fresh screen what the design file gives it, as
// keywords: str values, "_" for "-".
py::dict LoadDesign(py::handle path) {
    cli::Options options;
    options.designFile = PathText(path);
    const InputScreen screen = SetUp(options);
    py::dict keywords;
    for (auto [name, text] : cli::DesignOptions(DesignOf(screen))) {
        for (char& c : name)
            if (c == '_' || c == '-') c = '_';
        keywords[py::str(name)] = py::reinterpret_steal<py::object>(
            PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape"));
    }
    return keywords;
}

// Writes the design file of the options' inputs; OSError when it cannot be
// written, ValueError when the design cannot be a design file.
void SaveDesign(py::handle path, const py::kwargs& kwargs) {
    const std::string file = PathText(path);
    const InputScreen screen = SetUp(OptionsOf(kwargs, Takes::Inputs));
    std::string text, failure;
    const std::string where = "cannot write the design to '" + cli::EscapeControls(file) + "': ";
    if (const std::optional<Message> refused = DesignFileText(screen, text)) Refuse(where + refused->text);
    bool written;
    {
        py::gil_scoped_release released;
        written = platform::WriteNamedFile(file, text, failure);
    }
    if (!written) RefuseFile(where + failure);
}

#include "docstrings.inc"

}  // namespace
}  // namespace coredesign::python

PYBIND11_MODULE(coredesign, m) {
    using namespace coredesign::python;
    // The docstrings begin with the signatures of coredesign.pyi.
    py::options options;
    options.disable_function_signatures();
    // A relative temporary folder (TEMP) counts from the folder Python was in at the import.
    coredesign::platform::StartFolder();
    m.doc() = kModuleDoc;
    m.attr("__version__") = coredesign::kVersion;
    m.def("design", &Design, kDesignDoc);
    m.def("explore", &Explore, kExploreDoc);
    m.def("curve", &Curve, kCurveDoc);
    m.def("spice", &Spice, kSpiceDoc);
    m.def("report_html", &ReportHtml, kReportHtmlDoc);
    m.def("load_design", &LoadDesign, py::arg("path"), kLoadDesignDoc);
    m.def("save_design", &SaveDesign, py::arg("path"), kSaveDesignDoc);
}
