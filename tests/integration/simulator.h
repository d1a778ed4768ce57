// Runs trindel-devsim and trindel-cli for the integration tests: a simulator on its own
// pseudo-terminal (with a byte log) and command lines with their exit status and output.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace trindel::integration {

inline std::filesystem::path scratchDir() {
    auto dir =
        std::filesystem::temp_directory_path() / ("trindel-it-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

// A running simulator; stopped when destroyed.
class Simulator {
  public:
    explicit Simulator(std::vector<std::string> args) {
        const auto dir = scratchDir();
        static int n = 0;
        ++n;
        link_ = (dir / ("port" + std::to_string(n))).string();
        log_ = (dir / ("sim" + std::to_string(n) + ".log")).string();
        args.insert(args.begin(), DEVSIM_PATH);
        for (const std::string& extra :
             {std::string("--link"), link_, std::string("--log"), log_}) {
            args.push_back(extra);
        }
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            std::vector<char*> argv;
            for (auto& a : args) {
                argv.push_back(a.data());
            }
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        // The simulator prints its path once the terminal is ready.
        char buf[256];
        const ssize_t got = ::read(out[0], buf, sizeof buf);
        ::close(out[0]);
        ready_ = got > 0;
    }
    ~Simulator() { stop(); }
    void stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }
    bool ready() const { return ready_; }
    const std::string& port() const { return link_; }

    // The bytes received, in order, from the log (escapes undone).
    std::string received() const { return logged("RX"); }
    std::string sent() const { return logged("TX"); }

  private:
    std::string logged(const std::string& direction) const {
        std::ifstream in(log_);
        std::string line, out;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string time, dir;
            fields >> time >> dir;
            if (dir != direction) {
                continue;
            }
            const std::string text = line.substr(time.size() + dir.size() + 2);
            for (size_t i = 0; i < text.size(); ++i) {
                if (text[i] != '\\' || i + 1 >= text.size()) {
                    out.push_back(text[i]);
                    continue;
                }
                const char e = text[++i];
                if (e == 'r') {
                    out.push_back('\r');
                } else if (e == 'n') {
                    out.push_back('\n');
                } else if (e == 'x') {
                    out.push_back(static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
                    i += 2;
                } else {
                    out.push_back(e);
                }
            }
        }
        return out;
    }

    pid_t pid_ = -1;
    bool ready_ = false;
    std::string link_, log_;
};

struct CommandResult {
    int status = -1;
    std::string output;  // standard output and error together
};

inline CommandResult runCommand(const std::string& commandLine) {
    CommandResult r;
    FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    std::array<char, 512> buf{};
    size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0) {
        r.output.append(buf.data(), n);
    }
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}  // namespace trindel::integration
