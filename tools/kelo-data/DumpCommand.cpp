#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QJsonDocument>
#include <QJsonObject>

#include "host/file/FileEnvironment.h"
#include "host/file/RecordCodec.h"
#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/RecordJson.h"
#include "tools/kelo-data/ToolError.h"
#include "tools/kelo-data/ToolSupport.h"

namespace kelo::tool {

namespace {

void writeLine(const QJsonObject& o)
{
    const QByteArray line = QJsonDocument(o).toJson(QJsonDocument::Compact);
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
}

bool allFF(const std::vector<uint8_t>& rec)
{
    for (uint8_t b : rec)
        if (b != 0xFF) return false;
    return true;
}

void dumpData(DataFile f, const FileInfo& info, bool json)
{
    const bool indexed = IndexOf(info.number) != nullptr;
    std::vector<uint8_t> rec(info.recordLength);
    const uint32_t count = RecCount(f);
    for (uint32_t r = 1; r <= count; ++r) {
        if (!ReadRec(f, r, rec.data())) continue;  // a record never written
        const bool deleted = (indexed && IsDeletedRecord(info.number, rec.data())) || allFF(rec);
        if (json) {
            QJsonObject o;
            if (!deleted && info.layout) o = RecordToJson(*info.layout, rec.data());
            if (deleted) o["deleted"] = true;
            if (!deleted && !info.layout)
                o["bytes"] = QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(rec.data()),
                                                            qsizetype(rec.size())).toHex());
            o["record_number"] = double(r);
            writeLine(o);
            continue;
        }
        std::printf("record %u%s\n", r, deleted ? " (deleted)" : "");
        if (deleted || !info.layout) continue;
        for (const Field& field : info.layout->fields)
            std::printf("  %s: %s\n", field.name, FieldText(field, rec.data()).c_str());
    }
}

void dumpIndex(DataFile f, const FileInfo& info, bool json)
{
    std::vector<uint8_t> entry(info.recordLength + 4);
    const uint32_t count = RecCount(f);
    for (uint32_t pos = 1; pos <= count && ReadRec(f, pos, entry.data()); ++pos) {
        const std::string key(reinterpret_cast<const char*>(entry.data()), info.recordLength);
        uint32_t recno;
        std::memcpy(&recno, entry.data() + info.recordLength, 4);
        if (json) {
            QJsonObject o;
            o["position"] = double(pos);
            o["key"] = QString::fromLatin1(PrintableKey(key));
            o["record_number"] = double(recno);
            writeLine(o);
        } else {
            std::printf("%u  key \"%s\"  record %u\n", pos, PrintableKey(key).c_str(), recno);
        }
    }
}

// Notes blocks are numbered but not dense, so they are walked in the store, in block order.
void dumpNotes(DataContext& ctx, const FileInfo& info, bool json)
{
    FileEnvironment& env = ctx.Environment();
    env.With(false, [&](store::Txn& txn) {
        const FileEnvironment::TableInfo* t = env.Find(txn, info.path);
        if (!t) throw ToolError(std::string(info.path) + " does not exist");
        auto c = txn.OpenCursor(t->table);
        for (bool ok = c->First(); ok; ok = c->Next()) {
            const uint32_t block = codec::NumberOfKey(c->Key());
            std::string text;
            if (!codec::DecodeText(block, c->Value(), text))
                throw ToolError("block " + std::to_string(block) + " of " + info.path +
                                " is damaged: it fails its checksum");
            if (json) {
                QJsonObject o;
                o["block"] = double(block);
                o["text"] = QString::fromLatin1(text);
                writeLine(o);
            } else {
                std::printf("block %u\n  %s\n", block, text.c_str());
            }
        }
    });
}

}  // namespace

int RunDump(const Args& args)
{
    const bool json = args.Has("json");
    const std::vector<std::string>& positional = args.operands;
    if (positional.size() != 2) throw ToolError("usage: kelo-data dump DIR FILE [--json]");
    DataContext ctx = OpenCompany(positional[0], true);
    const FileInfo& info = ResolveFile(positional[1]);
    CDDataResourceManager mgr(ctx);
    mgr.GetResources().AddDataFile(info.number);
    mgr.ObtainResources();
    DataFile f = mgr.Context().File(info.number);
    if (!FileExists(f))
        throw ToolError(positional[0] + ": file " + std::to_string(info.number) + " (" + info.path +
                        ") is missing");
    switch (info.kind) {
    case FileKind::Data: dumpData(f, info, json); break;
    case FileKind::Index: dumpIndex(f, info, json); break;
    case FileKind::Notes: dumpNotes(mgr.Context(), info, json); break;
    }
    mgr.ReleaseResources();
    return 0;
}

}  // namespace kelo::tool
