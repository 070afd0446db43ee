#include "archive/birth_entry.hpp"

#include <cmath>
#include <cstdio>

#include "archive/regime_records.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/number_text.hpp"
#include "common/trim.hpp"
#include "common/utf8.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"

namespace florimant {

namespace {

// An integer as the edit fields hold it: optional blanks around, an optional sign, at most nine
// digits.
constexpr NumberTextRules EditFieldInteger{
    .BlanksBefore = " ", .BlanksAfter = " ", .DecimalComma = false, .MostDigits = 9};
// A real typed with "." or "," as decimal separator: blanks may stand before it, nothing after.
constexpr NumberTextRules EditFieldReal{.BlanksAfter = ""};

bool ParseInteger(std::string_view text, int& value) {
    const std::optional<long> v = ParseWholeInteger(text, EditFieldInteger);
    if (v) value = static_cast<int>(*v);
    return v.has_value();
}

bool IntegerWithin(std::string_view text, int low, int high, int& value) {
    return ParseInteger(text, value) && value >= low && value <= high;
}

bool ParseReal(std::string_view text, Real& value) {
    const std::optional<Real> v = ParseWholeReal(text, EditFieldReal);
    if (v) value = *v;
    return v.has_value();
}

std::string Substring(std::string_view s, size_t from, size_t count) {
    return from >= s.size() ? std::string() : std::string(s.substr(from, count));
}

std::string RegimeLine(const RegimeRecord& record, std::string_view file) {
    if (record.Is(ContinuationCode)) return record.code + " " + ContinuationFileName(record, file);
    return record.code + " " + JulianDayToText(record.Instant()) + " " + CorrectionText(record.correction);
}

void ListRegimes(const RegimeList& list, std::vector<std::string>& lines) {
    for (const RegimeRecord& record : list.records) lines.push_back(Cp1252ToUtf8(RegimeLine(record, list.source)));
}

// The depth of "RICH" chains followed before the lists are taken as circular.
constexpr int MaxContinuations = 32;

}  // namespace

bool DateFields::AnyEmpty() const {
    return day.empty() || month.empty() || year.empty() || hour.empty() || minute.empty();
}

DateCheck CheckBirthDate(const DateFields& fields) {
    DateCheck check;
    if (fields.AnyEmpty()) return check;
    BirthDate& d = check.date;
    if (!IntegerWithin(fields.day, 1, 31, d.day)) check.failed.push_back(DateField::Day);
    if (!IntegerWithin(fields.month, 1, 12, d.month)) check.failed.push_back(DateField::Month);
    if (!IntegerWithin(fields.year, 0, 2080, d.year)) check.failed.push_back(DateField::Year);
    if (!IntegerWithin(fields.hour, 0, 23, d.hour)) check.failed.push_back(DateField::Hour);
    if (!IntegerWithin(fields.minute, 0, 59, d.minute)) check.failed.push_back(DateField::Minute);
    if (!check.failed.empty()) {
        check.status = DateCheck::Status::Invalid;
        check.message = "Data Scorretta";
        return check;
    }
    check.status = DateCheck::Status::Valid;
    check.provisionalJulianDay = JulianDay(1, d.day, d.month, d.year, d.hour, d.minute);
    return check;
}

std::string DecimalText(Real value) {
    if (!std::isfinite(value)) return "0";
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%.15Lg", value);
    std::string text = buffer;
    if (text.find('e') != std::string::npos) {
        std::snprintf(buffer, sizeof buffer, "%.20Lf", value);
        text = buffer;
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

std::string CorrectionText(Real hours) {
    const std::string text = DecimalText(hours);
    if (text == "0") return "+0";
    return hours > 0 ? "+" + text : text;
}

std::string PlaceCoordinateText(Real latitude, Real longitude) {
    auto part = [](Real value, int width) {
        const Real a = std::fabs(value);
        const long degrees = static_cast<long>(std::trunc(a));
        const long minutes = static_cast<long>(std::floor((a - degrees) * 60 + 0.5L));
        return std::make_pair(ZeroPad(degrees, width), ZeroPad(minutes, 2));
    };
    const auto [latDeg, latMin] = part(latitude, 2);
    const auto [lonDeg, lonMin] = part(longitude, 3);
    return latDeg + (latitude >= 0 ? "N" : "S") + latMin + "-" + lonDeg + (longitude >= 0 ? "E" : "W") + lonMin;
}

bool CheckCoordinateText(std::string_view c) {
    if (c.size() < 12) return false;
    int v = 0;
    return IntegerWithin(c.substr(0, 2), 0, 89, v) && (c[2] == 'N' || c[2] == 'S') &&
           IntegerWithin(c.substr(3, 2), 0, 60, v) && IntegerWithin(c.substr(6, 3), 0, 179, v) &&
           (c[9] == 'E' || c[9] == 'W') && IntegerWithin(c.substr(10, 2), 0, 60, v);
}

std::optional<std::string> LocalMeanTimeCorrectionText(std::string_view editCoord) {
    if (!CheckCoordinateText(editCoord)) return std::nullopt;
    int degrees = 0, minutes = 0;
    ParseInteger(editCoord.substr(6, 3), degrees);
    ParseInteger(editCoord.substr(10, 2), minutes);
    Real longitude = degrees + minutes / 60.0L;
    if (editCoord[9] == 'W') longitude = -longitude;
    return (longitude >= 0 ? "-" : "+") + DecimalText(std::fabs(longitude / 15));
}

BirthResult ComputeBirthResult(const ProgramFolder& folder, const LocalityFile& file, size_t record,
                               const BirthDate& date, bool calendarReformOption) {
    BirthResult result;
    const LocalityStore store = file.store();
    const bool italian = store == LocalityStore::Italia;
    const Real provisional = JulianDay(1, date.day, date.month, date.year, date.hour, date.minute);

    // The chosen place and its regime list.
    result.place = file.Read(record);
    result.regimeFile = RegimeFileName(result.place.regimeCode, file.programPath());
    result.fixedCorrection = result.regimeFile == FixedCorrectionRegimeFile;
    RegimeList list = ReadRegimeList(folder, store, result.regimeFile);
    result.regimeLines.push_back(result.regimeFile);
    ListRegimes(list, result.regimeLines);
    if (list.records.empty()) throw DataFileError(list.source, "elenco " + list.name + " vuoto");

    // Calendar from record 0.
    bool julian = false;
    const RegimeRecord& first = list.records.front();
    if (first.Is(GregorianCode)) {
        const Real adoption = first.Instant() - (italian ? 1 : 0);
        if (static_cast<long>(std::trunc(adoption)) == AlwaysGregorianDay)
            julian = calendarReformOption && provisional < GregorianReformDay;
        else julian = provisional <= adoption;
    }
    if (calendarReformOption && provisional > GregorianReformMidnight) julian = false;

    // Local mean time before record 1 "LMT ".
    if (list.records.size() > 1 && list.records[1].Is(LocalMeanTimeCode) && list.records[1].Instant() >= provisional)
        result.localMeanTime = true;
    result.julianCalendar = julian;
    result.EditCalend = julian ? "GIUL" : "GREG";
    const uint8_t calendarFlag = julian ? 0 : 1;
    result.localJulianDay = JulianDay(calendarFlag, date.day, date.month, date.year, date.hour, date.minute);

    // Regime scan. The birth moment in UT depends on the correction, so each change is compared
    // with the birth taken with the correction in force before that change.
    const Real meanTimeCorrection = -result.place.longitude / 15;
    bool havePrevious = false;
    Real previous = 0;
    std::optional<Real> stoppedAt;
    int continuations = 0;
    for (size_t k = 1;;) {
        if (k >= list.records.size()) break;
        const RegimeRecord& r = list.records[k];
        if (r.Is(ContinuationCode)) {
            if (++continuations > MaxContinuations)
                throw DataFileError(list.source, "rimandi \"RICH\" circolari da " + result.regimeFile);
            const std::string next = ContinuationFileName(r, list.source);
            list = ReadRegimeList(folder, store, next);
            result.regimeLines.push_back("CAMBIO FILE: " + next);
            ListRegimes(list, result.regimeLines);
            k = 1;
            continue;
        }
        const Real before =
            havePrevious ? previous : (r.Is(LocalMeanTimeCode) ? meanTimeCorrection : Real(r.correction));
        if (r.Instant() < result.localJulianDay + before / 24) {
            havePrevious = true;
            previous = r.correction;
            ++k;
            continue;
        }
        stoppedAt = r.correction;
        break;
    }
    Real correction = 0;
    if (havePrevious)
        correction = previous;  // the record before the birth, or the last record when the scan ran past it
    else if (stoppedAt) correction = *stoppedAt;  // the birth precedes the first record
    else if (!result.localMeanTime)
        throw DataFileError(list.source, "elenco " + result.regimeFile + " senza regimi orari");
    std::string fuso = CorrectionText(correction);

    if (result.localMeanTime) {
        correction = meanTimeCorrection;
        fuso = (result.place.longitude >= 0 ? "-" : "+") + DecimalText(std::fabs(result.place.longitude / 15));
        fuso = fuso.substr(0, 10);
    }
    result.regimesOutdated = date.year > 2010 && italian;
    if (fuso.empty() || (fuso[0] != '+' && fuso[0] != '-')) fuso = "+" + fuso;
    result.correction = correction;

    result.EditDataEstesa = JulianDayToText(result.localJulianDay);
    result.julianDayUT = JulianDay(calendarFlag, date.day, date.month, date.year, date.hour + correction, date.minute);
    result.EditJD = FormatDecimal(11, result.julianDayUT);
    result.EditLocEstesa = Cp1252ToUtf8(WithoutTrailingBlanks(result.place.name));
    result.EditStato = Cp1252ToUtf8(WithoutTrailingBlanks(result.place.state));
    result.EditCoord = PlaceCoordinateText(result.place.latitude, result.place.longitude);
    if (result.fixedCorrection && result.julianDayUT > FixedCorrectionFrom) fuso = "-5";
    result.EditFuso = fuso;
    return result;
}

std::string JulianDayTextForCalendar(std::string_view editCalend, const BirthDate& date) {
    if (editCalend != "GIUL" && editCalend != "GREG") return {};
    const uint8_t flag = editCalend == "GREG" ? 1 : 0;
    return FormatDecimal(11, JulianDay(flag, date.day, date.month, date.year, date.hour, date.minute));
}

ManualCoordinates ManualCoordinatesFromText(std::string_view c) {
    ManualCoordinates m;
    m.EditGrdLat = Substring(c, 0, 2);
    m.EditNS = Substring(c, 2, 1);
    m.EditPriLat = Substring(c, 3, 2);
    m.EditGrdLon = Substring(c, 6, 3);
    m.EditEWgrd = Substring(c, 9, 1);
    m.EditPriLon = Substring(c, 10, 2);
    return m;
}

ManualCoordinateCheck CheckManualCoordinates(const ManualCoordinates& fields, LongitudeEntry entry) {
    ManualCoordinateCheck check;
    check.fields = fields;
    ManualCoordinates& f = check.fields;
    auto fail = [&check](const char* name) { check.redFields.push_back(name); };

    int latDeg = 0, latMin = 0;
    if (!IntegerWithin(f.EditGrdLat, 0, 90, latDeg)) fail("EditGrdLat");
    if (f.EditNS != "N" && f.EditNS != "S") {
        f.EditNS.clear();
        fail("EditNS");
    }
    if (!IntegerWithin(f.EditPriLat, 0, 59, latMin)) fail("EditPriLat");
    if (check.redFields.empty() && latDeg + latMin / 60.0L > 90) fail("EditPriLat");

    int lonDeg = 0, lonMin = 0;
    std::string eastWest;
    const size_t latitudeFailures = check.redFields.size();
    if (entry == LongitudeEntry::Degrees) {
        if (!IntegerWithin(f.EditGrdLon, 0, 180, lonDeg)) fail("EditGrdLon");
        if (f.EditEWgrd != "E" && f.EditEWgrd != "W") {
            f.EditEWgrd.clear();
            fail("EditEWgrd");
        }
        if (!IntegerWithin(f.EditPriLon, 0, 59, lonMin)) fail("EditPriLon");
        const Real longitude = lonDeg + lonMin / 60.0L;
        if (check.redFields.size() == latitudeFailures && longitude > 180) fail("EditPriLon");
        if (check.redFields.size() == latitudeFailures) {
            // Time fields as whole hours, minutes and seconds of the remainder.
            const Real hours = longitude / 15;
            const long h = static_cast<long>(std::trunc(hours));
            const Real minutes = (hours - h) * 60;
            const long m = static_cast<long>(std::trunc(minutes));
            const long s = static_cast<long>(std::trunc((minutes - m) * 60));
            f.EditOreLon = ZeroPad(h, 2);
            f.EditMinLon = ZeroPad(m, 2);
            f.EditSecLon = ZeroPad(s, 2);
            f.EditEWore = f.EditEWgrd;
        }
        eastWest = f.EditEWgrd;
    } else {
        int h = 0, m = 0, s = 0;
        if (!IntegerWithin(f.EditOreLon, 0, 12, h)) fail("EditOreLon");
        if (f.EditEWore != "E" && f.EditEWore != "W") {
            f.EditEWore.clear();
            fail("EditEWore");
        }
        if (!IntegerWithin(f.EditMinLon, 0, 59, m)) fail("EditMinLon");
        if (!IntegerWithin(f.EditSecLon, 0, 59, s)) fail("EditSecLon");
        const Real longitude = (h + m / 60.0L + s / 3600.0L) * 15;
        if (check.redFields.size() == latitudeFailures && longitude > 180) fail("EditOreLon");
        if (check.redFields.size() == latitudeFailures) {
            lonDeg = static_cast<int>(std::trunc(longitude));
            lonMin = static_cast<int>(std::floor((longitude - lonDeg) * 60 + 0.5L));
            f.EditGrdLon = ZeroPad(lonDeg, 3);
            f.EditPriLon = ZeroPad(lonMin, 2);
            f.EditEWgrd = f.EditEWore;
        }
        eastWest = f.EditEWore;
    }
    if (!check.redFields.empty()) return check;
    check.valid = true;
    check.coordinateText =
        ZeroPad(latDeg, 2) + f.EditNS + ZeroPad(latMin, 2) + "-" + ZeroPad(lonDeg, 3) + eastWest + ZeroPad(lonMin, 2);
    return check;
}

HandOverCheck CheckHandOver(const EntryFields& fields) {
    HandOverCheck check;
    std::string name = WithoutTrailingBlanks(FirstCharacters(fields.EditSogg, 38));
    auto refuse = [&check](std::string message) {
        check.message = std::move(message);
        return check;
    };
    if (IsBlank(name)) return refuse("Manca il Nome del Soggetto");
    if (fields.EditCalend != "GREG" && fields.EditCalend != "GIUL")
        return refuse("Manca indicazione Calendario (GREG/GIUL)");
    check.date = CheckBirthDate(fields.date);
    if (check.date.status == DateCheck::Status::Incomplete) return refuse("Inserire Data di Nascita");
    if (!check.date.Valid()) return refuse(check.date.message);
    if (fields.EditLocEstesa.empty()) return refuse("Manca Nome Località");
    if (!CheckCoordinateText(fields.EditCoord)) return refuse("Coordinate Errate o Mancanti");
    // A correction must be a sign followed by a number; anything else would reach the archive as
    // an unreadable correction.
    const std::string& fuso = fields.EditFuso;
    Real magnitudeValue = 0;
    std::string magnitude = Substring(fuso, 1, 4);
    if (fuso.size() < 2 || (fuso[0] != '+' && fuso[0] != '-') || !ParseReal(magnitude, magnitudeValue))
        return refuse("Manca correzione Coordinate Totale");
    Real julianDay = 0;
    if (!ParseReal(fields.EditJD, julianDay)) return refuse("Giorno Giuliano Errato");

    for (char& c : magnitude)
        if (c == '.') c = ',';
    BirthHandOver& data = check.data;
    data.name = std::move(name);
    const BirthDate& d = check.date.date;
    data.dateTime = ZeroPad(d.day, 2) + "/" + ZeroPad(d.month, 2) + "/" + ZeroPad(d.year, 4) + " " +
                    ZeroPad(d.hour, 2) + ":" + ZeroPad(d.minute, 2);
    data.locality = fields.EditLocEstesa;
    data.coordinates = fields.EditCoord.substr(0, 12);
    data.gmt = (fuso[0] == '-' ? "+" : "-") + magnitude;
    data.correction = fuso[0] == '-' ? -magnitudeValue : magnitudeValue;
    data.nationality = fields.EditStato;
    data.calendarFlag = fields.EditCalend == "GREG" ? 1 : 0;
    data.julianDay = julianDay;
    check.ok = true;
    return check;
}

}  // namespace florimant
