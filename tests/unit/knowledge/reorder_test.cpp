#include <gtest/gtest.h>

#include <stdexcept>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "interruption_gtest.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/reorder.hpp"
#include "knowledge/repertory_record.hpp"
#include "knowledge/support_files.hpp"
#include "record_test_support.hpp"

using namespace florimant;
using namespace knowledge_test;

namespace {
// The reordering list: the remedy-order lines of records 1 .. N-1 in file order.
std::vector<std::string> FileOrderLines(const ProgramFolder& folder) {
    std::vector<std::string> lines;
    const std::vector<RemedyRecord> all = ReadAllRemedyRecords(folder);
    for (size_t k = 1; k < all.size(); ++k) lines.push_back(RemedyOrderLine(all[k]));
    return lines;
}

// A record whose every piece is full or carries awkward characters.
RemedyRecord LongRecord(int n) {
    RemedyRecord r;
    for (size_t i = 0; i < kRemedyPieceCount; ++i)
        r.pieces[i] = std::string(kRemedyPieces[i].capacity, static_cast<char>('a' + (n + static_cast<int>(i)) % 26));
    SplitRemedyField(r, RemedyField::Rimedio, "MSA Lunga " + std::to_string(n) + " *stella*, ");
    SplitRemedyField(r, RemedyField::Indicazioni, "Uso " + std::to_string(n) + "\r\ncon a capo ; ");
    return r;
}
}  // namespace

TEST(MoveReorderEntry, MovesOneEntryAndShiftsThoseBetween) {
    std::vector<std::string> lines;
    for (int i = 0; i < 10; ++i) lines.push_back(std::to_string(i));
    std::vector<std::string> moved = lines;
    MoveReorderEntry(moved, 7, 2);
    EXPECT_EQ(moved, (std::vector<std::string>{"0", "1", "7", "2", "3", "4", "5", "6", "8", "9"}));
    MoveReorderEntry(moved, 2, 7);
    EXPECT_EQ(moved, lines);
    MoveReorderEntry(moved, 4, 4);
    MoveReorderEntry(moved, 4, 10);  // outside the list: nothing happens
    EXPECT_EQ(moved, lines);
}

TEST(ReorderRemedyDatabase, WritesTheListOrderAfterTheUnchangedHeader) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    std::vector<RemedyRecord> entries;
    for (int i = 0; i < 10; ++i) entries.push_back(Remedy("MSA R" + std::to_string(i), "Uso " + std::to_string(i)));
    RemedyRecord header;
    header.pieces[0] = "Intestazione";
    AppendRemedyRecord(folder, entries[0]);
    WriteRemedyRecord(folder, 0, header);
    for (int i = 1; i < 10; ++i) AppendRemedyRecord(folder, entries[i]);

    std::vector<std::string> lines = FileOrderLines(folder);
    MoveReorderEntry(lines, 7, 2);
    std::vector<size_t> progress;
    ReorderRemedyDatabase(folder, lines, [&](size_t n) { progress.push_back(n); });

    const std::vector<RemedyRecord> after = ReadAllRemedyRecords(folder);
    ASSERT_EQ(after.size(), 11u);
    EXPECT_EQ(after[0], header);
    const int expected[10] = {0, 1, 7, 2, 3, 4, 5, 6, 8, 9};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(after[i + 1], entries[expected[i]]) << i;
    EXPECT_EQ(progress.front(), 2u);
    EXPECT_EQ(progress.back(), 11u);
    EXPECT_FALSE(fs::exists(t.path / "ArcProv.rnd"));
}

