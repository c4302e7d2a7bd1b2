#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "TestFiles.h"
#include "app/LevelArchive.h"
#include "core/ArchivePassword.h"

namespace {

namespace fs = std::filesystem;
using testfiles::compressibleBytes;
using testfiles::namesIn;
using testfiles::patternBytes;
using testfiles::readFile;
using testfiles::TemporaryFolder;
using testfiles::writeFile;
using Names = std::vector<std::string>;

const std::string kPassword(core::kLevelArchivePassword);

struct Entry {
    std::string name;
    std::string data;
    bool stored = false;
    zip_flags_t nameEncoding = ZIP_FL_ENC_GUESS;
};

// Writes an archive with libzip; file entries are AES-256 encrypted when a
// password is given. Names ending in '/' or '\' become folder entries.
void writeArchive(const fs::path& path, const std::vector<Entry>& entries,
                  const std::string& password = {}) {
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr) << "cannot create " << path;
    for (const Entry& entry : entries) {
        const char last = entry.name.empty() ? '\0' : entry.name.back();
        if (last == '/' || last == '\\') {
            ASSERT_GE(zip_dir_add(archive, entry.name.c_str(), entry.nameEncoding), 0)
                << zip_strerror(archive);
            continue;
        }
        zip_source_t* source = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.c_str(), source, entry.nameEncoding);
        ASSERT_GE(index, 0) << "cannot add \"" << entry.name << "\": " << zip_strerror(archive);
        const auto at = static_cast<zip_uint64_t>(index);
        zip_set_file_compression(archive, at, entry.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 1);
        if (!password.empty())
            zip_file_set_encryption(archive, at, ZIP_EM_AES_256, password.c_str());
    }
    ASSERT_EQ(zip_close(archive), 0) << zip_strerror(archive);
}

// What an archive says about itself, read back with libzip.
struct ArchiveInfo {
    std::map<std::string, zip_uint16_t> encryption;  // by entry name
    std::map<std::string, zip_uint32_t> crc;
    std::map<std::string, zip_uint16_t> compression;
    bool hasFolderEntry = false;
};

ArchiveInfo inspect(const std::string& path) {
    ArchiveInfo info;
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) return info;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        const std::string name = stat.name;
        if (name.back() == '/') info.hasFolderEntry = true;
        info.encryption[name] = stat.encryption_method;
        info.crc[name] = stat.crc;
        info.compression[name] = stat.comp_method;
    }
    zip_discard(archive);
    return info;
}

// Every regular file outside the target folder, with its content.
std::map<std::string, std::string> filesOutside(const fs::path& root, const fs::path& target) {
    std::map<std::string, std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        if (it->path() == target) {
            it.disable_recursion_pending();
        } else if (it->is_regular_file() && !it->is_symlink()) {
            files[it->path().string()] = readFile(it->path());
        }
    }
    return files;
}

size_t read16(const std::string& bytes, size_t at) {
    return static_cast<size_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}
