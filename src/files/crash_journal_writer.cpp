// Writing the crash journal: the header when the run starts, one block of new scans, markers and
// notes about once a second, each in a single write(), flushed to disk every couple of seconds.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <random>

#include "files/binary_recording_writer.h"
#include "files/crash_journal.h"
#include "files/crash_journal_format.h"
#include "files/recording_from_program.h"
#include "text/date_stamp.h"

namespace trindel {

namespace {

void putText(ByteWriter& out, std::string_view text) {
    out.be32(static_cast<uint32_t>(text.size()));
    out.bytes(text);
}

uint64_t newRunId() {
    std::random_device random;
    const uint64_t high = random(), low = random();
    return (high << 32 | low) ^ static_cast<uint64_t>(std::time(nullptr));
}

// Frame and payload as one buffer, so the record reaches the file in one write().
std::vector<uint8_t> framed(uint32_t tag, uint64_t runId, const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> bytes(journal::kFrameBytes + payload.size());
    journal::Frame f{tag, runId, static_cast<uint32_t>(payload.size()), 0};
    journal::putFrame(bytes.data(), f);
    f.crc = journal::crcOf({bytes.data(), 16}, payload);
    journal::putFrame(bytes.data(), f);
    std::copy(payload.begin(), payload.end(), bytes.begin() + journal::kFrameBytes);
    return bytes;
}

std::vector<uint8_t> headerPayload(Program& p, const std::string& outputPath, DataFormat format) {
    const Recording r = chartRecording(p);
    return bytesWrittenBy([&](ByteWriter& out) {
        putText(out, outputPath);
        out.be16(static_cast<int16_t>(format));
        out.byte(p.prefs[38] != 0 ? 1 : 0);  // the text export's time column
        out.beInt32(static_cast<int32_t>(r.firstWritten));
        out.beInt32(static_cast<int32_t>(r.channels.size()));
        for (const ChannelRecord& c : r.channels) {
            for (const float v : {c.a, c.b, c.c, c.type, c.samplesAveraged, c.inputNumber}) {
                out.beFloat(v);
            }
            putText(out, c.label);
        }
        out.beFloat(static_cast<float>(p.session.ChartINTERVALinSECONDS));
        // A run whose start was not stamped is dated by its journal, so the question at the next
        // start and the recovered file can say when it was recorded.
        const DateStamp now = localStamp(std::time(nullptr));
        putText(out, r.startDate.empty() ? now.date : r.startDate);
        putText(out, r.startDate.empty() ? now.time : r.startTime);
        // The spike-filter lines the binary save would add to the comment.
        std::string comment = r.comment;
        if (p.prefs[kPrefAutorepeat] != 0 && p.prefs[kPrefSpikeFilter] != 0) {
            comment += spikeLines(p);
        }
        putText(out, comment);
        for (const float v : r.runConstants) {
            out.beFloat(v);
        }
        out.be16(r.deviceCode);
        for (const float v : r.polynomial) {
            out.beFloat(v);
        }
    });
}

}  // namespace

JournalWriter::~JournalWriter() {
    close();
}

void JournalWriter::fail(const std::string& what, int errorNumber) {
    if (error_.empty()) {
        error_ =
            "Could not " + what + " the journal \"" + path_ + "\": " + std::strerror(errorNumber);
    }
}

bool JournalWriter::writeAll(const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            fail("write", n < 0 ? errno : ENOSPC);
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool JournalWriter::open(const std::string& path, Program& p, const std::string& outputPath,
                         DataFormat format, JournalTiming timing) {
    close();
    error_.clear();
    path_ = path;
    timing_ = timing;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_APPEND, 0666);
    if (fd_ < 0) {
        fail("create", errno);
        return false;
    }
    // Held while the run is journaled: a program starting meanwhile leaves this journal alone.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    runId_ = newRunId();
    const Recording r = chartRecording(p);
    firstRow_ = r.firstWritten + 1;
    rows_ = r.channels.size() - r.firstWritten;
    samplesWritten_ = 0;
    markersWritten_ = 0;
    notesWritten_ = 0;
    pauseLogWritten_.clear();
    nextWrite_ = nextSync_ = -1.0;
    std::vector<uint8_t> bytes(journal::kMark.begin(), journal::kMark.end());
    const auto header = framed(journal::kHeaderTag, runId_, headerPayload(p, outputPath, format));
    bytes.insert(bytes.end(), header.begin(), header.end());
    if (!writeAll(bytes) || ::fdatasync(fd_) != 0) {
        fail("write", errno);
        ::close(fd_);
        fd_ = -1;
        ::unlink(path.c_str());
        return false;
    }
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

bool JournalWriter::writeBlock(const Program& p, bool sync) {
    const int32_t samples = std::max(p.session.Sample, 0);
    const int markers = p.Markers.Nmarkers;
    const std::string& pauseLog = p.notes.CumulativePauseContainer;
    const int notes = std::clamp(static_cast<int>(p.notes.NumberOfNotes), 0, kMaxNotes);
    const bool textChanged = pauseLog != pauseLogWritten_ || notes != notesWritten_;
    if (samples <= samplesWritten_ && markers == markersWritten_ && !textChanged) {
        return sync ? ::fdatasync(fd_) == 0 : true;
    }
    const int32_t first = std::min(samplesWritten_, samples);
    const int32_t count = samples - first;
    const int markerFrom = markers >= markersWritten_ ? markersWritten_ : 0;
    const auto payload = bytesWrittenBy([&](ByteWriter& out) {
        out.beInt32(first);
        out.beInt32(count);
        out.beInt32(static_cast<int32_t>(rows_));
        for (size_t k = 0; k < rows_; ++k) {
            const float* row = p.store.row(static_cast<int>(firstRow_ + k), samples);
            if (row != nullptr) {
                appendBigEndianFloats(out, {row + first, static_cast<size_t>(count)});
            } else {
                for (int32_t i = 0; i < count; ++i) {
                    out.beFloat(p.store.get(static_cast<int>(firstRow_ + k), first + i));
                }
            }
        }
        out.beInt32(markerFrom);
        out.beInt32(markers - markerFrom);
        for (int m = markerFrom + 1; m <= markers; ++m) {
            out.beInt32(p.Markers[m].slot);
            out.beInt32(p.Markers[m].code);
        }
        out.byte(textChanged ? 1 : 0);
        if (textChanged) {
            putText(out, pauseLog);
            out.beInt32(notes);
            for (int k = 1; k <= notes; ++k) {
                const FileNote& n = p.notes.fileRemarks[static_cast<size_t>(k)];
                putText(out, n.sample);
                putText(out, n.time);
                putText(out, n.text);
            }
        }
        const DateStamp now = localStamp(std::time(nullptr));
        putText(out, now.date);
        putText(out, now.time);
    });
    if (!writeAll(framed(journal::kBlockTag, runId_, payload))) {
        return false;
    }
    if (sync && ::fdatasync(fd_) != 0) {
        fail("flush", errno);
        return false;
    }
    samplesWritten_ = samples;
    markersWritten_ = markers;
    pauseLogWritten_ = pauseLog;
    notesWritten_ = notes;
    return true;
}

void JournalWriter::scanTaken(const Program& p, double now) {
    if (fd_ < 0 || failed()) {
        return;
    }
    if (nextWrite_ < 0) {
        nextWrite_ = now + timing_.writeEvery;
        nextSync_ = now + timing_.syncEvery;
        return;
    }
    if (now < nextWrite_) {
        return;
    }
    const bool sync = now >= nextSync_;
    writeBlock(p, sync);
    nextWrite_ = now + timing_.writeEvery;
    if (sync) {
        nextSync_ = now + timing_.syncEvery;
    }
}

bool JournalWriter::flush(const Program& p) {
    return fd_ >= 0 && !failed() && writeBlock(p, true);
}

void JournalWriter::close() {
    if (fd_ >= 0) {
        ::close(fd_);  // also releases the lock
        fd_ = -1;
    }
}

void JournalWriter::remove() {
    if (!path_.empty()) {
        ::unlink(path_.c_str());
    }
    close();
    path_.clear();
}

std::string journalPathFor(const std::string& outputPath) {
    return outputPath + kJournalExtension;
}

}  // namespace trindel
