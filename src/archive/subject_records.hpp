#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/real.hpp"

// The three record files of a subject archive and the decoded form of one subject.
//
// Record texts (IndexRecord, BirthRecord, AnnotationRecord) keep the Windows-1252 bytes exactly
// as stored; BirthData holds UTF-8 texts for display and converts at the record boundary.
namespace florimant {

inline constexpr size_t IndexRecordSize = 44;        // .ST1: one PString[43]
inline constexpr size_t BirthRecordSize = 385;       // .ST2: ten PStrings
inline constexpr size_t AnnotationRecordSize = 284;  // .ST3: four PString[70]
inline constexpr size_t IndexTextLength = 43;
inline constexpr size_t IndexNameLength = 38;
inline constexpr size_t AnnotationLineLength = 70;
inline constexpr size_t AnnotationUserLine4Length = 64;

// Text of record 0 of every .ST1.
inline constexpr std::string_view IndexHeaderText = "0 Registro vuoto......................00000";

struct IndexRecord {
    std::string text;  // 43 characters: name padded to 38 + 5-digit BirthRecord number
};

struct BirthRecord {
    std::string DateField;         // PString[20]: YYYYMMDDHHMM + correction text
    std::string PlaceField;        // PString[39]: 12-character coordinates + locality
    std::string Calendar;          // PString[2]: "GR" or "GI"
    std::string Nationality;       // PString[20]
    std::string BodySummary;       // PString[72]
    std::string CuspSummary;       // PString[60]
    std::string AspectSummary;     // PString[124]
    std::string Reserved1;         // PString[21]
    std::string Reserved2;         // PString[12]
    std::string AnnotationNumber;  // PString[5]: 5 digits, "00000" for the default annotation
};

struct AnnotationRecord {
    std::array<std::string, 4> lines;  // PString[70] each
};

// Encoding writes every field cut to its capacity. Decoding reports a length byte above the
// capacity, or a record of the wrong size, as a damaged archive (DataFileError naming `file`).
std::vector<uint8_t> EncodeIndexRecord(const IndexRecord& record);
IndexRecord DecodeIndexRecord(const std::vector<uint8_t>& bytes, std::string_view file, size_t number);
std::vector<uint8_t> EncodeBirthRecord(const BirthRecord& record);
BirthRecord DecodeBirthRecord(const std::vector<uint8_t>& bytes, std::string_view file, size_t number);
std::vector<uint8_t> EncodeAnnotationRecord(const AnnotationRecord& record);
AnnotationRecord DecodeAnnotationRecord(const std::vector<uint8_t>& bytes, std::string_view file, size_t number);

// Record 0 of .ST2 (nine fields " ", annotation number of five spaces) and of .ST3 (the default
// annotation shown for every subject without annotations of its own).
BirthRecord PlaceholderBirthRecord();
AnnotationRecord DefaultAnnotationRecord();

// Index text of a subject: the name (Windows-1252) padded or cut to 38 characters, then the
// BirthRecord number as 5 digits.
std::string MakeIndexText(std::string_view name1252, long birthRecordNumber);
// Byte comparison of index texts (a shorter text is smaller on a common prefix).
int CompareIndexTexts(std::string_view a, std::string_view b);

enum class Calendar { Gregorian, Julian };

// One subject, decoded. Texts are UTF-8; `Locality` keeps the "*" marks of the stored text.
struct BirthData {
    std::string Archive;
    long IndexPosition = 0;
    std::string IndexText;
    std::string Name;
    long BirthRecordNumber = 0;
    int Day = 1, Month = 1, Year = 2000, Hour = 0, Minute = 0;
    Real Correction = 0;         // hours: UT = local clock time + Correction
    std::string CorrectionText;  // as stored (or as typed by the modification window); empty = from Correction
    Calendar CalendarKind = Calendar::Gregorian;
    std::string CoordinatesText;  // 45N28-009E11
    Real LatitudeDegrees = 0;     // north positive
    Real LongitudeDegrees = 0;    // east positive
    std::string Locality;
    std::string Nationality;
    long AnnotationNumber = 0;
    std::array<std::string, 4> Annotations;
    std::string TextFileNumber;  // 5 characters, blank when the subject has no text file
    std::string BodySummary, CuspSummary, AspectSummary, Reserved1, Reserved2;
};

// The date and time forms: display "DD/MM/YYYY HH:MM", stored "YYYYMMDDHHMM".
std::string StoredDateToDisplay(std::string_view stored);
std::string DisplayDateToStored(std::string_view display);
std::string StoredDateText(int day, int month, int year, int hour, int minute);

// The correction as registration stores it: shortest decimal text with "," as decimal point,
// "+" in front when it is not negative ("+0", "-1,5").
std::string CorrectionToText(Real hours);
// The text typed in a correction field as modification stores it: trailing blanks removed and
// every "." turned into ",".
std::string NormalizeTypedCorrection(std::string_view typed);
// Characters 13-17 of a date field after every "." is turned into ",".
std::string CorrectionTextOfDateField(std::string_view dateField);
// The value of a correction text, "." or "," as decimal point; empty when it is not a number.
std::optional<Real> ParseCorrectionText(std::string_view text);

// The 12-character coordinate text, e.g. 45N28-009E11.
struct Coordinates {
    int LatitudeDegrees = 0, LatitudeMinutes = 0;
    char NorthSouth = 'N';
    int LongitudeDegrees = 0, LongitudeMinutes = 0;
    char EastWest = 'E';     // "W" (or "O") for west
    Real Latitude() const;   // degrees, north positive
    Real Longitude() const;  // degrees, east positive
};
std::string CoordinateText(const Coordinates& c);
// Empty when the text is not in the 12-character form.
std::optional<Coordinates> ParseCoordinateText(std::string_view text);

// Display form of a locality: the first "*" becomes "(", later ones ")", runs of blanks become
// one blank (ROMA *RM* shows as ROMA (RM)).
std::string LocalityDisplayText(std::string_view stored);

// Builds the BirthRecord of a subject (date, correction, coordinates and locality, calendar,
// nationality) with the given summaries, empty reserved fields and the annotation number.
// `correctionText` is the text stored after the date.
struct ChartSummaries {
    std::string Bodies, Cusps, Aspects;
};
BirthRecord BuildBirthRecord(const BirthData& data, std::string_view correctionText, const ChartSummaries& summaries,
                             long annotationNumber);
// The annotation record of typed lines (UTF-8): lines 1-3 as typed, line 4 padded and cut to 64
// characters followed by the text file number.
AnnotationRecord BuildAnnotationRecord(const std::array<std::string, 4>& lines, std::string_view textFileNumber);

// Decodes one subject. `archive` names the files in error messages. A date or coordinate text
// that is not made of digits where digits belong, or a correction that is not a number, is
// reported as a damaged archive.
BirthData DecodeSubject(std::string_view archive, long indexPosition, std::string_view indexText,
                        const BirthRecord& birth, const AnnotationRecord& annotation);

// The text file number kept in characters 65-69 of annotation line 4 (blank when absent).
std::string TextFileNumberOf(const AnnotationRecord& annotation);
// The annotation record number of a birth record; 0 (the default annotation) when the field is
// not a number, as in record 0.
long AnnotationNumberOf(const BirthRecord& birth);
// Blank padding of the fixed-width texts and the bytes of an encoded record as one string.
std::string PadRightBlanks(std::string_view s, size_t width);
std::string RecordText(const std::vector<uint8_t>& bytes);
// Zero-padded decimal.
std::string FiveDigits(long value);

}  // namespace florimant
