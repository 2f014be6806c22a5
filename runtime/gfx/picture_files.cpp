#include "runtime/gfx/picture_files.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/services.h"
#include "runtime/gfx/picture_read_ahead.h"

namespace rt {

void RgbaImage::reset(std::int32_t new_width, std::int32_t new_height) {
    width = new_width;
    height = new_height;
    const std::size_t bytes = static_cast<std::size_t>(new_width) * static_cast<std::size_t>(new_height) * 4;
    pixels.assign(bytes, 0);
}

void RgbaImage::reset_for_overwrite(std::int32_t new_width, std::int32_t new_height) {
    width = new_width;
    height = new_height;
    pixels.resize(static_cast<std::size_t>(new_width) * static_cast<std::size_t>(new_height) * 4);
}

void RgbaImage::clear() {
    width = 0;
    height = 0;
    decltype(pixels)().swap(pixels);
}

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

constexpr long max_file_bytes = 1L << 30;

// The whole file in one read of its size.
std::optional<std::vector<std::uint8_t>> read_whole_file(const std::string& file) {
    const FileHandle in(std::fopen(platform::native_path(file).c_str(), "rb"));
    if (!in || std::fseek(in.get(), 0, SEEK_END) != 0) return std::nullopt;
    const long size = std::ftell(in.get());
    // A directory or device answers with no size or an absurd one.
    if (size < 0 || size > max_file_bytes || std::fseek(in.get(), 0, SEEK_SET) != 0) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), in.get()) != bytes.size()) return std::nullopt;
    return bytes;
}

std::int32_t packed_color(const std::uint8_t* rgb) { return rgb[0] + 256 * rgb[1] + 65536 * rgb[2]; }

void apply_key(std::uint8_t* rgba, std::int32_t key) {
    if (key != no_color_key && packed_color(rgba) == key) std::memset(rgba, 0, 4);
}

bool acceptable_size(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= max_picture_side && height <= max_picture_side &&
           width * height <= max_picture_pixels;
}

// ---- BMP ---------------------------------------------------------------

// Bounds-checked little-endian reads over the file's bytes.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool has(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::uint32_t u16(std::size_t offset) const { return bytes_[offset] | (bytes_[offset + 1] << 8); }
    std::uint32_t u32(std::size_t offset) const {
        return static_cast<std::uint32_t>(bytes_[offset]) | (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    const std::uint8_t* at(std::size_t offset) const { return bytes_.data() + offset; }

private:
    std::span<const std::uint8_t> bytes_;
};

constexpr std::size_t bmp_file_header_size = 14;
constexpr std::size_t bmp_core_header_size = 12;
constexpr std::size_t bmp_info_header_size = 40;

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::size_t palette_offset = 0;
    std::size_t palette_entry_size = 0;
    std::size_t palette_entries = 0;
    std::size_t pixel_offset = 0;
};

std::optional<BmpLayout> parse_bmp_headers(const ByteReader& in) {
    if (!in.has(0, bmp_file_header_size + 4) || *in.at(0) != 'B' || *in.at(1) != 'M') return std::nullopt;
    BmpLayout layout;
    layout.pixel_offset = in.u32(10);
    const std::size_t header_size = in.u32(bmp_file_header_size);
    // Every header byte lies before the pixel data, which must lie in the file.
    if (layout.pixel_offset < bmp_file_header_size || !in.has(0, layout.pixel_offset)) return std::nullopt;
    const std::size_t headers_end = layout.pixel_offset;
    const std::size_t h = bmp_file_header_size;
    std::size_t palette_entries_wanted = 256;
    if (header_size == bmp_core_header_size) {
        if (headers_end < h + bmp_core_header_size) return std::nullopt;
        layout.width = in.u16(h + 4);
        layout.height = in.u16(h + 6);
        layout.bits = in.u16(h + 10);
        layout.palette_offset = h + bmp_core_header_size;
        layout.palette_entry_size = 3;
    } else {
        if (headers_end < h + bmp_info_header_size) return std::nullopt;
        layout.width = in.i32(h + 4);
        layout.height = in.i32(h + 8);
        if (layout.height < 0) layout.height = -layout.height;  // rows are always taken bottom-up
        layout.bits = in.u16(h + 14);
        const std::uint32_t colors_used = in.u32(h + 32);
        if (colors_used != 0 && colors_used < 256) palette_entries_wanted = colors_used;
        layout.palette_offset = h + std::max(header_size, bmp_info_header_size);
        layout.palette_entry_size = 4;
    }
    if (layout.bits == 8 && layout.palette_offset < headers_end) {
        const std::size_t stored = (headers_end - layout.palette_offset) / layout.palette_entry_size;
        layout.palette_entries = std::min(stored, palette_entries_wanted);
    }
    return layout;
}

}  // namespace

