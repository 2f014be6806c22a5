// Seven of the game's 640 x 480 pictures loaded through the media archive,
// as a location change does: into empty slots (new textures) and again into
// the same slots (reused textures), against a reference done the obvious way
// in the same GL context (unpack, decode with libpng, one texture each).
// Rounds are interleaved; medians.
//   SDL_VIDEODRIVER=offscreen build/bench/picture_load_bench [rounds]
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "bench/bench_common.h"
#include "platform/doubles/test_system.h"
#include "platform/doubles/virtual_clock.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/services.h"
#include "runtime/core/frame_loop.h"
#include "runtime/core/runtime_settings.h"
#include "runtime/files/archive_format.h"
#include "runtime/files/media_archive.h"
#include "runtime/gfx/gl.h"
#include "runtime/gfx/graphics_context.h"
#include "runtime/gfx/sprites.h"

namespace {

namespace fs = std::filesystem;
constexpr int picture_count = 7;

const fs::path& work_dir() {
    static const fs::path dir = fs::temp_directory_path() / "marlowick-picture-bench";
    return dir;
}

std::vector<std::uint8_t> read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool is_640_by_480(const std::vector<std::uint8_t>& png) {
    const auto be32 = [&](std::size_t at) {
        return (png[at] << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
    };
    return png.size() > 24 && be32(16) == 640 && be32(20) == 480;
}

// The first seven 640 x 480 pictures of the built media, packed into an archive.
std::vector<std::string> pack_pictures() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(bench::built_pictures(MARLOWICK_BUILD_DIR))) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    std::vector<rt::archive::PackEntry> entries;
    std::vector<std::string> names;
    for (const fs::path& file : files) {
        auto bytes = read_bytes(file);
        if (!is_640_by_480(bytes) || names.size() == picture_count) continue;
        names.push_back(file.filename().string());
        entries.push_back({names.back(), std::move(bytes)});
    }
    const auto archive = rt::archive::build_archive(entries, 0, rt::archive::OffsetBase::file_start);
    std::ofstream(work_dir() / "media.gfx", std::ios::binary)
        .write(reinterpret_cast<const char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    return names;
}

void start_runtime() {
    fs::create_directories(work_dir());
    platform::install_sdl_services();
    platform::services().clock = std::make_unique<platform::doubles::VirtualClock>(0.25);
    platform::services().system = std::make_unique<platform::doubles::TestSystem>(
        work_dir().string() + "/", (work_dir() / "marlowick").string());
    rt::RuntimeSettings& settings = rt::runtime_settings();
    settings.screen_width = 640;
    settings.screen_height = 480;
    settings.frame_rate = 60;
    settings.debug_mode = 1;
    rt::runtime_init("bench", 1);
}

double game_round(const std::vector<std::string>& names) {
    const double start = bench::now_ms();
    for (int slot = 0; slot < picture_count; ++slot) rt::load_sprite("gfx/" + names[slot], slot);
    glFinish();
    return bench::now_ms() - start;
}

// The obvious way: unpack the entry, decode it to RGBA, one texture of the
// padded size with the picture in its corner.
struct Reference {
    std::vector<GLuint> textures = std::vector<GLuint>(picture_count, 0);

    double round(const std::vector<std::string>& names, bool reuse) {
        if (!reuse) {
            glDeleteTextures(picture_count, textures.data());
            std::fill(textures.begin(), textures.end(), 0);
        }
        const double start = bench::now_ms();
        for (int i = 0; i < picture_count; ++i) load(names[i], textures[i]);
        glFinish();
        return bench::now_ms() - start;
    }

    void load(const std::string& name, GLuint& texture) {
        std::ifstream file(work_dir() / "media.gfx", std::ios::binary);
        const auto reader = rt::archive::ArchiveReader::open(file);
        const auto entry = reader->find(name);
        const auto bytes = reader->unpack(*entry);
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, bytes->data(), bytes->size());
        image.format = PNG_FORMAT_RGBA;
        std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        if (texture == 0) {
            glGenTextures(1, &texture);
            glBindTexture(GL_TEXTURE_2D, texture);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1024, 512, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        } else {
            glBindTexture(GL_TEXTURE_2D, texture);
        }
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, static_cast<GLsizei>(image.width),
                        static_cast<GLsizei>(image.height), GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    start_runtime();
    const std::vector<std::string> names = pack_pictures();
    if (names.size() != picture_count) {
        std::printf("need %d pictures of 640 x 480 in the built media\n", picture_count);
        return 1;
    }
    rt::set_media_archives((work_dir() / "media.gfx").string(), "");
    Reference reference;
    std::vector<double> game_new, game_reused, reference_new, reference_reused;
    const double load_before = bench::load_average();
    for (int round = 0; round < rounds; ++round) {
        for (int slot = 0; slot < picture_count; ++slot) rt::free_sprite_slot(slot);
        rt::drop_spare_textures();
        game_new.push_back(game_round(names));
        reference_new.push_back(reference.round(names, false));
        game_reused.push_back(game_round(names));
        reference_reused.push_back(reference.round(names, true));
    }
    std::printf("seven 640 x 480 pictures through the archive, medians of %d interleaved rounds"
                " (load average %.1f before, %.1f after)\n",
                rounds, load_before, bench::load_average());
    bench::print_row("new textures", bench::median(game_new), bench::median(reference_new), "ms");
    bench::print_row("reused textures", bench::median(game_reused), bench::median(reference_reused), "ms");
    bench::print_row("reused (game) against new (reference)", bench::median(game_reused),
                     bench::median(reference_new), "ms");
    return 0;
}
