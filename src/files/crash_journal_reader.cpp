// Reading a crash journal back. Two passes over the file: the first checks every record's frame and
// checksum and counts the samples, the second copies them into one block of storage, so recovering
// costs the recording's size plus one block, never a copy of the whole journal.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "files/binary_recording_writer.h"
#include "files/crash_journal.h"
#include "files/crash_journal_format.h"
#include "files/expedata_export.h"
#include "files/text_export.h"
#include "state/sample_store.h"

namespace trindel {

namespace {

std::string getText(ByteReader& in, const char* what) {
    const uint32_t size = in.be32(what);
    return in.text(size, what);
}

class Descriptor {
  public:
    explicit Descriptor(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return fd_; }

    // Reads up to `size` bytes; returns how many were read (fewer only at the end of the file).
    size_t read(uint8_t* out, size_t size) {
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::read(fd_, out + done, size - done);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                throw FileFormatError(std::string("reading failed: ") + std::strerror(errno));
            }
            if (n == 0) {
                break;
            }
            done += static_cast<size_t>(n);
        }
        return done;
    }

  private:
    int fd_;
};

struct Header {
    uint64_t runId = 0;
    Recording meta;
    std::string outputPath;
    DataFormat format = DataFormat::Binary;
    bool timeColumn = false;
    size_t rows = 0;
};

void parseHeader(ByteReader in, Header& h) {
    h.outputPath = getText(in, "output file name");
    const int16_t format = in.be16("file format");
    if (format < 0 || format > static_cast<int16_t>(DataFormat::ExpeData)) {
        throw FileFormatError("file format: unknown code " + std::to_string(format));
    }
    h.format = static_cast<DataFormat>(format);
    h.timeColumn = in.take(1, "time column")[0] != 0;
    Recording& r = h.meta;
    const int32_t firstWritten = in.beInt32("first channel written");
    const int32_t channels = in.beInt32("number of channels");
    if (channels < 1 || channels > kMaxChannels || firstWritten < 0 || firstWritten >= channels) {
        throw FileFormatError("number of channels: " + std::to_string(channels) +
                              " is out of range");
    }
    r.firstWritten = static_cast<size_t>(firstWritten);
    for (int32_t k = 0; k < channels; ++k) {
        ChannelRecord c;
        for (float* v : {&c.a, &c.b, &c.c, &c.type, &c.samplesAveraged, &c.inputNumber}) {
            *v = in.beFloat("channel description");
        }
        c.label = getText(in, "channel label");
        r.channels.push_back(std::move(c));
    }
    r.sampleInterval = in.beFloat("sample interval");
    r.startDate = getText(in, "start date");
    r.startTime = getText(in, "start time");
    r.comment = getText(in, "comment");
    for (float& v : r.runConstants) {
        v = in.beFloat("run constants");
    }
    r.deviceCode = in.be16("device code");
    for (float& v : r.polynomial) {
        v = in.beFloat("polynomial");
    }
    h.rows = r.channels.size() - r.firstWritten;
}

// What the blocks add up to. `storage` is null in the counting pass.
struct Blocks {
    int32_t samples = 0;
    int64_t count = 0;
    std::vector<Marker> markers;
    std::string pauseLog;
    std::vector<FileNote> notes;
    std::string endDate, endTime;
};