bool decode_bmp_image(RgbaImage& image, std::span<const std::uint8_t> bytes, std::int32_t key) {
    image.clear();
    const ByteReader in(bytes);
    const std::optional<BmpLayout> layout = parse_bmp_headers(in);
    if (!layout || (layout->bits != 8 && layout->bits != 24 && layout->bits != 32)) return false;
    if (!acceptable_size(layout->width, layout->height)) return false;

    const std::size_t bytes_per_pixel = layout->bits / 8;
    const std::size_t stride = (static_cast<std::size_t>(layout->width) * bytes_per_pixel + 3) & ~std::size_t{3};
    const auto height = static_cast<std::size_t>(layout->height);
    if (!in.has(layout->pixel_offset, stride * height)) return false;

    image.reset(static_cast<std::int32_t>(layout->width), static_cast<std::int32_t>(layout->height));
    for (std::size_t file_row = 0; file_row < height; ++file_row) {
        const std::uint8_t* source = in.at(layout->pixel_offset + file_row * stride);
        const auto y = static_cast<std::int32_t>(height - 1 - file_row);
        for (std::int32_t x = 0; x < image.width; ++x, source += bytes_per_pixel) {
            std::uint8_t* target = image.pixel(x, y);
            if (bytes_per_pixel == 1) {
                // Indices past the stored palette show black.
                if (*source < layout->palette_entries) {
                    const std::uint8_t* entry = in.at(layout->palette_offset + *source * layout->palette_entry_size);
                    target[0] = entry[2];
                    target[1] = entry[1];
                    target[2] = entry[0];
                }
            } else {
                target[0] = source[2];
                target[1] = source[1];
                target[2] = source[0];
            }
            target[3] = 255;
            apply_key(target, key);
        }
    }
    return true;
}

bool read_bmp_image(RgbaImage& image, const std::string& file, std::int32_t key) {
    const auto bytes = read_whole_file(file);
    if (!bytes) {
        image.clear();
        return false;
    }
    return decode_bmp_image(image, *bytes, key);
}

// ---- PNG ---------------------------------------------------------------

