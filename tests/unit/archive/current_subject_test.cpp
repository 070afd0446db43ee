#include <gtest/gtest.h>

#include "archive/chart_of_subject.hpp"
#include "archive/chart_summary.hpp"
#include "archive/current_subject.hpp"
#include "archive_fixture.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"

using namespace florimant;

namespace {
void PrepareArchive(ArchiveFolder& t) {
    EnsureBaseArchive(t.folder);
    BirthData d = Subject("ROSSI MARIO (2)");
    d.Locality = "ROMA    *RM*";
    AddSubject(t.folder, "BASE", d, {{"  PRIMA  ", "", "", "ULTIMA"}, "00007"}, FixedSummaries());
    AddSubject(t.folder, "BASE", Subject("VERDI ANNA"), {}, FixedSummaries());
}

std::vector<std::string> Lines(const ArchiveFolder& t, const std::string& file) {
    return ReadTextLines(t.folder, file);
}
}  // namespace

TEST(RecallSubject, WritesTheCurrentSubjectAndItsCompanionFiles) {
    ArchiveFolder t;
    PrepareArchive(t);
    const BirthData d = RecallSubject(t.folder, "BASE", 1);
    EXPECT_EQ(d.Name, "ROSSI MARIO (2)");
    // One record each; the name without the parenthesised suffix and without a record number.
    EXPECT_EQ(t.Size("TMPR.ST1"), 44u);
    EXPECT_EQ(t.Size("TMPR.ST2"), 385u);
    const CurrentSubjectRecords current = ReadCurrentSubjectRecords(t.folder);
    EXPECT_EQ(current.Index.text, "ROSSI MARIO " + std::string(26, ' '));
    EXPECT_EQ(current.Birth.PlaceField, "45N28-009E11ROMA (RM)");
    EXPECT_EQ(Lines(t, "FileDum\\PointGlo.dum"), (std::vector<std::string>{"00001", "BASE"}));
    // Each line stripped at both ends; line 4 keeps the blanks between its text and the number.
    const std::string annotation = " PRIMA   ULTIMA" + std::string(58, ' ') + "00007";
    EXPECT_EQ(Lines(t, "FileDum\\Annotaz.dum"), (std::vector<std::string>{annotation}));
    EXPECT_EQ(Lines(t, "FileDum\\StrText.dum"), (std::vector<std::string>{"BASE", "00007"}));
    EXPECT_EQ(Lines(t, "FileDum\\MMDatArc.dum"),
              (std::vector<std::string>{"BASE", MakeIndexText("ROSSI MARIO (2)", 1), "1", "ROSSI MARIO "}));

    const BirthData read = ReadCurrentSubject(t.folder);
    EXPECT_EQ(read.Name, "ROSSI MARIO");
    EXPECT_EQ(read.Locality, "ROMA (RM)");
    EXPECT_EQ(read.Annotations[0], annotation);
    EXPECT_EQ(read.Correction, -1);

    // The user's choices replace the shown name, locality and nationality of the current subject only.
    RecallSubject(t.folder, "BASE", 2, {std::string("ANNA VERDI"), std::string("ALTROVE"), std::string("SVIZZERA")});
    const BirthData other = ReadCurrentSubject(t.folder);
    EXPECT_EQ(other.Name, "ANNA VERDI");
    EXPECT_EQ(other.Locality, "ALTROVE");
    EXPECT_EQ(other.Nationality, "SVIZZERA");
    EXPECT_EQ(ReadSubject(t.folder, "BASE", 2).Locality, "MILANO *MI*");
    // Subject without annotations: the default text and a blank text number.
    EXPECT_EQ(Lines(t, "FileDum\\StrText.dum")[1], "     ");
}

TEST(RecallSubject, WithoutAnnotationFileNothingOfThePreviousSubjectRemains) {
    ArchiveFolder t;
    PrepareArchive(t);
    RecallSubject(t.folder, "BASE", 1);
    std::filesystem::remove(t.folder.Resolve("BASE.ST3"));
    RecallSubject(t.folder, "BASE", 2);
    EXPECT_EQ(ReadAnnotationLine(t.folder), "");
    EXPECT_FALSE(t.folder.Exists("FileDum\\StrText.dum"));
}

TEST(ChangedIndexes, NoDuplicatesAndAtMostTwelveNames) {
    ArchiveFolder t;
    for (int i = 0; i < 15; ++i) NoteChangedIndex(t.folder, "A" + std::string(3, static_cast<char>('A' + i)));
    NoteChangedIndex(t.folder, "AAAA");
    const std::vector<std::string> names = ReadChangedIndexes(t.folder);
    EXPECT_EQ(names.size(), 12u);
    EXPECT_EQ(names.front(), "AAAA");
    EXPECT_EQ(names.back(), "ALLL");
}

