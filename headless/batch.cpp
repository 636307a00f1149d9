#include "batch.h"

#include <string>
#include <vector>

#include "comparison.h"
#include "document.h"
#include "input_screen.h"
#include "terminal_text.h"

namespace coredesign::cli {
namespace {

// One record of a CSV text, and what keeps it from being CSV, if anything.
struct CsvRecord {
    std::vector<std::string> cells;
    std::string fault;
};

// Past the end of the line at `pos` (a malformed record's rest is skipped).
std::size_t PastLineEnd(std::string_view text, std::size_t pos) {
    const std::size_t end = text.find('\n', pos);
    return end == std::string_view::npos ? text.size() : end + 1;
}

// Reads the record that starts at `pos` and moves `pos` past it; false at
// the end of the text.
bool NextRecord(std::string_view text, std::size_t& pos, CsvRecord& record) {
    record.cells.clear();
    record.fault.clear();
    if (pos >= text.size()) return false;
    while (true) {
        std::string cell;
        if (text[pos] == '"') {
            ++pos;
            while (true) {
                const std::size_t quote = text.find('"', pos);
                if (quote == std::string_view::npos) {
                    cell.append(text.substr(pos));
                    record.cells.push_back(std::move(cell));
                    record.fault = "a quoted cell is not closed before the end of the file";
                    pos = text.size();
                    return true;
                }
                cell.append(text.substr(pos, quote - pos));
                pos = quote + 1;
                if (pos < text.size() && text[pos] == '"') {  // a quote written twice
                    cell += '"';
                    ++pos;
                    continue;
                }
                break;
            }
        } else {
            const std::size_t end = text.find_first_of(",\n\"", pos);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end;
            cell.assign(text.substr(pos, stop - pos));
            pos = stop;
            if (pos < text.size() && text[pos] == '"') {
                record.cells.push_back(std::move(cell));
                record.fault = "a quote stands inside a cell that does not begin with one";
                pos = PastLineEnd(text, pos);
                return true;
            }
            if (pos < text.size() && text[pos] == '\n' && !cell.empty() && cell.back() == '\r') cell.pop_back();
        }
        record.cells.push_back(std::move(cell));
        if (pos >= text.size()) return true;
        if (text[pos] == ',') {
            ++pos;
            if (pos >= text.size()) {  // a comma at the very end: one more empty cell
                record.cells.emplace_back();
                return true;
            }
            continue;
        }
        if (text[pos] == '\n') {
            ++pos;
            return true;
        }
        if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
            pos += 2;
            return true;
        }
        record.fault = "a quoted cell goes on after its closing quote";
        pos = PastLineEnd(text, pos);
        return true;
    }
}

// A cell as CSV writes it: in quotes (a quote written twice) when it holds a
// comma, a quote or a line break.
void AppendCell(std::string& line, std::string_view cell) {
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
        line.append(cell);
        return;
    }
    line += '"';
    for (const char c : cell) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

const char* const kOutputColumns[] = {"outcome",
                                      "message",
                                      "CoreSize",
                                      "Stack",
                                      "Turns",
                                      "WireSize",
                                      "InductanceFullLoad",
                                      "ActualFillFactor",
                                      "CopperLossAtTemp",
                                      "CoreLoss",
                                      "TotalLoss",
                                      "TempRise",
                                      "temperature_alarm"};

// A DocumentWriter that puts the row's number first into the document's
// outermost object.
class RowNumbered final : public DocumentWriter {
public:
    RowNumbered(DocumentWriter& inner, long long row) : inner_(inner), row_(row) {}
    void BeginObject() override {
        inner_.BeginObject();
        if (depth_++ == 0) {
            inner_.Key("row");
            inner_.Integer(row_);
        }
    }
    void EndObject() override {
        --depth_;
        inner_.EndObject();
    }
    void Key(std::string_view key) override { inner_.Key(key); }
    void String(std::string_view value) override { inner_.String(value); }
    void Number(double value) override { inner_.Number(value); }
    void Integer(long long value) override { inner_.Integer(value); }
    void Bool(bool value) override { inner_.Bool(value); }
    void Null() override { inner_.Null(); }
    void BeginArray() override { inner_.BeginArray(); }
    void EndArray() override { inner_.EndArray(); }

private:
    DocumentWriter& inner_;
    long long row_;
    int depth_ = 0;
};

class Batch {
public:
    Batch(bool json, Host& host, std::ostream& out, std::ostream& err)
        : json_(json), host_(host), out_(out), err_(err), environment_(host.Environment()) {}

    // The header's columns; false (told) when it is refused.
    bool ReadHeader(const CsvRecord& header);
    // One data row: its run, or its usage error, and its output line.
    void RunRow(const CsvRecord& record);
    bool Written() const { return written_; }

private:
    void Usage(const std::vector<std::string>& cells, const std::string& message);
    void WriteInputs(std::string& line, const std::vector<std::string>& cells) const;
    void WriteRun(const std::vector<std::string>& cells, const InputScreen& session);

