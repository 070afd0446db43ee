// The shipped locality and regime files, through the same search and computation as the window.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/birth_entry.hpp"
#include "archive/place_search.hpp"

using namespace florimant;

namespace {

class ShippedAtlas : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(folder.Resolve("Localita\\ITALIA.LOC")) ||
            !std::filesystem::exists(folder.Resolve("Calendar\\Database.cll")))
            GTEST_SKIP() << "installation atlas not present";
    }
    // The place Enter would choose after typing `typed`.
    size_t Typed(LocalityStore store, const std::string& typed) {
        const LocalityFile file(folder, store);
        const PlaceList list = SearchPlaces(file, typed);
        EXPECT_EQ(ChoosePlaceByEnter(list, typed, true), PlaceChoice::Chosen) << typed;
        return static_cast<size_t>(list.m);
    }
    // A row of the list shown after typing `name`, picked by its state (a double-click).
    size_t Picked(LocalityStore store, const std::string& name, const std::string& state) {
        const LocalityFile file(folder, store);
        for (const PlaceRow& row : SearchPlaces(file, name).rows)
            if (row.place.name == name && row.place.state == state) return row.record;
        ADD_FAILURE() << name << " " << state << " not in the list";
        return 1;
    }
    BirthResult Compute(LocalityStore store, size_t record, BirthDate d, bool reform = false) {
        return ComputeBirthResult(folder, LocalityFile(folder, store), record, d, reform);
    }
    ProgramFolder folder{FLORIMANT_INSTALLATION_DIR};
};

TEST_F(ShippedAtlas, RomeSummerTimeAndStandardTime) {
    const size_t roma = Typed(LocalityStore::Italia, "ROMA");
    const BirthResult r1970 = Compute(LocalityStore::Italia, roma, {15, 7, 1970, 12, 0});
    EXPECT_EQ(r1970.EditLocEstesa, "ROMA *RM*");
    EXPECT_EQ(r1970.EditFuso, "-2");
    EXPECT_EQ(r1970.EditCoord, "41N54-012E31");
    EXPECT_EQ(r1970.EditJD, "2440782.916");  // 10:00 UT
    EXPECT_EQ(Compute(LocalityStore::Italia, roma, {15, 7, 1950, 12, 0}).EditFuso, "-1");
    // Summer time began at 00:00 CET on 22 May 1966.
    EXPECT_EQ(Compute(LocalityStore::Italia, roma, {21, 5, 1966, 23, 30}).EditFuso, "-1");
    EXPECT_EQ(Compute(LocalityStore::Italia, roma, {22, 5, 1966, 1, 30}).EditFuso, "-2");
}

TEST_F(ShippedAtlas, TurinKeptLocalMeanTimeIn1850) {
    const size_t torino = Typed(LocalityStore::Italia, "TORINO *TO*");
    const BirthResult r = Compute(LocalityStore::Italia, torino, {1, 6, 1850, 12, 0});
    EXPECT_TRUE(r.localMeanTime);
    EXPECT_NEAR(static_cast<double>(r.correction), -static_cast<double>(r.place.longitude) / 15, 1e-12);
    EXPECT_EQ(r.EditFuso.substr(0, 6), "-0.512");
    EXPECT_EQ(r.EditCalend, "GREG");
}

TEST_F(ShippedAtlas, LondonCalendarChangeOf1752) {
    const size_t london = Picked(LocalityStore::Estero, "LONDON", "REGNO UNITO");
    EXPECT_EQ(Compute(LocalityStore::Estero, london, {1, 7, 1700, 12, 0}).EditCalend, "GIUL");
    EXPECT_EQ(Compute(LocalityStore::Estero, london, {1, 7, 1800, 12, 0}).EditCalend, "GREG");
    EXPECT_EQ(Compute(LocalityStore::Estero, london, {1, 7, 1800, 12, 0}).EditFuso.substr(0, 3), "+0.");  // mean time
    EXPECT_EQ(Compute(LocalityStore::Estero, london, {1, 7, 1990, 12, 0}).EditFuso, "-1");
}

TEST_F(ShippedAtlas, NewYorkDaylightTime) {
    // Typing NEW YORK lands on the last of the names that continue it (NEW YORK MILLS): pick the row.
    const size_t ny = Picked(LocalityStore::Estero, "NEW YORK", "STATI UNITI");
    EXPECT_EQ(Compute(LocalityStore::Estero, ny, {1, 7, 1960, 12, 0}).EditFuso, "+4");
    EXPECT_EQ(Compute(LocalityStore::Estero, ny, {1, 1, 1960, 12, 0}).EditFuso, "+5");
    // 24 April 1960: 02:00 EST became 03:00 EDT.
    EXPECT_EQ(Compute(LocalityStore::Estero, ny, {24, 4, 1960, 1, 30}).EditFuso, "+5");
    EXPECT_EQ(Compute(LocalityStore::Estero, ny, {24, 4, 1960, 3, 30}).EditFuso, "+4");
}

TEST_F(ShippedAtlas, AccentedForeignNamesAreFoundByPlainLetters) {
    const LocalityFile file(folder, LocalityStore::Estero);
    bool found = false;
    for (const PlaceRow& row : SearchPlaces(file, "Zurich").rows) found = found || row.place.name == "Z\xFCRICH";
    EXPECT_TRUE(found);
}

}  // namespace
