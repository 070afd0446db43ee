#include <gtest/gtest.h>

#include "archive/current_subject.hpp"
#include "archive_fixture.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"

using namespace florimant;

namespace {
long Add(const ArchiveFolder& t, const std::string& name, const SubjectNotes& notes = {}) {
    return AddSubject(t.folder, "BASE", Subject(name), notes, FixedSummaries());
}
}  // namespace

TEST(EnsureBaseArchive, CreatesTheThreeFilesWithTheirRecordZero) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    EXPECT_EQ(t.Bytes("BASE.ST1"), "\x2B" + std::string(IndexHeaderText));
    EXPECT_EQ(t.Size("BASE.ST2"), 385u);
    EXPECT_EQ(t.Size("BASE.ST3"), 284u);
    EXPECT_EQ(OpenArchive(t.folder, "BASE").Count, 0);
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ROSSI"), 0);  // an empty archive is not searched
}

TEST(EnsureBaseArchive, KeepsStoredRecordsWhenOnlyTheIndexIsMissing) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    Add(t, "ROSSI MARIO", {{"NOTA", "", "", ""}, ""});
    const std::string births = t.Bytes("BASE.ST2"), notes = t.Bytes("BASE.ST3");
    std::filesystem::remove(t.folder.Resolve("BASE.ST1"));
    EnsureBaseArchive(t.folder);
    EXPECT_EQ(t.Bytes("BASE.ST2"), births);  // not emptied
    EXPECT_EQ(t.Bytes("BASE.ST3"), notes);
    EXPECT_EQ(OpenArchive(t.folder, "BASE").Count, 0);
    // An existing archive is not touched at all.
    Add(t, "BIANCHI ANNA");
    const std::string index = t.Bytes("BASE.ST1");
    EnsureBaseArchive(t.folder);
    EXPECT_EQ(t.Bytes("BASE.ST1"), index);
}

TEST(AddSubject, KeepsTheIndexSortedAndMakesTheSubjectCurrent) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    EXPECT_EQ(Add(t, "ROSSINI LUCA"), 1);  // first subject: no sorting pass
    EXPECT_EQ(Add(t, "ROSSI MARIO"), 1);
    EXPECT_EQ(Add(t, "BIANCHI ANNA"), 1);
    EXPECT_EQ(Add(t, "ZETA"), 4);
    EXPECT_EQ(Add(t, "ROSSI MARIO"), 3);  // the same name sorts after the earlier one by record number
    EXPECT_EQ(IndexTexts(t.folder, "BASE"),
              (std::vector<std::string>{MakeIndexText("BIANCHI ANNA", 3), MakeIndexText("ROSSI MARIO", 2),
                                        MakeIndexText("ROSSI MARIO", 5), MakeIndexText("ROSSINI LUCA", 1),
                                        MakeIndexText("ZETA", 4)}));
    EXPECT_EQ(t.Size("BASE.ST2"), 6u * 385);
    EXPECT_EQ(t.Size("BASE.ST3"), 284u);  // no annotations given, none written

    // TMPR record 0 holds the last one registered, with the full index text.
    const CurrentSubjectRecords current = ReadCurrentSubjectRecords(t.folder);
    EXPECT_EQ(current.Index.text, MakeIndexText("ROSSI MARIO", 5));
    EXPECT_EQ(current.Birth.DateField, "196003151030-1");
    EXPECT_EQ(current.Birth.PlaceField, "45N28-009E11MILANO *MI*");
    EXPECT_EQ(current.Birth.AnnotationNumber, "00000");
    EXPECT_EQ(current.Birth.BodySummary, "01eA00");
    EXPECT_EQ(ReadChangedIndexes(t.folder), (std::vector<std::string>{"BASE"}));
    // Without annotations the current subject shows the default text, not the previous subject's.
    EXPECT_EQ(ReadAnnotationLine(t.folder).substr(0, 20), " LO SPAZIO DELIMITAT");
}