size_t read32(const std::string& bytes, size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

// Where an entry's local header starts and where its central directory
// record starts, found through the end record (archives without a comment).
std::pair<size_t, size_t> entryHeaders(const std::string& bytes, const std::string& name) {
    size_t central = read32(bytes, bytes.size() - 22 + 16);
    while (read32(bytes, central) == 0x02014b50u) {
        const size_t nameLength = read16(bytes, central + 28);
        if (bytes.compare(central + 46, nameLength, name) == 0)
            return {read32(bytes, central + 42), central};
        central += 46 + nameLength + read16(bytes, central + 30) + read16(bytes, central + 32);
    }
    throw std::runtime_error("no entry " + name);
}

// Changes the uncompressed size an entry records, in both of its headers.
void setRecordedSize(std::string& bytes, const std::string& name, uint32_t size) {
    const auto [local, central] = entryHeaders(bytes, name);
    for (const size_t field : {local + 22, central + 24}) {
        for (int i = 0; i < 4; ++i) bytes[field + i] = static_cast<char>(size >> (8 * i));
    }
}

class LevelArchive : public ::testing::Test {
  protected:
    TemporaryFolder root;
    const fs::path sources = root.path() / "src";
    const fs::path game = root.path() / "game";
    const std::string archive = (root.path() / "level.zip").string();

    void SetUp() override {
        fs::create_directory(sources);
        fs::create_directory(game);
    }

    // Extracts into the game folder and checks that nothing outside it changed.
    void extract(const std::string& password = kPassword) {
        const auto before = filesOutside(root.path(), game);
        app::extractLevelArchive(archive, password, game.string() + "/", {"tarnwick", "level.zip"});
        EXPECT_EQ(filesOutside(root.path(), game), before);
    }

    // Runs an extraction that must fail and returns the error's text.
    std::string extractionError(const std::string& password = kPassword) {
        try {
            extract(password);
        } catch (const app::ArchiveError& error) {
            const std::string text = error.what();
            EXPECT_NE(text.find(archive), std::string::npos)
                << "the error does not name the archive: " << text;
            return text;
        }
        ADD_FAILURE() << "the extraction succeeded";
        return {};
    }

    void runInSources(const std::string& command) {
        const std::string line = "cd '" + sources.string() + "' && " + command + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(line.c_str()), 0) << line;
    }

    void expectPlainFile(const std::string& name, const std::string& content) {
        const fs::path path = game / name;
        struct stat info {};
        ASSERT_EQ(lstat(path.c_str(), &info), 0) << name << " is missing";
        EXPECT_TRUE(S_ISREG(info.st_mode)) << name << " is not a plain file";
        EXPECT_EQ(info.st_mode & 07777, 0644u) << name;
        EXPECT_TRUE(readFile(path) == content) << name << " has the wrong content";
    }

    // An archive made by an outside tool: a picture at the top and one two
    // folders down, a stale copy of the latter in the game folder and a link
    // in place of the former that points out of the game folder.
    ArchiveInfo checkToolArchive(const std::string& command, zip_uint16_t encryption) {
        const std::string level0 = compressibleBytes(300000, 1);
        const std::string level3 = compressibleBytes(5000, 2);
        writeFile(sources / "level0_big.jpg", level0);
        writeFile(sources / "a" / "b" / "level3_big.jpg", level3);
        runInSources(command);
        const ArchiveInfo info = inspect(archive);
        EXPECT_EQ(info.encryption.at("level0_big.jpg"), encryption);
        EXPECT_EQ(info.encryption.at("a/b/level3_big.jpg"), encryption);
        EXPECT_TRUE(info.hasFolderEntry);

        writeFile(game / "level3_big.jpg", "stale");
        writeFile(root.path() / "outside.txt", "outside");
        fs::create_symlink(root.path() / "outside.txt", game / "level0_big.jpg");

        extractionError("wrongpw9");
        EXPECT_EQ(namesIn(game), (Names{"level0_big.jpg", "level3_big.jpg"}));
        EXPECT_TRUE(fs::is_symlink(game / "level0_big.jpg"));
        EXPECT_EQ(readFile(game / "level3_big.jpg"), "stale");

        extract();
        EXPECT_EQ(namesIn(game), (Names{"level0_big.jpg", "level3_big.jpg"}));
        expectPlainFile("level0_big.jpg", level0);
        expectPlainFile("level3_big.jpg", level3);
        EXPECT_EQ(readFile(root.path() / "outside.txt"), "outside");
        return info;
    }
};

TEST_F(LevelArchive, InfoZipTraditionalEncryption) {
    checkToolArchive("zip -q -r -P " + kPassword + " ../level.zip level0_big.jpg a",
                     ZIP_EM_TRAD_PKWARE);
}

