#include "tools/kelo-tasks/TaskCli.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <stdexcept>

#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/data/GlobalBlock.h"
#include "host/framework/CBBusContext.h"
#include "host/framework/CompanyGlobals.h"
#include "host/ui/CKColumnSet.h"
#include "host/util/CommandLine.h"
#include "host/util/DataFolder.h"
#include "host/util/Dates.h"
#include "host/util/ProgramDate.h"
#include "src/app/TaskServices.h"
#include "src/pages/scans/AccountDetails.h"
#include "src/pages/scans/RecurringDetails.h"
#include "src/pages/scans/TaskScan.h"
#include "src/pages/scans/TransactionDetails.h"
#include "tools/kelo-tasks/TaskFormat.h"

namespace kelo {
namespace {

const std::vector<std::string> kSynopsis = {
    "[OPTION]... TASK [CATEGORY]",
    "[--company=DIR] tasks",
    "[OPTION]... account N --ledger=sales|purchases",
    "[OPTION]... transaction N",
    "[OPTION]... recurring N",
};

constexpr const char* kAbout =
    "Print the rows of a Task Manager list: every category of TASK, or only CATEGORY\n"
    "(each by its name or number, as 'tasks' lists them), or the details of an account,\n"
    "a transaction or a recurring entry. Nothing is written to the company.\n"
    "\f\n"
    "Exit status: 0 when the list was printed (with or without rows), 1 for a company,\n"
    "task, category, user or date that is not there, 2 for a bad command line.";

// A mistake in what the user asked for: one line, exit 1.
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};
struct Usage : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Options {
    std::string company;
    std::string user = kSupervisorName;
    std::string date;
    std::string ledger;
    OutputFormat format = OutputFormat::Table;
    std::vector<std::string> words;
};

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string withoutAmpersand(std::string s)
{
    std::erase(s, '&');
    return s;
}

std::optional<long> number(const std::string& s)
{
    long v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size()) return std::nullopt;
    return v;
}

void describe(CommandLine& line)
{
    line.AddOption({"--company"},
                   "The company folder, or a postgresql:// URL for a company on a server "
                   "(default: $XDG_DATA_HOME/kelo/company, that is ~/.local/share/kelo/company).",
                   "DIR");
    line.AddOption({"--user"}, "List what user NAME may see (default: OVERSEE).", "NAME");
    line.AddOption({"--date"}, "Classify against DATE (dd/mm/yyyy) instead of today.", "DATE");
    line.AddOption({"--format"}, "Print a table (the default), csv or json.", "FORMAT");
    line.AddOption({"--ledger"}, "The ledger of an account: sales or purchases.", "LEDGER");
}

Options parse(CommandLine& line, const std::vector<std::string>& args)
{
    const CommandLine::Outcome outcome = line.Parse(args);
    if (outcome == CommandLine::Outcome::Error) throw Usage(line.Error());
    Options o;
    if (outcome != CommandLine::Outcome::Run) return o;  // --help or --version: nothing to check
    o.company = line.IsSet("company") ? line.Value("company") : DefaultCompanyFolder();
    if (line.IsSet("user")) o.user = line.Value("user");
    o.date = line.Value("date");
    o.ledger = line.Value("ledger");
    if (line.IsSet("format")) {
        const std::string f = line.Value("format");
        if (f == "table") o.format = OutputFormat::Table;
        else if (f == "csv") o.format = OutputFormat::Csv;
        else if (f == "json") o.format = OutputFormat::Json;
        else throw Usage("unknown format '" + f + "' (table, csv or json)");
    }
    o.words = line.Operands();
    if (o.company.empty()) throw Usage("--company needs a folder");
    if (o.words.empty()) throw Usage("no TASK given");
    return o;
}

const TaskScan& findTask(const std::string& word)
{
    if (auto id = number(word)) {
        if (const TaskScan* t = FindTaskScan(int(*id))) return *t;
    }
    for (const TaskScan& t : AllTaskScans())
        if (lower(withoutAmpersand(t.name)) == lower(withoutAmpersand(word))) return t;
    throw Refusal("unknown task '" + word + "' (kelo-tasks --company DIR tasks lists them)");
}

// The category asked for, by its text or bit value, among all the task's categories.
TaskCategory findCategory(const TaskScan& task, const std::vector<TaskCategory>& all,
                          const std::string& word)
{
    const auto id = number(word);
    for (const TaskCategory& c : all)
        if ((id && uint32_t(*id) == c.bit) || lower(c.text) == lower(word)) return c;
    throw Refusal("task '" + std::string(task.name) + "' has no category '" + word + "'");
}

bool contains(const std::vector<TaskCategory>& list, uint32_t bit)
{
    return std::any_of(list.begin(), list.end(), [bit](const TaskCategory& c) { return c.bit == bit; });
}

class Collect final : public ScanSink {
public:
    explicit Collect(std::vector<std::vector<uint8_t>>& rows) : m_rows(rows) {}
    void AddRow(std::span<const uint8_t> row) override { m_rows.emplace_back(row.begin(), row.end()); }

private:
    std::vector<std::vector<uint8_t>>& m_rows;
};

