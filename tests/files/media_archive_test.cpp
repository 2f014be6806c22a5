#include <cstring>
#include <sstream>
#include <vector>

#include "runtime/core/run_errors.h"
#include "runtime/files/archive_format.h"
#include "tests/files/files_fixture.h"

namespace {

namespace archive = rt::archive;

archive::Bytes bytes_of(const std::string& text) { return archive::Bytes(text.begin(), text.end()); }
std::string text_of(const archive::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

const std::string picture = "PNG-ish picture data " + std::string(500, 'p') + " end";

std::vector<archive::PackEntry> sample_entries() {
    return {{"title.PNG", bytes_of(picture)}, {"thames.wav", bytes_of("RIFF sound")}, {"empty.txt", {}}};
}

std::string sample_archive(std::uint64_t before = 0, archive::OffsetBase base = archive::OffsetBase::file_start) {
    return text_of(archive::build_archive(sample_entries(), before, base));
}

class MediaArchiveTest : public FilesTest {
protected:
    // Resolves through the first mount; the found file's contents, or nullopt.
    std::optional<std::string> lookup(const std::string& name) {
        std::string out;
        if (!rt::resolve_media(rt::MediaMount::graphics, name, out)) {
            EXPECT_EQ(out, "");
            return std::nullopt;
        }
        return testing_support::read_file(out);
    }
    void mount(const std::string& archive_bytes) {
        write("media.gfx", archive_bytes);
        rt::set_media_archives("media.gfx", "media.aud");
    }
    int extracted_files() const { return files_starting_with("sbx"); }
};

TEST_F(MediaArchiveTest, EntriesAreFoundByBaseNameIgnoringCase) {
    mount(sample_archive());
    std::string out;
    ASSERT_TRUE(rt::resolve_media(rt::MediaMount::graphics, "gfx\\sub/TITLE.png", out));
    EXPECT_EQ(testing_support::read_file(out), picture);
    EXPECT_TRUE(out.starts_with(temp_dir() + "sbx")) << out;  // named as the extraction test shows

    EXPECT_EQ(lookup("aud/thames.wav"), "RIFF sound");
    EXPECT_EQ(lookup("EMPTY.TXT"), "");
    EXPECT_EQ(lookup("title"), std::nullopt);       // no prefix matches
    EXPECT_EQ(lookup("gfx/"), std::nullopt);        // empty base name
    EXPECT_EQ(lookup(""), std::nullopt);
    EXPECT_EQ(lookup("missing.png"), std::nullopt);
    EXPECT_TRUE(rt::archive_mount(rt::MediaMount::graphics).enabled);  // absent names keep it
    std::string name = "gfx/title.png";  // the out path may be the name itself
    ASSERT_TRUE(rt::resolve_media(rt::MediaMount::graphics, name, name));
    EXPECT_EQ(testing_support::read_file(name), picture);
}

TEST_F(MediaArchiveTest, HighlyCompressibleEntriesUnpackInFull) {
    const std::string zeros(1 << 20, '\0');
    const std::string pattern = [] {
        std::string text;
        while (text.size() < (1 << 20)) text += "0123456789abcdef";
        return text;
    }();
    mount(text_of(archive::build_archive({{"zeros.bin", bytes_of(zeros)}, {"pattern.bin", bytes_of(pattern)}}, 0,
                                         archive::OffsetBase::file_start)));
    EXPECT_LT(std::filesystem::file_size(path("media.gfx")), 20'000u);
    EXPECT_EQ(lookup("zeros.bin"), zeros);
    EXPECT_EQ(lookup("pattern.bin"), pattern);
}

TEST_F(MediaArchiveTest, ALooseFileWinsAndNothingIsExtracted) {
    mount(sample_archive());
    write("gfx/title.png", "loose");
    std::string out;
    ASSERT_TRUE(rt::resolve_media(rt::MediaMount::graphics, "gfx\\title.png", out));
    EXPECT_EQ(out, "gfx/title.png");
    EXPECT_EQ(extracted_files(), 0);
}

TEST_F(MediaArchiveTest, AnArchiveBehindOtherDataIsReadThroughNegativeOffsets) {
    const std::string host = "an executable or any other file " + std::string(1000, 'h');
    const std::string joined = host + sample_archive(host.size(), archive::OffsetBase::file_end);
    std::istringstream in(joined);
    const auto reader = archive::ArchiveReader::open(in);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(reader->offsets_from_end());
    EXPECT_LT(reader->find("title.png")->data_offset, 0);

    mount(joined);
    EXPECT_EQ(lookup("gfx/Title.png"), picture);
    EXPECT_EQ(lookup("thames.WAV"), "RIFF sound");
}

TEST_F(MediaArchiveTest, EachMountKeepsOneExtractedFileUntilShutdown) {
    mount(sample_archive());
    write("media.aud", text_of(archive::build_archive({{"title.mp3", bytes_of("music")}}, 0,
                                                      archive::OffsetBase::file_start)));
    rt::set_media_archives("media.gfx", "media.aud");
    std::string first;
    std::string second;
    std::string music;
    ASSERT_TRUE(rt::resolve_media(rt::MediaMount::graphics, "title.png", first));
    ASSERT_TRUE(rt::resolve_media(rt::MediaMount::audio, "aud/title.mp3", music));
    ASSERT_TRUE(rt::resolve_media(rt::MediaMount::graphics, "thames.wav", second));
    EXPECT_FALSE(std::filesystem::exists(first));
    EXPECT_TRUE(std::filesystem::exists(second));
    EXPECT_TRUE(std::filesystem::exists(music));
    EXPECT_EQ(extracted_files(), 2);

    rt::set_media_archives("media.gfx", "media.aud");  // also drops them
    EXPECT_EQ(extracted_files(), 0);
    ASSERT_TRUE(rt::resolve_media(rt::MediaMount::graphics, "title.png", first));
    EXPECT_EQ(ended_with([] { rt::end_program(); }), 0.0);  // shutdown deletes it
    EXPECT_EQ(extracted_files(), 0);
    EXPECT_EQ(rt::archive_mount(rt::MediaMount::graphics).archive_path, "");
}

TEST_F(MediaArchiveTest, MissingOrInvalidArchivesDisableTheMountButLooseFilesLoad) {
    write("gfx/loose.png", "loose");
    rt::set_media_archives("media.gfx", "media.aud");  // no such file
    EXPECT_EQ(lookup("title.png"), std::nullopt);
    EXPECT_FALSE(rt::archive_mount(rt::MediaMount::graphics).enabled);
    EXPECT_EQ(lookup("gfx/loose.png"), "loose");

    // Writing the archive later changes nothing until the mounts are set again.
    write("media.gfx", sample_archive());
    EXPECT_EQ(lookup("title.png"), std::nullopt);
    rt::set_media_archives("media.gfx", "media.aud");
    EXPECT_EQ(lookup("title.png"), picture);

    // At start-up the mounts point at the program directory: no archive.
    rt::create_media_archives(path("").string());
    EXPECT_EQ(lookup("title.png"), std::nullopt);
    EXPECT_FALSE(rt::archive_mount(rt::MediaMount::graphics).enabled);
    rt::set_media_archives("", "");
    EXPECT_EQ(lookup("title.png"), std::nullopt);
    EXPECT_FALSE(rt::archive_mount(rt::MediaMount::graphics).enabled);
}

TEST_F(MediaArchiveTest, TablesAndKeyFilesComeFromTheFirstArchive) {
    mount(text_of(archive::build_archive(
        {{"rooms.txt", bytes_of("hall\r\nattic\r\n")}, {"setup.ini", bytes_of("[Main]\r\nlevel=3\r\n")}}, 0,
        archive::OffsetBase::file_start)));
    std::string text;
    EXPECT_EQ(rt::read_table_line("data/rooms.txt", 1, text), 0.0);
    EXPECT_EQ(text, "attic");
    rt::open_key_file("setup.ini");
    EXPECT_EQ(rt::ini_get("main", "level"), "3");
}

// Little-endian helpers for damaging an archive by hand.
void put_i32(std::string& bytes, std::size_t at, std::int32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(static_cast<std::uint32_t>(value) >> (8 * i));
}

TEST_F(MediaArchiveTest, DamagedArchivesReportNotFound) {
    const std::string good = sample_archive();
    const std::size_t footer = good.size() - archive::footer_size;
    std::istringstream in(good);
    const auto directory = static_cast<std::size_t>(archive::ArchiveReader::open(in)->directory_start());
    const std::size_t first_record_tail = directory + 1 + std::strlen("title.PNG");

    std::vector<std::pair<std::string, std::string>> damaged;
    for (std::size_t cut = 0; cut < good.size(); ++cut) damaged.emplace_back("cut", good.substr(0, cut));
    const auto with = [&](const char* what, auto change) {
        std::string bytes = good;
        change(bytes);
        damaged.emplace_back(what, bytes);
    };
    with("footer magic", [&](std::string& b) { b[footer] = 'S'; });
    with("directory past footer", [&](std::string& b) { put_i32(b, footer + 3, static_cast<std::int32_t>(footer)); });
    with("directory before file", [&](std::string& b) { put_i32(b, footer + 3, -static_cast<std::int32_t>(b.size()) - 1); });
    with("record past end", [&](std::string& b) { b[directory] = static_cast<char>(255); });
    with("data offset outside", [&](std::string& b) { put_i32(b, first_record_tail, 1 << 30); });
    with("data offset negative", [&](std::string& b) { put_i32(b, first_record_tail, -5); });
    with("stored size outside", [&](std::string& b) { put_i32(b, first_record_tail + 4, 1 << 30); });
    with("stored size too small", [&](std::string& b) { put_i32(b, first_record_tail + 4, 3); });
    with("absurd unpacked size", [&](std::string& b) { put_i32(b, 0, -1); });
    with("unpacked size too large", [&](std::string& b) { put_i32(b, 0, static_cast<std::int32_t>(picture.size()) + 1); });
    with("unpacked size too small", [&](std::string& b) { put_i32(b, 0, static_cast<std::int32_t>(picture.size()) - 1); });
    with("stream cut short", [&](std::string& b) { put_i32(b, first_record_tail + 4, 20); });
    with("stream garbage", [&](std::string& b) { for (std::size_t i = 4; i < 30; ++i) b[i] = static_cast<char>(0xF0 + i); });

    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what + std::string(" ") + std::to_string(bytes.size()));
        mount(bytes);
        EXPECT_EQ(lookup("title.png"), std::nullopt);
        EXPECT_EQ(extracted_files(), 0);
    }
    // The directory must start before the footer: one starting at it is no archive.
    std::string at_footer = good;
    put_i32(at_footer, footer + 3, static_cast<std::int32_t>(footer));
    std::istringstream in_at_footer(at_footer);
    EXPECT_FALSE(archive::ArchiveReader::open(in_at_footer));
}

TEST(ArchiveNames, ExtractionNeverLeavesTheTemporaryDirectory) {
    using namespace std::string_literals;
    for (const std::string& name : {"../../etc/passwd"s, "..\\..\\boot.ini"s, ".."s, "/abs"s, "a\0b"s}) {
        const std::string extracted = archive::extraction_path("/tmp/t/", {name, 0, 0});
        SCOPED_TRACE(extracted);
        ASSERT_TRUE(extracted.starts_with("/tmp/t/sbxAA"));
        const std::string leaf = extracted.substr(7);
        EXPECT_EQ(leaf.find_first_of(std::string("/\\\0", 3)), std::string::npos);
        EXPECT_EQ(std::filesystem::path(extracted).parent_path(), "/tmp/t");
    }
}

TEST(ArchiveWriter, RejectsNamesTheFormatCannotHold) {
    EXPECT_THROW(archive::build_archive({{"", {}}}, 0, archive::OffsetBase::file_start), std::invalid_argument);
    EXPECT_THROW(archive::build_archive({{std::string(256, 'n'), {}}}, 0, archive::OffsetBase::file_start),
                 std::invalid_argument);
    EXPECT_THROW(archive::build_archive({{"gfx/a.png", {}}}, 0, archive::OffsetBase::file_start),
                 std::invalid_argument);
}

}  // namespace