// 7-Zip writes AES entries without a CRC (the AE-2 form): only the
// authentication code vouches for the data.
TEST_F(LevelArchive, SevenZipAes256) {
    const ArchiveInfo info = checkToolArchive(
        "7z a -tzip -mem=AES256 -p" + kPassword + " ../level.zip level0_big.jpg a", ZIP_EM_AES_256);
    EXPECT_EQ(info.crc.at("level0_big.jpg"), 0u);
}

TEST_F(LevelArchive, SevenZipAesEntryWithDamagedDataAuthenticationCodeOrSizeIsAnError) {
    writeFile(sources / "level0_big.jpg", compressibleBytes(100000, 6));
    runInSources("7z a -tzip -mem=AES256 -p" + kPassword + " ../level.zip level0_big.jpg");
    ASSERT_EQ(inspect(archive).compression.at("level0_big.jpg"), ZIP_CM_DEFLATE);
    const std::string intact = readFile(archive);
    // The authentication code takes the last 10 bytes of the entry's data.
    const auto [local, central] = entryHeaders(intact, "level0_big.jpg");
    const size_t data = local + 30 + read16(intact, local + 26) + read16(intact, local + 28);
    const size_t length = read32(intact, central + 20);
    for (const size_t flip : {data + length / 2, data + length - 1}) {
        std::string damaged = intact;
        damaged[flip] = static_cast<char>(damaged[flip] ^ 0x01);
        writeFile(archive, damaged);
        extractionError();
        EXPECT_EQ(namesIn(game), Names{});
    }
    // Intact data whose recorded size is one byte short.
    std::string misrecorded = intact;
    setRecordedSize(misrecorded, "level0_big.jpg", 100000 - 1);
    writeFile(archive, misrecorded);
    EXPECT_NE(extractionError().find("100000 bytes"), std::string::npos);
    EXPECT_EQ(namesIn(game), Names{});
}

// This libzip cannot check AES entries that have neither a CRC nor
// compression, so they are refused rather than trusted.
TEST_F(LevelArchive, StoredSevenZipAesEntriesAreRefused) {
    writeFile(sources / "level0_big.jpg", patternBytes(5000, 7));
    runInSources("7z a -tzip -mx0 -mem=AES256 -p" + kPassword + " ../level.zip level0_big.jpg");
    EXPECT_NE(extractionError().find("AE-2"), std::string::npos);
    EXPECT_EQ(namesIn(game), Names{});
}

// The traditional cipher checks a password by one byte, so about one wrong
// password in 256 gets through to the data, which then fails its CRC check.
TEST_F(LevelArchive, WrongTraditionalPasswordPassingTheHeaderCheckIsStillAnError) {
    writeFile(sources / "level0_big.jpg", patternBytes(20000, 3));
    runInSources("zip -q -0 -P " + kPassword + " ../level.zip level0_big.jpg");

    std::string slipsThrough;
    int error = 0;
    zip_t* reader = zip_open(archive.c_str(), ZIP_RDONLY, &error);
    ASSERT_NE(reader, nullptr);
    for (int i = 0; i < 20000 && slipsThrough.empty(); ++i) {
        const std::string candidate = "wrong" + std::to_string(i);
        if (zip_file_t* entry = zip_fopen_index_encrypted(reader, 0, 0, candidate.c_str())) {
            slipsThrough = candidate;
            zip_fclose(entry);
        }
    }
    zip_discard(reader);
    ASSERT_FALSE(slipsThrough.empty());

    EXPECT_NE(extractionError(slipsThrough).find("level0_big.jpg"), std::string::npos);
    EXPECT_EQ(namesIn(game), Names{});
}

