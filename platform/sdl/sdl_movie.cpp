#include "platform/ffmpeg/movie_module.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_parts.h"

namespace platform {
namespace {

// Movies through the FFmpeg decoder, their sound through the shared output.
class SdlMoviePlayer final : public MoviePlayer {
public:
    ~SdlMoviePlayer() override { close(); }

    bool open(const std::string& path) override {
        close();
        const MovieModule* module = movie_module();
        if (module == nullptr) return false;
        decoder_ = module->open_file(native_path(path));
        if (!decoder_) return false;
        // Without a sound output the pictures still play.
        output_ = SdlAudioOutput::acquire();
        if (output_) {
            stream_ = output_->mixer().open_stream();
            decoder_->set_sound_sink([stream = stream_.get()](std::span<const std::int16_t> samples) {
                stream->push(samples);
            });
        }
        return true;
    }

    void close() override {
        decoder_.reset();
        stream_.reset();
        output_.reset();
        shown_any_ = false;
    }

    bool is_open() const override { return decoder_ != nullptr; }
    int width() const override { return decoder_ ? decoder_->width() : 0; }
    int height() const override { return decoder_ ? decoder_->height() : 0; }
    double length_ms() const override { return decoder_ ? decoder_->length_ms() : 0.0; }
    bool ended() override { return !decoder_ || !decoder_->next_picture_time(); }

    std::optional<MoviePicture> picture_at(double position_ms) override {
        if (!decoder_) return std::nullopt;
        bool due = false;
        // The first picture shows at once, later ones at their time; one
        // overtaken by the next is dropped without being converted.
        while (const auto next = decoder_->next_picture_time()) {
            if (*next > position_ms && shown_any_) break;
            decoder_->advance();
            due = shown_any_ = true;
        }
        if (!due) return std::nullopt;
        return decoder_->convert_current();
    }

    bool rewind() override {
        if (!decoder_ || !decoder_->rewind()) return false;
        if (stream_) stream_->clear();
        shown_any_ = false;
        return true;
    }

private:
    std::unique_ptr<MovieDecoder> decoder_;
    std::shared_ptr<SdlAudioOutput> output_;
    std::unique_ptr<PcmStream> stream_;
    bool shown_any_ = false;
};

}  // namespace

std::unique_ptr<MoviePlayer> make_sdl_movie() { return std::make_unique<SdlMoviePlayer>(); }

}  // namespace platform
