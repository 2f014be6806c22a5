#pragma once
#include <string>
#include <vector>

namespace rt {

enum class MediaProblem {
    missing,              // neither a loose file nor an archive entry
    damaged_entry,        // the archive entry does not unpack
    temp_not_writable,    // the unpacked entry cannot be written out
    undecodable,          // the file is there but its loader cannot read it
};

// Names a media file that cannot be used, once per file, on standard error
// and in the error log, so that a player can tell what is wrong.
void report_media_problem(const std::string& name, MediaProblem problem);
// The texts reported so far, in order ("gfx/title.png: missing").
const std::vector<std::string>& media_problems();
void forget_media_problems();

}  // namespace rt