// Applies one block whose frame and checksum held. Throws FileFormatError when its content does
// not fit the run (the caller refuses the journal).
void applyBlock(ByteReader in, const Header& h, Blocks& b, float* storage, int32_t total) {
    const int32_t first = in.beInt32("block start");
    const int32_t count = in.beInt32("block length");
    const int32_t rows = in.beInt32("block channels");
    if (rows != static_cast<int32_t>(h.rows)) {
        throw FileFormatError("its samples hold " + std::to_string(rows) +
                              " channels where its set-up records " + std::to_string(h.rows));
    }
    if (first != b.samples || count < 0 || count > SampleStore::kMaxSamplesPerChannel - b.samples) {
        throw FileFormatError("a block starts at sample " + std::to_string(first) + " where " +
                              std::to_string(b.samples) + " were recorded");
    }
    for (int32_t k = 0; k < rows; ++k) {
        const uint8_t* values = in.take(static_cast<size_t>(count) * 4, "samples");
        if (storage != nullptr) {
            float* out = storage + static_cast<int64_t>(k) * total + first;
            for (int32_t i = 0; i < count; ++i) {
                out[i] = floatFromBits(getBE32(values + 4 * static_cast<size_t>(i)));
            }
        }
    }
    b.samples += count;
    const int32_t markerFrom = in.beInt32("marker start");
    const int32_t markers = in.beInt32("marker count");
    if (markerFrom < 0 || markerFrom > static_cast<int32_t>(b.markers.size()) || markers < 0 ||
        markerFrom + static_cast<int64_t>(markers) > kMaxMarkers) {
        throw FileFormatError("marker count: out of range");
    }
    b.markers.resize(static_cast<size_t>(markerFrom));
    for (int32_t m = 0; m < markers; ++m) {
        Marker mk;
        mk.slot = in.beInt32("marker");
        mk.code = in.beInt32("marker");
        b.markers.push_back(mk);
    }
    if (in.take(1, "notes mark")[0] != 0) {
        b.pauseLog = getText(in, "pause log");
        const int32_t notes = in.beInt32("note count");
        if (notes < 0 || notes > kMaxNotes) {
            throw FileFormatError("note count: " + std::to_string(notes) + " is out of range");
        }
        b.notes.clear();
        for (int32_t k = 0; k < notes; ++k) {
            FileNote n;
            n.sample = getText(in, "note");
            n.time = getText(in, "note");
            n.text = getText(in, "note");
            b.notes.push_back(std::move(n));
        }
    }
    b.endDate = getText(in, "block date");
    b.endTime = getText(in, "block time");
    ++b.count;
}

// One pass over the blocks after the header; stops after `maxBlocks` (the whole blocks the
// counting pass found) or at the first torn or damaged record, which `damage` describes.
void readBlocks(Descriptor& file, uint64_t fileSize, uint64_t offset, const Header& h, Blocks& b,
                float* storage, int32_t total, int64_t maxBlocks, std::string& damage) {
    std::vector<uint8_t> buffer;
    uint8_t frameBytes[journal::kFrameBytes];
    while (b.count < maxBlocks) {
        const size_t got = file.read(frameBytes, sizeof frameBytes);
        if (got == 0) {
            return;
        }
        const journal::Frame f = journal::getFrame(frameBytes);
        const uint64_t left = fileSize - offset - got;
        if (got < sizeof frameBytes || (f.tag == journal::kBlockTag && f.length > left)) {
            damage = "an incomplete last block of " + std::to_string(fileSize - offset) +
                     " bytes (being written when the program stopped) was left out";
            return;
        }
        if (f.tag != journal::kBlockTag || f.length > journal::kMaxPayload) {
            damage = "the journal is damaged at byte " + std::to_string(offset) + "; the " +
                     std::to_string(fileSize - offset) + " bytes from there were left out";
            return;
        }
        buffer.resize(f.length);
        if (file.read(buffer.data(), f.length) != f.length ||
            journal::crcOf({frameBytes, 16}, buffer) != f.crc) {
            const bool last = offset + journal::kFrameBytes + f.length == fileSize;
            damage = last ? "an incomplete last block of " + std::to_string(fileSize - offset) +
                                " bytes (being written when the program stopped) was left out"
                          : "the journal is damaged at byte " + std::to_string(offset) + "; the " +
                                std::to_string(fileSize - offset) +
                                " bytes from there were left out";
            return;
        }
        if (f.runId != h.runId) {
            throw FileFormatError("it holds samples of a different recording");
        }
        applyBlock(ByteReader(buffer), h, b, storage, total);
        offset += journal::kFrameBytes + f.length;
    }
}

