#include "runtime/core/error_log.h"

#include <cstdio>
#include <memory>

#include "platform/services.h"

namespace rt {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr int open_attempts = 5;
constexpr int retry_delay_ms = 100;

}  // namespace

std::string error_log_path() { return platform::services().system->temp_dir() + "ErrorLog.txt"; }

void delete_error_log() { std::remove(error_log_path().c_str()); }

void append_error_log(std::string_view text) {
    const std::string path = error_log_path();
    for (int attempt = 0; attempt < open_attempts; ++attempt) {
        if (attempt > 0) platform::services().clock->sleep_ms(retry_delay_ms);
        FileHandle file(std::fopen(path.c_str(), "ab"));
        if (!file) continue;
        std::fwrite(text.data(), 1, text.size(), file.get());
        std::fwrite("\r\n", 1, 2, file.get());
        return;
    }
}

}  // namespace rt
