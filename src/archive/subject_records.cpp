#include "archive/subject_records.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/number_text.hpp"
#include "common/pstring.hpp"
#include "common/trim.hpp"

namespace florimant {

namespace {

struct Field {
    size_t at;
    size_t capacity;
};
// The ten fields of a BirthRecord, in order, without padding between them.
constexpr std::array<Field, 10> BirthFields{
    {{0, 20}, {21, 39}, {61, 2}, {64, 20}, {85, 72}, {158, 60}, {219, 124}, {344, 21}, {366, 12}, {379, 5}}};
constexpr std::array<size_t, 4> AnnotationOffsets{0, 71, 142, 213};

[[noreturn]] void Damaged(std::string_view file, size_t number, const std::string& what) {
    throw DataFileError(std::string(file), "archivio danneggiato: il record " + std::to_string(number) + " " + what);
}

void CheckSize(const std::vector<uint8_t>& bytes, size_t size, std::string_view file, size_t number) {
    if (bytes.size() != size) Damaged(file, number, "ha una lunghezza errata");
}

std::string ReadField(const std::vector<uint8_t>& bytes, size_t at, size_t capacity, std::string_view file,
                      size_t number) {
    bool overlong = false;
    std::string text = ReadPString(bytes, at, capacity, &overlong);
    if (overlong) Damaged(file, number, "contiene un testo più lungo del suo campo");
    return text;
}

}  // namespace

std::vector<uint8_t> EncodeIndexRecord(const IndexRecord& record) {
    std::vector<uint8_t> bytes(IndexRecordSize, 0);
    WritePString(bytes, 0, IndexTextLength, record.text);
    return bytes;
}

IndexRecord DecodeIndexRecord(const std::vector<uint8_t>& bytes, std::string_view file, size_t number) {
    CheckSize(bytes, IndexRecordSize, file, number);
    return IndexRecord{ReadField(bytes, 0, IndexTextLength, file, number)};
}

std::vector<uint8_t> EncodeBirthRecord(const BirthRecord& r) {
    std::vector<uint8_t> bytes(BirthRecordSize, 0);
    const std::array<const std::string*, 10> texts{&r.DateField,   &r.PlaceField,      &r.Calendar,      &r.Nationality,
                                                   &r.BodySummary, &r.CuspSummary,     &r.AspectSummary, &r.Reserved1,
                                                   &r.Reserved2,   &r.AnnotationNumber};
    for (size_t i = 0; i < BirthFields.size(); ++i)
        WritePString(bytes, BirthFields[i].at, BirthFields[i].capacity, *texts[i]);
    return bytes;
}

BirthRecord DecodeBirthRecord(const std::vector<uint8_t>& bytes, std::string_view file, size_t number) {
    CheckSize(bytes, BirthRecordSize, file, number);
    BirthRecord r;
    const std::array<std::string*, 10> texts{&r.DateField,   &r.PlaceField,      &r.Calendar,      &r.Nationality,
                                             &r.BodySummary, &r.CuspSummary,     &r.AspectSummary, &r.Reserved1,
                                             &r.Reserved2,   &r.AnnotationNumber};
    for (size_t i = 0; i < BirthFields.size(); ++i)
        *texts[i] = ReadField(bytes, BirthFields[i].at, BirthFields[i].capacity, file, number);
    return r;
}

std::vector<uint8_t> EncodeAnnotationRecord(const AnnotationRecord& record) {
    std::vector<uint8_t> bytes(AnnotationRecordSize, 0);
    for (size_t i = 0; i < 4; ++i) WritePString(bytes, AnnotationOffsets[i], AnnotationLineLength, record.lines[i]);
    return bytes;
}

AnnotationRecord DecodeAnnotationRecord(const std::vector<uint8_t>& bytes, std::string_view file, size_t number) {
    CheckSize(bytes, AnnotationRecordSize, file, number);
    AnnotationRecord r;
    for (size_t i = 0; i < 4; ++i)
        r.lines[i] = ReadField(bytes, AnnotationOffsets[i], AnnotationLineLength, file, number);
    return r;
}

BirthRecord PlaceholderBirthRecord() { return BirthRecord{" ", " ", " ", " ", " ", " ", " ", " ", " ", "     "}; }

AnnotationRecord DefaultAnnotationRecord() {
    AnnotationRecord r;
    r.lines[0] = PadRightBlanks("   LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE", 70);
    r.lines[1] = PadRightBlanks("  EVENTUALI ANNOTAZIONI SCRITTE DAGLI UTENTI. LE ANNOTAZIONI DEVONO", 70);
    r.lines[2] = PadRightBlanks("      RIFERIRSI A QUESTO SPECIFICO TEMA (O A QUESTA PERSONA).", 70);
    r.lines[3] = PadRightBlanks("           QUESTO TEMA NON CONTIENE PER ORA ANNOTAZIONI.", 70);
    return r;
}

std::string PadRightBlanks(std::string_view s, size_t width) {
    std::string text(s);
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

std::string RecordText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string FiveDigits(long value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%05ld", value);
    return buffer;
}

std::string MakeIndexText(std::string_view name1252, long birthRecordNumber) {
    std::string name(name1252.substr(0, std::min(name1252.size(), IndexNameLength)));
    return PadRightBlanks(name, IndexNameLength) + FiveDigits(birthRecordNumber);
}

int CompareIndexTexts(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string StoredDateToDisplay(std::string_view stored) {
    // Characters 7-8, 5-6, 1-4, 9-10, 11-12; a short text yields what it holds.
    auto part = [&](size_t from, size_t count) {
        return from < stored.size() ? std::string(stored.substr(from, count)) : std::string();
    };
    return part(6, 2) + "/" + part(4, 2) + "/" + part(0, 4) + " " + part(8, 2) + ":" + part(10, 2);
}

std::string DisplayDateToStored(std::string_view display) {
    auto part = [&](size_t from, size_t count) {
        return from < display.size() ? std::string(display.substr(from, count)) : std::string();
    };
    return part(6, 4) + part(3, 2) + part(0, 2) + part(11, 2) + part(14, 2);
}

std::string StoredDateText(int day, int month, int year, int hour, int minute) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d", year, month, day, hour, minute);
    return buffer;
}

std::string CorrectionToText(Real hours) {
    if (!std::isfinite(hours)) hours = 0;
    if (hours == 0) return "+0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", hours);
    std::string text = buffer;
    std::replace(text.begin(), text.end(), '.', ',');
    return hours > 0 ? "+" + text : text;
}

std::string NormalizeTypedCorrection(std::string_view typed) {
    std::string text = WithoutTrailingBlanks(typed);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

std::string CorrectionTextOfDateField(std::string_view dateField) {
    std::string field(dateField);
    std::replace(field.begin(), field.end(), '.', ',');
    return field.size() > 12 ? field.substr(12, 5) : std::string();
}

std::optional<Real> ParseCorrectionText(std::string_view text) { return ParseWholeReal(text); }

Real Coordinates::Latitude() const {
    const Real v = LatitudeDegrees + LatitudeMinutes / 60.0L;
    return NorthSouth == 'S' ? -v : v;
}

Real Coordinates::Longitude() const {
    const Real v = LongitudeDegrees + LongitudeMinutes / 60.0L;
    return (EastWest == 'W' || EastWest == 'O') ? -v : v;
}

std::string CoordinateText(const Coordinates& c) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d%c%02d-%03d%c%02d", c.LatitudeDegrees % 100, c.NorthSouth,
                  c.LatitudeMinutes % 100, c.LongitudeDegrees % 1000, c.EastWest, c.LongitudeMinutes % 100);
    return buffer;
}

