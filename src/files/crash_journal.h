// The crash journal of a running chart recording: the run's description, then every scan appended
// in blocks about once a second, so a killed program or a lost power supply loses at most the last
// seconds. Reading it back rebuilds the recording for any of the file writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/recording.h"
#include "files/save_files.h"
#include "state/program.h"

namespace trindel {

inline constexpr const char* kJournalExtension = ".journal";

// How often the journal is written to and flushed to disk, in seconds of the run's clock.
struct JournalTiming {
    double writeEvery = 1.0;  // one write() of the scans taken since the last one
    double syncEvery = 2.0;   // fdatasync, so a power loss also loses at most this much
};

class JournalWriter {
  public:
    JournalWriter() = default;
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;
    ~JournalWriter();  // closes the file and keeps it (only remove() deletes it)

    // Creates the journal at `path` (never over an existing file) for the run `p` is about to
    // record, with the file it is meant to become and its format. False with error() otherwise.
    bool open(const std::string& path, Program& p, const std::string& outputPath, DataFormat format,
              JournalTiming timing = {});
    // After a scan: writes the scans taken since the last write once `now` reaches the next write
    // time. A failed write is remembered (error()) and ends journaling; the run goes on.
    void scanTaken(const Program& p, double now);
    // Writes whatever is not yet written and flushes it to disk (end of the run).
    bool flush(const Program& p);
    // Deletes the journal (after the recording was saved).
    void remove();
    void close();

    bool isOpen() const { return fd_ >= 0; }
    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }

  private:
    bool writeBlock(const Program& p, bool sync);
    bool writeAll(const std::vector<uint8_t>& bytes);
    void fail(const std::string& what, int errorNumber);

    int fd_ = -1;
    std::string path_;
    std::string error_;
    uint64_t runId_ = 0;
    JournalTiming timing_;
    double nextWrite_ = -1.0, nextSync_ = -1.0;
    int32_t samplesWritten_ = 0;
    int markersWritten_ = 0;
    size_t rows_ = 0, firstRow_ = 1;  // channels written, and the first one's number
    std::string pauseLogWritten_;
    int notesWritten_ = 0;
};

// A journal read back: the recording (its rows point into `file.storage`) and what to do with it.
struct JournalRecovery {
    bool ok = false;
    std::string error;  // one line when !ok
    RecordingFile file;
    std::string outputPath;  // the file the run was meant to become
    DataFormat format = DataFormat::Binary;
    bool timeColumn = false;  // the text export's time column
    int64_t blocks = 0;
    // What was left out, one line ("" when the journal was whole): a torn last block, or damage.
    std::string damage;
};

// Reads a journal. What is whole is recovered; a torn or damaged tail is left out and described in
// `damage`. A journal whose blocks belong to another run or another set of channels is refused.
JournalRecovery readJournal(const std::string& path);

// "1234 samples of 4 channels recorded 12/07/26 10:11:12"
std::string journalSummary(const JournalRecovery& journal);

// Writes the recovered recording in `format` to `path` through a temporary file.
WriteResult writeRecoveredRecording(const JournalRecovery& journal, DataFormat format,
                                    const std::string& path);

// Journals in `folder` that no running program is writing (each writer holds a lock on its file).
std::vector<std::string> leftoverJournals(const std::string& folder);

// The journal beside an output file: "<output>.journal".
std::string journalPathFor(const std::string& outputPath);

}  // namespace trindel
