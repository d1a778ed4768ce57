#include "devices/serial/line_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trindel {
namespace {

TEST(LineBuffer, ItemsOfAReplyStream) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"two items from one line", "1.25,3.5\r", {"1.25", "3.5"}},
        {"tab separates, blanks skipped", "  7\t 8\r", {"7", "8"}},
        {"quoted item keeps its comma", "\"a, b\",9\r", {"a, b", "9"}},
        {"CR LF line ends", "1500\r\n2000\r\n-3.5\r\n", {"1500", "2000", "-3.5"}},
        {"successive lines", "1\r2\r", {"1", "2"}},
        {"empty buffer gives empty item", "", {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LineBuffer b;
        b.feed(c.bytes);
        for (const auto& want : c.items) {
            EXPECT_EQ(b.readItem(), want);
        }
    }
}

TEST(LineBuffer, NumericItemsByTheLeadingNumberRule) {
    LineBuffer b;
    b.feed("1.25,3.5\r\nxyz\r 12abc\r");
    EXPECT_DOUBLE_EQ(b.readNumericItem(), 1.25);
    EXPECT_DOUBLE_EQ(b.readNumericItem(), 3.5);  // same line, no new line read
    EXPECT_EQ(b.size(), 12u);
    EXPECT_DOUBLE_EQ(b.readNumericItem(), 0.0);
    EXPECT_DOUBLE_EQ(b.readNumericItem(), 12.0);
}

// A reply without its CR yet is returned as far as it has arrived; the rest is the next line.
TEST(LineBuffer, LineWithoutCarriageReturnCompletedLater) {
    LineBuffer b;
    b.feed("12");
    EXPECT_FALSE(b.hasLineEnd());
    EXPECT_EQ(b.readItem(), "12");
    b.feed("34\r");
    EXPECT_TRUE(b.hasLineEnd());
    EXPECT_EQ(b.readItem(), "34");
    EXPECT_EQ(b.size(), 0u);
}

TEST(LineBuffer, LinesAreCappedAt255Bytes) {
    LineBuffer b;
    b.feed(std::string(300, 'x') + "\r");
    EXPECT_EQ(b.readLine().size(), 255u);
    EXPECT_EQ(b.readLine(), std::string(45, 'x'));
    EXPECT_EQ(b.size(), 0u);
    b.feed(std::string(260, '7') + "\r");
    EXPECT_EQ(b.readItem().size(), 255u);
}

TEST(LineBuffer, ReadLineKeepsLineFeedsAndIgnoresTheItemLine) {
    LineBuffer b;
    b.feed("a,b\r\nc\r");
    EXPECT_EQ(b.readItem(), "a");
    EXPECT_EQ(b.readLine(), "\nc");
    EXPECT_EQ(b.readItem(), "b");  // the item line was taken before the plain line read
}

TEST(LineBuffer, ReadBytesNeedsTheWholeCount) {
    LineBuffer b;
    b.feed("abc");
    EXPECT_EQ(b.readBytes(4), "");
    EXPECT_EQ(b.size(), 3u);
    EXPECT_EQ(b.readBytes(0), "a");
    EXPECT_EQ(b.readBytes(2), "bc");
    EXPECT_EQ(b.readBytes(0), "");
}

TEST(LineBuffer, FullBufferRefusesTheOverflow) {
    LineBuffer b;
    EXPECT_EQ(b.feed(std::string(LineBuffer::kCapacity - 1, 'a')), LineBuffer::kCapacity - 1);
    EXPECT_EQ(b.feed("xyz"), 1u);
    EXPECT_EQ(b.room(), 0u);
    b.readBytes(10);
    EXPECT_EQ(b.feed("xyz"), 3u);
    EXPECT_EQ(b.size(), LineBuffer::kCapacity - 10 + 3);
}

}  // namespace
}  // namespace trindel
