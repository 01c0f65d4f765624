// docs/data-format.md carries the file map and every layout's field table between
// "<!-- BEGIN name -->" and "<!-- END name -->" markers. This test renders those tables from the
// code and fails when the document differs; run it with KELO_UPDATE_DOCS=1 to rewrite them.
// The document is the reference for every file's number, path and record length and every
// field's offset, width and type: a slip in the code fails here, and a deliberate change shows
// in the document's diff.

#include <algorithm>
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

// Each type's name in the document and its width (0: any width).
struct TypeInfo {
    FieldType type;
    const char* name;
    uint32_t width;
};

const TypeInfo& Type(FieldType t)
{
    static const TypeInfo types[] = {
        {FieldType::Text, "text", 0}, {FieldType::Bytes, "bytes", 0}, {FieldType::U8, "u8", 1},
        {FieldType::I8, "i8", 1},     {FieldType::U16, "u16", 2},     {FieldType::I16, "i16", 2},
        {FieldType::U32, "u32", 4},   {FieldType::I32, "i32", 4},     {FieldType::F64, "f64", 8}};
    return *std::find_if(std::begin(types), std::end(types),
                         [t](const TypeInfo& i) { return i.type == t; });
}

std::string RenderFiles()
{
    std::ostringstream out;
    out << "| No. | Path | Kind | Record length / key width | Serves | Layout |\n"
        << "|---:|---|---|---:|---|---|\n";
    for (const FileInfo& f : AllFiles()) {
        static const char* const kinds[] = {"data", "index", "notes"};  // in FileKind's order
        out << "| " << f.number << " | `" << f.path << "` | " << kinds[int(f.kind)] << " | ";
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
                    << kTaxRateStride << " × *i* | " << f.width << " | " << Type(f.type).name
                    << " |\n";
            continue;
        }
        out << "| `" << f.name << "` | " << f.offset << " | " << f.width << " | "
            << Type(f.type).name << " |\n";
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

// What the tables cannot show: a field of the wrong width for its type, or one running into its
// neighbour or past the record's end.
TEST(DataFormatDoc, FieldsHaveTheirTypesWidthInsideTheRecordWithoutOverlap)
{
    for (const Layout* layout : AllLayouts()) {
        std::vector<Field> fields(layout->fields.begin(), layout->fields.end());
        std::sort(fields.begin(), fields.end(),
                  [](const Field& a, const Field& b) { return a.offset < b.offset; });
        uint32_t end = 0;
        for (const Field& f : fields) {
            SCOPED_TRACE(std::string(layout->name) + "." + f.name);
            EXPECT_TRUE(Type(f.type).width ? f.width == Type(f.type).width : f.width > 0);
            EXPECT_LE(end, f.offset) << "overlaps the field before";
            end = f.offset + f.width;
        }
        EXPECT_LE(end, layout->length) << layout->name << " runs past the record end";
    }
}

}  // namespace
}  // namespace kelo
