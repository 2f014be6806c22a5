#include "platform/doubles/recording_music.h"

namespace platform::doubles {

bool RecordingMusicPlayer::open(const std::string& path) {
    if (open_) close();
    events.push_back("open " + path);
    open_ = opens_succeed;
    at_start_ = true;
    return open_;
}

void RecordingMusicPlayer::close() {
    events.emplace_back("close");
    open_ = false;
    playing = false;
}

bool RecordingMusicPlayer::play() {
    events.emplace_back("play");
    if (!open_) return false;
    if (!playing && at_start_) ++starts_from_beginning;
    playing = true;
    at_start_ = false;
    if (on_play) on_play();
    return true;
}

bool RecordingMusicPlayer::seek_to_start() {
    events.emplace_back("seek start");
    if (!open_) return false;
    if (playing) ++starts_from_beginning;
    at_start_ = !playing;
    return true;
}

bool RecordingMusicPlayer::stop() {
    events.emplace_back("stop");
    playing = false;
    return open_;
}

bool RecordingMusicPlayer::set_volume(int level) {
    events.push_back("volume " + std::to_string(level));
    volume = level;
    return open_;
}

}  // namespace platform::doubles
