#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "files/byte_reader.h"
#include "files/byte_writer.h"
#include "files/recording_fixture.h"

namespace trindel {
namespace {

using testing::hex;

// One field of each kind: how the writer puts it, its bytes, and how the reader checks it.
struct Field {
    const char* name;
    std::function<void(ByteWriter&)> write;
    std::vector<uint8_t> bytes;
    std::function<void(ByteReader&)> readBack;
};

std::vector<Field> fields() {
    return {
        {"be16", [](ByteWriter& w) { w.be16(-2); }, hex({0xFF, 0xFE}),
         [](ByteReader& r) { EXPECT_EQ(r.be16("be16"), -2); }},
        {"be32", [](ByteWriter& w) { w.be32(0x01020304u); }, hex({1, 2, 3, 4}),
         [](ByteReader& r) { EXPECT_EQ(r.be32("be32"), 0x01020304u); }},
        {"beInt32", [](ByteWriter& w) { w.beInt32(-3); }, hex({0xFF, 0xFF, 0xFF, 0xFD}),
         [](ByteReader& r) { EXPECT_EQ(r.beInt32("beInt32"), -3); }},
        {"beFloat", [](ByteWriter& w) { w.beFloat(-2.5f); }, hex({0xC0, 0x20, 0, 0}),
         [](ByteReader& r) { EXPECT_EQ(r.beFloat("beFloat"), -2.5f); }},
        {"beDouble", [](ByteWriter& w) { w.beDouble(1.5); }, hex({0x3F, 0xF8, 0, 0, 0, 0, 0, 0}),
         [](ByteReader& r) { EXPECT_EQ(r.beDouble("beDouble"), 1.5); }},
        {"le16", [](ByteWriter& w) { w.le16(0x1234); }, hex({0x34, 0x12}),
         [](ByteReader& r) { EXPECT_EQ(r.le16("le16"), 0x1234); }},
        {"le32", [](ByteWriter& w) { w.le32(0x01020304u); }, hex({4, 3, 2, 1}),
         [](ByteReader& r) { EXPECT_EQ(r.le32("le32"), 0x01020304u); }},
        {"text", [](ByteWriter& w) { w.text("abcdef", 4), w.text("ab", 4); },
         testing::bytesOf("abcdab  "),
         [](ByteReader& r) { EXPECT_EQ(r.text(8, "text"), "abcdab  "); }},
        {"countedText", [](ByteWriter& w) { w.countedText("xyz"); },
         hex({0x40, 0x40, 0, 0, 'x', 'y', 'z'}),
         [](ByteReader& r) { EXPECT_EQ(r.countedText("countedText"), "xyz"); }},
        {"line", [](ByteWriter& w) { w.line("-9997"); }, testing::bytesOf("-9997\r"),
         [](ByteReader& r) { EXPECT_EQ(r.line(8, "line"), "-9997"); }},
    };
}

std::vector<uint8_t> writeAll(size_t capacity) {
    VectorSink sink;
    ByteWriter w(sink, capacity);
    for (const Field& f : fields()) {
        f.write(w);
    }
    EXPECT_TRUE(w.flush());
    return sink.bytes;
}

TEST(ByteIO, EachFieldHasItsLayoutAndReadsBack) {
    for (const Field& f : fields()) {
        SCOPED_TRACE(f.name);
        const auto bytes = bytesWrittenBy(f.write);
        EXPECT_EQ(bytes, f.bytes);
        ByteReader r(bytes);
        f.readBack(r);
        EXPECT_EQ(r.remaining(), 0u);
    }
}

TEST(ByteIO, ASmallBufferWritesTheSameBytes) {
    const auto whole = writeAll(ByteWriter::kDefaultCapacity);
    for (size_t capacity : {1, 3, 7, 16}) {
        EXPECT_EQ(writeAll(capacity), whole) << capacity;
    }
    const auto longText =
        bytesWrittenBy([](ByteWriter& w) { w.text(std::string(5000, 'x'), 6000); });
    EXPECT_EQ(longText.size(), 6000u);
}

// Reading the fields from any cut-off copy stops at the field that is cut, naming it.
TEST(ByteIO, ACutAnywhereNamesTheFieldThatEndsEarly) {
    const auto all = fields();
    const auto whole = writeAll(64);
    size_t start = 0;
    for (size_t k = 0; k < all.size(); ++k) {
        for (size_t length = start; length < start + all[k].bytes.size(); ++length) {
            ByteReader r(std::span<const uint8_t>(whole).first(length));
            for (size_t j = 0; j < k; ++j) {
                all[j].readBack(r);
            }
            try {
                all[k].readBack(r);
                ADD_FAILURE() << all[k].name << " read from " << length << " bytes";
            } catch (const FileFormatError& e) {
                const std::string what = e.what();
                EXPECT_EQ(what.rfind(all[k].name, 0), 0u) << what;
            }
        }
        start += all[k].bytes.size();
    }
}

TEST(ByteIO, ImpossibleCountsAndMissingLineEndsAreRefused) {
    for (float length : {256.0f, -1.0f, 2.5f, NAN, INFINITY}) {
        const auto bytes = bytesWrittenBy([&](ByteWriter& w) {
            w.beFloat(length);
            w.text("", 300);
        });
        ByteReader r(bytes);
        EXPECT_THROW(r.countedText("label"), FileFormatError) << length;
    }
    const auto noEnd = testing::bytesOf("123456789\r");
    ByteReader shortLimit(noEnd);
    EXPECT_THROW(shortLimit.line(8, "version line"), FileFormatError);
    ByteReader longEnough(noEnd);
    EXPECT_EQ(longEnough.line(9, "version line"), "123456789");
    EXPECT_EQ(longEnough.remaining(), 0u);
}

}  // namespace
}  // namespace trindel
