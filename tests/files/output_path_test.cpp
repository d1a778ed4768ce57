// Output paths checked before any work: folders, FIFOs, missing folders and link loops refused;
// links followed to the file they name; the same file recognised through any spelling.
#include "files/output_path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "temp_folder.h"

namespace trindel {
namespace {

TEST(OutputPath, RefusesWhatCannotTakeAFileAndFollowsLinks) {
    testing::TempFolder t;
    ::mkdir(t.file("folder").c_str(), 0755);
    ::mkfifo(t.file("fifo").c_str(), 0644);
    std::ofstream(t.file("old.kstn")) << "x";
    ::symlink("old.kstn", t.file("link").c_str());
    ::symlink("new.kstn", t.file("dangling").c_str());
    ::symlink("loop", t.file("loop").c_str());
    ::symlink("fifo", t.file("fifolink").c_str());
    struct Case {
        std::string given;
        bool ok;
        std::string writesTo;   // when ok
        std::string errorPart;  // when refused
    };
    const std::vector<Case> cases = {
        {t.file("new.kstn"), true, t.file("new.kstn"), ""},
        {t.file("old.kstn"), true, t.file("old.kstn"), ""},
        {t.file("link"), true, t.path() + "/old.kstn", ""},
        {t.file("dangling"), true, t.path() + "/new.kstn", ""},
        {"", false, "", "no output file"},
        {t.file("folder"), false, "", "is a folder"},
        {t.file("folder") + "/", false, "", "is a folder"},
        {t.file("fifo"), false, "", "not a regular file"},
        {t.file("fifolink"), false, "", "not a regular file"},
        {t.file("loop"), false, "", "loop of symbolic links"},
        {t.file("missing/x.kstn"), false, "", "No such file or directory"},
        {t.file("old.kstn") + "/x.kstn", false, "", "is not a folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.given);
        const OutputPath out = checkOutputPath(c.given);
        EXPECT_EQ(out.ok, c.ok) << out.error;
        if (c.ok) {
            EXPECT_EQ(out.path, c.writesTo);
        } else {
            EXPECT_NE(out.error.find(c.errorPart), std::string::npos) << out.error;
        }
    }
}

TEST(OutputPath, SameFileThroughAnySpellingOrLink) {
    testing::TempFolder t;
    std::ofstream(t.file("a.kstn")) << "a";
    std::ofstream(t.file("b.kstn")) << "a";
    ::symlink("a.kstn", t.file("link").c_str());
    ::link(t.file("a.kstn").c_str(), t.file("hard").c_str());
    EXPECT_TRUE(sameFile(t.file("a.kstn"), t.path() + "/./a.kstn"));
    EXPECT_TRUE(sameFile(t.file("a.kstn"), t.file("link")));
    EXPECT_TRUE(sameFile(t.file("a.kstn"), t.file("hard")));
    EXPECT_FALSE(sameFile(t.file("a.kstn"), t.file("b.kstn")));  // equal content, other file
    EXPECT_FALSE(sameFile(t.file("a.kstn"), t.file("none")));
}

}  // namespace
}  // namespace trindel
