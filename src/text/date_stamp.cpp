#include "text/date_stamp.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace trindel {

DateStamp localStamp(std::time_t when) {
    std::tm t{};
    localtime_r(&when, &t);
    char date[16];
    char time[16];
    std::strftime(date, sizeof date, "%m/%d/%y", &t);
    std::strftime(time, sizeof time, "%H:%M:%S", &t);
    return {date, time};
}

std::string fileNameDate(const std::string& date) {
    std::string out = date;
    std::replace(out.begin(), out.end(), '/', '-');
    return out;
}

std::string programDataFolder() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* pw = getpwuid(getuid());
        home = pw != nullptr ? pw->pw_dir : nullptr;
    }
    if (home == nullptr) {
        return {};
    }
    std::string folder = std::string(home) + "/Trindel";
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
        return {};
    }
    return folder;
}

std::string fileNamePart(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderPart(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace trindel
