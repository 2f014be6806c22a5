#include "platform/ffmpeg/movie_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

struct FormatCloser {
    void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct CodecFreer {
    void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ScalerFreer {
    void operator()(SwsContext* scaler) const { sws_freeContext(scaler); }
};
struct ResamplerFreer {
    void operator()(SwrContext* resampler) const { swr_free(&resampler); }
};
// The I/O context of in-memory input owns its buffer, which FFmpeg may replace.
struct IoFreer {
    void operator()(AVIOContext* io) const {
        if (io == nullptr) return;
        av_freep(&io->buffer);
        avio_context_free(&io);
    }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;

// Bytes in memory read through FFmpeg's I/O callbacks.
struct MemoryInput {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;

    static int read(void* opaque, std::uint8_t* to, int size) {
        auto* input = static_cast<MemoryInput*>(opaque);
        const std::size_t left = input->bytes.size() - input->position;
        const std::size_t count = std::min(left, static_cast<std::size_t>(std::max(size, 0)));
        if (count == 0) return AVERROR_EOF;
        std::memcpy(to, input->bytes.data() + input->position, count);
        input->position += count;
        return static_cast<int>(count);
    }

    static std::int64_t seek(void* opaque, std::int64_t offset, int whence) {
        auto* input = static_cast<MemoryInput*>(opaque);
        const auto size = static_cast<std::int64_t>(input->bytes.size());
        if ((whence & AVSEEK_SIZE) != 0) return size;
        std::int64_t base = 0;
        switch (whence & ~AVSEEK_FORCE) {
        case SEEK_SET: base = 0; break;
        case SEEK_CUR: base = static_cast<std::int64_t>(input->position); break;
        case SEEK_END: base = size; break;
        default: return AVERROR(EINVAL);
        }
        if (offset > size || offset < -size) return AVERROR(EINVAL);
        const std::int64_t target = base + offset;
        if (target < 0 || target > size) return AVERROR(EINVAL);
        input->position = static_cast<std::size_t>(target);
        return target;
    }
};

CodecPtr open_codec(const AVStream& stream) {
    const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
    if (codec == nullptr) return nullptr;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream.codecpar) < 0) return nullptr;
    context->thread_count = 1;
    context->max_pixels = static_cast<std::int64_t>(MovieDecoder::max_side) * MovieDecoder::max_side;
    if (avcodec_open2(context.get(), codec, nullptr) < 0) return nullptr;
    return context;
}

double seconds_of(AVRational rational) { return rational.den == 0 ? 0.0 : av_q2d(rational); }

struct DecoderState {
    using SoundSink = MovieDecoder::SoundSink;
    static constexpr int max_side = MovieDecoder::max_side;
    static constexpr int sound_rate = MovieDecoder::sound_rate;

    std::unique_ptr<MemoryInput> memory;
    std::unique_ptr<AVIOContext, IoFreer> io;
    FormatPtr format;
    int video_index = -1;
    int audio_index = -1;
    CodecPtr video;
    CodecPtr audio;
    int width = 0;
    int height = 0;
    double length_ms = 0.0;
    double frame_ms = 40.0;  // fallback spacing of pictures without time stamps

    std::unique_ptr<AVPacket, PacketFreer> packet{av_packet_alloc()};
    FramePtr decoded{av_frame_alloc()};
    FramePtr current{av_frame_alloc()};
    FramePtr sound{av_frame_alloc()};
    bool have_current = false;
    double current_ms = 0.0;
    bool have_next = false;  // `decoded` holds the picture after `current`
    double next_ms = 0.0;
    bool input_ended = false;
    bool video_ended = false;

    std::unique_ptr<SwsContext, ScalerFreer> scaler;
    std::vector<std::uint8_t> rgba;
    std::unique_ptr<SwrContext, ResamplerFreer> resampler;
    AVChannelLayout resampler_layout{};
    int resampler_rate = 0;
    int resampler_format = -1;
    std::vector<std::int16_t> samples;
    SoundSink sink;

    ~DecoderState() { av_channel_layout_uninit(&resampler_layout); }

    bool set_up_streams() {
        if (avformat_find_stream_info(format.get(), nullptr) < 0) return false;
        video_index = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (video_index < 0) return false;
        const AVStream& stream = *format->streams[video_index];
        video = open_codec(stream);
        if (!video || !set_picture_size(stream)) return false;
        audio_index = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, video_index, nullptr, 0);
        if (audio_index >= 0) audio = open_codec(*format->streams[audio_index]);
        if (!audio) audio_index = -1;

