#include "runtime/gfx/picture_read_ahead.h"

#include <algorithm>
#include <condition_variable>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <utility>

#include "runtime/files/archive_format.h"
#include "runtime/files/file_places.h"
#include "runtime/gfx/sprites.h"

namespace rt {
namespace {

// Decoded pictures waiting to be taken may hold this much at once: about five
// full-screen pictures, so the start-up's backgrounds are ready when the game
// asks for them, while start-up never holds all ten at the same time.
constexpr std::size_t held_bytes_limit = 16u << 20;

class PictureReadAhead {
public:
    PictureReadAhead(std::string archive_path, std::vector<std::string> names, std::int32_t key)
        : key_(key), worker_([this, path = std::move(archive_path), names = std::move(names)](std::stop_token stop) {
              run(stop, path, names);
          }) {}
    PictureReadAhead(const PictureReadAhead&) = delete;
    PictureReadAhead& operator=(const PictureReadAhead&) = delete;

    bool take(std::span<const std::uint8_t> bytes, std::int32_t key, RgbaImage& image, TextureBuffer* texture) {
        if (key != key_) return false;
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return listed_; });
        const auto item = std::find_if(items_.begin(), items_.end(), [&](const Item& i) {
            return i.state != State::taken && std::ranges::equal(i.bytes, bytes);
        });
        if (item == items_.end()) return false;
        if (item->state == State::waiting) {
            // Not started: the caller decodes it now rather than wait behind others.
            item->state = State::taken;
            return false;
        }
        changed_.wait(lock, [&] { return item->state == State::ready; });
        item->state = State::taken;
        item->bytes = {};
        if (!item->decoded) return false;
        held_bytes_ -= item->decoded->size();
        image = std::move(item->decoded->image);
        if (texture != nullptr) *texture = std::move(item->decoded->texture);
        item->decoded.reset();
        lock.unlock();
        changed_.notify_all();  // room for the next one
        return true;
    }

    void wait_until_done() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return done_ || held_bytes_ >= held_bytes_limit; });
    }

private:
    enum class State { waiting, decoding, ready, taken };
    struct Decoded {
        RgbaImage image;
        TextureBuffer texture;

        std::size_t size() const { return image.pixels.size() + texture.texels.size(); }
    };
    struct Item {
        archive::Bytes bytes;
        State state = State::waiting;
        std::optional<Decoded> decoded;
    };

    void run(const std::stop_token& stop, const std::string& archive_path, const std::vector<std::string>& names) {
        list(archive_path, names);
        for (std::size_t i = 0; i < items_.size() && !stop.stop_requested(); ++i) {
            std::span<const std::uint8_t> bytes;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, stop, [this] { return held_bytes_ < held_bytes_limit; });
                if (stop.stop_requested()) break;
                if (items_[i].state != State::waiting) continue;
                items_[i].state = State::decoding;
                bytes = items_[i].bytes;  // stays put: only the decoding state's owner touches it
            }
            std::optional<Decoded> decoded = decode(bytes);
            {
                const std::scoped_lock lock(mutex_);
                if (decoded) held_bytes_ += decoded->size();
                items_[i].decoded = std::move(decoded);
                items_[i].state = State::ready;
            }
            changed_.notify_all();
        }
        {
            const std::scoped_lock lock(mutex_);
            done_ = true;
        }
        changed_.notify_all();
    }

    // Unpacks every named entry first, so a load can tell at once whether its
    // file is one of them.
    void list(const std::string& archive_path, const std::vector<std::string>& names) {
        std::vector<Item> items;
        std::ifstream file(archive_path, std::ios::binary);
        const auto reader = file.is_open() ? archive::ArchiveReader::open(file) : std::nullopt;
        for (const std::string& name : names) {
            if (!reader) break;
            const auto entry = reader->find(archive::base_name(name));
            auto bytes = entry ? reader->unpack(*entry) : std::nullopt;
            if (bytes) items.push_back(Item{std::move(*bytes), State::waiting, std::nullopt});
        }
        {
            const std::scoped_lock lock(mutex_);
            items_ = std::move(items);
            listed_ = true;
        }
        changed_.notify_all();
    }

    std::optional<Decoded> decode(std::span<const std::uint8_t> bytes) const {
        Decoded d;
        if (!decode_picture(d.image, bytes, key_, "", PngMessages::quiet)) return std::nullopt;
        const int width = d.image.width;
        const int height = d.image.height;
        build_texels(d.texture, d.image, 0, 0, width, height, texture_size_for(width), texture_size_for(height), false,
                     false);
        return d;
    }

    const std::int32_t key_;
    std::mutex mutex_;
    std::condition_variable_any changed_;  // waits that the stop request also ends
    std::vector<Item> items_;
    std::size_t held_bytes_ = 0;
    bool listed_ = false;
    bool done_ = false;
    std::jthread worker_;  // last: started once everything it uses exists, stopped and joined first
};

std::unique_ptr<PictureReadAhead>& read_ahead() {
    static std::unique_ptr<PictureReadAhead> instance;
    return instance;
}

}  // namespace

void read_pictures_ahead(const std::string& archive_name, const std::vector<std::string>& names,
                         std::int32_t key) {
    end_picture_read_ahead();
    read_ahead() = std::make_unique<PictureReadAhead>(files::place_to_read(archive_name), names, key);
}

bool take_picture_read_ahead(std::span<const std::uint8_t> bytes, std::int32_t key, RgbaImage& image,
                             TextureBuffer* texture) {
    return read_ahead() && read_ahead()->take(bytes, key, image, texture);
}

void wait_for_picture_read_ahead() {
    if (read_ahead()) read_ahead()->wait_until_done();
}

void end_picture_read_ahead() { read_ahead().reset(); }

}  // namespace rt
