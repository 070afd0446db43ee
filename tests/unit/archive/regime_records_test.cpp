#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "archive/regime_records.hpp"
#include "common/data_file_error.hpp"
#include "common/real_formats.hpp"
#include "regime_fixture.hpp"

using namespace florimant;
using namespace atlas_test;

TEST(RegimeRecord, KeepsTheTwentyFourByteLayoutWithTheOffset) {
    const RegimeRecord r = MakeRegimeRecord(2440000.25L, "CEST", -2);
    const std::vector<uint8_t> b = EncodeRegimeRecord(r);
    ASSERT_EQ(b.size(), 24u);
    EXPECT_EQ(DecodeExtended(std::span<const uint8_t, 10>(b.data(), 10)), 2440000.25L + RegimeInstantOffset);
    EXPECT_EQ(b[10], 4);
    EXPECT_EQ(std::string(b.begin() + 11, b.begin() + 15), "CEST");
    EXPECT_EQ(b[15], 0);
    double correction = 0;
    std::memcpy(&correction, b.data() + 16, 8);
    EXPECT_EQ(correction, -2.0);

    const RegimeRecord back = DecodeRegimeRecord(b);
    EXPECT_EQ(back.Instant(), 2440000.25L);
    EXPECT_EQ(back.code, "CEST");
    EXPECT_EQ(back.correction, -2.0);
}

TEST(RegimeRecord, ContinuationNamesTheNextList) {
    EXPECT_EQ(ContinuationFileName(Rich(390002), "f"), "00390002.CAL");
    EXPECT_EQ(ContinuationFileName(RegimeRecord{18260001.4L, "RICH", 0}, "f"), "18260001.CAL");
    EXPECT_THROW(ContinuationFileName(RegimeRecord{-5, "RICH", 0}, "f"), DataFileError);
    EXPECT_THROW(ContinuationFileName(RegimeRecord{1e12L, "RICH", 0}, "f"), DataFileError);
    EXPECT_EQ(RegimeIndexLine("00440000.CAL", 17), "00440000.CAL      17");
}

TEST(RegimeList, ItalianFileIsReadFromRecordZeroUpToTheEndMark) {
    AtlasFolder t;
    t.ItalianList("00390000.CAL", {Greg(GregorianReformMidnight), Lmt(Ut(1893, 10, 31, 23), -1), End(),
                                   Change(Ut(1966, 5, 21, 23), -2, "CEST")});
    const RegimeList list = ReadRegimeList(t.folder(), LocalityStore::Italia, "00390000.CAL");
    ASSERT_EQ(list.records.size(), 2u);
    EXPECT_EQ(list.records[0].code, "GREG");
    EXPECT_EQ(list.records[1].code, "LMT ");
    EXPECT_EQ(list.source, "Calendar\\00390000.CAL");
    EXPECT_THROW(ReadRegimeList(t.folder(), LocalityStore::Italia, "00399999.CAL"), DataFileError);
}

TEST(RegimeList, ForeignListIsFoundThroughTheIndex) {
    AtlasFolder t;
    t.ForeignList("00010000.CAL", {Greg(1721423.5L), Change(Ut(1900, 1, 1), 5, "EST")});
    t.ForeignList("00440000.CAL", {Greg(2361221.5L), Lmt(Ut(1847, 12, 1), 0), Change(Ut(1916, 5, 21, 2), -1, "BST ")});
    const RegimeList list = ReadRegimeList(t.folder(), LocalityStore::Estero, "00440000.CAL");
    ASSERT_EQ(list.records.size(), 3u);
    EXPECT_EQ(list.records[2].code, "BST ");
    EXPECT_EQ(list.records[2].correction, -1);
    EXPECT_EQ(ReadRegimeList(t.folder(), LocalityStore::Estero, "00010000.CAL").records.size(), 2u);
    // Not listed: a clear error instead of reading on past the index.
    EXPECT_THROW(ReadRegimeList(t.folder(), LocalityStore::Estero, "00990000.CAL"), DataFileError);
}

TEST(RegimeList, DamagedStoresGiveErrors) {
    AtlasFolder t;
    t.ForeignList("00440000.CAL", {Greg(2361221.5L)});
    t.Bytes("Calendar/Elencal.002", "00440000.CAL     99\r\n00450000.CAL  xx\r\n");
    EXPECT_THROW(ReadRegimeList(t.folder(), LocalityStore::Estero, "00440000.CAL"), DataFileError);  // past the end
    EXPECT_THROW(ReadRegimeList(t.folder(), LocalityStore::Estero, "00450000.CAL"), DataFileError);  // no number
    t.Bytes("Calendar/Elencal.002", "00440000.CAL       1\r\n");
    t.Bytes("Calendar/Database.cll", std::string(24 * 3 + 7, '\0'));
    EXPECT_THROW(ReadRegimeList(t.folder(), LocalityStore::Estero, "00440000.CAL"), DataFileError);
    // A record whose instant or correction is not a number.
    t.ItalianList("00390000.CAL", {Greg(GregorianReformMidnight), RegimeRecord{NAN, "CET ", -1}});
    EXPECT_THROW(ReadRegimeList(t.folder(), LocalityStore::Italia, "00390000.CAL"), DataFileError);
    t.ItalianList("00390000.CAL", {Greg(GregorianReformMidnight), MakeRegimeRecord(1e30L, "CET ", -1)});
    EXPECT_THROW(ReadRegimeList(t.folder(), LocalityStore::Italia, "00390000.CAL"), DataFileError);
    t.ItalianList("00390000.CAL", {Greg(GregorianReformMidnight), MakeRegimeRecord(2440000, "CET ", 99)});
    EXPECT_THROW(ReadRegimeList(t.folder(), LocalityStore::Italia, "00390000.CAL"), DataFileError);
}