        if (format->duration > 0) {
            length_ms = static_cast<double>(format->duration) * 1000.0 / AV_TIME_BASE;
        } else if (stream.duration > 0) {
            length_ms = static_cast<double>(stream.duration) * seconds_of(stream.time_base) * 1000.0;
        }
        const double rate = seconds_of(stream.avg_frame_rate);
        if (rate > 0.0 && rate < 1000.0) frame_ms = 1000.0 / rate;
        return true;
    }

    // Non-square pixels are widened (or heightened) so the picture shows undistorted.
    bool set_picture_size(const AVStream& stream) {
        width = video->width;
        height = video->height;
        if (width <= 0 || height <= 0 || width > max_side || height > max_side) return false;
        const AVRational aspect = av_guess_sample_aspect_ratio(format.get(), const_cast<AVStream*>(&stream), nullptr);
        const double ratio = seconds_of(aspect);
        if (ratio > 1.0) width = std::min(max_side, static_cast<int>(std::lround(width * ratio)));
        if (ratio > 0.0 && ratio < 1.0) height = std::min(max_side, static_cast<int>(std::lround(height / ratio)));
        return true;
    }

    double time_of(const AVFrame& frame) {
        const AVStream& stream = *format->streams[video_index];
        const std::int64_t stamp = frame.best_effort_timestamp;
        if (stamp == AV_NOPTS_VALUE) return have_current ? current_ms + frame_ms : 0.0;
        if (stream.start_time != AV_NOPTS_VALUE && stamp < stream.start_time) return 0.0;
        const std::int64_t start = stream.start_time == AV_NOPTS_VALUE ? 0 : stream.start_time;
        return static_cast<double>(stamp - start) * seconds_of(stream.time_base) * 1000.0;
    }

    // Reads one packet and feeds it to its decoder; false when the input has ended.
    bool feed() {
        if (input_ended) return false;
        if (av_read_frame(format.get(), packet.get()) < 0) {
            input_ended = true;
            avcodec_send_packet(video.get(), nullptr);  // drain the pictures still held
            return false;
        }
        if (packet->stream_index == video_index) {
            avcodec_send_packet(video.get(), packet.get());  // a damaged packet is skipped
        } else if (packet->stream_index == audio_index) {
            decode_sound();
        }
        av_packet_unref(packet.get());
        return true;
    }

    void decode_sound() {
        if (avcodec_send_packet(audio.get(), packet.get()) < 0) return;
        while (avcodec_receive_frame(audio.get(), sound.get()) >= 0) {
            resample(*sound);
            av_frame_unref(sound.get());
        }
    }