    bool json_;
    Host& host_;
    std::ostream& out_;
    std::ostream& err_;
    RunEnvironment environment_;
    std::vector<const OptionEntry*> columns_;
    std::vector<std::string> names_;
    long long row_ = 0;
    bool written_ = true;
};

bool Batch::ReadHeader(const CsvRecord& header) {
    if (!header.fault.empty()) {
        err_ << "coredesign-cli: the batch file's header cannot be read: " << header.fault << "\n";
        return false;
    }
    for (const std::string& name : header.cells) {
        const OptionEntry* option = FindOption(name);
        std::string problem;
        if (!option)
            problem = "names no option '" + EscapeControls(name) + "'";
        else if (!IsBatchColumn(*option))
            problem = "names the option '" + EscapeControls(name) +
                      "', which is not one run's (a column names a field or unit, family, pick, design, "
                      "save-design, report or spice)";
        for (const std::string& earlier : names_)
            if (problem.empty() && earlier == name) problem = "names '" + EscapeControls(name) + "' twice";
        if (!problem.empty()) {
            err_ << "coredesign-cli: the batch file's header " << problem << "\n";
            return false;
        }
        columns_.push_back(option);
        names_.push_back(name);
    }
    if (json_) return true;
    std::string line;
    WriteInputs(line, names_);
    for (const char* column : kOutputColumns) {
        line += ',';
        line += column;
    }
    out_ << line << '\n';
    return true;
}

void Batch::WriteInputs(std::string& line, const std::vector<std::string>& cells) const {
    for (std::size_t k = 0; k < names_.size(); ++k) {
        if (k > 0) line += ',';
        if (k < cells.size()) AppendCell(line, cells[k]);
    }
}

void Batch::Usage(const std::vector<std::string>& cells, const std::string& message) {
    if (json_) {
        JsonWriter w(true);
        w.BeginObject();
        w.Key("row");
        w.Integer(row_);
        w.Key("outcome");
        w.String("usage");
        w.Key("message");
        w.String(message);
        w.EndObject();
        out_ << w.Text() << '\n';
        return;
    }
    std::string line;
    WriteInputs(line, cells);
    line += ",usage,";
    AppendCell(line, message);
    line.append(std::size(kOutputColumns) - 2, ',');
    out_ << line << '\n';
}

void Batch::WriteRun(const std::vector<std::string>& cells, const InputScreen& session) {
    if (json_) {
        JsonWriter w(true);
        RowNumbered numbered(w, row_);
        WriteRunDocument(numbered, session);
        out_ << w.Text() << '\n';
        return;
    }
    const RunResult& run = session.LastRun();
    const DesignRecord& r = session.Record();
    std::string line;
    WriteInputs(line, cells);
    line += ',';
    line += OutcomeName(run.outcome);
    line += ',';
    if (!run.messages.empty()) line += MessageIdName(run.messages.front().id);
    line += ',';
    AppendCell(line, r.CoreSize);
    line += ',' + std::to_string(r.Stack) + ',' + std::to_string(r.Turns);
    for (const double figure : {r.WireSize, r.InductanceFullLoad, r.ActualFillFactor, r.CopperLossAtTemp, r.CoreLoss,
                                r.TotalLoss, r.TempRise})
        line += ',' + ExactNumber(figure);
    line += run.temperatureAlarm ? ",true" : ",false";
    out_ << line << '\n';
}

void Batch::RunRow(const CsvRecord& record) {
    ++row_;
    const std::vector<std::string>& cells = record.cells;
    if (!record.fault.empty()) return Usage(cells, "the row is not CSV: " + record.fault);
    if (cells.size() != columns_.size())
        return Usage(cells, "the row has " + std::to_string(cells.size()) + " cells, the header " +
                                std::to_string(columns_.size()));
    Options options;
    std::string error;
    for (std::size_t k = 0; k < cells.size(); ++k)
        if (!cells[k].empty() && !ApplyOption(*columns_[k], cells[k], options, error)) return Usage(cells, error);
    if (!CheckCombination(options, error)) return Usage(cells, error);
    InputScreen session = FreshScreen(environment_);
    if (!SetUpScreen(options, host_, session, error)) return Usage(cells, error);
    bool reportFailed = false;
    const Tell tell = [this](const std::string& line) {
        err_ << "coredesign-cli: row " << row_ << ": " << line << "\n";
    };
    if (!RunAndWrite(options, host_, session, tell, reportFailed)) written_ = false;
    WriteRun(cells, session);
}

}  // namespace

bool IsBatchColumn(const OptionEntry& option) {
    if (option.control) return true;
    for (const char* name : {"--inductance-unit", "--frequency-unit", "--family", "--pick", "--design", "--save-design",
                             "--report", "--spice"})
        if (std::string_view(option.name) == name) return true;
    return false;
}

int RunBatchText(std::string_view csv, bool json, Host& host, std::ostream& out, std::ostream& err) {
    if (csv.substr(0, 3) == "\xEF\xBB\xBF") csv.remove_prefix(3);
    std::size_t pos = 0;
    CsvRecord record;
    if (!NextRecord(csv, pos, record)) {
        err << "coredesign-cli: the batch file is empty: it has no header line\n";
        return 2;
    }
    Batch batch(json, host, out, err);
    if (!batch.ReadHeader(record)) return 2;
    while (NextRecord(csv, pos, record)) {
        if (record.fault.empty() && record.cells.size() == 1 && record.cells[0].empty()) continue;  // an empty line
        batch.RunRow(record);
    }
    return batch.Written() ? 0 : 1;
}

int RunBatch(const Options& options, Host& host, std::ostream& out, std::ostream& err) {
    const std::string& file = *options.batchFile;
    std::string csv, failure;
    bool read = file == "-" ? host.ReadStandardInput(kMaxBatchFileBytes + 1, csv, failure)
                            : host.ReadFile(file, kMaxBatchFileBytes + 1, csv, failure);
    if (read && csv.size() > kMaxBatchFileBytes) {
        read = false;
        failure = "it is larger than " + std::to_string(kMaxBatchFileBytes >> 20) + " MiB";
    }
    if (!read) {
        err << "coredesign-cli: cannot read the batch file '" << EscapeControls(file) << "': " << failure << "\n";
        return 2;
    }
    return RunBatchText(csv, options.json, host, out, err);
}

}  // namespace coredesign::cli
