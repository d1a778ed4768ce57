#include "files/recording_file_reader.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "files/recording_fixture.h"
#include "files/save_files.h"
#include "files/temp_folder.h"

namespace trindel {
namespace {

// A description read decodes no sample but describes the file exactly as a whole read does, and
// still refuses a file whose sample data is cut short.
TEST(RecordingFileReader, ADescriptionReadsNoSamplesButChecksThem) {
    testing::TempFolder dir;
    for (const DataFormat format : {DataFormat::Binary, DataFormat::ExpeData}) {
        Program p = testing::smallChartRun();
        const std::string path = dir.file(std::string("run") + extensionOf(format));
        ASSERT_TRUE(writeChartFile(p, format, path).ok);
        const ReadResult whole = readRecordingFile(path);
        const ReadResult described = readRecordingFile(path, ReadDepth::Description);
        ASSERT_TRUE(whole.ok && described.ok) << whole.error << described.error;
        const Recording& w = whole.file.recording;
        const Recording& d = described.file.recording;
        EXPECT_EQ(d.sampleCount, 2);
        EXPECT_EQ(d.sampleCount, w.sampleCount);
        EXPECT_EQ(d.writtenCount(), w.writtenCount());
        EXPECT_EQ(d.markers, w.markers);
        EXPECT_EQ(d.comment, w.comment);
        EXPECT_EQ(d.channels.size(), w.channels.size());
        EXPECT_EQ(w.data[1][1], 0.5f);
        EXPECT_TRUE(described.file.storage.empty());
        EXPECT_TRUE(d.data[0].empty());

        // The bytes up to the middle of the sample data: refused at either depth.
        const auto size = std::filesystem::file_size(path);
        std::filesystem::resize_file(path, format == DataFormat::Binary ? size / 2 : 30);
        EXPECT_FALSE(readRecordingFile(path, ReadDepth::Description).ok);
        EXPECT_FALSE(readRecordingFile(path).ok);
    }
}

}  // namespace
}  // namespace trindel
