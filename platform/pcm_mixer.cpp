#include "platform/pcm_mixer.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace platform {

namespace {

// Samples of one sound, shared by a buffer and its duplicates.
struct DecodedSamples {
    int channels = 1;
    int rate = PcmMixer::output_rate;
    std::size_t frames = 0;
    std::vector<std::int16_t> data;  // frames x channels, interleaved
};

std::int16_t read_sample(const std::uint8_t* at, int bytes) {
    switch (bytes) {
    case 1:
        return static_cast<std::int16_t>((static_cast<int>(at[0]) - 128) * 256);
    default:
        // The two most significant bytes of a little-endian signed sample.
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(at[bytes - 2] | (at[bytes - 1] << 8)));
    }
}

std::shared_ptr<const DecodedSamples> decode(const PcmFormat& format, std::span<const std::uint8_t> bytes) {
    auto decoded = std::make_shared<DecodedSamples>();
    const int sample_bytes = format.bits_per_sample / 8;
    decoded->channels = format.channels;
    decoded->rate = format.samples_per_second;
    decoded->frames = bytes.size() / static_cast<std::size_t>(format.block_align);
    decoded->data.reserve(decoded->frames * static_cast<std::size_t>(format.channels));
    for (std::size_t frame = 0; frame < decoded->frames; ++frame) {
        const std::uint8_t* block = bytes.data() + frame * static_cast<std::size_t>(format.block_align);
        for (int channel = 0; channel < format.channels; ++channel) {
            decoded->data.push_back(read_sample(block + channel * sample_bytes, sample_bytes));
        }
    }
    return decoded;
}

}  // namespace

struct PcmMixer::Voice {
    std::shared_ptr<const DecodedSamples> samples;
    std::uint32_t block_align = 1;
    bool with_controls = true;
    bool playing = false;
    double position = 0.0;  // in frames of the samples' own rate
    StereoGain gain{1.0f, 1.0f};
    int volume = 0;
    int pan = 0;

    float sample_at(std::size_t frame, int channel) const {
        return samples->data[frame * static_cast<std::size_t>(samples->channels) + static_cast<std::size_t>(channel)];
    }

    // Linear interpolation between neighbouring frames of one channel.
    float interpolated(int channel) const {
        const auto frame = static_cast<std::size_t>(position);
        const float fraction = static_cast<float>(position - static_cast<double>(frame));
        const float here = sample_at(frame, channel);
        if (fraction == 0.0f || frame + 1 >= samples->frames) return here;
        return here + (sample_at(frame + 1, channel) - here) * fraction;
    }

    // Adds this voice to `out` (interleaved stereo) until it ends.
    void mix(std::span<float> out) {
        const double step = static_cast<double>(samples->rate) / PcmMixer::output_rate;
        const int right_channel = samples->channels > 1 ? 1 : 0;
        for (std::size_t i = 0; i + 1 < out.size() && playing; i += 2) {
            if (position >= static_cast<double>(samples->frames)) {
                playing = false;
                position = 0.0;
                break;
            }
            out[i] += interpolated(0) * gain.left;
            out[i + 1] += interpolated(right_channel) * gain.right;
            position += step;
        }
        if (playing && position >= static_cast<double>(samples->frames)) {
            playing = false;
            position = 0.0;
        }
    }
};

class MixerBuffer final : public SoundBuffer {
public:
    MixerBuffer(std::shared_ptr<PcmMixer> mixer, std::shared_ptr<const DecodedSamples> samples,
                std::uint32_t block_align, bool with_controls)
        : mixer_(std::move(mixer)) {
        voice_.samples = std::move(samples);
        voice_.block_align = block_align;
        voice_.with_controls = with_controls;
        mixer_->attach(&voice_);
    }
    ~MixerBuffer() override { mixer_->detach(&voice_); }
    MixerBuffer(const MixerBuffer&) = delete;
    MixerBuffer& operator=(const MixerBuffer&) = delete;

