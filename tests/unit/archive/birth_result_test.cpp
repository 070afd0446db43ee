#include <gtest/gtest.h>

#include <algorithm>

#include "archive/birth_entry.hpp"
#include "common/data_file_error.hpp"
#include "regime_fixture.hpp"

using namespace florimant;
using namespace atlas_test;

namespace {

// Small regime stores that exercise every rule of the result computation.
class BirthResultTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Italy: Gregorian from 15 October 1582 (stored as read: one day is taken off for Italian lists).
        t.ItalianList("00390000.CAL",
                      {Greg(GregorianReformMidnight), Lmt(Ut(1893, 10, 31, 23), -1),
                       Change(Ut(1966, 5, 21, 23), -2, "CEST"), Change(Ut(1966, 9, 24, 23), -1, "CET ")});
        t.ItalianList("00390001.CAL", {Greg(GregorianReformMidnight), Change(Ut(1920, 1, 1), -1, "CET "),
                                       Change(Ut(1940, 6, 14, 22), -2, "CEST")});
        t.Places(LocalityStore::Italia, {Place("ROMA *RM*", 41.9L, 12.5L, 390000, "ITALIA"),
                                         Place("TORINO *TO*", 45.0703L, 7.6869L, 390000, "ITALIA"),
                                         Place("SENZA LMT *XX*", 40, 15, 390001, "ITALIA")});

        t.ForeignList("00440000.CAL",
                      {Greg(2361221.5L), Lmt(Ut(1847, 12, 1), 0), Change(Ut(1916, 5, 21, 2), -1, "BST "),
                       Change(Ut(1916, 10, 1, 2), 0, "GMT "), Rich(440001)});
        t.ForeignList("00440001.CAL", {Greg(1721423.5L), Change(Ut(1940, 2, 25, 2), -1, "BST "),
                                       Change(Ut(1945, 10, 7, 2), 0, "GMT ")});
        t.ForeignList("00010000.CAL", {Greg(2361221.5L), Lmt(Ut(1883, 11, 18, 17), 5),
                                       Change(Ut(1960, 4, 24, 7), 4, "EDT "), Change(Ut(1960, 10, 30, 6), 5, "EST ")});
        t.ForeignList("00920000.CAL",
                      {Greg(1721423.5L), Lmt(Ut(1907, 1, 1), -5.5), Change(Ut(1951, 9, 29, 19), -5, "PKT "),
                       Change(Ut(2002, 4, 6, 19), -6, "PKST"), Change(Ut(2002, 10, 5, 18), -5, "PKT ")});
        t.ForeignList("00770000.CAL", {Greg(1721423.5L), Rich(770001)});
        t.ForeignList("00770001.CAL", {Greg(1721423.5L), Rich(770000)});
        t.ForeignList("00330000.CAL", {Greg(1721423.5L), Change(Ut(1900, 1, 1), -1, "CET ")});
        t.ForeignList("00340000.CAL", {Greg(GregorianReformMidnight), Change(Ut(1900, 1, 1), -1, "CET ")});
        t.Places(
            LocalityStore::Estero,
            {Place("LONDON", 51.5L, -0.12L, 440000, "REGNO UNITO"),
             Place("NEW YORK", 40.71L, -74, 10000, "STATI UNITI"), Place("KARACHI", 24.86L, 67, 920000, "PAKISTAN"),
             Place("CERCHIO", 0, 0, 770000, "X"), Place("PARIS", 48.85L, 2.35L, 330000, "FRANCIA"),
             Place("MADRID", 40.4L, -3.7L, 340000, "SPAGNA"), Place("ASSENTE", 0, 0, 123456, "X")});
    }
    BirthResult Italy(size_t record, BirthDate d, bool reform = false) {
        return ComputeBirthResult(t.folder(), LocalityFile(t.folder(), LocalityStore::Italia), record, d, reform);
    }
    BirthResult Abroad(size_t record, BirthDate d, bool reform = false) {
        return ComputeBirthResult(t.folder(), LocalityFile(t.folder(), LocalityStore::Estero), record, d, reform);
    }
    AtlasFolder t;
};

enum { Roma = 1, Torino = 2, SenzaLmt = 3 };
enum { London = 1, NewYork = 2, Karachi = 3, Loop = 4, Paris = 5, Madrid = 6, Missing = 7 };

