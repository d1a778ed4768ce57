// trindel-cli recover JOURNAL [-o FILE] [--to FORMAT] [--keep]: rebuilds the recording a killed or
// crashed run left in its journal and saves it, by default where and how the run meant to.
#include <sys/stat.h>
#include <unistd.h>

#include <iostream>

#include "command_registry.h"
#include "files/crash_journal.h"
#include "files/output_path.h"

namespace trindel::cli {

namespace {

struct Options {
    std::string journal, output, to;
    bool keep = false;
};

int runRecover(const Options& o) {
    const JournalRecovery journal = readJournal(o.journal);
    if (!journal.ok) {
        std::cerr << "trindel-cli recover: " << journal.error << "\n";
        return 1;
    }
    DataFormat format = journal.format;
    if (o.to == "binary") {
        format = DataFormat::Binary;
    } else if (o.to == "text") {
        format = DataFormat::Text;
    } else if (o.to == "expedata") {
        format = DataFormat::ExpeData;
    }
    const std::string output = o.output.empty() ? journal.outputPath : o.output;
    struct stat st {};
    if (o.output.empty() && ::lstat(output.c_str(), &st) == 0) {
        std::cerr << "trindel-cli recover: " << output
                  << " exists; name the recovered recording's file with -o\n";
        return 1;
    }
    if (sameFile(output, o.journal)) {
        std::cerr << "trindel-cli recover: " << output << ": output would replace the journal\n";
        return 1;
    }
    const OutputPath target = checkOutputPath(output);
    if (!target.ok) {
        std::cerr << "trindel-cli recover: " << target.error << "\n";
        return 1;
    }
    const WriteResult written = writeRecoveredRecording(journal, format, target.path);
    if (!written.ok) {
        std::cerr << "trindel-cli recover: " << written.error << "; the journal is kept\n";
        return 1;
    }
    std::cout << "Recovered " << journalSummary(journal) << " to " << output << "\n";
    if (!journal.damage.empty()) {
        std::cerr << "trindel-cli recover: " << journal.damage << "\n";
    }
    // A damaged journal stays for a closer look; a whole one has served its purpose.
    if (!o.keep && journal.damage.empty()) {
        ::unlink(o.journal.c_str());
    }
    return 0;
}

CommandRegistrar reg{[](CLI::App& app, int& exitStatus) {
    auto o = std::make_shared<Options>();
    auto* command = app.add_subcommand(
        "recover", "Rebuild the recording a stopped run left in its journal and save it");
    command->add_option("JOURNAL", o->journal, "journal file (FILE.journal beside the recording)")
        ->required();
    command->add_option("-o,--output", o->output,
                        "file to write (default: the file the run was recording to)");
    command->add_option("--to", o->to, "binary, text or expedata (default: the run's format)")
        ->check(CLI::IsMember({"binary", "text", "expedata"}));
    command->add_flag("--keep", o->keep, "keep the journal after recovering it");
    command->callback([o, &exitStatus] { exitStatus = runRecover(*o); });
}};

}  // namespace

}  // namespace trindel::cli
