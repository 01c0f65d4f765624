#include "host/data/FileMap.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "host/data/Layouts.h"

namespace kelo {
namespace {

TEST(FileMap, InNumberOrderWithDistinctPathsInsideTheBlock)
{
    std::set<std::string> paths;
    int previous = -1;
    for (const FileInfo& f : AllFiles()) {
        EXPECT_GT(f.number, previous) << f.path;
        EXPECT_LT(f.number, kFileBlockSize) << f.path;
        previous = f.number;
        EXPECT_EQ(FindFile(f.number), &f);
        EXPECT_TRUE(paths.insert(f.path).second) << "duplicate path " << f.path;
        const std::string path = f.path;
        const std::string ext = path.substr(path.find('.') + 1);
        EXPECT_EQ(ext, f.kind == FileKind::Data    ? "DTA"
                       : f.kind == FileKind::Index ? "IDX"
                                                   : "NOT")
            << path;
    }
    for (int none : {1, -1, kFileBlockSize}) EXPECT_EQ(FindFile(none), nullptr) << none;
    EXPECT_EQ(FindLayout("ledger"), nullptr);
}

TEST(FileMap, IndexesServeDataFilesAndDataLengthsMatchTheirLayouts)
{
    for (const FileInfo& f : AllFiles()) {
        SCOPED_TRACE(f.path);
        if (f.kind == FileKind::Index) {
            const FileInfo* data = FindFile(f.dataFile);
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(data->kind, FileKind::Data);
            EXPECT_GT(f.recordLength, 0u);
            EXPECT_EQ(f.layout, nullptr);
        } else {
            EXPECT_EQ(f.dataFile, -1);
        }
        if (f.kind == FileKind::Data) {
            EXPECT_GT(f.recordLength, 0u);
            if (f.layout) {
                EXPECT_EQ(f.layout->length, f.recordLength);
                EXPECT_EQ(FindLayout(f.layout->name), f.layout);
            }
        }
    }
}

}  // namespace
}  // namespace kelo
