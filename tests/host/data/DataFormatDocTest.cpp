// docs/data-format.md carries the file map and every layout's field table between
// "<!-- BEGIN name -->" and "<!-- END name -->" markers. This test renders those tables from the
// code and fails when the document differs; run it with KELO_UPDATE_DOCS=1 to rewrite them.
// The document is the reference for every file's number, path and record length and every
// field's offset, width and type: a slip in the code fails here, and a deliberate change shows
// in the document's diff.

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/data/FileMap.h"
#include "host/data/Layouts.h"
#include "host/data/TaxControlRecord.h"

namespace kelo {
namespace {

const char* TypeName(FieldType t)
{
    switch (t) {
    case FieldType::Text: return "text";
    case FieldType::Bytes: return "bytes";
    case FieldType::U8: return "u8";
    case FieldType::I8: return "i8";
    case FieldType::U16: return "u16";
    case FieldType::I16: return "i16";
    case FieldType::U32: return "u32";
    case FieldType::I32: return "i32";
    case FieldType::F64: return "f64";
    }
    return "?";
}

const char* KindName(FileKind k)
{
    switch (k) {
    case FileKind::Data: return "data";
    case FileKind::Index: return "index";
    case FileKind::Notes: return "notes";
    }
    return "?";
}

std::string RenderFiles()
{
    std::ostringstream out;
    out << "| No. | Path | Kind | Record length / key width | Serves | Layout |\n"
        << "|---:|---|---|---:|---|---|\n";
    for (const FileInfo& f : AllFiles()) {
        out << "| " << f.number << " | `" << f.path << "` | " << KindName(f.kind) << " | ";
        if (f.kind == FileKind::Notes)
            out << "-";
        else
            out << f.recordLength;
        out << " | ";
        if (f.dataFile >= 0) out << "`" << FindFile(f.dataFile)->path << "`";
        out << " | ";
        if (f.layout) out << "`" << f.layout->name << "`";
        out << " |\n";
    }
    return out.str();
}

std::string RenderLayout(const Layout& layout)
{
    std::ostringstream out;
    out << "Length " << layout.length << " bytes.\n\n"
        << "| Field | Offset | Width | Type |\n|---|---:|---:|---|\n";
    for (const Field& f : layout.fields) {
        const std::string name = f.name;
        if (name.rfind("tax_rate_", 0) == 0) {
            // One row stands for the hundred rate slots.
            if (name == "tax_rate_0")
                out << "| `tax_rate_0` ... `tax_rate_99` (code *i*) | " << kTaxRateBase << " + "
                    << kTaxRateStride << " × *i* | " << f.width << " | " << TypeName(f.type)
                    << " |\n";
            continue;
        }
        out << "| `" << f.name << "` | " << f.offset << " | " << f.width << " | "
            << TypeName(f.type) << " |\n";
    }
    return out.str();
}

struct Block {
    std::string name;
    std::string text;
};

std::vector<Block> Blocks()
{
    std::vector<Block> blocks{{"files", RenderFiles()}};
    for (const Layout* layout : AllLayouts())
        blocks.push_back({std::string("layout ") + layout->name, RenderLayout(*layout)});
    return blocks;
}

std::string SourcePath(const std::string& file)
{
    const char* root = std::getenv("KELO_SOURCE_DIR");
    if (!root) root = KELO_DATA_SOURCE_DIR;
    return std::string(root) + "/" + file;
}

std::string ReadSource(const std::string& path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in) << "cannot read " << path;
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

TEST(DataFormatDoc, TablesMatchTheCode)
{
    const std::string path = SourcePath("docs/data-format.md");
    std::string doc = ReadSource(path);

    const bool update = std::getenv("KELO_UPDATE_DOCS") != nullptr;
    for (const Block& block : Blocks()) {
        SCOPED_TRACE(block.name);
        const std::string begin = "<!-- BEGIN " + block.name + " -->\n";
        const std::string end = "<!-- END " + block.name + " -->";
        const size_t b = doc.find(begin);
        ASSERT_NE(b, std::string::npos) << "no block for " << block.name;
        const size_t from = b + begin.size();
        const size_t e = doc.find(end, from);
        ASSERT_NE(e, std::string::npos) << "unterminated block " << block.name;
        const std::string current = doc.substr(from, e - from);
        const std::string wanted = block.text;
        if (update)
            doc.replace(from, e - from, wanted);
        else
            EXPECT_EQ(current, wanted) << "run data_tests with KELO_UPDATE_DOCS=1";
    }
    if (update) std::ofstream(path) << doc;
}

}  // namespace
}  // namespace kelo
