#include "tools/kelo-tasks/TaskFormat.h"

#include <algorithm>
#include <cctype>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "host/ui/CKColumnSet.h"
#include "host/util/Dates.h"
#include "src/pages/scans/AccountDetails.h"
#include "src/pages/scans/RecurringDetails.h"
#include "src/pages/scans/TransactionDetails.h"

namespace kelo {
namespace {

std::vector<int> visibleColumns(const CKColumnSet& columns)
{
    std::vector<int> v;
    for (int c = 0; c < columns.Count(); ++c)
        if (!columns.Column(c).hidden) v.push_back(c);
    return v;
}

std::string cell(const CKColumnSet& columns, const std::vector<uint8_t>& row, int column)
{
    return columns.DisplayUtf8(row, column);
}

void writeTable(std::ostream& out, const CKColumnSet& columns, const std::vector<int>& shown,
                const CategoryRows& cat)
{
    std::vector<size_t> width(shown.size());
    std::vector<std::vector<std::string>> cells;
    for (size_t i = 0; i < shown.size(); ++i)
        width[i] = columns.Column(shown[i]).title.toStdString().size();
    for (const auto& row : cat.rows) {
        std::vector<std::string> line;
        for (size_t i = 0; i < shown.size(); ++i) {
            line.push_back(cell(columns, row, shown[i]));
            width[i] = std::max(width[i], line.back().size());
        }
        cells.push_back(std::move(line));
    }
    auto printLine = [&](const std::vector<std::string>& line) {
        std::string text;
        for (size_t i = 0; i < shown.size(); ++i) {
            const bool right = columns.Column(shown[i]).kind != ColumnKind::Text;
            const std::string pad(width[i] - line[i].size(), ' ');
            if (i) text += "  ";
            text += right ? pad + line[i] : line[i] + (i + 1 < shown.size() ? pad : "");
        }
        text.erase(text.find_last_not_of(' ') + 1);
        out << text << '\n';
    };
    out << cat.category << " (" << cat.rows.size() << (cat.rows.size() == 1 ? " row" : " rows")
        << ")\n";
    std::vector<std::string> head;
    for (int c : shown) head.push_back(columns.Column(c).title.toStdString());
    printLine(head);
    for (const auto& line : cells) printLine(line);
}

QJsonValue jsonValue(const CKColumnSet& columns, const std::vector<uint8_t>& row, int column)
{
    switch (columns.Column(column).kind) {
    case ColumnKind::UInt32: return double(columns.ReadUInt32(row, column));
    case ColumnKind::Amount: return columns.ReadAmount(row, column);
    case ColumnKind::Text: break;
    }
    std::string text = columns.ReadText(row, column);
    text.erase(text.find_last_not_of(' ') + 1);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

}  // namespace

std::string ColumnKey(const CKColumnSet& columns, int column)
{
    const CKColumn& c = columns.Column(column);
    const std::string source = (!c.name.isEmpty() ? c.name : c.title).toStdString();
    std::string key;
    for (unsigned char ch : source) {
        if (std::isalnum(ch))
            key += char(std::tolower(ch));
        else if (!key.empty() && key.back() != '_')
            key += '_';
    }
    while (!key.empty() && key.back() == '_') key.pop_back();
    return key.empty() ? "field_" + std::to_string(column + 1) : key;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"') quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

void WriteRows(std::ostream& out, OutputFormat format, const std::string& task,
               const CKColumnSet& columns, const std::vector<CategoryRows>& categories)
{
    const std::vector<int> shown = visibleColumns(columns);
    switch (format) {
    case OutputFormat::Table:
        for (size_t i = 0; i < categories.size(); ++i) {
            if (i) out << '\n';
            writeTable(out, columns, shown, categories[i]);
        }
        return;
    case OutputFormat::Csv: {
        const bool many = categories.size() > 1;
        std::string head = many ? "category" : "";
        for (int c : shown) head += (head.empty() ? "" : ",") + CsvField(ColumnKey(columns, c));
        out << head << "\r\n";
        for (const auto& cat : categories)
            for (const auto& row : cat.rows) {
                std::string line = many ? CsvField(cat.category) : "";
                for (size_t i = 0; i < shown.size(); ++i) {
                    if (many || i) line += ',';
                    line += CsvField(cell(columns, row, shown[i]));
                }
                out << line << "\r\n";
            }
        return;
    }
    case OutputFormat::Json: {
        QJsonArray cats;
        for (const auto& cat : categories) {
            QJsonArray rows;
            for (const auto& row : cat.rows) {
                QJsonObject o;
                for (int c = 0; c < columns.Count(); ++c)
                    o.insert(QString::fromStdString(ColumnKey(columns, c)), jsonValue(columns, row, c));
                rows.append(o);
            }
            cats.append(QJsonObject{{"category", QString::fromStdString(cat.category)},
                                    {"bit", double(cat.bit)},
                                    {"rows", rows}});
        }
        const QJsonObject doc{{"task", QString::fromStdString(task)}, {"categories", cats}};
        out << QJsonDocument(doc).toJson(QJsonDocument::Indented).toStdString();
        return;
    }
    }
}

}  // namespace kelo

namespace kelo {
namespace {

DetailField text(const char* key, const char* label, const std::string& value)
{
    return {key, label, value, false, 0};
}

DetailField amount(const char* key, const char* label, double value)
{
    return {key, label, FormatViewerAmount(value), true, value};
}

}  // namespace

void WriteDetails(std::ostream& out, OutputFormat format, const std::vector<DetailField>& fields)
{
    switch (format) {
    case OutputFormat::Table: {
        size_t width = 0;
        for (const auto& f : fields) width = std::max(width, f.label.size());
        for (const auto& f : fields)
            out << f.label << ':' << std::string(width - f.label.size() + 1, ' ') << f.text << '\n';
        return;
    }
    case OutputFormat::Csv: {
        std::string head, row;
        for (size_t i = 0; i < fields.size(); ++i) {
            head += (i ? "," : "") + CsvField(fields[i].key);
            row += (i ? "," : "") + CsvField(fields[i].text);
        }
        out << head << "\r\n" << row << "\r\n";
        return;
    }
    case OutputFormat::Json: {
        QJsonObject o;
        for (const auto& f : fields)
            o.insert(QString::fromStdString(f.key),
                     f.numeric ? QJsonValue(f.value) : QJsonValue(QString::fromStdString(f.text)));
        out << QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
        return;
    }
    }
}

std::vector<DetailField> AccountFields(const AccountDetails& d)
{
    auto bucket = [&](AgedBucket b) { return d.aged[static_cast<size_t>(b)]; };
    return {text("account", "A/C", d.reference),
            text("name", "Name", d.name),
            text("contact", "Contact", d.contact),
            text("telephone", "Telephone", d.telephone),
            amount("future", "Future", bucket(AgedBucket::Future)),
            amount("current", "Current", bucket(AgedBucket::Current)),
            amount("period_1", "Period 1", bucket(AgedBucket::Period1)),
            amount("period_2", "Period 2", bucket(AgedBucket::Period2)),
            amount("period_3", "Period 3", bucket(AgedBucket::Period3)),
            amount("older", "Older", bucket(AgedBucket::Older))};
}

std::vector<DetailField> TransactionFields(const TransactionDetails& d)
{
    std::vector<DetailField> f = {{"number", "No", std::to_string(d.number), true, double(d.number)}};
    if (!d.found) return f;
    f.push_back(text("type", "Type", d.TypeText()));
    f.push_back(text("account", "A/C", d.accountReference));
    f.push_back(text("name", "Name", d.name));
    f.push_back(text("contact", "Contact", d.contact));
    f.push_back(text("telephone", "Telephone", d.telephone));
    f.push_back(text("date", "Date", d.DateText()));
    f.push_back(text("reference", "Ref", d.reference));
    f.push_back(text("details", "Details", d.details));
    f.push_back(amount("net", "Net", d.net));
    f.push_back(amount("tax", "Tax", d.tax));
    f.push_back(amount("paid", "Paid", d.paid));
    f.push_back(amount("outstanding", "Outstanding", d.outstanding));
    return f;
}

std::vector<DetailField> RecurringFields(const RecurringDetails& d)
{
    const RecurringEntry& e = d.entry;
    const RecurringLabels l = d.Labels();
    auto number = [](const char* key, const char* label, int value) {
        return DetailField{key, label, std::to_string(value), true, double(value)};
    };
    // Keys are fixed; labels are the viewer's for the entry's kind.
    return {
        text("bank", "Bank account", e.bankCode),
        text("bank_name", "Bank account name", d.bankName),
        text("first_label", "First label", l.firstAccount),
        text("second", "Second account", e.secondAccount),
        text("second_name", "Second account name", d.secondName),
        text("second_label", "Second label", l.secondAccount),
        text("bacs", "BACS", d.bacs ? "(BACS)" : ""),
        text("type", "Transaction Type", d.TypeName()),
        text("reference", "Transaction Ref", e.reference),
        text("details", "Details", e.details),
        text("department", "Department", d.department),
        number("interval", "Every", e.interval),
        text("unit", "Unit", e.UnitText()),
        number("total_postings", "Total Reqd. Postings", e.totalPostings),
        text("start_date", "Start Date", DateNumberToFullString(e.start)),
        text("finish_date", "Finish Date", d.finish.Text()),
        text("last_posted", "Last Posted", DateNumberToFullString(e.lastPosted)),
        text("suspended", "Suspend Posting", e.suspended ? "Yes" : "No"),
        amount("net", l.amount.c_str(), e.net),
        text("tax_code", "Tax Code", d.TaxCodeText()),
        amount("tax", "VAT", e.tax),
    };
}

}  // namespace kelo