namespace {

struct MemorySource {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

struct PngReadJob {
    MemorySource source;
    std::int32_t key = no_color_key;
    std::string name;
    PngMessages messages = PngMessages::printed;
    RgbaImage decoded;
    std::vector<png_bytep> rows;
};

struct PngReadStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngReadStructs() {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (png != nullptr) info = png_create_info_struct(png);
    }
    ~PngReadStructs() { png_destroy_read_struct(&png, &info, nullptr); }
    PngReadStructs(const PngReadStructs&) = delete;
    PngReadStructs& operator=(const PngReadStructs&) = delete;
};

// libpng errors end the decode silently through its long jump.
[[noreturn]] void png_error_silently(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void png_warning_silently(png_structp, png_const_charp) {}

void png_read_from_memory(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (count > source->bytes.size() - source->position) png_error(png, "short read");
    std::memcpy(out, source->bytes.data() + source->position, count);
    source->position += count;
}

void set_png_transformations(png_structp png, png_infop info) {
    const int color_type = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (color_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (color_type == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) png_set_tRNS_to_alpha(png);
    if (depth == 16) png_set_strip_16(png);
    if (depth < 8) png_set_packing(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

bool accepted_png_layout(png_structp png, png_infop info, const PngReadJob& job) {
    const int channels = png_get_channels(png, info);
    const int depth = png_get_bit_depth(png, info);
    const int color_type = png_get_color_type(png, info);
    const bool say = job.messages == PngMessages::printed;
    if (channels == 2) return false;
    if (depth != 8) {
        if (say) {
            std::printf("File %s has bit depth %d.\n", job.name.c_str(), depth);
            std::puts("Only bit depth of 8 is supported.");
        }
        return false;
    }
    if (color_type != PNG_COLOR_TYPE_GRAY && color_type != PNG_COLOR_TYPE_RGB &&
        color_type != PNG_COLOR_TYPE_RGB_ALPHA) {
        if (say) {
            std::printf("File %s has unsupported color type.\n", job.name.c_str());
            std::puts("Types GRAY, RGB and RGB_ALPHA are supported.");
        }
        return false;
    }
    return channels == 1 || channels == 3 || channels == 4;
}

// Rows are decoded straight into the RGBA buffer (each row has room for 4
// channels) and widened in place from the right end.
void widen_rows_to_rgba(RgbaImage& image, int channels, std::int32_t key) {
    for (std::int32_t y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.pixel(0, y);
        for (std::int32_t x = image.width - 1; x >= 0; --x) {
            std::uint8_t* target = row + x * 4;
            if (channels == 3) {
                const std::uint8_t r = row[x * 3], g = row[x * 3 + 1], b = row[x * 3 + 2];
                target[0] = r;
                target[1] = g;
                target[2] = b;
                target[3] = 255;
                apply_key(target, key);
            } else {
                const std::uint8_t grey = row[x];
                target[0] = target[1] = target[2] = grey;
                target[3] = 255;
            }
        }
    }
}

// Holds the long-jump target: nothing here owns a resource, every object with
// a destructor lives in the caller's frame.
bool run_png_decode(PngReadStructs& structs, PngReadJob& job) {
    png_structp png = structs.png;
    png_infop info = structs.info;
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_set_error_fn(png, nullptr, png_error_silently, png_warning_silently);
    png_set_read_fn(png, &job.source, png_read_from_memory);
    png_set_user_limits(png, max_picture_side, max_picture_side);
    // Text, profiles and the like are skipped unread: libpng would reserve
    // memory for their stated length, however much the file lies about it.
    static constexpr png_byte unused_chunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf";
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, unused_chunks, 6);
    png_read_info(png, info);
    const std::int64_t width = png_get_image_width(png, info);
    const std::int64_t height = png_get_image_height(png, info);
    if (!acceptable_size(width, height)) return false;
    set_png_transformations(png, info);
    if (!accepted_png_layout(png, info, job)) return false;
    if (png_get_rowbytes(png, info) > static_cast<std::size_t>(width) * 4) return false;

    // libpng writes every row whole (narrower rows are widened below).
    job.decoded.reset_for_overwrite(static_cast<std::int32_t>(width), static_cast<std::int32_t>(height));
    job.rows.resize(static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < job.decoded.height; ++y) job.rows[y] = job.decoded.pixel(0, y);
    png_read_image(png, job.rows.data());
    const int channels = png_get_channels(png, info);
    if (channels != 4) widen_rows_to_rgba(job.decoded, channels, job.key);
    return true;
}

}  // namespace

bool decode_png_image(RgbaImage& image, std::span<const std::uint8_t> bytes, std::int32_t key,
                      const std::string& name, PngMessages messages) {
    PngReadStructs structs;
    if (structs.png == nullptr || structs.info == nullptr) return false;
    // Decoded into a separate buffer: a failed decode leaves the image as it was.
    auto job = std::make_unique<PngReadJob>();
    job->source.bytes = bytes;
    job->key = key;
    job->name = name;
    job->messages = messages;
    if (!run_png_decode(structs, *job)) return false;
    image.width = job->decoded.width;
    image.height = job->decoded.height;
    image.pixels.swap(job->decoded.pixels);
    return true;
}

bool read_png_image(RgbaImage& image, const std::string& file, std::int32_t key) {
    const auto bytes = read_whole_file(file);
    if (!bytes) return false;
    return decode_png_image(image, *bytes, key, platform::native_path(file));
}

bool read_picture_image(RgbaImage& image, const std::string& file, std::int32_t key, TextureBuffer* texture) {
    const auto bytes = read_whole_file(file);
    if (!bytes) {
        image.clear();
        return false;
    }
    if (take_picture_read_ahead(*bytes, key, image, texture)) return true;
    return decode_picture(image, *bytes, key, platform::native_path(file));
}

bool decode_picture(RgbaImage& image, std::span<const std::uint8_t> bytes, std::int32_t key, const std::string& name,
                    PngMessages messages) {
    return decode_bmp_image(image, bytes, key) || decode_png_image(image, bytes, key, name, messages);
}

// ---- Writing -----------------------------------------------------------

namespace {

bool ends_in_png(const std::string& file) {
    if (file.size() <= 4) return false;
    std::string ending = file.substr(file.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ending == ".png";
}

bool shows_key(const std::uint8_t* rgb, const std::optional<Rgb>& key_look) {
    return key_look && rgb[0] == (*key_look)[0] && rgb[1] == (*key_look)[1] && rgb[2] == (*key_look)[2];
}

void put_u16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
}

bool write_bmp_file(const std::string& path, std::span<const std::uint8_t> pixels, std::int32_t width,
                    std::int32_t height, const std::optional<Rgb>& key_look) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> out;
    out.reserve(54 + stride * height);
    out.push_back('B');
    out.push_back('M');
    put_u32(out, static_cast<std::uint32_t>(54 + stride * height));
    put_u32(out, 0);
    put_u32(out, 54);
    put_u32(out, 40);
    put_u32(out, static_cast<std::uint32_t>(width));
    put_u32(out, static_cast<std::uint32_t>(height));
    put_u16(out, 1);
    put_u16(out, 24);
    put_u32(out, 0);  // no compression
    put_u32(out, 0);  // image size
    put_u32(out, 10000);
    put_u32(out, 10000);
    put_u32(out, 0);
    put_u32(out, 0);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* source = pixels.data() + static_cast<std::size_t>(y) * width * 3;
        for (std::int32_t x = 0; x < width; ++x, source += 3) {
            static constexpr Rgb key_color{255, 0, 128};
            const std::uint8_t* rgb = shows_key(source, key_look) ? key_color.data() : source;
            out.push_back(rgb[2]);
            out.push_back(rgb[1]);
            out.push_back(rgb[0]);
        }
        out.resize(out.size() + stride - static_cast<std::size_t>(width) * 3, 0);
    }
    std::remove(path.c_str());
    FileHandle handle(std::fopen(path.c_str(), "wb"));
    if (!handle) return false;
    return std::fwrite(out.data(), 1, out.size(), handle.get()) == out.size();
}

struct PngWriteStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngWriteStructs() {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        if (png != nullptr) info = png_create_info_struct(png);
    }
    ~PngWriteStructs() { png_destroy_write_struct(&png, &info); }
    PngWriteStructs(const PngWriteStructs&) = delete;
    PngWriteStructs& operator=(const PngWriteStructs&) = delete;
};

void png_write_to_file(png_structp png, png_bytep data, png_size_t count) {
    auto* file = static_cast<std::FILE*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, count, file) != count) png_error(png, "short write");
}
void png_flush_file(png_structp png) { std::fflush(static_cast<std::FILE*>(png_get_io_ptr(png))); }