    bool play() override {
        const std::lock_guard lock(mixer_->mutex_);
        voice_.playing = true;
        return true;
    }
    bool stop() override {
        const std::lock_guard lock(mixer_->mutex_);
        voice_.playing = false;
        return true;
    }
    bool set_position(std::uint32_t byte_offset) override {
        const std::lock_guard lock(mixer_->mutex_);
        const std::size_t frame = byte_offset / voice_.block_align;
        voice_.position = static_cast<double>(std::min(frame, voice_.samples->frames));
        return true;
    }
    std::optional<BufferStatus> status() override {
        const std::lock_guard lock(mixer_->mutex_);
        return BufferStatus{voice_.playing, false};
    }
    bool restore() override { return true; }
    bool set_volume(int millibels) override {
        if (!voice_.with_controls) return false;
        const std::lock_guard lock(mixer_->mutex_);
        voice_.volume = std::clamp(millibels, silent_millibels, 0);
        voice_.gain = gain_for_volume_and_pan(voice_.volume, voice_.pan);
        return true;
    }
    bool set_pan(int pan) override {
        if (!voice_.with_controls) return false;
        const std::lock_guard lock(mixer_->mutex_);
        voice_.pan = std::clamp(pan, pan_left, pan_right);
        voice_.gain = gain_for_volume_and_pan(voice_.volume, voice_.pan);
        return true;
    }
    std::unique_ptr<SoundBuffer> duplicate() override {
        return std::make_unique<MixerBuffer>(mixer_, voice_.samples, voice_.block_align, voice_.with_controls);
    }

private:
    std::shared_ptr<PcmMixer> mixer_;
    PcmMixer::Voice voice_;
};

struct PcmMixer::StreamQueue {
    std::deque<std::int16_t> samples;  // interleaved stereo

    void mix(std::span<float> out) {
        const std::size_t count = std::min(out.size() & ~std::size_t{1}, samples.size());
        for (std::size_t i = 0; i < count; ++i) out[i] += samples[i];
        samples.erase(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(count));
    }
};

class MixerStream final : public PcmStream {
public:
    explicit MixerStream(std::shared_ptr<PcmMixer> mixer) : mixer_(std::move(mixer)) {
        const std::lock_guard lock(mixer_->mutex_);
        mixer_->streams_.push_back(&queue_);
    }
    ~MixerStream() override {
        const std::lock_guard lock(mixer_->mutex_);
        std::erase(mixer_->streams_, &queue_);
    }
    MixerStream(const MixerStream&) = delete;
    MixerStream& operator=(const MixerStream&) = delete;

    void push(std::span<const std::int16_t> stereo) override {
        const std::lock_guard lock(mixer_->mutex_);
        const std::size_t room = max_queued_frames * 2 - std::min(max_queued_frames * 2, queue_.samples.size());
        const std::size_t count = std::min(room, stereo.size() & ~std::size_t{1});
        queue_.samples.insert(queue_.samples.end(), stereo.begin(), stereo.begin() + static_cast<std::ptrdiff_t>(count));
    }
    void clear() override {
        const std::lock_guard lock(mixer_->mutex_);
        queue_.samples.clear();
    }
    std::size_t queued_frames() const override {
        const std::lock_guard lock(mixer_->mutex_);
        return queue_.samples.size() / 2;
    }

private:
    std::shared_ptr<PcmMixer> mixer_;
    PcmMixer::StreamQueue queue_;
};

std::unique_ptr<PcmStream> PcmMixer::open_stream() { return std::make_unique<MixerStream>(shared_from_this()); }

std::shared_ptr<PcmMixer> PcmMixer::create() { return std::shared_ptr<PcmMixer>(new PcmMixer()); }

std::unique_ptr<SoundBuffer> PcmMixer::create_buffer(const PcmFormat& format, std::span<const std::uint8_t> samples,
                                                     bool with_controls) {
    if (!pcm_format_supported(format)) return nullptr;
    if (samples.size() < static_cast<std::size_t>(format.block_align)) return nullptr;
    return std::make_unique<MixerBuffer>(shared_from_this(), decode(format, samples),
                                         static_cast<std::uint32_t>(format.block_align), with_controls);
}

void PcmMixer::mix_into(std::span<std::int16_t> stereo) {
    const std::lock_guard lock(mutex_);
    accumulator_.assign(stereo.begin(), stereo.end());
    for (Voice* voice : voices_) {
        if (voice->playing) voice->mix(accumulator_);
    }
    for (StreamQueue* stream : streams_) stream->mix(accumulator_);
    for (std::size_t i = 0; i < stereo.size(); ++i) {
        stereo[i] = static_cast<std::int16_t>(std::lround(std::clamp(accumulator_[i], -32768.0f, 32767.0f)));
    }
}

std::size_t PcmMixer::buffer_count() const {
    const std::lock_guard lock(mutex_);
    return voices_.size();
}

void PcmMixer::attach(Voice* voice) {
    const std::lock_guard lock(mutex_);
    voices_.push_back(voice);
}

void PcmMixer::detach(Voice* voice) {
    const std::lock_guard lock(mutex_);
    std::erase(voices_, voice);
}

}  // namespace platform