TEST(AddSubject, StoresAnnotationsAndTextNumber) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    Add(t, "ROSSI MARIO", {{"PRIMA  ", "", "", "QUARTA"}, "00003"});
    Add(t, "VERDI ANNA", {{"", "", "", ""}, "00004"});
    EXPECT_EQ(t.Size("BASE.ST3"), 3u * 284);
    BirthData first = ReadSubject(t.folder, "BASE", 1);
    EXPECT_EQ(first.AnnotationNumber, 1);
    EXPECT_EQ(first.Annotations[0], "PRIMA  ");
    EXPECT_EQ(first.TextFileNumber, "00003");
    BirthData second = ReadSubject(t.folder, "BASE", 2);
    EXPECT_EQ(second.AnnotationNumber, 2);
    EXPECT_EQ(second.Annotations[3], std::string(64, ' ') + "00004");
    // The copy in TMPR keeps "00000"; the annotation line is written as registration writes it.
    EXPECT_EQ(ReadCurrentSubjectRecords(t.folder).Birth.AnnotationNumber, "00000");
    EXPECT_EQ(ReadAnnotationLine(t.folder), "   " + std::string(64, ' ') + "00004");
}

TEST(AddSubject, IntoTmprWritesRecordZeroAndNoAnnotations) {
    ArchiveFolder t;
    EXPECT_EQ(AddSubject(t.folder, "TMPR", Subject("ROSSI MARIO"), {{"NOTA", "", "", ""}, ""}, FixedSummaries()), 0);
    EXPECT_EQ(OpenArchive(t.folder, "TMPR").Count, 0);
    EXPECT_EQ(ReadIndexEntry(t.folder, "TMPR", 0), MakeIndexText("ROSSI MARIO", 1));
    EXPECT_EQ(t.Size("TMPR.ST2"), 2u * 385);
    EXPECT_FALSE(t.folder.Exists("TMPR.ST3"));
    EXPECT_EQ(ReadCurrentSubject(t.folder).Name, "ROSSI MARIO");
}

TEST(FindIndexPosition, TypedPrefixSearch) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    for (const char* name : {"BIANCHI ANNA", "ROSSI ANNA", "ROSSI MARIO", "ROSSINI LUCA", "VERDI GIUSEPPE", "ZANI PIA"})
        Add(t, name);
    // A full surname lands on the last subject with exactly that surname.
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ROSSI"), 3);
    EXPECT_TRUE(IndexTextStartsWith(ReadIndexEntry(t.folder, "BASE", 3), "ROSSI"));
    // Part of a word lands just before the first name that continues it.
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ROS"), 1);
    EXPECT_FALSE(IndexTextStartsWith(ReadIndexEntry(t.folder, "BASE", 1), "ROS"));
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ROSSINI LUCA"), 4);
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "A"), 1);
    // Never N when N > 1.
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ZANI PIA"), 5);
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ZZZ"), 5);
}

TEST(FindIndexPosition, DuplicatesAndSingleSubject) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    Add(t, "ROSSI MARIO");
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ZZZ"), 1);
    Add(t, "ROSSI MARIO");
    Add(t, "VERDI ANNA");
    // The later of the two duplicates.
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ROSSI MARIO"), 2);
    EXPECT_EQ(ReadIndexEntry(t.folder, "BASE", 2), MakeIndexText("ROSSI MARIO", 2));
}

TEST(RewriteSubject, InPlaceWhenTheFirstEightCharactersAreEqual) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    for (const char* name : {"BIANCHI ANNA", "ROSSI MARIA", "VERDI LUCA"}) Add(t, name);
    BirthData d = ReadSubject(t.folder, "BASE", 2);
    const std::string old = d.IndexText;
    d.Name = "ROSSI MARIO";
    d.CorrectionText = "+1.5 ";
    d.Locality = "ROMA *RM*";
    EXPECT_EQ(RewriteSubject(t.folder, "BASE", old, 2, d, {}, {"B", "C", "A"}), 2);
    EXPECT_EQ(IndexNames(t.folder, "BASE"), (std::vector<std::string>{"BIANCHI ANNA", "ROSSI MARIO", "VERDI LUCA"}));
    const BirthRecord r = ReadBirthRecord(t.folder, "BASE", 2);
    EXPECT_EQ(r.DateField, "196003151030+1,5");
    EXPECT_EQ(r.PlaceField, "45N28-009E11ROMA *RM*");
    EXPECT_EQ(r.BodySummary, "B");
    EXPECT_EQ(r.AnnotationNumber, "00000");
    EXPECT_EQ(t.Size("BASE.ST3"), 284u);  // no notes: nothing written
}

