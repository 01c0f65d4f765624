#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/file/FileEnvironment.h"
#include "host/file/FileError.h"
#include "host/file/RecordCodec.h"
#include "host/file/RecordFile.h"
#include "host/framework/CDDataResourceManager.h"
#include "tools/kelo-data/ChainCheck.h"
#include "tools/kelo-data/Commands.h"
#include "tools/kelo-data/PostingChecker.h"
#include "tools/kelo-data/ToolError.h"
#include "tools/kelo-data/ToolSupport.h"

namespace kelo::tool {

namespace {

std::string fileName(const FileInfo& info)
{
    return std::string(info.path) + " (file " + std::to_string(info.number) + ")";
}

class Checker {
public:
    explicit Checker(DataContext& ctx) : m_ctx(ctx) {}

    void Problem(const std::string& text)
    {
        std::printf("%s\n", text.c_str());
        ++m_problems;
    }
    int Problems() const { return m_problems; }

    // Reads every record; for an indexed file remembers each live record's key.
    // Reads every record there is; for an indexed file remembers each live record's key.
    // Returns how many records the file holds.
    uint64_t CheckData(const FileInfo& info)
    {
        DataFile f = m_ctx.File(info.number);
        const FileInfo* index = IndexOf(info.number);
        const uint32_t count = RecCount(f);
        m_state.assign(index ? count + 1 : 0, State::Absent);
        m_keys.clear();
        std::vector<uint8_t> rec(info.recordLength);
        const bool linked = ChainCheck::Wants(info.number);
        if (linked) m_chains.SetCount(info.number, count);
        const std::vector<uint32_t> present = presentRecords(info);
        for (const uint32_t r : present) {
            State s = State::Absent;
            try {
                if (ReadRec(f, r, rec.data()))
                    s = index && IsDeletedRecord(info.number, rec.data()) ? State::Deleted
                                                                           : State::Live;
                else
                    Problem(fileName(info) + " record " + std::to_string(r) +
                            ": stored, but not found where its number belongs");
            } catch (const FileError& e) {
                Problem(fileName(info) + " record " + std::to_string(r) + ": " + e.what());
                s = State::Unreadable;
            }
            if (linked && s == State::Live) m_chains.Note(info.number, r, rec.data());
            if (!index || r > count) continue;
            m_state[r] = s;
            if (s == State::Live) m_keys[r] = IndexKeyOf(info.number, rec.data(), r);
        }
        if (index) CheckIndex(*index, info);
        return present.size();
    }

    // Every notes block must decode whole. Returns how many blocks the file holds.
    uint64_t CheckNotes(const FileInfo& info)
    {
        FileEnvironment& env = m_ctx.Environment();
        uint64_t blocks = 0;
        env.With(false, [&](store::Txn& txn) {
            const FileEnvironment::TableInfo* t = env.Find(txn, info.path);
            if (!t) return;
            auto c = txn.OpenCursor(t->table);
            std::string text;
            for (bool ok = c->First(); ok; ok = c->Next(), ++blocks) {
                const uint32_t block = codec::NumberOfKey(c->Key());
                if (!codec::DecodeText(block, c->Value(), text))
                    Problem(fileName(info) + " block " + std::to_string(block) +
                            ": damaged: it fails its checksum");
            }
        });
        return blocks;
    }

    void CheckChains()
    {
        m_chains.Check([this](const std::string& text) { Problem(text); });
    }

private:
    enum class State : uint8_t { Absent, Deleted, Live, Unreadable, Keyed };