TEST(ChartOfSubject, SubjectFieldsMemoLinesAndTextButton) {
    ArchiveFolder t;
    BirthRecord r;
    r.DateField = "196003151030+1.5";
    r.PlaceField = "41N54-012E29ROMA *RM*";
    r.Calendar = "GR";
    r.Nationality = "ITALIA";
    r.AnnotationNumber = "00000";
    WriteCurrentSubjectRecall(t.folder, "ROSSI MARIO", r, "ROMA *RM*", "ITALIA");
    WriteAnnotationLine(t.folder, " NOTA");
    ChartData chart;
    SubjectSummary summary;
    ReadChartSubjectFields(t.folder, chart, summary);
    EXPECT_EQ(chart.SubjectName, "ROSSI MARIO" + std::string(27, ' '));
    EXPECT_EQ(chart.DateField, "196003151030+1,5");
    EXPECT_EQ(chart.BirthDateText, "15/03/1960 10:30");
    EXPECT_EQ(chart.CorrectionText, "+1,5");
    EXPECT_EQ(chart.CorrectionHours, 1.5L);
    EXPECT_EQ(chart.CoordinatesText, "41N54-012E29");
    EXPECT_EQ(chart.LocalityText, "ROMA (RM)");
    EXPECT_EQ(chart.CalendarFlag, 1);
    EXPECT_EQ(chart.AnnotationText, " NOTA");
    EXPECT_EQ(summary.MemoLines[1], "Nascita 15/03/1960 10:30  Correz. +1,5");
    EXPECT_EQ(summary.MemoLines[2], "Località: ROMA (RM)");
    EXPECT_EQ(summary.MemoLines[3], "Nazionalità: ITALIA");
    EXPECT_EQ(summary.MemoLines[4], "Coordinate: 41N54-012E29");
    EXPECT_EQ(summary.MemoLines[5], "Calendario GREGORIANO");

    EXPECT_FALSE(SubjectTextExists(t.folder));  // no StrText.dum
    WriteTextReference(t.folder, "BASE", "00003");
    EXPECT_FALSE(SubjectTextExists(t.folder));
    t.Put("BASEtxt/00003.txt", "ROSSI MARIO\r\n");
    std::string path;
    EXPECT_TRUE(SubjectTextExists(t.folder, &path));
    EXPECT_EQ(path, "BASEtxt/00003.txt");
}

TEST(ChartOfSubject, MissingOrDamagedCurrentSubjectNamesTheFile) {
    ArchiveFolder t;
    ChartData chart;
    SubjectSummary summary;
    try {
        ReadChartSubjectFields(t.folder, chart, summary);
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "TMPR.ST1");
    }
    BirthRecord r = PlaceholderBirthRecord();
    r.DateField = "196003151030+X";
    r.PlaceField = "41N54-012E29ROMA";
    WriteCurrentSubjectRecall(t.folder, "ROSSI", r, "ROMA", "ITALIA");
    WriteAnnotationLine(t.folder, "");
    try {
        ReadChartSubjectFields(t.folder, chart, summary);
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "TMPR.ST2");
    }
    t.Put("TMPR.ST2", t.Bytes("TMPR.ST2").substr(0, 100));
    EXPECT_THROW(ReadChartSubjectFields(t.folder, chart, summary), DataFileError);
}

TEST(ChartSummary, BodiesCuspsAndAspects) {
    BodyReals lon{};
    // Sun 15.7 Ari, Moon 135.2 Leo (trine Sun, orb 0.5 -> 0), Mercury 20 Ari (conjunction 4.3 -> 4),
    // Venus 75.9 (sextile Sun 60.2 -> 0), Mars 196.0 (opposition Sun 180.3 -> 0) ...
    const Real values[15] = {0, 15.7L, 135.2L, 20, 75.9L, 196.0L, 300, 301, 302, 303, 304, 10, 11, 12, 359.5L};
    for (int i = 1; i <= 14; ++i) lon[static_cast<size_t>(i)] = values[i];
    lon[5] = -196.0L;  // a retrograde longitude counts by its absolute value
    std::array<Real, 13> cusps{};
    for (int c = 1; c <= 12; ++c) cusps[static_cast<size_t>(c)] = (c - 1) * 30 + 10;  // equal houses from 10 Ari
    const ChartSummaries s = BuildChartSummaries(lon, cusps);
    EXPECT_EQ(s.Bodies.size(), 72u);
    EXPECT_EQ(s.Bodies.substr(0, 6), "01eA15");
    EXPECT_EQ(s.Bodies.substr(6, 6), "05lL15");
    EXPECT_EQ(s.Bodies.substr(66, 6), "01hA11");
    EXPECT_EQ(s.Cusps.substr(0, 10), "01A1002T10");
    EXPECT_EQ(s.Cusps.size(), 60u);
    EXPECT_EQ(s.Aspects.substr(0, 16), "eZl0eKm4eJv0eOa0");
    // Bodies 11 and 12 are never second points; 13 and 14 are (x, y).
    EXPECT_EQ(s.Aspects.find("ed"), std::string::npos);
    EXPECT_NE(s.Aspects.find("eKx4"), std::string::npos);
    EXPECT_LE(s.Aspects.size(), 124u);
}