TEST(RewriteSubject, SameFirstEightCharactersStillMovesWhenOrderRequires) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    for (const char* name : {"ROSSI MARIA", "ROSSI MARIO", "ROSSI MAURO"}) Add(t, name);
    BirthData d = ReadSubject(t.folder, "BASE", 1);
    d.Name = "ROSSI MARIU";
    EXPECT_EQ(RewriteSubject(t.folder, "BASE", d.IndexText, 1, d, {}, FixedSummaries()), 2);
    EXPECT_EQ(IndexNames(t.folder, "BASE"), (std::vector<std::string>{"ROSSI MARIO", "ROSSI MARIU", "ROSSI MAURO"}));
    EXPECT_EQ(FindIndexPosition(t.folder, "BASE", "ROSSI MARIU"), 2);
}

TEST(RewriteSubject, MovesTowardsTheStartAndTheEnd) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    for (const char* name : {"BIANCHI ANNA", "NERI PAOLO", "ROSSI MARIA", "VERDI LUCA", "ZANI PIA"}) Add(t, name);
    BirthData d = ReadSubject(t.folder, "BASE", 3);
    d.Name = "ALBANI MARIA";
    EXPECT_EQ(RewriteSubject(t.folder, "BASE", d.IndexText, 3, d, {}, FixedSummaries()), 1);
    EXPECT_EQ(IndexNames(t.folder, "BASE"),
              (std::vector<std::string>{"ALBANI MARIA", "BIANCHI ANNA", "NERI PAOLO", "VERDI LUCA", "ZANI PIA"}));
    d = ReadSubject(t.folder, "BASE", 1);
    d.Name = "VIOLA MARIA";
    EXPECT_EQ(RewriteSubject(t.folder, "BASE", d.IndexText, 1, d, {}, FixedSummaries()), 4);
    EXPECT_EQ(IndexNames(t.folder, "BASE"),
              (std::vector<std::string>{"BIANCHI ANNA", "NERI PAOLO", "VERDI LUCA", "VIOLA MARIA", "ZANI PIA"}));
    d = ReadSubject(t.folder, "BASE", 4);
    d.Name = "ZZZ";
    EXPECT_EQ(RewriteSubject(t.folder, "BASE", d.IndexText, 4, d, {}, FixedSummaries()), 5);
    EXPECT_EQ(ReadIndexEntry(t.folder, "BASE", 5), MakeIndexText("ZZZ", 3));  // record number unchanged
    // A stale index text is refused instead of overwriting another subject's entry.
    EXPECT_THROW(RewriteSubject(t.folder, "BASE", d.IndexText, 4, d, {}, FixedSummaries()), DataFileError);
}

TEST(RewriteSubject, AnnotationsAppendedOnceThenRewrittenInPlace) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    Add(t, "ROSSI MARIO");
    BirthData d = ReadSubject(t.folder, "BASE", 1);
    RewriteSubject(t.folder, "BASE", d.IndexText, 1, d, {{"NUOVA", "", "", ""}, ""}, FixedSummaries());
    EXPECT_EQ(t.Size("BASE.ST3"), 2u * 284);
    EXPECT_EQ(ReadSubject(t.folder, "BASE", 1).AnnotationNumber, 1);
    RewriteSubject(t.folder, "BASE", d.IndexText, 1, d, {{"ALTRA", "", "", ""}, "00001"}, FixedSummaries());
    EXPECT_EQ(t.Size("BASE.ST3"), 2u * 284);
    EXPECT_EQ(ReadSubject(t.folder, "BASE", 1).Annotations[0], "ALTRA");
    // Clearing every note leaves the old record in place.
    RewriteSubject(t.folder, "BASE", d.IndexText, 1, d, {}, FixedSummaries());
    EXPECT_EQ(ReadSubject(t.folder, "BASE", 1).Annotations[0], "ALTRA");
}