TEST_F(BirthResultTest, FillsTheResultPanel) {
    const BirthResult r = Italy(Roma, {1, 7, 1966, 12, 0});
    EXPECT_EQ(r.EditFuso, "-2");
    EXPECT_EQ(r.EditCalend, "GREG");
    EXPECT_EQ(r.EditDataEstesa, "01/07/1966 12:00");
    EXPECT_EQ(r.EditJD, "2439307.916");  // 1 July 1966 10:00 UT
    EXPECT_EQ(r.EditLocEstesa, "ROMA *RM*");
    EXPECT_EQ(r.EditStato, "ITALIA");
    EXPECT_EQ(r.EditCoord, "41N54-012E30");
    EXPECT_FALSE(r.localMeanTime);
    EXPECT_FALSE(r.regimesOutdated);
    ASSERT_GE(r.regimeLines.size(), 5u);
    EXPECT_EQ(r.regimeLines[0], "00390000.CAL");
    EXPECT_EQ(r.regimeLines[3], "CEST 21/05/1966 23:00 -2");
}

TEST_F(BirthResultTest, BeforeTheFirstAndAfterTheLastRecord) {
    EXPECT_EQ(Italy(SenzaLmt, {1, 7, 1910, 12, 0}).EditFuso, "-1");  // the first record's correction
    EXPECT_EQ(Italy(Roma, {1, 7, 1970, 12, 0}).EditFuso, "-1");      // the last record's
    EXPECT_EQ(Abroad(NewYork, {1, 7, 1990, 12, 0}).EditFuso, "+5");
}

TEST_F(BirthResultTest, LocalMeanTimeBeforeTheLmtRecord) {
    const BirthResult turin = Italy(Torino, {1, 6, 1850, 12, 0});
    EXPECT_TRUE(turin.localMeanTime);
    EXPECT_EQ(turin.EditFuso, "-0.51246");  // 7.6869 degrees east / 15
    EXPECT_EQ(turin.EditCoord, "45N04-007E41");
    EXPECT_NEAR(static_cast<double>(turin.julianDayUT), 2396910.0 - 0.51246 / 24, 1e-9);
    // West of Greenwich the sign turns, and the text is cut to 10 characters.
    const BirthResult ny = Abroad(NewYork, {1, 6, 1850, 12, 0});
    EXPECT_TRUE(ny.localMeanTime);
    EXPECT_EQ(ny.EditFuso, "+4.9333333");
    EXPECT_FALSE(Italy(Torino, {1, 6, 1900, 12, 0}).localMeanTime);
}

TEST_F(BirthResultTest, ChangeOfLegalTimeIsTakenInUniversalTime) {
    // Rome, 22 May 1966: clocks went from 00:00 CET to 01:00 CEST (23:00 UT).
    EXPECT_EQ(Italy(Roma, {21, 5, 1966, 23, 30}).EditFuso, "-1");  // 30 minutes before: 22:30 UT
    EXPECT_EQ(Italy(Roma, {22, 5, 1966, 1, 30}).EditFuso, "-2");   // 30 minutes after: 23:30 UT
    // New York, 24 April 1960: 02:00 EST became 03:00 EDT (07:00 UT).
    EXPECT_EQ(Abroad(NewYork, {24, 4, 1960, 1, 30}).EditFuso, "+5");
    EXPECT_EQ(Abroad(NewYork, {24, 4, 1960, 3, 30}).EditFuso, "+4");
    EXPECT_EQ(Abroad(NewYork, {1, 7, 1960, 12, 0}).EditFuso, "+4");
}

TEST_F(BirthResultTest, ContinuationKeepsTheCorrectionBeforeIt) {
    const BirthResult between = Abroad(London, {1, 7, 1930, 12, 0});
    EXPECT_EQ(between.EditFuso, "+0");  // the list before RICH, until the next list's first change
    EXPECT_NE(std::find(between.regimeLines.begin(), between.regimeLines.end(), "CAMBIO FILE: 00440001.CAL"),
              between.regimeLines.end());
    EXPECT_EQ(Abroad(London, {1, 7, 1942, 12, 0}).EditFuso, "-1");
    EXPECT_EQ(Abroad(London, {1, 7, 1950, 12, 0}).EditFuso, "+0");
    EXPECT_EQ(Abroad(London, {1, 7, 1916, 12, 0}).EditFuso, "-1");
    // A circular chain is refused instead of followed for ever.
    EXPECT_THROW(Abroad(Loop, {1, 7, 1950, 12, 0}), DataFileError);
}