    bool prepare_resampler(const AVFrame& frame) {
        if (resampler && frame.sample_rate == resampler_rate && frame.format == resampler_format &&
            av_channel_layout_compare(&frame.ch_layout, &resampler_layout) == 0) {
            return true;
        }
        resampler.reset();
        if (frame.sample_rate <= 0 || frame.ch_layout.nb_channels <= 0) return false;
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        AVChannelLayout input{};
        if (av_channel_layout_copy(&input, &frame.ch_layout) < 0) return false;
        SwrContext* context = nullptr;
        const int made = swr_alloc_set_opts2(&context, &stereo, AV_SAMPLE_FMT_S16, sound_rate, &input,
                                             static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
        av_channel_layout_uninit(&input);
        if (made < 0) return false;
        resampler.reset(context);
        if (swr_init(context) < 0) {
            resampler.reset();
            return false;
        }
        av_channel_layout_uninit(&resampler_layout);
        av_channel_layout_copy(&resampler_layout, &frame.ch_layout);
        resampler_rate = frame.sample_rate;
        resampler_format = frame.format;
        return true;
    }

    void resample(const AVFrame& frame) {
        if (!sink || frame.nb_samples <= 0 || !prepare_resampler(frame)) return;
        const int room = swr_get_out_samples(resampler.get(), frame.nb_samples);
        if (room <= 0) return;
        samples.resize(static_cast<std::size_t>(room) * 2);
        std::uint8_t* out = reinterpret_cast<std::uint8_t*>(samples.data());
        const int made = swr_convert(resampler.get(), &out, room, const_cast<const std::uint8_t**>(frame.extended_data),
                                     frame.nb_samples);
        if (made > 0) sink({samples.data(), static_cast<std::size_t>(made) * 2});
    }

    std::optional<double> next_picture_time() {
        if (have_next) return next_ms;
        while (!video_ended) {
            const int result = avcodec_receive_frame(video.get(), decoded.get());
            if (result >= 0) {
                next_ms = time_of(*decoded);
                have_next = true;
                return next_ms;
            }
            if (result == AVERROR(EAGAIN) && !input_ended) {
                feed();
                continue;
            }
            video_ended = true;  // the end of the stream, or a decoder that gave up
        }
        return std::nullopt;
    }

    void advance() {
        if (!next_picture_time()) return;
        av_frame_unref(current.get());
        av_frame_move_ref(current.get(), decoded.get());
        have_next = false;
        have_current = true;
        current_ms = next_ms;
    }

    MoviePicture convert_current() {
        rgba.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
        const AVFrame& frame = *current;
        if (have_current && frame.width > 0 && frame.height > 0 && frame.format >= 0) {
            scaler.reset(sws_getCachedContext(scaler.release(), frame.width, frame.height,
                                              static_cast<AVPixelFormat>(frame.format), width, height,
                                              AV_PIX_FMT_RGBA, SWS_BILINEAR, nullptr, nullptr, nullptr));
            if (scaler) {
                std::uint8_t* planes[4] = {rgba.data(), nullptr, nullptr, nullptr};
                int strides[4] = {width * 4, 0, 0, 0};
                sws_scale(scaler.get(), frame.data, frame.linesize, 0, frame.height, planes, strides);
            }
        }
        return {width, height, rgba};
    }

    bool rewind() {
        const AVStream& stream = *format->streams[video_index];
        const std::int64_t start = stream.start_time == AV_NOPTS_VALUE ? 0 : stream.start_time;
        if (av_seek_frame(format.get(), video_index, start, AVSEEK_FLAG_BACKWARD) < 0 &&
            avformat_seek_file(format.get(), -1, INT64_MIN, 0, INT64_MAX, 0) < 0) {
            return false;
        }
        avcodec_flush_buffers(video.get());
        if (audio) avcodec_flush_buffers(audio.get());
        if (resampler) swr_init(resampler.get());
        input_ended = false;
        video_ended = false;
        have_current = false;
        have_next = false;
        av_frame_unref(decoded.get());
        return true;
    }
};

class FfmpegMovieDecoder final : public MovieDecoder {
public:
    explicit FfmpegMovieDecoder(std::unique_ptr<DecoderState> state) : state_(std::move(state)) {}

    int width() const override { return state_->width; }
    int height() const override { return state_->height; }
    double length_ms() const override { return state_->length_ms; }
    void set_sound_sink(SoundSink sink) override { state_->sink = std::move(sink); }
    std::optional<double> next_picture_time() override { return state_->next_picture_time(); }
    void advance() override { state_->advance(); }
    MoviePicture convert_current() override { return state_->convert_current(); }
    bool rewind() override { return state_->rewind(); }

private:
    std::unique_ptr<DecoderState> state_;
};

}  // namespace


std::unique_ptr<MovieDecoder> MovieDecoder::open_file(const std::string& path) {
    av_log_set_level(AV_LOG_QUIET);
    auto state = std::make_unique<DecoderState>();
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return nullptr;
    state->format.reset(format);
    if (!state->packet || !state->decoded || !state->current || !state->sound || !state->set_up_streams()) {
        return nullptr;
    }
    return std::make_unique<FfmpegMovieDecoder>(std::move(state));
}

std::unique_ptr<MovieDecoder> MovieDecoder::open_bytes(std::span<const std::uint8_t> bytes) {
    av_log_set_level(AV_LOG_QUIET);
    constexpr int io_buffer_size = 4096;
    auto state = std::make_unique<DecoderState>();
    state->memory = std::make_unique<MemoryInput>(MemoryInput{bytes, 0});
    auto* buffer = static_cast<unsigned char*>(av_malloc(io_buffer_size));
    if (buffer == nullptr) return nullptr;
    state->io.reset(avio_alloc_context(buffer, io_buffer_size, 0, state->memory.get(), &MemoryInput::read, nullptr,
                                       &MemoryInput::seek));
    if (!state->io) {
        av_free(buffer);
        return nullptr;
    }
    AVFormatContext* format = avformat_alloc_context();
    if (format == nullptr) return nullptr;
    format->pb = state->io.get();
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    if (avformat_open_input(&format, nullptr, nullptr, nullptr) < 0) return nullptr;  // frees format
    state->format.reset(format);
    if (!state->packet || !state->decoded || !state->current || !state->sound || !state->set_up_streams()) {
        return nullptr;
    }
    return std::make_unique<FfmpegMovieDecoder>(std::move(state));
}

}  // namespace platform
