#pragma once
#include <string>
#include <string_view>

namespace rt {

// "ErrorLog.txt" in the user's temporary directory.
std::string error_log_path();
void delete_error_log();
// Appends text + CR LF with its own open-append-close; an open that fails is
// retried after 100 ms, five attempts in all, then the line is dropped.
void append_error_log(std::string_view text);

}  // namespace rt
