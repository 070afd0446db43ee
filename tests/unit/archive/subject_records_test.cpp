#include <gtest/gtest.h>

#include "archive/subject_records.hpp"
#include "common/data_file_error.hpp"

using namespace florimant;

namespace {
std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }
std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }
// A PString field: length byte, text, zero fill to the capacity.
std::string Field(const std::string& text, size_t capacity) {
    return std::string(1, static_cast<char>(text.size())) + text + std::string(capacity - text.size(), '\0');
}
}  // namespace

TEST(SubjectRecords, IndexRecordBytes) {
    const std::string text = MakeIndexText("ROSSI MARIO", 12);
    EXPECT_EQ(text, "ROSSI MARIO" + std::string(27, ' ') + "00012");
    EXPECT_EQ(Text(EncodeIndexRecord({text})), "\x2B" + text);
    EXPECT_EQ(Text(EncodeIndexRecord({std::string(IndexHeaderText)})),
              "\x2B"
              "0 Registro vuoto" +
                  std::string(22, '.') + "00000");
    // A name of exactly 38 characters is stored without padding, a longer one is cut.
    const std::string n38(38, 'A');
    EXPECT_EQ(MakeIndexText(n38, 7), n38 + "00007");
    EXPECT_EQ(MakeIndexText(n38 + "XYZ", 7), n38 + "00007");
    EXPECT_EQ(DecodeIndexRecord(Bytes("\x2B" + text), "BASE.ST1", 1).text, text);
}

TEST(SubjectRecords, BirthRecordBytesAtTheirOffsets) {
    BirthRecord r;
    r.DateField = "196003151030+1";
    r.PlaceField = "45N28-009E11MILANO *MI*";
    r.Calendar = "GR";
    r.Nationality = "ITALIA";
    r.BodySummary = "01eA00";
    r.CuspSummary = "01A00";
    r.AspectSummary = "eKl3";
    r.Reserved1 = "";
    r.Reserved2 = "R2";
    r.AnnotationNumber = "00004";
    const std::string expected = Field(r.DateField, 20) + Field(r.PlaceField, 39) + Field("GR", 2) +
                                 Field("ITALIA", 20) + Field("01eA00", 72) + Field("01A00", 60) + Field("eKl3", 124) +
                                 Field("", 21) + Field("R2", 12) + Field("00004", 5);
    ASSERT_EQ(expected.size(), 385u);
    EXPECT_EQ(Text(EncodeBirthRecord(r)), expected);
    EXPECT_EQ(expected[61], 2);   // calendar at 61
    EXPECT_EQ(expected[379], 5);  // annotation number at 379
    BirthRecord back = DecodeBirthRecord(Bytes(expected), "BASE.ST2", 3);
    EXPECT_EQ(back.PlaceField, r.PlaceField);
    EXPECT_EQ(back.Reserved2, "R2");
    EXPECT_EQ(back.AnnotationNumber, "00004");

    // Record 0: nine fields " " and five spaces.
    const std::string placeholder = Text(EncodeBirthRecord(PlaceholderBirthRecord()));
    for (size_t at : {0u, 21u, 61u, 64u, 85u, 158u, 219u, 344u, 366u}) {
        EXPECT_EQ(placeholder[at], 1) << at;
        EXPECT_EQ(placeholder[at + 1], ' ') << at;
    }
    EXPECT_EQ(placeholder.substr(379), "\x05     ");
}

TEST(SubjectRecords, AnnotationRecordBytesAndDefaultText) {
    AnnotationRecord r = BuildAnnotationRecord({"PRIMA", "SECONDA", "", "QUARTA"}, "00007");
    EXPECT_EQ(r.lines[3], "QUARTA" + std::string(58, ' ') + "00007");
    const std::string bytes = Text(EncodeAnnotationRecord(r));
    EXPECT_EQ(bytes, Field("PRIMA", 70) + Field("SECONDA", 70) + Field("", 70) + Field(r.lines[3], 70));
    // Only a text file: line 4 holds 64 spaces and the number.
    EXPECT_EQ(BuildAnnotationRecord({"", "", "", ""}, "00002").lines[3], std::string(64, ' ') + "00002");
    EXPECT_EQ(TextFileNumberOf(r), "00007");

    const AnnotationRecord d = DefaultAnnotationRecord();
    EXPECT_EQ(d.lines[0], "   LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE" + std::string(6, ' '));
    EXPECT_EQ(d.lines[3].substr(0, 11), std::string(11, ' '));
    for (const std::string& line : d.lines) EXPECT_EQ(line.size(), 70u);
    EXPECT_EQ(TextFileNumberOf(d), "     ");
}

TEST(SubjectRecords, DamagedRecordsAreReportedNamingTheFile) {
    std::string bytes = Text(EncodeIndexRecord({MakeIndexText("ROSSI", 1)}));
    bytes[0] = 44;  // longer than the field
    try {
        DecodeIndexRecord(Bytes(bytes), "BASE.ST1", 5);
        FAIL();
    } catch (const DataFileError& e) {
        EXPECT_EQ(e.file(), "BASE.ST1");
        EXPECT_NE(e.fault().find("danneggiato"), std::string::npos);
    }
    std::string birth = Text(EncodeBirthRecord(PlaceholderBirthRecord()));
    birth[344] = 200;
    EXPECT_THROW(DecodeBirthRecord(Bytes(birth), "BASE.ST2", 1), DataFileError);
    EXPECT_THROW(DecodeBirthRecord(Bytes(birth.substr(0, 300)), "BASE.ST2", 1), DataFileError);
    std::string note = Text(EncodeAnnotationRecord(DefaultAnnotationRecord()));
    note[213] = 71;
    EXPECT_THROW(DecodeAnnotationRecord(Bytes(note), "BASE.ST3", 0), DataFileError);
}

