#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

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

TEST(AtomicFile, ANewFileGetsTheUsualModeAndTextAndBytesAreWritten) {
    TempFolder folder;
    const mode_t previous = ::umask(027);
    const auto text = writeFileAtomically(folder.file("report.txt"), std::string_view("r\r"));
    const auto bytes = writeFileAtomically(folder.file("ao"), std::vector<uint8_t>{1, 2, 3});
    ::umask(previous);
    ASSERT_TRUE(text.ok && bytes.ok) << text.error << bytes.error;
    struct stat st {};
    ::stat(folder.file("report.txt").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readAll(folder.file("ao")), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"ao", "report.txt"}));
}

// A write the system refuses (here: past the file size limit) fails the save even when the
// writer ignores the refusal, keeps the old file and leaves no temporary file behind.
TEST(AtomicFile, ARefusedWriteIsNeverReportedAsSaved) {
    TempFolder folder;
    const std::string path = folder.file("Setup");
    writeAll(path, "old set-up");
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::vector<uint8_t> big(5000, 'x');
    const auto ignoring = writeFileAtomically(path, [&](ByteSink& sink) {
        sink.write(big.data(), big.size());
        return true;
    });
    const auto bytes = writeFileAtomically(path, big);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousSignal);
    for (const auto& result : {ignoring, bytes}) {
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("\"Setup\""), std::string::npos) << result.error;
        EXPECT_EQ(result.error.find('\n'), std::string::npos);
    }
    EXPECT_EQ(readAll(path).size(), 10u);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Setup"});
}

TEST(AtomicFile, WritesToAFullDeviceFail) {
    // /dev/full refuses every write with ENOSPC; the chunk writer must report it.
    class FullSink : public ByteSink {
      public:
        bool write(const void*, size_t) override { return false; }
    } full;
    ByteWriter out(full, 16);
    out.bytes("0123456789abcdefXYZ", 19);
    EXPECT_FALSE(out.flush());
    EXPECT_FALSE(out.ok());
}

}  // namespace
}  // namespace trindel
