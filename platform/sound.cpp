#include "platform/sound.h"

#include <cmath>

namespace platform {

bool pcm_format_supported(const PcmFormat& format) {
    const int bits = format.bits_per_sample;
    if (format.channels != 1 && format.channels != 2) return false;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (format.samples_per_second < 100 || format.samples_per_second > 200000) return false;
    return format.block_align >= format.channels * (bits / 8);
}

float gain_for_millibels(int millibels) {
    if (millibels <= silent_millibels) return 0.0f;
    if (millibels >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, millibels / 2000.0));
}

StereoGain gain_for_volume_and_pan(int volume_millibels, int pan) {
    const float volume = gain_for_millibels(volume_millibels);
    return {volume * gain_for_millibels(pan > 0 ? -pan : 0), volume * gain_for_millibels(pan < 0 ? pan : 0)};
}

}  // namespace platform
