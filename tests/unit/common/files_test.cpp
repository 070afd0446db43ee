#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/program_folder.hpp"
#include "common/pstring.hpp"
#include "interruption_gtest.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {
struct TempFolder {
    fs::path path;
    TempFolder() {
        path = fs::temp_directory_path() / ("florimant-test-" + std::to_string(::getpid()) + "-" +
                                            std::to_string(reinterpret_cast<uintptr_t>(this)));
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
};
void WriteBytes(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}
}  // namespace

TEST(ProgramFolder, ResolvesComponentsWithoutRegardToCase) {
    TempFolder t;
    WriteBytes(t.path / "FileSet" / "MMVarLas.stt", "x");
    ProgramFolder folder(t.path);
    EXPECT_EQ(folder.Resolve("FileSet\\MMvarLas.stt"), t.path / "FileSet" / "MMVarLas.stt");
    EXPECT_EQ(folder.Resolve("fileset/mmvarlas.STT"), t.path / "FileSet" / "MMVarLas.stt");
    EXPECT_TRUE(folder.Exists("FILESET\\MMVARLAS.STT"));
    // A missing file keeps the spelling given, under the existing folder's real name.
    EXPECT_EQ(folder.Resolve("fileset\\Nuovo.Txt"), t.path / "FileSet" / "Nuovo.Txt");
    EXPECT_EQ(folder.Resolve("Emf\\GRAF01.EMF"), t.path / "Emf" / "GRAF01.EMF");
}

TEST(ProgramFolder, ListsByWildcardCaseInsensitively) {
    TempFolder t;
    for (const char* n : {"BASE.ST1", "base.st2", "Rossi.st1", "TMPR.ST1", "note.txt"}) WriteBytes(t.path / n, "");
    ProgramFolder folder(t.path);
    EXPECT_EQ(folder.List("", "*.st1"), (std::vector<std::string>{"BASE.ST1", "Rossi.st1", "TMPR.ST1"}));
    EXPECT_TRUE(WildcardMatch("*.ST?", "x.st9"));
    EXPECT_FALSE(WildcardMatch("*.ST?", "x.st10"));
}

TEST(RecordFile, ReportsMissingShortAndDamagedFilesByName) {
    TempFolder t;
    ProgramFolder folder(t.path);
    try {
        RecordFile f(folder, "FilePosi\\DPR1.rnd", 32);
        FAIL() << "no error for a missing file";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "FilePosi\\DPR1.rnd");
    }
    WriteBytes(t.path / "A.rnd", std::string(10, 'x'));
    RecordFile f(folder, "A.rnd", 4);
    EXPECT_THROW(f.Count(), DataFileError);  // 10 bytes is not a whole number of 4-byte records
    EXPECT_EQ(f.CountWhole(), 2u);
    EXPECT_EQ(f.Read(1).size(), 4u);
    EXPECT_THROW(f.Read(2), DataFileError);  // only 2 bytes of record 2 exist
}

TEST(RecordFile, ReadsConsecutiveRecordsAndNamesTheFirstMissingOne) {
    TempFolder t;
    WriteBytes(t.path / "Dir" / "R.rnd", "abcdefghij");  // three 3-byte records and one byte
    ProgramFolder folder(t.path);
    RecordFile f(folder, "DIR\\r.rnd", 3);  // found by the case-insensitive lookup
    EXPECT_EQ(f.path(), t.path / "Dir" / "R.rnd");
    const std::vector<uint8_t> two = f.ReadRecords(1, 2);
    EXPECT_EQ(std::string(two.begin(), two.end()), "defghi");
    EXPECT_TRUE(f.ReadRecords(7, 0).empty());
    try {
        f.ReadRecords(2, 2);
        FAIL() << "no error for a short read";
    } catch (const DataFileError& e) {
        EXPECT_NE(e.fault().find("record 3 "), std::string::npos) << e.fault();
    }
    // An index whose byte offset does not fit a file offset is a missing record, not a wrap.
    EXPECT_THROW(f.ReadRecords(SIZE_MAX / 2, 2), DataFileError);
    EXPECT_THROW(f.Read(SIZE_MAX), DataFileError);
}

TEST(RecordFile, WritesAppendsAndTruncatesInPlace) {
    TempFolder t;
    ProgramFolder folder(t.path);
    {
        RecordFile f(folder, "Dir\\R.rnd", 3, RecordFile::Mode::Create);
        f.Append({1, 2, 3});
        f.Append({4, 5, 6});
        f.Write(0, {9, 9, 9});
        EXPECT_EQ(f.Count(), 2u);
        f.Truncate(1);
        EXPECT_EQ(f.Count(), 1u);
    }
    RecordFile g(folder, "dir\\r.RND", 3);
    EXPECT_EQ(g.Read(0), (std::vector<uint8_t>{9, 9, 9}));
}