std::optional<Coordinates> ParseCoordinateText(std::string_view text) {
    if (text.size() < 12) return std::nullopt;
    Coordinates c;
    auto latD = DigitsAt(text, 0, 2), latM = DigitsAt(text, 3, 2), lonD = DigitsAt(text, 6, 3),
         lonM = DigitsAt(text, 10, 2);
    if (!latD || !latM || !lonD || !lonM) return std::nullopt;
    if (text[2] != 'N' && text[2] != 'S') return std::nullopt;
    if (text[9] != 'E' && text[9] != 'W' && text[9] != 'O') return std::nullopt;
    c.LatitudeDegrees = *latD;
    c.LatitudeMinutes = *latM;
    c.NorthSouth = text[2];
    c.LongitudeDegrees = *lonD;
    c.LongitudeMinutes = *lonM;
    c.EastWest = text[9];
    return c;
}

std::string LocalityDisplayText(std::string_view stored) {
    std::string out;
    bool opened = false;
    for (char ch : stored) {
        if (ch == '*') {
            ch = opened ? ')' : '(';
            opened = true;
        }
        if (ch == ' ' && !out.empty() && out.back() == ' ') continue;
        out.push_back(ch);
    }
    return out;
}

BirthRecord BuildBirthRecord(const BirthData& data, std::string_view correctionText, const ChartSummaries& summaries,
                             long annotationNumber) {
    BirthRecord r;
    r.DateField = StoredDateText(data.Day, data.Month, data.Year, data.Hour, data.Minute) + std::string(correctionText);
    // The locality always starts at character 13, whatever the caller passed as coordinates.
    r.PlaceField = PadRightBlanks(Utf8ToCp1252(data.CoordinatesText), 12).substr(0, 12) + Utf8ToCp1252(data.Locality);
    r.Calendar = data.CalendarKind == Calendar::Gregorian ? "GR" : "GI";
    r.Nationality = Utf8ToCp1252(data.Nationality);
    r.BodySummary = summaries.Bodies;
    r.CuspSummary = summaries.Cusps;
    r.AspectSummary = summaries.Aspects;
    r.AnnotationNumber = FiveDigits(annotationNumber);
    return r;
}