TEST(RemoveIndexEntry, TruncatesTheIndexOnlyAndDeletesTheTextFile) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    const std::string number = NextTextFileNumber(t.folder, "BASE");
    EXPECT_EQ(number, "00001");
    EXPECT_EQ(NextTextFileNumber(t.folder, "BASE"), "00002");
    t.Put("BASEtxt/00001.txt", "ROSSI MARIO\r\n");
    Add(t, "ROSSI MARIO", {{}, number});
    Add(t, "BIANCHI ANNA");
    std::filesystem::remove(t.folder.Resolve("FileDum\\MMordina.dum"));
    RemoveIndexEntry(t.folder, "BASE", 2);
    EXPECT_EQ(IndexNames(t.folder, "BASE"), (std::vector<std::string>{"BIANCHI ANNA"}));
    EXPECT_FALSE(t.folder.Exists("BASEtxt\\00001.txt"));
    EXPECT_EQ(t.Size("BASE.ST2"), 3u * 385);
    EXPECT_EQ(t.Size("BASE.ST3"), 2u * 284);
    EXPECT_EQ(ReadChangedIndexes(t.folder), (std::vector<std::string>{"BASE"}));
    RemoveIndexEntry(t.folder, "BASE", 1);
    EXPECT_EQ(t.Bytes("BASE.ST1"), "\x2B" + std::string(IndexHeaderText));
    EXPECT_THROW(RemoveIndexEntry(t.folder, "BASE", 1), DataFileError);
}

TEST(SubjectArchive, DamagedFilesAreReportedNamingTheFile) {
    ArchiveFolder t;
    EnsureBaseArchive(t.folder);
    Add(t, "ROSSI MARIO");
    const std::string index = t.Bytes("BASE.ST1");
    t.Put("BASE.ST1", index + "xyz");
    for (auto op :
         std::vector<std::function<void()>>{[&] { OpenArchive(t.folder, "BASE"); }, [&] { Add(t, "VERDI ANNA"); },
                                            [&] { RemoveIndexEntry(t.folder, "BASE", 1); }}) {
        try {
            op();
            ADD_FAILURE() << "no error";
        } catch (const DataFileError& e) {
            EXPECT_EQ(e.file(), "BASE.ST1");
        }
    }
    EXPECT_EQ(t.Bytes("BASE.ST1"), index + "xyz");  // nothing was changed
    std::string overlong = index;
    overlong[44] = 60;
    t.Put("BASE.ST1", overlong);
    EXPECT_THROW(ReadIndexEntry(t.folder, "BASE", 1), DataFileError);
    EXPECT_THROW(FindIndexPosition(t.folder, "BASE", "R"), DataFileError);
    t.Put("BASE.ST1", index);
    t.Put("BASE.ST2", t.Bytes("BASE.ST2").substr(0, 500));
    EXPECT_THROW(ReadSubject(t.folder, "BASE", 1), DataFileError);
    EXPECT_THROW(OpenArchive(t.folder, "../x"), DataFileError);
}

TEST(SubjectArchive, ListsAndLabels) {
    ArchiveFolder t;
    for (const char* n : {"BASE.ST1", "rice.st1", "TMPR.ST1", "LUNGO.ST1", "BANK.ST2"}) t.Put(n, "");
    EXPECT_EQ(ListArchives(t.folder), (std::vector<std::string>{"BASE", "RICE", "TMPR"}));
    EXPECT_EQ(ArchiveLabel("BASE"), "BASE (personale)");
    EXPECT_EQ(ArchiveLabel("TMPR"), "TMPR (temporaneo)");
    EXPECT_EQ(ArchiveLabel("RICE"), "RICE (speciale)");
    EXPECT_EQ(ArchiveLabel("BANK"), "BANK (banca dati)");
    EXPECT_EQ(ArchiveLabel("PROV"), "PROV");
}