bool run_png_write(PngWriteStructs& structs, std::FILE* file, std::vector<png_bytep>& rows, std::int32_t width,
                   std::int32_t height) {
    png_structp png = structs.png;
    png_infop info = structs.info;
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_set_error_fn(png, nullptr, png_error_silently, png_warning_silently);
    png_set_write_fn(png, file, png_write_to_file, png_flush_file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, info);
    return true;
}

bool write_png_file(const std::string& path, std::span<const std::uint8_t> pixels, std::int32_t width,
                    std::int32_t height, const std::optional<Rgb>& key_look) {
    RgbaImage copy;
    copy.reset(width, height);
    for (std::int32_t y = 0; y < height; ++y) {
        // GL rows come bottom first; PNG rows top first.
        const std::uint8_t* source = pixels.data() + static_cast<std::size_t>(height - 1 - y) * width * 3;
        for (std::int32_t x = 0; x < width; ++x, source += 3) {
            std::uint8_t* target = copy.pixel(x, y);
            std::memcpy(target, source, 3);
            target[3] = shows_key(source, key_look) ? 0 : 255;
        }
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (std::int32_t y = 0; y < height; ++y) rows[y] = copy.pixel(0, y);

    std::remove(path.c_str());
    FileHandle handle(std::fopen(path.c_str(), "wb"));
    if (!handle) return false;
    PngWriteStructs structs;
    if (structs.png == nullptr || structs.info == nullptr) return false;
    return run_png_write(structs, handle.get(), rows, width, height);
}

}  // namespace

bool write_image_file(const std::string& file, std::span<const std::uint8_t> pixels, std::int32_t width,
                      std::int32_t height, std::optional<Rgb> key_look) {
    if (width <= 0 || height <= 0) return false;
    if (pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) return false;
    const std::string path = platform::native_path(file);
    return ends_in_png(file) ? write_png_file(path, pixels, width, height, key_look)
                             : write_bmp_file(path, pixels, width, height, key_look);
}

}  // namespace rt
