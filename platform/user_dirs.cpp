#include "platform/user_dirs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace platform::user_dirs {
namespace {

std::string with_slash(std::string dir) {
    if (!dir.empty() && dir.back() != '/') dir += '/';
    return dir;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string home() {
    std::string dir = environment("HOME");
    return dir.empty() ? std::string("/tmp/") : with_slash(dir);
}

// An XDG variable counts only when it holds an absolute path.
std::string xdg_base(const char* variable, const char* fallback_under_home) {
    const std::string value = environment(variable);
    if (!value.empty() && value.front() == '/') return with_slash(value);
    return home() + fallback_under_home;
}

std::string parent_of(const std::string& path) {
    const auto slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string system_reason() { return std::strerror(errno); }

// The value of XDG_PICTURES_DIR in user-dirs.dirs, "$HOME" expanded.
std::string pictures_from_user_dirs() {
    std::ifstream in(xdg_base("XDG_CONFIG_HOME", ".config/") + "user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_PICTURES_DIR=";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home() + value.substr(value.size() > 5 && value[5] == '/' ? 6 : 5);
        if (!value.empty() && value.front() == '/') return with_slash(value);
    }
    return {};
}

}  // namespace

std::string data_home() { return xdg_base("XDG_DATA_HOME", ".local/share/") + "marlowick/"; }

std::string config_home() { return xdg_base("XDG_CONFIG_HOME", ".config/") + "marlowick/"; }

std::string pictures_dir() {
    const std::string from_file = pictures_from_user_dirs();
    return from_file.empty() ? home() + "Pictures/" : from_file;
}

std::vector<std::string> media_dirs(const std::string& program_dir) {
    const std::string dir = with_slash(program_dir);
    return {dir, dir + "../share/marlowick/"};
}

std::string progress_dir(const std::string& program_dir) {
    const std::string dir = with_slash(program_dir);
    return directory_writable(dir) ? dir : data_home();
}

bool directory_writable(const std::string& dir) {
    return !dir.empty() && access(dir.c_str(), W_OK | X_OK) == 0;
}

bool ensure_directory(const std::string& dir) {
    struct stat info {};
    if (stat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    const std::string parent = parent_of(dir);
    if (parent != dir && parent != "/" && parent != "./") ensure_directory(parent);
    return mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST;
}

WriteResult write_file_atomically(const std::string& path, const std::string& bytes) {
    const std::string dir = parent_of(path);
    if (!ensure_directory(dir)) return {false, "cannot create " + dir + ": " + system_reason()};
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) return {false, "cannot write in " + dir + ": " + system_reason()};
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    WriteResult result{written == bytes.size(), {}};
    if (!result.ok) result.error = "cannot write " + temporary + ": " + system_reason();
    if (result.ok && fsync(fd) != 0) result = {false, "cannot flush " + temporary + ": " + system_reason()};
    fchmod(fd, 0644);
    if (close(fd) != 0 && result.ok) result = {false, "cannot close " + temporary + ": " + system_reason()};
    if (result.ok && rename(temporary.c_str(), path.c_str()) != 0) {
        result = {false, "cannot rename into " + path + ": " + system_reason()};
    }
    if (!result.ok) {
        unlink(temporary.c_str());
        return result;
    }
    // The rename itself must reach the disk before we call it saved.
    const int dir_fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir_fd >= 0) {
        fsync(dir_fd);
        close(dir_fd);
    }
    return result;
}

}  // namespace platform::user_dirs
