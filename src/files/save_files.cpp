#include "files/save_files.h"

#include "files/binary_recording_writer.h"
#include "files/expedata_export.h"
#include "files/recording_from_program.h"
#include "text/date_stamp.h"

namespace trindel {

DataFormat chosenFormat(const PrefsArray& prefs) {
    if (prefs[kPrefFormatText] != 0) {
        return DataFormat::Text;
    }
    if (prefs[kPrefFormatExpeData] != 0) {
        return DataFormat::ExpeData;
    }
    return DataFormat::Binary;
}

const char* extensionOf(DataFormat format) {
    switch (format) {
        case DataFormat::Text:
            return ".txt";
        case DataFormat::ExpeData:
            return ".sabl";
        case DataFormat::Binary:
            break;
    }
    return ".kstn";
}

std::string withExtension(const std::string& name, DataFormat format, const PrefsArray& prefs) {
    const std::string extension = extensionOf(format);
    if (prefs[kPrefAddExtension] == 0 ||
        (name.size() >= extension.size() &&
         name.compare(name.size() - extension.size(), extension.size(), extension) == 0)) {
        return name;
    }
    return name + extension;
}

WriteResult writeChartFile(Program& p, DataFormat format, const std::string& path,
                           const ExportProgress& progress) {
    return writeFileAtomically(path, [&](ByteSink& sink) {
        switch (format) {
            case DataFormat::Text:
                return SaveASCII(p, sink, progress);
            case DataFormat::ExpeData:
                return SaveSABLE(p, sink);
            case DataFormat::Binary:
                break;
        }
        return SAVEBINARY(p, sink);
    });
}

WriteResult writeScopeSweepFile(Program& p, DataFormat format, const std::string& path,
                                std::span<const float> sweep, float interval,
                                const std::string& timeOfSaving) {
    return writeFileAtomically(path, [&](ByteSink& sink) {
        switch (format) {
            case DataFormat::Text:
                return writeScopeSweepText(sweep, interval, sink);
            case DataFormat::ExpeData:
                return writeExpeData(scopeRecording(p, sweep, interval, timeOfSaving), sink);
            case DataFormat::Binary:
                break;
        }
        return writeBinaryRecording(scopeRecording(p, sweep, interval, timeOfSaving), sink);
    });
}

SaveOutcome SAVEFILES(Program& p, Host& host, const SaveHooks& hooks) {
    p.prefs[kPrefDataSaved] = 0;
    const auto answer = host.askSaveFile("Save DATA File As...", "chart data");
    if (!answer || answer->empty()) {
        return SaveOutcome::Cancelled;
    }
    const DataFormat format = chosenFormat(p.prefs);
    if (format == DataFormat::Text) {
        if (hooks.textCaution) {
            hooks.textCaution();
        }
    } else if (hooks.fileComments) {
        hooks.fileComments(fileNamePart(*answer));
    }
    const std::string path = withExtension(*answer, format, p.prefs);
    bool cancelled = false;
    ExportProgress progress;
    if (hooks.progress) {
        progress = [&](int64_t done, int64_t total) {
            cancelled = !hooks.progress(done, total);
            return !cancelled;
        };
    }
    const WriteResult result = writeChartFile(p, format, path, progress);
    if (!result.ok) {
        if (cancelled) {
            return SaveOutcome::Cancelled;
        }
        host.alert("File error", result.error, {"OK"});
        return SaveOutcome::Failed;
    }
    p.prefs[kPrefDataSaved] = 1;
    if (format == DataFormat::Text && hooks.playSound) {
        hooks.playSound("wsst");
    }
    p.files.filestrings.dataFileName = fileNamePart(path).substr(0, 52);
    p.files.SfileFolder = folderPart(path);
    return SaveOutcome::Saved;
}

}  // namespace trindel
