
#include <algorithm>
#include <sstream>

#include "runtime/audio/wav_reader.h"
#include "tests/audio/wav_builder.h"
#include "tests/support/headless.h"
#include "tests/support/testdata.h"

namespace {

using audio_tests::pcm16;
using audio_tests::WavBuilder;

struct ManifestRow {
    std::string file;
    int channels;
    int rate;
    int bits;
    std::string chunk_order;
    std::size_t data_bytes;
    std::vector<long> first_samples;  // of the first frames, side by side
};

std::vector<ManifestRow> read_manifest(const std::filesystem::path& wav_dir) {
    std::ifstream in(wav_dir / "manifest.tsv");
    std::vector<ManifestRow> rows;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
        if (cells.size() < 12) continue;
        ManifestRow row{cells[0], std::stoi(cells[2]), std::stoi(cells[3]), std::stoi(cells[4]), cells[6],
                        std::stoul(cells[8]), {}};
        if (cells[1] != "0x0003") {  // float samples are not comparable as integers
            std::replace(cells[11].begin(), cells[11].end(), '/', ' ');
            std::stringstream values(cells[11]);
            for (long value = 0; values >> value;) row.first_samples.push_back(value);
        }
        rows.push_back(row);
    }
    return rows;
}

long sample_value(const std::vector<std::uint8_t>& data, std::size_t offset, int bits) {
    const int bytes = bits / 8;
    unsigned long raw = 0;
    for (int i = 0; i < bytes; ++i) raw |= static_cast<unsigned long>(data[offset + i]) << (8 * i);
    if (bits == 8) return static_cast<long>(raw);  // unsigned
    const unsigned long sign = 1ul << (bits - 1);
    return static_cast<long>(raw ^ sign) - static_cast<long>(sign);
}

// Files written by other tools load exactly when the chunks after the format
// chunk are "data", or "fact" then "data"; the samples arrive untouched with
// the file's own rate and depth (mono 8-bit 11025 Hz among them).
TEST(WavReader, LoadsTheLayoutsItAcceptsFromOtherWriters) {
    MARLOWICK_TESTDATA_FOLDER(wav_dir, "wav");
    const auto rows = read_manifest(wav_dir);
    ASSERT_GE(rows.size(), 10u);
    for (const ManifestRow& row : rows) {
        SCOPED_TRACE(row.file);
        const auto wav = rt::read_wav_file((wav_dir / row.file).string());
        ASSERT_EQ(wav.has_value(), row.chunk_order == "fmt,data" || row.chunk_order == "fmt,fact,data");
        if (!wav) continue;
        EXPECT_EQ(wav->format.channels, row.channels);
        EXPECT_EQ(wav->format.samples_per_second, row.rate);
        EXPECT_EQ(wav->format.bits_per_sample, row.bits);
        EXPECT_EQ(wav->format.block_align, row.channels * row.bits / 8);
        EXPECT_TRUE(platform::pcm_format_supported(wav->format));
        ASSERT_EQ(wav->samples.size(), row.data_bytes);
        for (std::size_t i = 0; i < row.first_samples.size(); ++i) {
            EXPECT_EQ(sample_value(wav->samples, i * (row.bits / 8), row.bits), row.first_samples[i]);
        }
    }
}

class BrokenWav : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (temp_.path() / name).string(); }
    testing_support::TempDir temp_;
};

TEST_F(BrokenWav, TruncatedAnywhereGivesNothing) {
    WavBuilder good;
    good.format(1, 1, 22050, 16).chunk("fact", {4, 0, 0, 0}).chunk("data", pcm16({1, 2, 3, 4, 5, 6}));
    const std::size_t full = good.file_bytes().size();
    good.write(path("whole.wav"));
    ASSERT_TRUE(rt::read_wav_file(path("whole.wav")).has_value());
    for (std::size_t keep = 0; keep < full; ++keep) {
        good.write(path("cut.wav"), keep);
        EXPECT_FALSE(rt::read_wav_file(path("cut.wav")).has_value()) << "kept " << keep << " bytes";
    }
}

TEST_F(BrokenWav, LyingSizesGiveNothing) {
    const auto samples = pcm16({100, 200, 300, 400});
    const std::vector<std::pair<std::string, WavBuilder>> cases = {
        {"data larger than the file",
         WavBuilder().format(1, 1, 22050, 16).chunk("data", samples, 0xFFFFFFF0u)},
        {"data one byte longer than what follows",
         WavBuilder().format(1, 1, 22050, 16).chunk("data", samples, 9)},
        {"fact larger than the file",
         WavBuilder().format(1, 1, 22050, 16).chunk("fact", {}, 0x80000000u).chunk("data", samples)},
        {"empty data", WavBuilder().format(1, 1, 22050, 16).chunk("data", {})},
        {"no data chunk", WavBuilder().format(1, 1, 22050, 16)},
        {"no channels, so an empty block", WavBuilder().format(1, 0, 22050, 16).chunk("data", samples)},
        {"two fact chunks",
         WavBuilder().format(1, 1, 22050, 16).chunk("fact", {0, 0, 0, 0}).chunk("fact", {0, 0, 0, 0}).chunk("data",
                                                                                                          samples)},
    };
    for (const auto& [name, wav] : cases) {
        wav.write(path("lie.wav"));
        EXPECT_FALSE(rt::read_wav_file(path("lie.wav")).has_value()) << name;
    }
    // A format chunk whose size claims more than its 16 bytes swallows the data header.
    auto bytes = WavBuilder().format(1, 1, 22050, 16).chunk("data", samples).file_bytes();
    bytes[16] = 0xFF;
    std::ofstream(path("fmt.wav"), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                           static_cast<std::streamsize>(bytes.size()));
    EXPECT_FALSE(rt::read_wav_file(path("fmt.wav")).has_value());
    EXPECT_FALSE(rt::read_wav_file(path("missing.wav")).has_value());
}

}  // namespace