void listTasks(std::ostream& out, CBBusContext& bus)
{
    for (const TaskScan& t : AllTaskScans()) {
        out << t.name << " (" << t.command << ")\n";
        const auto all = t.categories(kSupervisorName, bus.GetAccessManager());
        const auto mine = t.categories(bus.UserName(), bus.GetAccessManager());
        for (const TaskCategory& c : all)
            out << "  " << c.text << " = " << c.bit
                << (contains(mine, c.bit) ? "" : "  (not available to " + bus.UserName() + ")")
                << '\n';
    }
}

int run(const Options& o, std::ostream& out, std::ostream& err)
{
    uint16_t date = GetProgramDate();
    if (!o.date.empty()) {
        date = DateStringToNumber(o.date);
        if (!date) throw Refusal("'" + o.date + "' is not a date (dd/mm/yyyy)");
    }
    DataContext context = DataContext::OpenForReading(o.company);
    CBBusContext bus(context, o.user);
    if (!bus.GetAccessManager().Known())
        throw Refusal("no user '" + o.user + "' in company " + o.company);

    if (o.words[0] == "recurring") {
        if (o.words.size() != 2) throw Usage("recurring needs a number");
        const auto n = number(o.words[1]);
        if (!n || *n <= 0) throw Refusal("'" + o.words[1] + "' is not a record number");
        const RecurringDetails d = RecurringDetails::Load(context, uint32_t(*n));
        if (!d.found) throw Refusal("no recurring entry " + o.words[1]);
        WriteDetails(out, o.format, RecurringFields(d));
        return 0;
    }
    if (o.words[0] == "account" || o.words[0] == "transaction") {
        if (o.words.size() != 2) throw Usage(o.words[0] + " needs a number");
        const auto n = number(o.words[1]);
        if (!n || *n <= 0) throw Refusal("'" + o.words[1] + "' is not a record number");
        if (o.words[0] == "transaction") {
            WriteDetails(out, o.format, TransactionFields(TransactionDetails::Load(context, uint32_t(*n))));
            return 0;
        }
        int ledger;
        if (o.ledger == "sales") ledger = kLedgerSales;
        else if (o.ledger == "purchases") ledger = kLedgerPurchases;
        else throw Usage("account needs --ledger sales or --ledger purchases");
        // The company's aging settings, as the host hands them to the Account Details viewer.
        std::vector<uint8_t> globals(kGlobalBlockLength, 0);
        GlobalBlock block(globals.data());
        FillCompanyGlobals(block, context);
        const AccountDetails d = AccountDetails::Load(context, uint32_t(*n), ledger,
                                                      AgingSettingsOf(block, ledger), date);
        if (!d.found) throw Refusal("no account record " + o.words[1] + " in the " + o.ledger + " ledger");
        WriteDetails(out, o.format, AccountFields(d));
        return 0;
    }
    if (o.words[0] == "tasks") {
        if (o.words.size() > 1) throw Usage("tasks takes no more words");
        listTasks(out, bus);
        return 0;
    }
    if (o.words.size() > 2) throw Usage("too many words after the task");
    const TaskScan& task = findTask(o.words[0]);
    const auto all = task.categories(kSupervisorName, bus.GetAccessManager());
    const auto mine = task.categories(o.user, bus.GetAccessManager());

    std::vector<TaskCategory> wanted;
    if (o.words.size() == 2) {
        const TaskCategory c = findCategory(task, all, o.words[1]);
        if (!contains(mine, c.bit))
            throw Refusal("category '" + std::string(c.text) + "' is not available to " + o.user);
        wanted.push_back(c);
    } else {
        for (const TaskCategory& c : all) {
            if (contains(mine, c.bit))
                wanted.push_back(c);
            else
                err << "kelo-tasks: '" << c.text << "' is not available to " << o.user << '\n';
        }
    }

    std::vector<CategoryRows> result;
    for (const TaskCategory& c : wanted) {
        CategoryRows rows{c.text, c.bit, {}};
        Collect sink(rows.rows);
        const auto scan = task.toolScan ? task.toolScan : task.scan;
        scan(ScanInput{context, c.bit, date, o.user}, sink);
        result.push_back(std::move(rows));
    }
    WriteRows(out, o.format, task.name, task.toolColumns ? task.toolColumns() : task.columns(),
              result);
    return 0;
}

}  // namespace

int RunTaskCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CommandLine line("kelo-tasks", kSynopsis, kAbout);
    describe(line);
    try {
        const Options options = parse(line, args);
        if (line.IsSet("help")) {
            out << line.HelpText();
            return 0;
        }
        if (line.IsSet("version")) {
            out << line.VersionText();
            return 0;
        }
        return run(options, out, err);
    } catch (const Usage& e) {
        err << "kelo-tasks: " << e.what() << '\n' << line.UsageText() << line.TryHelp();
        return 2;
    } catch (const Refusal& e) {
        err << "kelo-tasks: " << e.what() << '\n';
    } catch (const FileError& e) {
        err << "kelo-tasks: " << e.what() << '\n';
    } catch (const std::exception& e) {
        err << "kelo-tasks: " << e.what() << '\n';
    }
    return 1;
}

}  // namespace kelo