TEST_F(LevelArchive, FolderPathsWithEitherSeparatorAreDroppedAndDosNamesConverted) {
    writeArchive(archive,
                 {{"x\\level4_big.jpg", "four"},
                  {"maps\\", ""},
                  {"a/b/", ""},
                  {"a/b/Level_hs.jpg", "upload"},
                  {"caf\x82.txt", "cafe", false, ZIP_FL_ENC_CP437},
                  {"../../escape.dat", "escape"}},
                 kPassword);
    extract();
    EXPECT_EQ(namesIn(game),
              (Names{"Level_hs.jpg", "caf\xC3\xA9.txt", "escape.dat", "level4_big.jpg"}));
    expectPlainFile("level4_big.jpg", "four");
    expectPlainFile("Level_hs.jpg", "upload");
    expectPlainFile("escape.dat", "escape");
}

TEST_F(LevelArchive, CorruptedEntryStopsTheExtractionAndLeavesTheOldFile) {
    const std::string second = "SECOND-ENTRY-" + patternBytes(4000, 4);
    writeArchive(
        archive,
        {{"first.dat", "one", true}, {"second.dat", second, true}, {"third.dat", "three", true}});
    std::string bytes = readFile(archive);
    const size_t data = bytes.find("SECOND-ENTRY-");
    ASSERT_NE(data, std::string::npos);
    bytes[data + 2000] = static_cast<char>(bytes[data + 2000] ^ 0x5A);
    writeFile(archive, bytes);
    writeFile(game / "second.dat", "old");

    EXPECT_NE(extractionError().find("second.dat"), std::string::npos);
    EXPECT_EQ(namesIn(game), (Names{"first.dat", "second.dat"}));
    expectPlainFile("first.dat", "one");
    EXPECT_EQ(readFile(game / "second.dat"), "old");
}

TEST_F(LevelArchive, MissingForeignAndTruncatedArchivesAreErrors) {
    extractionError();

    writeFile(archive, "PK but not really an archive");
    extractionError();

    writeArchive(root.path() / "whole.zip",
                 {{"level0_big.jpg", patternBytes(50000, 5)}, {"level1_big.jpg", "x"}}, kPassword);
    const std::string whole = readFile(root.path() / "whole.zip");
    writeFile(archive, whole.substr(0, whole.size() / 2));
    extractionError();
    writeFile(archive, whole.substr(0, whole.size() - 10));
    extractionError();
    EXPECT_EQ(namesIn(game), Names{});
}

TEST_F(LevelArchive, NamelessAndProtectedEntriesStopTheExtraction) {
    for (const std::string bad : {"..", "a/..", "b\\.", "", "tarnwick", "maps/level.zip"}) {
        SCOPED_TRACE(bad);
        fs::remove_all(game);
        fs::create_directory(game);
        writeArchive(archive, {{"good.dat", "good"}, {bad, "bad"}, {"after.dat", "after"}},
                     kPassword);
        extractionError();
        EXPECT_EQ(namesIn(game), Names{"good.dat"});
    }
}

// Zeros deflate to almost nothing, so a small archive can unpack to any size.
TEST_F(LevelArchive, EntriesAboveTheSizeLimitAreRefusedEvenWhenTheirHeaderLies) {
    const std::string zeros(app::kMaxArchiveEntrySize + 1, '\0');
    writeArchive(archive,
                 {{"good.dat", "good"}, {"level5_big.jpg", zeros}, {"after.dat", "after"}});
    EXPECT_NE(extractionError().find("level5_big.jpg"), std::string::npos);
    EXPECT_EQ(namesIn(game), Names{"good.dat"});

    std::string bytes = readFile(archive);
    setRecordedSize(bytes, "level5_big.jpg", 1000);
    writeFile(archive, bytes);

    // The count stops the copy at the limit, before libzip could notice the
    // mismatch at the end of the data.
    fs::remove(game / "good.dat");
    const std::string error = extractionError();
    EXPECT_NE(error.find("level5_big.jpg"), std::string::npos);
    EXPECT_NE(error.find("64 MiB"), std::string::npos) << error;
    EXPECT_EQ(namesIn(game), Names{"good.dat"});
}

}  // namespace
