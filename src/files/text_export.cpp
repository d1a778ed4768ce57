#include "files/text_export.h"

#include <algorithm>
#include <optional>
#include <semaphore>
#include <system_error>
#include <thread>
#include <vector>

#include "files/recording_from_program.h"
#include "text/export_number.h"
#include "text/mac_roman_text.h"

namespace trindel {

namespace {

void writeHeader(ByteWriter& out, const Recording& r, bool timeColumn) {
    if (timeColumn) {
        out.bytes("Time (sec)\t", 11);
    }
    const size_t nChan = r.channels.size();
    for (size_t i = 0; i < r.writtenCount(); ++i) {
        std::string label = macRomanToUtf8(r.written(i).label);
        // A CR, LF or TAB inside a label would break the header's line and columns.
        std::replace_if(
            label.begin(), label.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; },
            ' ');
        out.bytes(label.data(), label.size());
        const size_t channelNumber = r.firstWritten + i + 1;
        out.byte(channelNumber == nChan ? '\r' : '\t');
    }
}

// The data lines, cut into blocks of rows that are formatted into buffers of their own.
class RowBlocks {
  public:
    RowBlocks(const Recording& r, bool timeColumn)
        : r_(r),
          timeColumn_(timeColumn),
          rows_(std::max(r.sampleCount, 0)),
          lineRoom_((r.writtenCount() + 1) * (kExportNumberCapacity + 1) + 1),
          rowsPerBlock_(std::max<int64_t>(1, static_cast<int64_t>(kBlockBytes / lineRoom_))) {}

    int64_t rows() const { return rows_; }
    int64_t count() const { return (rows_ + rowsPerBlock_ - 1) / rowsPerBlock_; }
    int64_t endRow(int64_t block) const { return std::min(rows_, (block + 1) * rowsPerBlock_); }
    std::vector<char> buffer() const {
        return std::vector<char>(static_cast<size_t>(rowsPerBlock_) * lineRoom_);
    }

    // Writes the lines of `block` into `out` (from buffer()); returns their length. Each thread
    // brings its own cache; the time column never repeats and does not use it.
    size_t format(int64_t block, std::vector<char>& out, ExportNumberCache& cache) const {
        char* p = out.data();
        const size_t channels = r_.writtenCount();
        for (int64_t i = block * rowsPerBlock_; i < endRow(block); ++i) {
            if (timeColumn_) {
                p = exportNumber(p, static_cast<float>(i + 1) * r_.sampleInterval);
                *p++ = '\t';
            }
            const auto at = static_cast<size_t>(i);
            for (size_t c = 0; c < channels; ++c) {
                const auto& row = r_.data[c];
                p = cache.write(p, at < row.size() ? row[at] : 0.0f);
                *p++ = '\t';
            }
            *p++ = '\r';
        }
        return static_cast<size_t>(p - out.data());
    }

  private:
    static constexpr size_t kBlockBytes = size_t{1} << 20;

    const Recording& r_;
    const bool timeColumn_;
    const int64_t rows_;
    const size_t lineRoom_;
    const int64_t rowsPerBlock_;
};

// A second thread that formats one block at a time while the caller formats or writes another.
// Formatting only reads the recording and fills the buffer it is given; the sink and the
// progress callback stay on the caller's thread.
class BlockHelper {
  public:
    explicit BlockHelper(const RowBlocks& blocks) : blocks_(blocks), thread_([this] { work(); }) {}
    BlockHelper(const BlockHelper&) = delete;
    BlockHelper& operator=(const BlockHelper&) = delete;
    ~BlockHelper() {
        if (busy_) {
            done_.acquire();
        }
        stop_ = true;
        go_.release();
        thread_.join();
    }

    void start(int64_t block, std::vector<char>& buffer) {
        block_ = block;
        buffer_ = &buffer;
        busy_ = true;
        go_.release();
    }
    // The length of the block handed over last, once it is formatted.
    size_t finish() {
        done_.acquire();
        busy_ = false;
        return length_;
    }