    // Every entry must point at a live record under that record's own key; every live record
    // must have been pointed at.
    void CheckIndex(const FileInfo& index, const FileInfo& data)
    {
        DataFile f = m_ctx.File(index.number);
        if (!FileExists(f)) {
            Problem(fileName(index) + ": missing");
            return;
        }
        std::vector<uint8_t> entry(index.recordLength + 4);
        const uint32_t count = RecCount(f);
        for (uint32_t pos = 1; pos <= count && ReadRec(f, pos, entry.data()); ++pos) {
            const std::string key(reinterpret_cast<const char*>(entry.data()), index.recordLength);
            uint32_t recno;
            std::memcpy(&recno, entry.data() + index.recordLength, 4);
            const std::string where = fileName(index) + " entry " + std::to_string(pos) +
                                      " (key \"" + PrintableKey(key) + "\")";
            const State s = recno < m_state.size() ? m_state[recno] : State::Absent;
            switch (s) {
            case State::Absent:
                Problem(where + ": points at record " + std::to_string(recno) + ", which " +
                        data.path + " does not hold");
                break;
            case State::Deleted:
                Problem(where + ": points at deleted record " + std::to_string(recno));
                break;
            case State::Unreadable: break;  // reported with the record
            case State::Keyed:
            case State::Live:
                if (m_keys.at(recno) != key) {
                    Problem(where + ": record " + std::to_string(recno) + " has the key \"" +
                            PrintableKey(m_keys.at(recno)) + "\"");
                } else {
                    m_state[recno] = State::Keyed;
                }
                break;
            }
        }
        for (uint32_t r = 1; r < m_state.size(); ++r)
            if (m_state[r] == State::Live)
                Problem(fileName(data) + " record " + std::to_string(r) + ": has no entry in " +
                        index.path + " (key \"" + PrintableKey(m_keys[r]) + "\")");
    }

    // The record numbers the file holds, in the store's order: a number out of that order or
    // beyond the last a file can hold is damage to the file's keys.
    std::vector<uint32_t> presentRecords(const FileInfo& info)
    {
        FileEnvironment& env = m_ctx.Environment();
        std::vector<uint32_t> numbers;
        env.With(false, [&](store::Txn& txn) {
            const FileEnvironment::TableInfo* t = env.Find(txn, info.path);
            if (!t) return;
            auto c = txn.OpenCursor(t->table);
            for (bool ok = c->First(); ok; ok = c->Next()) {
                const uint32_t r = codec::NumberOfKey(c->Key());
                if (r == 0 || r > kMaxRecordNumber || (!numbers.empty() && r <= numbers.back()))
                    Problem(fileName(info) + ": a record is stored under a damaged number (key \"" +
                            PrintableKey(std::string(c->Key().substr(0, 8))) + "\", " +
                            std::to_string(c->Key().size()) + " bytes)");
                else
                    numbers.push_back(r);
            }
        });
        return numbers;
    }

    DataContext& m_ctx;
    int m_problems = 0;
    std::vector<State> m_state;
    std::unordered_map<uint32_t, std::string> m_keys;  // sparse: numbers may run far
    ChainCheck m_chains;
};

}  // namespace

int RunCheck(const Args& args)
{
    if (args.size() != 1) throw ToolError("usage: kelo-data check DIR");
    DataContext ctx = OpenCompany(args[0], true);
    CDDataResourceManager mgr(ctx);
    mgr.GetResources().AddDataFile(kFileSetup);
    mgr.ObtainResources();
    Checker checker(mgr.Context());
    uint64_t records = 0;
    for (const FileInfo& info : AllFiles()) {
        DataFile f = mgr.Context().File(info.number);
        if (!FileExists(f)) {
            checker.Problem(fileName(info) + ": missing");
            continue;
        }
        if (info.kind == FileKind::Notes) records += checker.CheckNotes(info);
        if (info.kind != FileKind::Data) continue;  // indexes are checked with their data file
        records += checker.CheckData(info);
    }
    PostingChecker(mgr.Context(), [&](const std::string& text) { checker.Problem(text); }).Run();
    checker.CheckChains();
    mgr.ReleaseResources();
    if (checker.Problems()) {
        std::fprintf(stderr, "kelo-data check: %s: %d problem(s)\n", args[0].c_str(),
                     checker.Problems());
        return 1;
    }
    std::printf("%s: %llu records, every record readable, every index right, every chain "
                "whole, every transaction whole and the balances agreed\n",
                args[0].c_str(), static_cast<unsigned long long>(records));
    return 0;
}

}  // namespace kelo::tool
