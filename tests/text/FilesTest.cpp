// Whole files in a folder someone else can write to: a link planted at any name the writer may
// use is never written through, a killed write leaves nothing a reader takes, and a reader never
// waits on a FIFO or fills the memory with a huge file.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "support/TempFolder.h"
#include "text/Files.h"

namespace veltra {
namespace {

namespace fs = std::filesystem;

std::size_t Entries(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(Files, AWriteReplacesWholeOrNotAtAll) {
    test::TempFolder folder;
    const std::string path = folder.str() + "P.temp";
    ASSERT_TRUE(WriteFileAtomically(path, "first"));
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(folder.read("P.temp"), "second");
    EXPECT_FALSE(WriteFileAtomically(folder.str() + "missing/P.temp", "x"));
    // A folder standing at the target's name is not replaced.
    fs::create_directory(folder.path() / "D");
    EXPECT_FALSE(WriteFileAtomically(folder.str() + "D", "x"));
    EXPECT_EQ(Entries(folder.path()), 2u);
#ifndef _WIN32
    // Mode 0644 less the umask.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    EXPECT_EQ(fs::status(path).permissions(),
              static_cast<fs::perms>(0644 & ~mask) & fs::perms::mask);
#endif
}

TEST(Files, APlantedLinkIsReplacedNeverWrittenThrough) {
    test::TempFolder folder;
    const std::string outside = folder.write("outside/secret", "keep");
    fs::create_directory(folder.path() / "in");
    const fs::path target = folder.path() / "in" / "NORTH-HE.logtv";
    // At the target's own name, and at names a temporary file might take.
    std::error_code linked;
    fs::create_symlink(outside, target, linked);
    if (linked) GTEST_SKIP() << "no symbolic links here: " << linked.message();
    for (const char* name : {".NORTH-HE.logtv.0000000000000000.part", "NORTH-HE.logtv.part1"})
        fs::create_symlink(outside, folder.path() / "in" / name);
    ASSERT_TRUE(WriteFileAtomically(target.string(), "logger"));
    EXPECT_EQ(folder.read("outside/secret"), "keep");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(folder.read("in/NORTH-HE.logtv"), "logger");
}

TEST(Files, WhatAKilledWriteLeftIsRemovedOrPassedOver) {
    test::TempFolder folder;
    const std::string target = folder.str() + "A.c52";
    const std::string old = folder.write(".A.c52.0123456789abcdef.part", "half");
    const std::string fresh = folder.write(".A.c52.fedcba9876543210.part", "being written");
    const std::string other = folder.write(".B.c52.0123456789abcdef.part", "B's");
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::minutes(5));
    ASSERT_TRUE(WriteFileAtomically(target, "whole"));
    // The old leftover of this target goes; a younger one may belong to another program.
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_TRUE(fs::exists(other));
    const struct {
        const char* name;
        bool temporary;
    } names[] = {
        {".A.c52.0123456789abcdef.part", true},  {"A.c52", false},
        {".A.c52.0123456789ABCDEF.part", false}, {".A.c52.part", false},
        {"A.c52.0123456789abcdef.part", false},
    };
    for (const auto& n : names)
        EXPECT_EQ(IsTemporaryFileName(n.name), n.temporary) << n.name;
}

TEST(Files, AReaderTakesOnlyRegularFilesWithinItsLimit) {
    test::TempFolder folder;
    const struct {
        std::string path;
        std::size_t limit;
        FileRead::Status status;
    } cases[] = {
        {folder.write("small", "12345"), 5, FileRead::Done},
        {folder.write("over", "123456"), 5, FileRead::TooLarge},
        {test::MakeSparseFile(folder.str() + "huge", 1LL << 30), file_limit::kSRecordFile,
         FileRead::TooLarge},
        {test::MakeFifo(folder.str() + "fifo"), 100, FileRead::NotAFile},
        {test::kNullDevice, 100, FileRead::NotAFile},
        {folder.str(), 100, FileRead::NotAFile},
        {folder.str() + "missing", 100, FileRead::Missing},
    };
    for (const auto& c : cases) {
        if (c.path.empty()) continue;  // no FIFOs on this system
        std::string content = "untouched";
        EXPECT_EQ(ReadWholeFile(c.path, content, c.limit).status, c.status) << c.path;
        EXPECT_EQ(content, c.status == FileRead::Done ? "12345" : "untouched") << c.path;
    }
}

// Names as technicians give them: every helper takes them as UTF-8 (on Windows a narrow path
// would be read in the ANSI code page and name another file, or none).
TEST(Files, NamesBeyondAsciiReachTheirFiles) {
    test::TempFolder folder;
    const std::string inner = folder.str() + "A\xC3\xB1o \xE2\x82\xAC";  // "Año €"
    const std::string file = inner + "/Espa\xC3\xB1ol.lng";
    ASSERT_TRUE(MakeFolders(inner));
    EXPECT_TRUE(CanWriteInFolder(inner));
    ASSERT_TRUE(WriteFileAtomically(file, "x,1=y"));
    EXPECT_TRUE(FileExists(file));
    std::string content;
    EXPECT_TRUE(ReadWholeFile(file, content, 100));
    EXPECT_EQ(content, "x,1=y");
    EXPECT_EQ(FilesInFolder(inner), std::vector<std::string>{"Espa\xC3\xB1ol.lng"});
    EXPECT_TRUE(fs::exists(fs::path(folder.path()) / fs::path(u8"A\u00F1o \u20AC") /
                           fs::path(u8"Espa\u00F1ol.lng")));
    EXPECT_TRUE(RemoveFile(file));
    EXPECT_FALSE(FileExists(file));
}

}  // namespace
}  // namespace veltra
