#include "design_file.h"

#include "catalogue.h"
#include "constants.h"
#include "json_reader.h"

namespace coredesign {
namespace {

using json::Value;
using Kind = Value::Kind;

Message Refusal(std::string text) {
    return {MessageId::DesignFile, std::move(text), kCautionTitle, MessageIcon::Information, ""};
}

// The first 40 characters of a text of the file (the text is UTF-8).
std::string_view Clipped(std::string_view text) {
    std::size_t end = 0;
    for (int characters = 0; end < text.size() && characters < 40; ++characters) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return text.substr(0, end);
}

// A text of the file as a message cites it: in quotes, escaped as JSON
// escapes it, and cut after 40 characters.
std::string Cited(std::string_view text) {
    const std::string_view clipped = Clipped(text);
    return json::Quoted(clipped) + (clipped.size() < text.size() ? "..." : "");
}

// "Henry, millihenry and microhenry".
template <std::size_t N>
std::string Names(const char* const (&names)[N]) {
    std::string list;
    for (std::size_t k = 0; k < N; ++k) list += (k == 0 ? "" : k + 1 == N ? " and " : ", ") + std::string(names[k]);
    return list;
}

const char* const kFamilies[] = {"gapped", "nogap"};
const char* const kCalculators[] = {"calculate", "pick"};
const char* const kTopKeys[] = {"format",       "version", "fields",     "cmbinductance",
                                "cmbfrequency", "family",  "calculator", "pick"};

// The checks of one object's keys: each known, and none given twice.
std::optional<Message> CheckKeys(const Value& object, const std::string& where, bool (*known)(const std::string&)) {
    for (std::size_t k = 0; k < object.members.size(); ++k) {
        const std::string& key = object.members[k].key;
        const std::string name = where.empty() ? Cited(key) : where + " " + Cited(key);
        if (!known(key)) return Refusal("This design file has a key " + name + " that this version does not know.");
        for (std::size_t j = 0; j < k; ++j)
            if (object.members[j].key == key) return Refusal("This design file gives " + name + " twice.");
    }
    return std::nullopt;
}

const Value* Find(const Value& object, std::string_view key) {
    for (const json::Member& member : object.members)
        if (member.key == key) return &member.value;
    return nullptr;
}

Message WrongType(const std::string& name, const Value& value, const char* wanted) {
    return Refusal("In this design file, " + name + " is " + json::KindName(value.kind) + ", where " + wanted +
                   " belongs.");
}

// A text of the file that must be one of a list's names.
std::optional<Message> ReadName(const Value& top, const char* key, const char* const* names, std::size_t count,
                                std::optional<std::string>& out) {
    const Value* value = Find(top, key);
    if (!value) return std::nullopt;
    if (value->kind != Kind::String) return WrongType(key, *value, "a text");
    std::string list;
    for (std::size_t k = 0; k < count; ++k) {
        if (value->text == names[k]) {
            out = value->text;
            return std::nullopt;
        }
        list += (k == 0 ? "" : k + 1 == count ? " and " : ", ") + std::string(names[k]);
    }
    return Refusal("In this design file, " + std::string(key) + " is " + Cited(value->text) + ", which is none of " +
                   list + ".");
}

// The version: a whole number written without fraction or exponent.
std::optional<Message> CheckVersion(const Value* version) {
    if (!version) return Refusal("This design file does not say which version of design files it is.");
    if (version->kind != Kind::Number) return WrongType("version", *version, "a whole number");
    // A number as JSON writes it: a whole one from 1 has digits only and no leading zero.
    const std::string& t = version->text;
    const std::string shown = std::string(Clipped(t)) + (t.size() > 40 ? "..." : "");
    if (t.find_first_not_of("0123456789") != std::string::npos || t == "0")
        return Refusal("In this design file, version is " + shown + ", where a whole number from 1 belongs.");
    if (t.size() > 1 || t[0] > '0' + kDesignFileVersion)
        return Refusal("This design file was written by a newer version of the program (design file version " + shown +
                       "); this version opens design files of version " + std::to_string(kDesignFileVersion) + ".");
    return std::nullopt;
}

bool IsFieldName(const std::string& key) {
    for (const InputField& field : kInputFields)
        if (key == field.control) return true;
    return false;
}

bool IsTopKey(const std::string& key) {
    return IsOneOf(key, kTopKeys);
}

std::optional<Message> ReadFields(const Value& fields, Design& design) {
    if (fields.kind != Kind::Object) return WrongType("fields", fields, "an object of field texts");
    if (auto refused = CheckKeys(fields, "fields", IsFieldName)) return refused;
    for (std::size_t k = 0; k < std::size(kInputFields); ++k) {
        const Value* text = Find(fields, kInputFields[k].control);
        if (!text) continue;
        if (text->kind != Kind::String)
            return WrongType(std::string("fields ") + kInputFields[k].control, *text, "a text");
        design.texts[k] = text->text;
    }
    return std::nullopt;
}

// The part of the file that says what to click: family, calculator, pick.
std::optional<Message> ReadChoices(const Value& top, Design& design) {
    std::optional<std::string> family, calculator;
    if (auto refused = ReadName(top, "family", kFamilies, std::size(kFamilies), family)) return refused;
    if (auto refused = ReadName(top, "calculator", kCalculators, std::size(kCalculators), calculator)) return refused;
    if (family) design.gapped = *family == "gapped";
    if (calculator) design.calculator = *calculator == "pick" ? Calculator::PickCore : Calculator::CalculateCore;
    const Value* pick = Find(top, "pick");
    if (!pick || pick->kind == Kind::Null) return std::nullopt;
    if (pick->kind != Kind::String) return WrongType("pick", *pick, "a part number or null");
    if (design.calculator != Calculator::PickCore)
        return Refusal("This design file picks the core " + Cited(pick->text) +
                       ", but its calculator is calculate, not pick.");
    const bool gapped = design.gapped.value_or(true);
    if (Catalogue::OfFamily(gapped).RowOf(pick->text) == 0)
        return Refusal("This design file picks the core " + Cited(pick->text) + ", which the " +
                       (gapped ? "100 Perm (gapped)" : "245 Perm (no-gap)") + " family does not hold.");
    design.pick = pick->text;
    return std::nullopt;
}

void WriteText(std::string& out, const char* key, const std::string& text, const char* after = ",\n") {
    out += json::Quoted(key);
    out += ": ";
    out += json::Quoted(text);
    out += after;
}

}  // namespace

std::optional<Message> ReadDesignFile(std::string_view bytes, Design& design) {
    if (bytes.size() > kMaxDesignFileBytes)
        return Refusal("This design file is larger than 1 MiB (" + std::to_string(kMaxDesignFileBytes) +
                       " bytes), the most a design file may hold.");
    json::ReadError error;
    const std::optional<Value> top = json::Parse(bytes, error);
    if (!top) {
        const std::string where =
            " (line " + std::to_string(error.line) + ", column " + std::to_string(error.column) + ")";
        return Refusal("This file cannot be opened as a design: " +
                       (error.truncated || error.notUtf8 ? error.what : "its JSON is malformed: " + error.what) +
                       where + ".");
    }
    const Value* format = top->kind == Kind::Object ? Find(*top, "format") : nullptr;
    if (!format || format->kind != Kind::String || format->text != kDesignFileFormat)
        return Refusal(std::string("This file is not a design file of the ") + kAppTitle + ".");
    if (auto refused = CheckVersion(Find(*top, "version"))) return refused;
    if (auto refused = CheckKeys(*top, "", IsTopKey)) return refused;

    Design read;
    if (const Value* fields = Find(*top, "fields"))
        if (auto refused = ReadFields(*fields, read)) return refused;
    if (auto refused =
            ReadName(*top, "cmbinductance", kInductanceUnits, std::size(kInductanceUnits), read.cmbinductance))
        return refused;
    if (auto refused = ReadName(*top, "cmbfrequency", kFrequencyUnits, std::size(kFrequencyUnits), read.cmbfrequency))
        return refused;
    if (auto refused = ReadChoices(*top, read)) return refused;
    design = std::move(read);
    return std::nullopt;
}

void ApplyDesign(const Design& design, InputScreen& fresh) {
    if (design.gapped && !*design.gapped) fresh.ClickFamily(false);
    if (design.calculator == Calculator::PickCore) {
        fresh.ClickCalculator(Calculator::PickCore);
        if (design.pick) fresh.PickPart(*design.pick);
    }
    InputTexts& in = fresh.Fields();
    if (design.cmbinductance) in.cmbinductance = *design.cmbinductance;
    if (design.cmbfrequency) in.cmbfrequency = *design.cmbfrequency;
    for (std::size_t k = 0; k < std::size(kInputFields); ++k)
        if (design.texts[k]) in.*kInputFields[k].text = *design.texts[k];
    fresh.FieldsChanged();
}

std::optional<Message> OpenDesignFile(std::string_view bytes, InputScreen& fresh) {
    Design design;
    if (auto refused = ReadDesignFile(bytes, design)) return refused;
    ApplyDesign(design, fresh);
    return std::nullopt;
}

Design DesignOf(const InputScreen& screen) {
    Design design;
    const InputTexts& in = screen.Fields();
    for (std::size_t k = 0; k < std::size(kInputFields); ++k) design.texts[k] = in.*kInputFields[k].text;
    design.cmbinductance = in.cmbinductance;
    design.cmbfrequency = in.cmbfrequency;
    design.gapped = screen.Record().GappedCores;
    design.calculator = screen.Record().CalculatorType;
    if (design.calculator == Calculator::PickCore && screen.CoreListIndex() > 0)
        design.pick = PartNumberOfEntry(screen.CoreListText());
    return design;
}

std::optional<Message> DesignFileText(const Design& design, std::string& text) {
    for (std::size_t k = 0; k < std::size(kInputFields); ++k)
        if (design.texts[k] && !json::IsUtf8(*design.texts[k]))
            return Refusal(std::string("This design cannot be saved: the text of ") + kInputFields[k].control +
                           " is not UTF-8 text, and a design file holds UTF-8 text only.");
    if (design.cmbinductance && !IsOneOf(*design.cmbinductance, kInductanceUnits))
        return Refusal("This design cannot be saved: its inductance unit is none of " + Names(kInductanceUnits) + ".");
    if (design.cmbfrequency && !IsOneOf(*design.cmbfrequency, kFrequencyUnits))
        return Refusal("This design cannot be saved: its frequency unit is none of " + Names(kFrequencyUnits) + ".");

    std::string out = "{\n  ";
    WriteText(out, "format", kDesignFileFormat, ",\n  ");
    out += "\"version\": " + std::to_string(kDesignFileVersion);
    bool anyField = false;
    for (std::size_t k = 0; k < std::size(kInputFields); ++k) {
        if (!design.texts[k]) continue;
        out += anyField ? ",\n    " : ",\n  \"fields\": {\n    ";
        WriteText(out, kInputFields[k].control, *design.texts[k], "");
        anyField = true;
    }
    if (anyField) out += "\n  }";
    auto line = [&out](const char* key, const std::string& value) {
        out += ",\n  ";
        WriteText(out, key, value, "");
    };
    if (design.cmbinductance) line("cmbinductance", *design.cmbinductance);
    if (design.cmbfrequency) line("cmbfrequency", *design.cmbfrequency);
    if (design.gapped) line("family", *design.gapped ? "gapped" : "nogap");
    if (design.calculator) {
        line("calculator", *design.calculator == Calculator::PickCore ? "pick" : "calculate");
        out += design.pick ? ",\n  \"pick\": " + json::Quoted(*design.pick) : std::string(",\n  \"pick\": null");
    }
    text = out + "\n}\n";
    return std::nullopt;
}

std::optional<Message> DesignFileText(const InputScreen& screen, std::string& text) {
    return DesignFileText(DesignOf(screen), text);
}

}  // namespace coredesign