TEST(ReorderRemedyDatabase, EveryRecordSurvivesIdenticalOnesAndLongTextsIncluded) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    // An entry with empty name and indication: its line "**" must not take the empty header.
    const std::vector<RemedyRecord> entries = {LongRecord(1),  Remedy("MSA Doppio", "Uso"),
                                               LongRecord(2),  Remedy("MSA Doppio", "Uso"),
                                               Remedy("", ""), LongRecord(3)};
    for (const RemedyRecord& r : entries) AppendRemedyRecord(folder, r);
    std::string before = ReadBytes(t.path / "OpzioneH" / "DBmain.rnd");

    std::vector<std::string> lines = FileOrderLines(folder);
    std::reverse(lines.begin(), lines.end());
    ReorderRemedyDatabase(folder, lines);
    std::vector<RemedyRecord> after = ReadAllRemedyRecords(folder);
    ASSERT_EQ(after.size(), entries.size() + 1);
    EXPECT_EQ(after[0], RemedyRecord{});
    for (size_t i = 0; i < entries.size(); ++i) EXPECT_EQ(after[i + 1], entries[entries.size() - 1 - i]) << i;

    // Back to the first order gives the first file byte for byte.
    std::reverse(lines.begin(), lines.end());
    ReorderRemedyDatabase(folder, lines);
    EXPECT_EQ(ReadBytes(t.path / "OpzioneH" / "DBmain.rnd"), before);
}

TEST(ReorderRemedyDatabase, AListThatDoesNotAccountForEveryRecordChangesNothing) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    AppendRemedyRecord(folder, Remedy("MSA A", "uno"));
    AppendRemedyRecord(folder, Remedy("MSA B", "due"));
    const std::string before = ReadBytes(t.path / "OpzioneH" / "DBmain.rnd");
    EXPECT_THROW(ReorderRemedyDatabase(folder, {"MSA B**due"}), DataFileError);
    EXPECT_THROW(ReorderRemedyDatabase(folder, {"MSA B**due", "MSA C**tre"}), DataFileError);
    EXPECT_THROW(ReorderRemedyDatabase(folder, {"MSA B**due", "MSA A**uno", "MSA A**uno"}), DataFileError);
    EXPECT_EQ(ReadBytes(t.path / "OpzioneH" / "DBmain.rnd"), before);
    // Trailing junk on either side does not matter for the match.
    ReorderRemedyDatabase(folder, {"MSA B, **due;", "MSA A**uno"});
    EXPECT_EQ(ReadRemedyRecord(folder, 1), Remedy("MSA B", "due"));
}

TEST(ReorderRepertory, MatchesOnRemedyAndPathology) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    RepertoryRecord a;
    a.patologia = "Asma";
    a.rimedio = "MSA Timo";
    SplitRepertoryNote(a, std::string(700, 'n'));
    RepertoryRecord b;
    b.patologia = "Asma";
    b.rimedio = "TSA Eucalipto";
    AppendRepertoryRecord(folder, a);
    AppendRepertoryRecord(folder, b);
    ReorderRepertory(folder, {"TSA Eucalipto**Asma", "MSA Timo**Asma"});
    EXPECT_EQ(ReadRepertoryRecord(folder, 1), b);
    EXPECT_EQ(ReadRepertoryRecord(folder, 2), a);
    EXPECT_FALSE(fs::exists(t.path / "RepProv.rnd"));
}

TEST(ReorderRemedyDatabase, AnInterruptionAtAnyStepLosesNothing) {
    TempFolder t;
    const ProgramFolder folder = t.folder();
    for (int i = 0; i < 5; ++i) AppendRemedyRecord(folder, LongRecord(i));
    const std::string before = ReadBytes(t.path / "OpzioneH" / "DBmain.rnd");
    std::vector<std::string> lines = FileOrderLines(folder);
    MoveReorderEntry(lines, 4, 0);

    TempFolder reference;
    WriteBytes(reference.path / "OpzioneH" / "DBmain.rnd", before);
    ReorderRemedyDatabase(reference.folder(), lines);
    const std::string after = ReadBytes(reference.path / "OpzioneH" / "DBmain.rnd");

    ForEachInterruption({.Action = [&] { ReorderRemedyDatabase(folder, lines); },
                         .Check =
                             [&](const InterruptionPoint& point) {
                                 const std::string now = ReadBytes(t.path / "OpzioneH" / "DBmain.rnd");
                                 EXPECT_TRUE(now == before || now == after);
                                 EXPECT_EQ(now, point.Completed ? after : before);
                             },
                         .MostSteps = 20});
}