AnnotationRecord BuildAnnotationRecord(const std::array<std::string, 4>& lines, std::string_view textFileNumber) {
    AnnotationRecord r;
    for (size_t i = 0; i < 3; ++i) r.lines[i] = Utf8ToCp1252(lines[i]).substr(0, AnnotationLineLength);
    std::string fourth =
        PadRightBlanks(Utf8ToCp1252(lines[3]), AnnotationLineLength).substr(0, AnnotationUserLine4Length);
    r.lines[3] = fourth + std::string(textFileNumber);
    return r;
}

long AnnotationNumberOf(const BirthRecord& birth) {
    auto number = DigitsAt(birth.AnnotationNumber, 0, birth.AnnotationNumber.size());
    return number && !birth.AnnotationNumber.empty() ? *number : 0;
}

std::string TextFileNumberOf(const AnnotationRecord& annotation) {
    const std::string& line = annotation.lines[3];
    return line.size() > AnnotationUserLine4Length ? line.substr(AnnotationUserLine4Length, 5) : std::string();
}

BirthData DecodeSubject(std::string_view archive, long indexPosition, std::string_view indexText,
                        const BirthRecord& birth, const AnnotationRecord& annotation) {
    const std::string st2 = std::string(archive) + ".ST2";
    BirthData d;
    d.Archive = std::string(archive);
    d.IndexPosition = indexPosition;
    d.IndexText = Cp1252ToUtf8(indexText);
    d.Name = Cp1252ToUtf8(WithoutTrailingBlanks(indexText.substr(0, std::min(indexText.size(), IndexNameLength))));
    if (indexText.size() > IndexNameLength) {
        std::string_view number = indexText.substr(IndexNameLength, 5);
        auto n = DigitsAt(number, 0, number.size());
        d.BirthRecordNumber = n && !number.empty() ? *n : 0;
    }

    std::string date = birth.DateField;
    std::replace(date.begin(), date.end(), '.', ',');
    auto year = DigitsAt(date, 0, 4), month = DigitsAt(date, 4, 2), day = DigitsAt(date, 6, 2),
         hour = DigitsAt(date, 8, 2), minute = DigitsAt(date, 10, 2);
    if (!year || !month || !day || !hour || !minute)
        throw DataFileError(st2, "archivio danneggiato: data di nascita non leggibile (" + Cp1252ToUtf8(date) + ")");
    d.Year = *year, d.Month = *month, d.Day = *day, d.Hour = *hour, d.Minute = *minute;
    d.CorrectionText = CorrectionTextOfDateField(date);
    auto correction = ParseCorrectionText(d.CorrectionText);
    if (!correction)
        throw DataFileError(st2, "la correzione \"" + Cp1252ToUtf8(d.CorrectionText) + "\" non è un numero");
    d.Correction = *correction;
    d.CorrectionText = Cp1252ToUtf8(d.CorrectionText);

    d.CalendarKind = birth.Calendar == "GR" ? Calendar::Gregorian : Calendar::Julian;
    const std::string coordinates = birth.PlaceField.substr(0, std::min<size_t>(12, birth.PlaceField.size()));
    d.CoordinatesText = Cp1252ToUtf8(coordinates);
    if (auto c = ParseCoordinateText(coordinates)) {
        d.LatitudeDegrees = c->Latitude();
        d.LongitudeDegrees = c->Longitude();
    } else {
        throw DataFileError(st2, "archivio danneggiato: coordinate non leggibili (" + d.CoordinatesText + ")");
    }
    d.Locality = Cp1252ToUtf8(birth.PlaceField.size() > 12 ? birth.PlaceField.substr(12) : std::string());
    d.Nationality = Cp1252ToUtf8(birth.Nationality);
    d.AnnotationNumber = AnnotationNumberOf(birth);
    for (size_t i = 0; i < 4; ++i) d.Annotations[i] = Cp1252ToUtf8(annotation.lines[i]);
    d.TextFileNumber = Cp1252ToUtf8(TextFileNumberOf(annotation));
    d.BodySummary = birth.BodySummary;
    d.CuspSummary = birth.CuspSummary;
    d.AspectSummary = birth.AspectSummary;
    d.Reserved1 = Cp1252ToUtf8(birth.Reserved1);
    d.Reserved2 = Cp1252ToUtf8(birth.Reserved2);
    return d;
}

}  // namespace florimant