TEST(SubjectRecords, SortOrderSpaceBelowBangBelowLetters) {
    EXPECT_LT(CompareIndexTexts(MakeIndexText("ROSSI MARIO", 9), MakeIndexText("ROSSINI LUCA", 1)), 0);
    EXPECT_LT(CompareIndexTexts("ROSSI ", "ROSSI!"), 0);
    EXPECT_LT(CompareIndexTexts("ROSSI!", "ROSSIA"), 0);
    EXPECT_LT(CompareIndexTexts("ROSS", "ROSSI"), 0);  // shorter is smaller on a common prefix
    EXPECT_LT(CompareIndexTexts(MakeIndexText("ROSSI MARIO", 3), MakeIndexText("ROSSI MARIO", 12)), 0);
    EXPECT_GT(CompareIndexTexts("\xC0", "Z"), 0);  // bytes compare unsigned
}

TEST(SubjectRecords, CorrectionTexts) {
    EXPECT_EQ(CorrectionToText(0), "+0");
    EXPECT_EQ(CorrectionToText(-1), "-1");
    EXPECT_EQ(CorrectionToText(-1.5L), "-1,5");
    EXPECT_EQ(CorrectionToText(5), "+5");
    EXPECT_EQ(NormalizeTypedCorrection("+1.5  "), "+1,5");
    EXPECT_EQ(*ParseCorrectionText("+1,5"), 1.5L);
    EXPECT_EQ(*ParseCorrectionText("-1.5"), -1.5L);
    EXPECT_FALSE(ParseCorrectionText("+1a"));
    EXPECT_FALSE(ParseCorrectionText(""));

    // A local-mean-time correction keeps its first 8 characters in the field and is read back
    // from 5, that is with two decimals.
    BirthData d;
    d.Day = 1, d.Month = 2, d.Year = 1870, d.Hour = 12, d.Minute = 0;
    d.CoordinatesText = "45N04-007E41";
    const std::string text = CorrectionToText(-0.51222222222L);
    const BirthRecord stored = DecodeBirthRecord(EncodeBirthRecord(BuildBirthRecord(d, text, {}, 0)), "X.ST2", 1);
    EXPECT_EQ(stored.DateField, "187002011200-0,51222");
    EXPECT_EQ(CorrectionTextOfDateField(stored.DateField), "-0,51");
    const BirthData back = DecodeSubject("BASE", 1, MakeIndexText("X", 1), stored, DefaultAnnotationRecord());
    EXPECT_DOUBLE_EQ(static_cast<double>(back.Correction), -0.51);
    // A stored "." is read as ",".
    BirthRecord dotted = stored;
    dotted.DateField = "196003151030+1.5";
    EXPECT_EQ(DecodeSubject("BASE", 1, MakeIndexText("X", 1), dotted, DefaultAnnotationRecord()).Correction, 1.5L);
    dotted.DateField = "196003151030+A";
    EXPECT_THROW(DecodeSubject("BASE", 1, MakeIndexText("X", 1), dotted, DefaultAnnotationRecord()), DataFileError);
}

TEST(SubjectRecords, DateCoordinateAndLocalityTexts) {
    EXPECT_EQ(StoredDateToDisplay("196003151030"), "15/03/1960 10:30");
    EXPECT_EQ(DisplayDateToStored("15/03/1960 10:30"), "196003151030");
    EXPECT_EQ(StoredDateText(5, 7, 812, 3, 4), "081207050304");
    EXPECT_EQ(StoredDateToDisplay("1960"), "//1960 :");  // a short field never reads past its end

    Coordinates c = *ParseCoordinateText("45N28-009E11");
    EXPECT_EQ(CoordinateText(c), "45N28-009E11");
    EXPECT_NEAR(static_cast<double>(c.Latitude()), 45 + 28 / 60.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(ParseCoordinateText("33S55-070W40")->Longitude()), -(70 + 40 / 60.0), 1e-12);
    EXPECT_FALSE(ParseCoordinateText("45X28-009E11"));
    EXPECT_FALSE(ParseCoordinateText("45N2"));

    EXPECT_EQ(LocalityDisplayText("ROMA *RM*"), "ROMA (RM)");
    EXPECT_EQ(LocalityDisplayText("SAN  GIOVANNI   *BG*  "), "SAN GIOVANNI (BG) ");
}

TEST(SubjectRecords, DecodeSubjectFields) {
    BirthRecord r;
    r.DateField = "196003151030-1";
    r.PlaceField = "45N28-009E11MILANO *MI*";
    r.Calendar = "GI";
    r.Nationality = "ITALIA";
    r.AnnotationNumber = "00003";
    AnnotationRecord a = BuildAnnotationRecord({"UNO", "", "", "QUATTRO"}, "00009");
    const BirthData d = DecodeSubject("BASE", 4, MakeIndexText("ROSSI MARIO", 12), r, a);
    EXPECT_EQ(d.Name, "ROSSI MARIO");
    EXPECT_EQ(d.BirthRecordNumber, 12);
    EXPECT_EQ(d.IndexPosition, 4);
    EXPECT_EQ(d.Day, 15);
    EXPECT_EQ(d.Month, 3);
    EXPECT_EQ(d.Year, 1960);
    EXPECT_EQ(d.Hour, 10);
    EXPECT_EQ(d.Minute, 30);
    EXPECT_EQ(d.Correction, -1);
    EXPECT_EQ(d.CalendarKind, Calendar::Julian);
    EXPECT_EQ(d.Locality, "MILANO *MI*");
    EXPECT_EQ(d.AnnotationNumber, 3);
    EXPECT_EQ(d.TextFileNumber, "00009");
    EXPECT_EQ(d.Annotations[0], "UNO");
}
