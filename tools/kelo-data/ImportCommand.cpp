#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "host/file/FileEnvironment.h"
#include "host/file/FileError.h"
#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/RecordJson.h"
#include "tools/kelo-data/ToolError.h"
#include "tools/kelo-data/ToolSupport.h"

namespace kelo::tool {

namespace {

struct Line {
    int number;  // line in the input, for messages
    uint32_t recno;  // 0 = a new record
    bool deleted;
    QJsonObject object;
};

// The field whose first byte marks a record of `file` deleted; nullptr for a file without one.
const Field* deletionMarkField(const FileInfo& info, const Layout& layout)
{
    if (!IndexOf(info.number)) return nullptr;
    const uint32_t offset = DeletionMarkOffset(info.number);
    for (const Field& f : layout.fields)
        if (f.offset == offset && f.type == FieldType::Text) return &f;
    return nullptr;
}

// One line of the input, checked whole (JSON, keys, record number, every field) before any of
// it is written. Nothing for a blank line.
std::optional<Line> parseLine(std::string& text, int n, const FileInfo& info, const Field* mark,
                              std::vector<uint8_t>& scratch)
{
    const Layout& layout = *info.layout;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.find_first_not_of(" \t") == std::string::npos) return std::nullopt;
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &err);
    if (err.error != QJsonParseError::NoError)
        throw ToolError("bad JSON (" + err.errorString().toStdString() + ")");
    if (!doc.isObject()) throw ToolError("bad JSON (not an object)");
    // The parser keeps the last of two equal keys without a word; which one was meant is
    // not ours to guess.
    std::set<QString> seen;
    for (const QString& key : ObjectKeys(text))
        if (!seen.insert(key).second) throw ToolError(key.toStdString() + " given twice");
    Line line{n, 0, false, doc.object()};
    if (line.object.contains("record_number")) {
        const double r = line.object["record_number"].toDouble(-1);
        if (r < 1 || r > double(kMaxRecordNumber) || r != double(uint32_t(r)))
            throw ToolError("record_number must be a whole number from 1 to " +
                            std::to_string(kMaxRecordNumber));
        line.recno = uint32_t(r);
    }
    if (line.object.contains("deleted")) {
        if (!line.object["deleted"].isBool()) throw ToolError("deleted: expected true or false");
        line.deleted = line.object["deleted"].toBool();
    }
    const qsizetype fields = line.object.size() - line.object.contains("record_number") -
                             line.object.contains("deleted");
    if (fields == 0 && !line.deleted)
        throw ToolError(std::string("names no field of a ") + layout.name +
                        " record (a record of zeros is no record)");
    std::fill(scratch.begin(), scratch.end(), 0);
    JsonToRecord(layout, line.object, scratch.data());
    if (mark && !line.deleted && scratch[mark->offset] == 0xFF)
        throw ToolError("field " + std::string(mark->name) +
                        ": a first character \u00ff (byte 0xFF) marks the record deleted; "
                        "give \"deleted\": true to delete it");
    return line;
}

}  // namespace

int RunImport(const Args& args)
{
    if (args.size() != 3) throw ToolError("usage: kelo-data import DIR FILE records.jsonl");
    DataContext ctx = OpenCompany(args[0]);
    const FileInfo& info = ResolveFile(args[1]);
    if (info.kind != FileKind::Data || !info.layout)
        throw ToolError(std::string("cannot import into ") + info.path +
                        ": import takes a data file with a record layout (indexes follow it)");
    const FileInfo* index = IndexOf(info.number);
    std::ifstream in(args[2], std::ios::binary);
    if (!in) throw ToolError(args[2] + ": cannot be read");

    // One transaction for the whole file, each line written as it is read, so memory stays
    // bounded however long the file: a line that fails anywhere aborts it and leaves the company
    // as it was.
    CDDataResourceManager mgr(ctx);
    mgr.GetResources().AddDataFile(info.number, kResourceSave);
    mgr.ObtainResources();
    DataContext& c = mgr.Context();
    DataFile data = c.File(info.number);
    DataFile idx = index ? c.File(index->number) : nullptr;
    const Field* mark = deletionMarkField(info, *info.layout);
    uint32_t next = RecCount(data) + 1;
    std::vector<uint8_t> rec(info.recordLength), scratch(info.layout->length);
    // Nothing is added to a file that is already damaged: the damage is the user's to see
    // first, and an index key built over it could be wrong.
    try {
        for (uint32_t r = 1; r < next; ++r) ReadRec(data, r, rec.data());
    } catch (const FileError& e) {
        throw ToolError(std::string(e.what()) + " (nothing imported; kelo-data check lists the damage)");
    }
    int added = 0, replaced = 0;
    std::string text;
    for (int n = 1; std::getline(in, text); ++n) {
        try {
            const std::optional<Line> line = parseLine(text, n, info, mark, scratch);
            if (!line) continue;
            const uint32_t recno = line->recno ? line->recno : next;
            // A record another desk is writing is left alone: its lock refuses the whole
            // import. The locks go when the tool ends.
            if (line->recno && LockRec(data, recno) == 0)
                throw ToolError(std::string(info.path) + " record " + std::to_string(recno) +
                                " is locked by another user");
            const bool existed = ReadRec(data, recno, rec.data()) != 0;
            const bool wasDeleted = existed && idx && IsDeletedRecord(info.number, rec.data());
            if (existed && idx && !wasDeleted)
                DeleteKeyOf(idx, IndexKeyOf(info.number, rec.data(), recno).data(), recno);
            // A deleted record keeps nothing worth merging into: the line starts from zeros.
            if (!existed || wasDeleted) std::memset(rec.data(), 0, rec.size());
            if (line->deleted)
                std::memset(rec.data(), 0xFF, rec.size());
            else
                JsonToRecord(*info.layout, line->object, rec.data());
            WriteRec(data, recno, rec.data());
            if (idx && !IsDeletedRecord(info.number, rec.data())) {
                const std::string key = IndexKeyOf(info.number, rec.data(), recno);
                AddKey(idx, key.data(), recno, 0, 1);
            }
            ++(existed ? replaced : added);
            next = std::max(next, recno + 1);
        } catch (const std::exception& e) {
            throw ToolError(args[2] + " line " + std::to_string(n) + ": " + e.what() +
                            " (nothing imported)");
        }
    }
    if (in.bad()) throw ToolError(args[2] + ": read failed (nothing imported)");
    mgr.ReleaseResources();
    std::printf("%s: %d added, %d replaced\n", info.path, added, replaced);
    return 0;
}

}  // namespace kelo::tool
