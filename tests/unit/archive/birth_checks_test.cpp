#include <gtest/gtest.h>

#include "archive/birth_entry.hpp"

using namespace florimant;

TEST(BirthDateCheck, WaitsForEveryFieldThenChecksRanges) {
    EXPECT_EQ(CheckBirthDate({"1", "7", "", "12", "0"}).status, DateCheck::Status::Incomplete);
    EXPECT_TRUE(CheckBirthDate({"1", "7", "", "12", "0"}).message.empty());

    const DateCheck bad = CheckBirthDate({"32", "0", "2081", "24", "60"});
    EXPECT_EQ(bad.status, DateCheck::Status::Invalid);
    EXPECT_EQ(bad.message, "Data Scorretta");
    EXPECT_EQ(bad.failed, (std::vector<DateField>{DateField::Day, DateField::Month, DateField::Year, DateField::Hour,
                                                  DateField::Minute}));
    EXPECT_EQ(CheckBirthDate({"1x", "7", "1970", "12", "0"}).failed, std::vector<DateField>{DateField::Day});

    const DateCheck ok = CheckBirthDate({"31", "12", "0", "23", "59"});
    EXPECT_TRUE(ok.Valid());
    const DateCheck j2000 = CheckBirthDate({"1", "1", "2000", "12", "00"});
    ASSERT_TRUE(j2000.Valid());
    EXPECT_EQ(j2000.provisionalJulianDay, 2451545.0L);  // always Gregorian
    EXPECT_EQ(j2000.date.year, 2000);
}

TEST(BirthCoordinates, CheckOfTheTwelveCharacterText) {
    EXPECT_TRUE(CheckCoordinateText("45N28-009E11"));
    EXPECT_TRUE(CheckCoordinateText("00S60-179W60"));
    EXPECT_FALSE(CheckCoordinateText("90N00-009E11"));  // latitude degrees 0..89
    EXPECT_FALSE(CheckCoordinateText("45X28-009E11"));
    EXPECT_FALSE(CheckCoordinateText("45N61-009E11"));
    EXPECT_FALSE(CheckCoordinateText("45N28-180E11"));
    EXPECT_FALSE(CheckCoordinateText("45N28-009O11"));
    EXPECT_FALSE(CheckCoordinateText("45N28-009E1"));
    EXPECT_FALSE(CheckCoordinateText(""));
    EXPECT_EQ(PlaceCoordinateText(-33.99999L, -70.5L), "33S60-070W30");  // rounded minutes may read 60
}

TEST(BirthCoordinates, LocalMeanTimeFromTheLongitude) {
    EXPECT_EQ(LocalMeanTimeCorrectionText("45N04-007E30"), "-0.5");
    EXPECT_EQ(LocalMeanTimeCorrectionText("40N43-074W00"), "+4.93333333333333");
    EXPECT_EQ(LocalMeanTimeCorrectionText("51N30-000E00"), "-0");
    EXPECT_FALSE(LocalMeanTimeCorrectionText("garbage").has_value());
    EXPECT_EQ(CorrectionText(0), "+0");
    EXPECT_EQ(CorrectionText(5.5L), "+5.5");
    EXPECT_EQ(CorrectionText(-1), "-1");
}

TEST(ManualCoordinates, DegreeEntryFillsTheTimeFields) {
    ManualCoordinates m = ManualCoordinatesFromText("45N28-009E11");
    EXPECT_EQ(m.EditGrdLat, "45");
    EXPECT_EQ(m.EditNS, "N");
    EXPECT_EQ(m.EditPriLon, "11");
    const ManualCoordinateCheck c = CheckManualCoordinates(m, LongitudeEntry::Degrees);
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(c.coordinateText, "45N28-009E11");
    // 9 degrees 11 minutes = 36 minutes 44 seconds of time.
    EXPECT_EQ(c.fields.EditOreLon, "00");
    EXPECT_EQ(c.fields.EditMinLon, "36");
    EXPECT_EQ(c.fields.EditSecLon, "44");
    EXPECT_EQ(c.fields.EditEWore, "E");
}

TEST(ManualCoordinates, TimeEntryFillsTheDegreeFields) {
    ManualCoordinates m;
    m.EditGrdLat = "5";
    m.EditNS = "S";
    m.EditPriLat = "7";
    m.EditOreLon = "4";
    m.EditMinLon = "56";
    m.EditSecLon = "2";
    m.EditEWore = "W";
    const ManualCoordinateCheck c = CheckManualCoordinates(m, LongitudeEntry::Time);
    ASSERT_TRUE(c.valid);
    EXPECT_EQ(c.coordinateText, "05S07-074W01");  // 4h56m02s = 74.0083 degrees
    EXPECT_EQ(c.fields.EditGrdLon, "074");
    EXPECT_EQ(c.fields.EditPriLon, "01");
    EXPECT_EQ(c.fields.EditEWgrd, "W");
}

