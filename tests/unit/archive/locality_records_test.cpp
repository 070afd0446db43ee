#include <gtest/gtest.h>

#include <cmath>

#include "archive/locality_records.hpp"
#include "common/data_file_error.hpp"
#include "common/real_formats.hpp"
#include "regime_fixture.hpp"

using namespace florimant;
using namespace atlas_test;

TEST(LocalityRecord, KeepsTheEightyEightByteLayout) {
    const LocalityRecord r{"ROMA *RM*", 41.89193L, -12.5L, 100390001, "ITALIA"};
    const std::vector<uint8_t> b = EncodeLocalityRecord(r);
    ASSERT_EQ(b.size(), 88u);
    EXPECT_EQ(b[0], 9);
    EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 10), "ROMA *RM*");
    EXPECT_EQ(DecodeExtended(std::span<const uint8_t, 10>(b.data() + 32, 10)), 41.89193L);
    EXPECT_EQ(DecodeExtended(std::span<const uint8_t, 10>(b.data() + 48, 10)), -12.5L);
    for (size_t i : {42, 43, 44, 45, 46, 47, 58, 59}) EXPECT_EQ(b[i], 0) << i;
    EXPECT_EQ(b[60] | b[61] << 8 | b[62] << 16 | b[63] << 24, 100390001);
    EXPECT_EQ(b[64], 6);
    EXPECT_EQ(std::string(b.begin() + 65, b.begin() + 71), "ITALIA");

    const LocalityRecord back = DecodeLocalityRecord(b);
    EXPECT_EQ(back.name, r.name);
    EXPECT_EQ(back.latitude, r.latitude);
    EXPECT_EQ(back.longitude, r.longitude);
    EXPECT_EQ(back.regimeCode, r.regimeCode);
    EXPECT_EQ(back.state, r.state);
}

TEST(LocalityRecord, OverlongTextsAreCutToTheirFields) {
    const std::string longName(40, 'A'), longState(30, 'B');
    const LocalityRecord back = DecodeLocalityRecord(EncodeLocalityRecord({longName, 0, 0, 100000000, longState}));
    EXPECT_EQ(back.name, std::string(31, 'A'));
    EXPECT_EQ(back.state, std::string(23, 'B'));
    // A garbled length byte never reads into the next field.
    std::vector<uint8_t> b = EncodeLocalityRecord({"X", 0, 0, 100000000, "Y"});
    b[0] = 200;
    b[64] = 255;
    const LocalityRecord garbled = DecodeLocalityRecord(b);
    EXPECT_EQ(garbled.name.size(), 31u);
    EXPECT_EQ(garbled.state.size(), 23u);
}

TEST(LocalityRecord, RegimeCodeNamesItsList) {
    EXPECT_EQ(RegimeFileName(100920000, "f"), "00920000.CAL");
    EXPECT_EQ(RegimeFileName(118260001, "f"), "18260001.CAL");
    EXPECT_EQ(RegimeCodeOf(390001), 100390001);
    // Codes that are not nine digits name no file.
    EXPECT_THROW(RegimeFileName(920000, "f"), DataFileError);
    EXPECT_THROW(RegimeFileName(-100920000, "f"), DataFileError);
    EXPECT_THROW(RegimeFileName(0, "f"), DataFileError);
}

TEST(LocalityFile, CountsPlacesAfterTheHeader) {
    AtlasFolder t;
    t.Places(LocalityStore::Estero, {Place("A", 1, 2, 1, "X"), Place("B", 3, 4, 1, "Y")});
    const LocalityFile file(t.folder(), LocalityStore::Estero);
    EXPECT_EQ(file.Count(), 2u);
    EXPECT_EQ(file.Read(2).name, "B");
    EXPECT_EQ(file.ReadName(1), "A");
    EXPECT_THROW(file.Read(0), DataFileError);  // the header is not a place
    EXPECT_THROW(file.Read(3), DataFileError);
    EXPECT_THROW(file.ReadName(3), DataFileError);
}

TEST(LocalityFile, RefusesMissingDamagedAndGarbledFiles) {
    AtlasFolder t;
    EXPECT_THROW(LocalityFile(t.folder(), LocalityStore::Italia), DataFileError);

    t.Bytes("Localita/ITALIA.LOC", std::string(88 * 2 + 5, '\0'));  // not whole records
    EXPECT_THROW(LocalityFile(t.folder(), LocalityStore::Italia), DataFileError);

    t.Bytes("Localita/ITALIA.LOC", "");
    EXPECT_EQ(LocalityFile(t.folder(), LocalityStore::Italia).Count(), 0u);

    t.Places(LocalityStore::Italia, {Place("NAN", NAN, 2, 1, "ITALIA"), Place("FAR", 95, 2, 1, "ITALIA")});
    const LocalityFile file(t.folder(), LocalityStore::Italia);
    EXPECT_THROW(file.Read(1), DataFileError);
    EXPECT_THROW(file.Read(2), DataFileError);
}