JournalRecovery readJournalOrThrow(const std::string& path) {
    JournalRecovery out;
    Descriptor file(path);
    struct stat st {};
    if (file.fd() < 0 || ::fstat(file.fd(), &st) != 0) {
        throw FileFormatError(std::strerror(errno));
    }
    if (!S_ISREG(st.st_mode)) {
        throw FileFormatError("not a regular file");
    }
    const auto fileSize = static_cast<uint64_t>(st.st_size);
    uint8_t start[16 + journal::kFrameBytes];
    if (file.read(start, sizeof start) != sizeof start ||
        std::memcmp(start, journal::kMark.data(), 16) != 0) {
        throw FileFormatError("not a recording journal");
    }
    const journal::Frame f = journal::getFrame(start + 16);
    if (f.tag != journal::kHeaderTag || f.length > journal::kMaxHeaderPayload ||
        f.length > fileSize - sizeof start) {
        throw FileFormatError("its description of the run is incomplete or damaged");
    }
    std::vector<uint8_t> payload(f.length);
    if (file.read(payload.data(), f.length) != f.length ||
        journal::crcOf({start + 16, 16}, payload) != f.crc) {
        throw FileFormatError("its description of the run is incomplete or damaged");
    }
    Header h;
    h.runId = f.runId;
    parseHeader(ByteReader(payload), h);
    const uint64_t blocksAt = sizeof start + f.length;

    Blocks counted;
    readBlocks(file, fileSize, blocksAt, h, counted, nullptr, 0, INT64_MAX, out.damage);
    const int32_t total = counted.samples;
    RecordingFile& rf = out.file;
    rf.format = RecordingFormat::ChartBinary;
    rf.storage.assign(h.rows * static_cast<size_t>(total), 0.0f);
    if (::lseek(file.fd(), static_cast<off_t>(blocksAt), SEEK_SET) < 0) {
        throw FileFormatError(std::strerror(errno));
    }
    Blocks b;
    std::string ignored;
    readBlocks(file, fileSize, blocksAt, h, b, rf.storage.data(), total, counted.count, ignored);
    if (b.samples != total) {
        throw FileFormatError("it changed while it was being read");
    }
    rf.recording = std::move(h.meta);
    Recording& r = rf.recording;
    r.sampleCount = total;
    r.markers = std::move(b.markers);
    r.pauseLog = std::move(b.pauseLog);
    r.notes = std::move(b.notes);
    r.endDate = b.endDate.empty() ? r.startDate : b.endDate;
    r.endTime = b.endTime.empty() ? r.startTime : b.endTime;
    rf.attachRows(h.rows);
    out.outputPath = std::move(h.outputPath);
    out.format = h.format;
    out.timeColumn = h.timeColumn;
    out.blocks = b.count;
    out.ok = true;
    return out;
}

}  // namespace

JournalRecovery readJournal(const std::string& path) {
    try {
        return readJournalOrThrow(path);
    } catch (const FileFormatError& e) {
        JournalRecovery failed;
        failed.error = path + ": " + e.what();
        return failed;
    } catch (const std::bad_alloc&) {
        JournalRecovery failed;
        failed.error = path + ": not enough memory to recover it";
        return failed;
    }
}

std::string journalSummary(const JournalRecovery& journal) {
    const Recording& r = journal.file.recording;
    return std::to_string(r.sampleCount) + " samples of " + std::to_string(r.writtenCount()) +
           (r.writtenCount() == 1 ? " channel" : " channels") + " recorded " + r.startDate + " " +
           r.startTime;
}

WriteResult writeRecoveredRecording(const JournalRecovery& journal, DataFormat format,
                                    const std::string& path) {
    return writeFileAtomically(path, [&](ByteSink& sink) {
        const Recording& r = journal.file.recording;
        switch (format) {
            case DataFormat::Text:
                return writeTextExport(r, sink, journal.timeColumn);
            case DataFormat::ExpeData:
                return writeExpeData(r, sink);
            case DataFormat::Binary:
                break;
        }
        return writeBinaryRecording(r, sink);
    });
}

std::vector<std::string> leftoverJournals(const std::string& folder) {
    std::vector<std::string> out;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return out;
    }
    const std::string ext = kJournalExtension;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext)) {
            continue;
        }
        const std::string path = folder + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        // A journal some running program holds locked is that program's, not a left-over.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            out.push_back(path);
        }
        ::close(fd);
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace trindel