TEST(ManualCoordinates, RefusesWhatIsOutOfRange) {
    ManualCoordinates m = ManualCoordinatesFromText("90N30-009X11");
    const ManualCoordinateCheck c = CheckManualCoordinates(m, LongitudeEntry::Degrees);
    EXPECT_FALSE(c.valid);
    EXPECT_EQ(c.redFields, (std::vector<std::string>{"EditPriLat", "EditEWgrd"}));
    EXPECT_TRUE(c.fields.EditEWgrd.empty());  // a wrong letter is cleared
    EXPECT_FALSE(CheckManualCoordinates(ManualCoordinatesFromText("45N28-180E01"), LongitudeEntry::Degrees).valid);
    ManualCoordinates t = ManualCoordinatesFromText("45N28-009E11");
    t.EditOreLon = "12";
    t.EditMinLon = "0";
    t.EditSecLon = "1";
    t.EditEWore = "E";
    EXPECT_FALSE(CheckManualCoordinates(t, LongitudeEntry::Time).valid);  // beyond 180 degrees
    t.EditSecLon = "0";
    EXPECT_TRUE(CheckManualCoordinates(t, LongitudeEntry::Time).valid);
    EXPECT_EQ(ManualCoordinatesError, "Coordinate Scorrette");
}

namespace {
EntryFields GoodEntry() {
    EntryFields f;
    f.EditSogg = "ROSSI MARIO   ";
    f.EditCalend = "GREG";
    f.date = {"1", "7", "1970", "12", "5"};
    f.EditLocEstesa = "ROMA *RM*";
    f.EditCoord = "41N54-012E31";
    f.EditFuso = "-2";
    f.EditStato = "ITALIA";
    f.EditJD = "2440768.920";
    return f;
}
}  // namespace

TEST(HandOver, PassesTheDataWithTheGmtText) {
    const HandOverCheck c = CheckHandOver(GoodEntry());
    ASSERT_TRUE(c.ok) << c.message;
    EXPECT_EQ(c.data.name, "ROSSI MARIO");
    EXPECT_EQ(c.data.dateTime, "01/07/1970 12:05");
    EXPECT_EQ(c.data.gmt, "+2");
    EXPECT_EQ(c.data.correction, -2);
    EXPECT_EQ(c.data.calendarFlag, 1);
    EXPECT_EQ(c.data.julianDay, 2440768.920L);
    EXPECT_EQ(c.data.coordinates, "41N54-012E31");

    EntryFields f = GoodEntry();
    f.EditSogg = std::string(37, 'A') + "ÈÈ";  // cut at 38 letters, not inside one
    EXPECT_EQ(CheckHandOver(f).data.name, std::string(37, 'A') + "È");
    f.EditFuso = "+5.5";
    f.EditCalend = "GIUL";
    EXPECT_EQ(CheckHandOver(f).data.gmt, "-5,5");
    EXPECT_EQ(CheckHandOver(f).data.calendarFlag, 0);
    f.EditFuso = "-0.5124626";  // only characters 2-5 are taken
    EXPECT_EQ(CheckHandOver(f).data.gmt, "+0,51");
}

TEST(HandOver, StopsAtTheFirstFailureInOrder) {
    auto message = [](void (*change)(EntryFields&)) {
        EntryFields f = GoodEntry();
        change(f);
        return CheckHandOver(f).message;
    };
    EXPECT_EQ(message([](EntryFields& f) {
                  f.EditSogg = "   ";
                  f.EditCalend = "";
              }),
              "Manca il Nome del Soggetto");
    EXPECT_EQ(message([](EntryFields& f) {
                  f.EditCalend = "GRE";
                  f.date.day = "40";
              }),
              "Manca indicazione Calendario (GREG/GIUL)");
    EXPECT_EQ(message([](EntryFields& f) {
                  f.date.day = "40";
                  f.EditLocEstesa = "";
              }),
              "Data Scorretta");
    EXPECT_EQ(message([](EntryFields& f) { f.date.minute = ""; }), "Inserire Data di Nascita");
    EXPECT_EQ(message([](EntryFields& f) {
                  f.EditLocEstesa = "";
                  f.EditCoord = "";
              }),
              "Manca Nome Località");
    EXPECT_EQ(message([](EntryFields& f) { f.EditCoord = "41N54-012X31"; }), "Coordinate Errate o Mancanti");
    // "1" typed without a sign has nothing after its first character.
    EXPECT_EQ(message([](EntryFields& f) { f.EditFuso = "1"; }), "Manca correzione Coordinate Totale");
    // A correction without sign or number would reach the archive unreadable.
    EXPECT_EQ(message([](EntryFields& f) { f.EditFuso = "15"; }), "Manca correzione Coordinate Totale");
    EXPECT_EQ(message([](EntryFields& f) { f.EditFuso = "+ab"; }), "Manca correzione Coordinate Totale");
    EXPECT_EQ(message([](EntryFields& f) { f.EditJD = ""; }), "Giorno Giuliano Errato");
}

TEST(HandOver, CalendarTypedInThePanelRecomputesTheJulianDay) {
    const BirthDate d{1, 1, 2000, 12, 0};
    EXPECT_EQ(JulianDayTextForCalendar("GREG", d), "2451545.000");
    EXPECT_EQ(JulianDayTextForCalendar("GIUL", d), "2451558.000");
    EXPECT_EQ(JulianDayTextForCalendar("GRE", d), "");
}
