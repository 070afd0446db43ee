#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/locality_records.hpp"
#include "common/program_folder.hpp"
#include "common/real.hpp"

// The computations of the birth-data entry window: the date check, the result panel (calendar,
// correction to Universal Time, coordinates, Julian day) worked out from the chosen place and its
// legal-time regimes, local mean time, the coordinate checks and the hand-over to registration.
// Texts are UTF-8.
namespace florimant {

// ---- Date ----------------------------------------------------------------------------------

// The five fields as typed (EditGiorno, EditMese, EditAnno, EditOra, EditMinuti).
struct DateFields {
    std::string day, month, year, hour, minute;
    bool AnyEmpty() const;
};

enum class DateField { Day, Month, Year, Hour, Minute };

struct BirthDate {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0;
};

struct DateCheck {
    enum class Status { Incomplete, Invalid, Valid };
    Status status = Status::Incomplete;
    std::vector<DateField> failed;  // turned red and emptied
    BirthDate date;
    Real provisionalJulianDay = 0;  // Gregorian, local clock time
    std::string message;            // "Data Scorretta" when Invalid
    bool Valid() const { return status == Status::Valid; }
};

// Nothing is checked while a field is empty. Ranges: day 1..31, month 1..12, year 0..2080,
// hour 0..23, minute 0..59.
DateCheck CheckBirthDate(const DateFields& fields);

// ---- Result computation ----------------------------------------------------------------------

// The regime list that imposes the fixed correction of -5 hours after 30 September 1951.
inline constexpr std::string_view FixedCorrectionRegimeFile = "00920000.CAL";
inline constexpr Real FixedCorrectionFrom = 2433919.5L;
inline constexpr std::string_view RegimesOutdatedNote = "REGIMI ORARI NON AGGIORNATI";

struct BirthResult {
    // The result panel.
    std::string EditDataEstesa;  // local date and time re-derived from the Julian day
    std::string EditJD;          // Universal Time Julian day, 11 characters
    std::string EditLocEstesa;   // place name, trailing spaces removed
    std::string EditCoord;       // 12-character coordinate text
    std::string EditFuso;        // correction, always signed
    std::string EditCalend;      // "GREG" or "GIUL"
    std::string EditStato;       // state
    bool localMeanTime = false;  // CheckBoxLocale
    bool fixedCorrection = false;
    bool regimesOutdated = false;          // show "REGIMI ORARI NON AGGIORNATI"
    std::vector<std::string> regimeLines;  // the hidden list: list consulted and its records

    // The values behind the texts.
    LocalityRecord place;
    std::string regimeFile;  // "00390000.CAL"
    bool julianCalendar = false;
    Real localJulianDay = 0;
    Real julianDayUT = 0;
    Real correction = 0;  // hours added to the local clock time to obtain UT
};

// Steps of the result computation for place `record` of `file`, the local date and clock time
// `date`, and the calendar-reform option. The regime list is read into memory from the store of
// the locality file. Each change of legal time is compared, in Universal Time, with the birth
// moment taken with the correction in force before that change, so a birth in the hours around a
// change gets the correction really in force. DataFileError on missing or damaged files.
BirthResult ComputeBirthResult(const ProgramFolder& folder, const LocalityFile& file, size_t record,
                               const BirthDate& date, bool calendarReformOption);

// The Julian day shown in EditJD after "GIUL" or "GREG" is typed in EditCalend: the typed local
// date and time with that calendar, without correction; empty for any other text.
std::string JulianDayTextForCalendar(std::string_view editCalend, const BirthDate& date);

// ---- Texts and checks --------------------------------------------------------------------------

// A real as plain decimal text (up to 15 significant digits, "." separator, no exponent).
std::string DecimalText(Real value);
// A regime correction as EditFuso shows it: "+" before positive values, "+0" for zero.
std::string CorrectionText(Real hours);
// "45N28-009E11" from degrees (rounded minutes may read 60).
std::string PlaceCoordinateText(Real latitude, Real longitude);
// Characters 1-2 an integer 0..89, 3 "N"/"S", 4-5 0..60, 7-9 0..179, 10 "E"/"W", 11-12 0..60.
bool CheckCoordinateText(std::string_view editCoord);
// "Usa Ora Locale" ticked: EditFuso from the longitude of EditCoord ("-" east, "+" west);
// nothing when the coordinate text fails its check.
std::optional<std::string> LocalMeanTimeCorrectionText(std::string_view editCoord);

// ---- Manual coordinate panel ---------------------------------------------------------------------

struct ManualCoordinates {
    std::string EditGrdLat, EditNS, EditPriLat;                 // latitude degrees, N/S, minutes
    std::string EditGrdLon, EditEWgrd, EditPriLon;              // longitude degrees, E/W, minutes
    std::string EditOreLon, EditMinLon, EditSecLon, EditEWore;  // longitude as time, E/W
};

enum class LongitudeEntry { Degrees, Time };

inline constexpr std::string_view ManualCoordinatesError = "Coordinate Scorrette";

struct ManualCoordinateCheck {
    bool valid = false;
    ManualCoordinates fields;  // N/S and E/W fields cleared when wrong; the other longitude form filled when valid
    std::vector<std::string> redFields;  // names of the fields that failed
    std::string coordinateText;          // when valid
};

ManualCoordinateCheck CheckManualCoordinates(const ManualCoordinates& fields, LongitudeEntry entry);
// Opening the panel: latitude and degree longitude from characters 1-2, 3, 4-5, 7-9, 10, 11-12.
ManualCoordinates ManualCoordinatesFromText(std::string_view editCoord);

// ---- Hand-over to registration ("OK Prosegui") ----------------------------------------------------

struct EntryFields {
    std::string EditSogg;
    std::string EditCalend;
    DateFields date;
    std::string EditLocEstesa, EditCoord, EditFuso, EditStato, EditJD;
};

// What the registration window receives.
struct BirthHandOver {
    std::string name;          // at most 38 characters, trailing spaces removed
    std::string dateTime;      // DD/MM/YYYY HH:MM, local
    std::string locality;      // EditLocEstesa
    std::string coordinates;   // EditCoord
    std::string gmt;           // the correction with its sign inverted, "," as decimal separator
    std::string nationality;   // EditStato
    Real correction = 0;       // hours added to local time for UT, as read from EditFuso (sign and characters 2-5)
    uint8_t calendarFlag = 1;  // 1 Gregorian, 0 Julian
    Real julianDay = 0;        // parsed from EditJD
};

struct HandOverCheck {
    bool ok = false;
    std::string message;  // the first failure's message
    DateCheck date;       // when the date check ran
    BirthHandOver data;   // when ok
};

HandOverCheck CheckHandOver(const EntryFields& fields);

}  // namespace florimant