TEST(ReplaceFile, LeavesTheOldFileWholeWhenInterrupted) {
    TempFolder t;
    ProgramFolder folder(t.path);
    ReplaceTextFile(folder, "FileSet\\OrbiDomi.stt", {"uno", "due"});
    EXPECT_EQ(ReadTextLines(folder, "FileSet\\OrbiDomi.stt"), (std::vector<std::string>{"uno", "due"}));
    {
        const FileHookGuard guard([](std::string_view op, const fs::path&) {
            if (op == "rename") throw std::runtime_error("interrotto");
        });
        EXPECT_THROW(ReplaceTextFile(folder, "FileSet\\OrbiDomi.stt", {"tre"}), std::runtime_error);
    }
    EXPECT_EQ(ReadTextLines(folder, "FileSet\\OrbiDomi.stt"), (std::vector<std::string>{"uno", "due"}));
    std::ifstream in(folder.Resolve("FileSet\\OrbiDomi.stt"), std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(raw, "uno\r\ndue\r\n");
}

TEST(TextLines, AcceptsEveryLineEnd) {
    EXPECT_EQ(SplitTextLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
}

TEST(PString, ClampsAnOverlongLengthAndCutsOnWrite) {
    std::vector<uint8_t> rec(10, 0);
    WritePString(rec, 1, 4, "ABCDEFG");
    EXPECT_EQ(rec[1], 4);
    EXPECT_EQ(ReadPString(rec, 1, 4), "ABCD");
    rec[1] = 200;  // garbage length byte
    bool overlong = false;
    EXPECT_EQ(ReadPString(rec, 1, 4, &overlong), "ABCD");
    EXPECT_TRUE(overlong);
    EXPECT_THROW(ReadPString(rec, 6, 4), std::out_of_range);
}

TEST(Cp1252, ConvertsTheRangeThatDiffersFromLatin1) {
    EXPECT_EQ(Cp1252ToUtf8("\x80 caff\xE8"), "€ caffè");
    EXPECT_EQ(Utf8ToCp1252("€ caffè — ok"), "\x80 caff\xE8 \x97 ok");
    EXPECT_EQ(Utf8ToCp1252("日"), "?");
    for (int b = 0; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
    }
}

namespace {
std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}
}  // namespace

TEST(CopyFileReplacing, CopiesTheBytesAndTheModificationTime) {
    TempFolder t;
    WriteBytes(t.path / "from" / "DBmain.rnd", "nuovo");
    WriteBytes(t.path / "to" / "DBmain.rnd", "vecchio");
    const auto time = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(t.path / "from" / "DBmain.rnd", time);
    CopyFileReplacing(t.path / "from" / "DBmain.rnd", t.path / "to" / "DBmain.rnd");
    EXPECT_EQ(Bytes(t.path / "to" / "DBmain.rnd"), "nuovo");
    EXPECT_EQ(fs::last_write_time(t.path / "to" / "DBmain.rnd"), time);
    EXPECT_FALSE(fs::exists(TemporarySibling(t.path / "to" / "DBmain.rnd")));
    // A new destination is made, its folder too.
    CopyFileReplacing(t.path / "from" / "DBmain.rnd", t.path / "nuova" / "DBmain.rnd");
    EXPECT_EQ(Bytes(t.path / "nuova" / "DBmain.rnd"), "nuovo");
}

TEST(CopyFileReplacing, GoesThroughTheSiblingAndNamesTheDestinationWhenItFails) {
    TempFolder t;
    WriteBytes(t.path / "a.txt", "uno");
    std::vector<std::string> operations;
    {
        const FileHookGuard guard([&](std::string_view op, const fs::path& p) {
            operations.push_back(std::string(op) + " " + p.filename().string());
        });
        CopyFileReplacing(t.path / "a.txt", t.path / "b.txt");
    }
    EXPECT_EQ(operations, (std::vector<std::string>{"write b.txt~tmp", "rename b.txt"}));
    try {
        CopyFileReplacing(t.path / "manca.txt", t.path / "b.txt");
        FAIL() << "a missing source must be reported";
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), (t.path / "b.txt").string());
        EXPECT_EQ(e.fault(), "copia da " + (t.path / "manca.txt").string() + " non riuscita");
    }
    EXPECT_EQ(Bytes(t.path / "b.txt"), "uno");
}

TEST(CopyFileReplacing, AnInterruptionLeavesTheOldFileOrTheNew) {
    TempFolder t;
    WriteBytes(t.path / "from" / "x.rnd", "nuovo contenuto");
    const FileSnapshot after{{"from/x.rnd", "nuovo contenuto"}, {"to/x.rnd", "nuovo contenuto"}};
    const FileSnapshot before{{"from/x.rnd", "nuovo contenuto"}, {"to/x.rnd", "vecchio"}};
    ForEachInterruption({.Prepare = [&] { WriteBytes(t.path / "to" / "x.rnd", "vecchio"); },
                         .Action = [&] { CopyFileReplacing(t.path / "from" / "x.rnd", t.path / "to" / "x.rnd"); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 const FileSnapshot now = SnapshotFiles(t.path);
                                 ExpectEveryFileOldOrNew(now, before, after);
                                 EXPECT_EQ(now, point.Completed ? after : before);
                             }});
}

TEST(ReplaceFile, AnInterruptionAtAnyStepLeavesTheOldFileOrTheNew) {
    TempFolder t;
    ProgramFolder folder(t.path);
    ForEachInterruption({.Prepare =
                             [&] {
                                 ReplaceTextFile(folder, "FileSet\\OrbiDomi.stt", {"uno", "due"});
                             },
                         .Action = [&] { ReplaceTextFile(folder, "FileSet\\OrbiDomi.stt", {"tre"}); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 const std::vector<std::string> expected = point.Completed
                                                                               ? std::vector<std::string>{"tre"}
                                                                               : std::vector<std::string>{"uno", "due"};
                                 EXPECT_EQ(ReadTextLines(folder, "FileSet\\OrbiDomi.stt"), expected);
                             }});
}
