// trindel-cli convert FILE --to text|expedata [-o OUT]: rewrites a recording in another format,
// with a progress line on a terminal; Ctrl-C cancels and leaves no partial file.
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <iostream>

#include "command_registry.h"
#include "files/atomic_file.h"
#include "files/expedata_export.h"
#include "files/output_path.h"
#include "files/recording_file_reader.h"
#include "files/text_export.h"
#include "text/date_stamp.h"

namespace trindel::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

std::string replaceExtension(const std::string& path, const std::string& extension) {
    const auto slash = path.rfind('/');
    const auto dot = path.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)) {
        return path.substr(0, dot) + extension;
    }
    return path + extension;
}

// The end of the recording from its start stamp and duration, for files that carry no end stamp.
void estimateEnd(Recording& r) {
    if (!r.endDate.empty() || r.startDate.size() != 8 || r.startTime.size() != 8) {
        return;
    }
    std::tm t{};
    if (strptime((r.startDate + " " + r.startTime).c_str(), "%m/%d/%y %H:%M:%S", &t) == nullptr) {
        return;
    }
    t.tm_isdst = -1;
    const std::time_t start = std::mktime(&t);
    const std::time_t end =
        start + static_cast<std::time_t>(static_cast<double>(r.sampleCount) * r.sampleInterval);
    const DateStamp stamp = localStamp(end);
    r.endDate = stamp.date;
    r.endTime = stamp.time;
}

int runConvert(const std::string& path, const std::string& to, std::string output,
               bool timeColumn) {
    ReadResult read = readRecordingFile(path);
    if (!read.ok) {
        std::cerr << "trindel-cli: " << path << ": " << read.error << "\n";
        return 1;
    }
    Recording& r = read.file.recording;
    const bool text = to == "text";
    if (output.empty()) {
        output = replaceExtension(path, text ? ".txt" : ".sabl");
    }
    // The same file through any spelling or link is refused: writing it would destroy the source.
    if (output == path || sameFile(output, path)) {
        std::cerr << "trindel-cli: " << path << ": output would replace the input\n";
        return 1;
    }
    const OutputPath target = checkOutputPath(output);
    if (!target.ok) {
        std::cerr << "trindel-cli: " << target.error << "\n";
        return 1;
    }
    const bool showProgress = ::isatty(STDERR_FILENO) != 0;
    interrupted = 0;
    auto previous = std::signal(SIGINT, onInterrupt);
    const WriteResult result = writeFileAtomically(target.path, [&](ByteSink& sink) {
        if (!text) {
            estimateEnd(r);
            return writeExpeData(r, sink);
        }
        return writeTextExport(r, sink, timeColumn, [&](int64_t done, int64_t total) {
            if (showProgress) {
                std::cerr << "\rWriting text: " << (total > 0 ? done * 100 / total : 100) << " %"
                          << std::flush;
            }
            return interrupted == 0;
        });
    });
    std::signal(SIGINT, previous);
    if (showProgress && text) {
        std::cerr << "\n";
    }
    if (!result.ok) {
        std::cerr << "trindel-cli: " << output << ": "
                  << (interrupted ? "cancelled, nothing written" : result.error) << "\n";
        return 1;
    }
    std::cout << output << "\n";
    return 0;
}

CommandRegistrar reg{[](CLI::App& app, int& exitStatus) {
    struct Options {
        std::string path, to, output;
        bool timeColumn = false;
    };
    auto o = std::make_shared<Options>();
    auto* command = app.add_subcommand("convert", "Convert a recording to text or ExpeData");
    command->add_option("FILE", o->path, "Recording file")->required();
    command->add_option("--to", o->to, "Output format")
        ->required()
        ->check(CLI::IsMember({"text", "expedata"}));
    command->add_option("-o,--output", o->output, "Output file (default: FILE with .txt or .sabl)");
    command->add_flag("--time", o->timeColumn, "Text: add the elapsed-time column");
    command->callback(
        [o, &exitStatus] { exitStatus = runConvert(o->path, o->to, o->output, o->timeColumn); });
}};

}  // namespace

}  // namespace trindel::cli