TEST_F(BirthResultTest, GregorianAdoptionOfItalianAndForeignLists) {
    // Foreign: on or before the instant is Julian.
    EXPECT_EQ(Abroad(London, {1, 7, 1700, 12, 0}).EditCalend, "GIUL");
    EXPECT_EQ(Abroad(London, {1, 7, 1800, 12, 0}).EditCalend, "GREG");
    EXPECT_EQ(Abroad(Madrid, {15, 10, 1582, 0, 0}).EditCalend, "GIUL");
    EXPECT_EQ(Abroad(Madrid, {15, 10, 1582, 0, 1}).EditCalend, "GREG");
    // Italian lists are compared with the instant minus one day.
    EXPECT_EQ(Italy(Roma, {14, 10, 1582, 0, 0}).EditCalend, "GIUL");
    EXPECT_EQ(Italy(Roma, {14, 10, 1582, 0, 1}).EditCalend, "GREG");
    // A Julian date is converted back to the Gregorian date it was.
    const BirthResult london = Abroad(London, {1, 7, 1700, 12, 0});
    EXPECT_EQ(london.EditDataEstesa, "12/07/1700 12:00");
    EXPECT_TRUE(london.julianCalendar);
}

TEST_F(BirthResultTest, CalendarReformOption) {
    // "Gregorian for every date" unless the option asks for the reform of 1582.
    EXPECT_EQ(Abroad(Paris, {1, 7, 1500, 12, 0}, false).EditCalend, "GREG");
    EXPECT_EQ(Abroad(Paris, {1, 7, 1500, 12, 0}, true).EditCalend, "GIUL");
    EXPECT_EQ(Abroad(Paris, {1, 7, 1600, 12, 0}, true).EditCalend, "GREG");
    // The option makes every date after the reform Gregorian, whatever the list says.
    EXPECT_EQ(Abroad(London, {1, 7, 1700, 12, 0}, true).EditCalend, "GREG");
}

TEST_F(BirthResultTest, FixedCorrectionFileAfterSeptember1951) {
    const BirthResult summer2002 = Abroad(Karachi, {1, 7, 2002, 12, 0});
    EXPECT_TRUE(summer2002.fixedCorrection);
    EXPECT_EQ(summer2002.EditFuso, "-5");
    EXPECT_EQ(summer2002.correction, -6);         // the Julian day keeps the list's correction
    EXPECT_EQ(summer2002.EditJD, "2452456.750");  // 06:00 UT
    EXPECT_EQ(Abroad(Karachi, {1, 7, 1950, 12, 0}).EditFuso, "-5.5");
    EXPECT_FALSE(Abroad(London, {1, 7, 1950, 12, 0}).fixedCorrection);
}

TEST_F(BirthResultTest, OutdatedRegimeNoteForItalianDatesAfter2010) {
    EXPECT_TRUE(Italy(Roma, {1, 1, 2011, 12, 0}).regimesOutdated);
    EXPECT_FALSE(Italy(Roma, {31, 12, 2010, 12, 0}).regimesOutdated);
    EXPECT_FALSE(Abroad(London, {1, 1, 2011, 12, 0}).regimesOutdated);
}

TEST_F(BirthResultTest, MissingRegimesAreReported) {
    EXPECT_THROW(Abroad(Missing, {1, 7, 1950, 12, 0}), DataFileError);
    t.Places(LocalityStore::Italia, {Place("ROMA *RM*", 41.9L, 12.5L, 399999, "ITALIA")});
    EXPECT_THROW(Italy(1, {1, 7, 1950, 12, 0}), DataFileError);
    // The list is read into memory: nothing is left behind in the program folder.
    EXPECT_FALSE(std::filesystem::exists(t.root() / "00440000.CAL"));
    EXPECT_FALSE(std::filesystem::exists(t.root() / "00399999.CAL"));
}

}  // namespace