  private:
    void work() {
        while (true) {
            go_.acquire();
            if (stop_) {
                return;
            }
            length_ = blocks_.format(block_, *buffer_, cache_);
            done_.release();
        }
    }

    const RowBlocks& blocks_;
    ExportNumberCache cache_;
    // Written by the caller before go_ is released, read by the helper after it acquired it (and
    // the other way round for length_ and done_): the semaphores order these accesses.
    int64_t block_ = 0;
    std::vector<char>* buffer_ = nullptr;
    size_t length_ = 0;
    bool stop_ = false;
    bool busy_ = false;  // caller's side only
    std::binary_semaphore go_{0};
    std::binary_semaphore done_{0};
    std::thread thread_;
};

}  // namespace

// Rows are formatted in blocks of about a megabyte. With more than one block the caller and a
// helper thread take turns: while the helper formats block b, the caller formats b + 1, then
// writes both in order while the helper goes on with b + 2. The bytes are the same as formatting
// line by line; progress is reported in row order after each block is written, and a failed
// write stops the export at once.
bool writeTextExport(const Recording& r, ByteSink& sink, bool timeColumn,
                     const ExportProgress& progress) {
    const RowBlocks blocks(r, timeColumn);
    const int64_t n = blocks.rows();
    {
        ByteWriter header(sink, ByteWriter::capacityFor(0));
        writeHeader(header, r, timeColumn);
        if (!header.flush()) {
            return false;
        }
    }
    const int64_t step = std::max<int64_t>(n / 300, 2);
    int64_t nextReport = step;
    // Writes a formatted block and reports the rows up to its end; false to stop.
    const auto put = [&](int64_t block, const std::vector<char>& text, size_t length) {
        if (!sink.write(text.data(), length)) {
            return false;
        }
        for (; nextReport <= blocks.endRow(block); nextReport += step) {
            if (progress && !progress(nextReport, n)) {
                return false;
            }
        }
        return true;
    };

    // Declared before the helper, so they outlive its last block.
    std::vector<char> mine = blocks.buffer();
    ExportNumberCache cache;
    std::vector<std::vector<char>> theirs;
    std::optional<BlockHelper> helper;
    if (blocks.count() > 1) {
        theirs = {blocks.buffer(), blocks.buffer()};
        try {
            helper.emplace(blocks);
            helper->start(0, theirs[0]);
        } catch (const std::system_error&) {
            // No thread to be had: the caller formats every block itself.
        }
    }
    for (int64_t b = 0; b < blocks.count();) {
        if (!helper) {
            if (!put(b, mine, blocks.format(b, mine, cache))) {
                return false;
            }
            ++b;
            continue;
        }
        const size_t mineLength = b + 1 < blocks.count() ? blocks.format(b + 1, mine, cache) : 0;
        const size_t theirLength = helper->finish();
        const auto& theirText = theirs[static_cast<size_t>(b / 2 % 2)];
        if (b + 2 < blocks.count()) {
            helper->start(b + 2, theirs[static_cast<size_t>((b + 2) / 2 % 2)]);
        }
        if (!put(b, theirText, theirLength)) {
            return false;
        }
        if (b + 1 < blocks.count() && !put(b + 1, mine, mineLength)) {
            return false;
        }
        b += 2;
    }
    return !progress || progress(n, n);
}

bool SaveASCII(Program& p, ByteSink& sink, const ExportProgress& progress) {
    return writeTextExport(chartRecording(p), sink, p.prefs[38] != 0, progress);
}

bool writeScopeSweepText(std::span<const float> sweep, float interval, ByteSink& sink) {
    ByteWriter out(sink);
    char buffer[kExportNumberCapacity + 1];
    out.bytes("Time (sec)", 10);
    char* end = exportNumber(buffer, interval);
    *end++ = '\r';
    out.bytes(buffer, static_cast<size_t>(end - buffer));
    for (float v : sweep) {
        end = exportNumber(buffer, v);
        *end++ = '\r';
        out.bytes(buffer, static_cast<size_t>(end - buffer));
    }
    return out.flush();
}

}  // namespace trindel
