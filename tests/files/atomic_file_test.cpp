#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/atomic_file.h"
#include "files/temp_folder.h"

namespace trindel {
namespace {

using testing::readAll;
using testing::TempFolder;
using testing::writeAll;

TEST(AtomicFile, ReplacesTheOldFileAndKeepsItsMode) {
    TempFolder folder;
    const std::string path = folder.file("data");
    writeAll(path, "old");
    ::chmod(path.c_str(), 0640);
    const auto result =
        writeFileAtomically(path, [](ByteSink& sink) { return sink.write("new!", 4); });
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(readAll(path), (std::vector<uint8_t>{'n', 'e', 'w', '!'}));
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"data"});
}

TEST(AtomicFile, AFailedWriteKeepsThePreviousFile) {
    TempFolder folder;
    const std::string path = folder.file("Backup file");
    writeAll(path, "previous backup");
    const auto result = writeFileAtomically(path, [](ByteSink& sink) {
        sink.write("half", 4);
        return false;  // the writer gave up part way
    });
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(readAll(path).size(), 15u);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Backup file"});
}

TEST(AtomicFile, AMissingFolderIsAOneLineError) {
    const auto result =
        writeFileAtomically("/nonexistent-folder/x", [](ByteSink&) { return true; });
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("\"x\""), std::string::npos);
    EXPECT_EQ(result.error.find('\n'), std::string::npos);
}

TEST(AtomicFile, WritesToAFullDeviceFail) {
    // /dev/full refuses every write with ENOSPC; the chunk writer must report it.
    class FullSink : public ByteSink {
      public:
        bool write(const void*, size_t) override { return false; }
    } full;
    ChunkWriter out(full, 16);
    out.bytes("0123456789abcdefXYZ", 19);
    EXPECT_FALSE(out.flush());
    EXPECT_FALSE(out.ok());
}

}  // namespace
}  // namespace trindel
