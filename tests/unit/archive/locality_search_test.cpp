#include <gtest/gtest.h>

#include "archive/place_search.hpp"
#include "regime_fixture.hpp"

using namespace florimant;
using namespace atlas_test;

TEST(PlaceSearchForm, PlainsTheAccentsOfTheTable) {
    EXPECT_EQ(SearchForm("Z\xFCrich"), "ZURICH");        // ü
    EXPECT_EQ(SearchForm("S\xE3o Paulo"), "SAO PAULO");  // ã
    EXPECT_EQ(SearchForm("A Coru\xF1"
                         "a"),
              "A CORUNA");  // ñ
    EXPECT_EQ(SearchForm("\xC9VIAN \xC7"
                         "ORUM"),
              "EVIAN CORUM");  // É, Ç capitals
    EXPECT_EQ(SearchForm("Gie\xDF"
                         "en"),
              "GIESEN");  // ß
    EXPECT_EQ(SearchForm("B\xF8"
                         "rum B\xE6r"),
              "BORUM BAR");                                        // ø, æ
    EXPECT_EQ(SearchForm("'s-Hertogenbosch"), "S HERTOGENBOSCH");  // leading apostrophe, "-"
    EXPECT_EQ(SearchForm("ROMA (RM)"), "ROMA  RM)");               // "(" only
    // Capitals the table does not name stay as they are.
    EXPECT_EQ(SearchForm("\xC0\xD1"), "\xC0\xD1");
    EXPECT_EQ(SearchForm("L'AQUILA"), "L'AQUILA");
}

TEST(PlaceSearchForm, TypedKeysUpperCaseAsTheFileWants) {
    std::string it, es;
    for (char c : std::string("roma")) it = ApplyTypedKey(it, c, LocalityStore::Italia);
    for (char c : std::string("roma")) es = ApplyTypedKey(es, c, LocalityStore::Estero);
    EXPECT_EQ(it, "ROMA");
    EXPECT_EQ(es, "Roma");  // only the first character abroad
    EXPECT_EQ(ApplyTypedKey("ROM", '\b', LocalityStore::Italia), "RO");
    EXPECT_EQ(ApplyTypedKey("", '\b', LocalityStore::Italia), "");
}

namespace {
std::vector<LocalityRecord> Numbered(const std::vector<std::string>& names) {
    std::vector<LocalityRecord> places;
    for (const auto& n : names) places.push_back(Place(n, 45, 9, 390000, "ITALIA"));
    return places;
}
}  // namespace

TEST(PlaceSearch, LandsOnTheTypedPlaceInTheMiddleRow) {
    AtlasFolder t;
    t.Places(LocalityStore::Italia, Numbered({"ALBA *CN*",
                                              "ANCONA *AN*",
                                              "BARI *BA*",
                                              "COMO *CO*",
                                              "FIRENZE *FI*",
                                              "GENOVA *GE*",
                                              "MILANO *MI*",
                                              "NAPOLI *NA*",
                                              "PALERMO *PA*",
                                              "ROMA *RM*",
                                              "ROMAGNANO SESIA *NO*",
                                              "TORINO *TO*",
                                              "TORINO DI SANGRO *CH*",
                                              "VENEZIA *VE*",
                                              "VERONA *VR*",
                                              "ZOAGLI *GE*",
                                              "ZUGLIANO *VI*",
                                              "ZUMPANO *CS*",
                                              "ZUNGOLI *AV*",
                                              "ZUNGRI *VV*"}));
    const LocalityFile file(t.folder(), LocalityStore::Italia);
    EXPECT_EQ(FindPlacePosition(file, "ROMA"), 10u);
    EXPECT_EQ(FindPlacePosition(file, "NAP"), 7u);  // just before the first name that continues it

    const PlaceList roma = SearchPlaces(file, "ROMA");
    EXPECT_EQ(roma.m, 10);
    ASSERT_EQ(roma.rows.size(), 7u);
    EXPECT_EQ(roma.rows.front().record, 7u);
    EXPECT_EQ(roma.rows[3].text, "ROMA *RM*ITALIA");
    EXPECT_EQ(ChoosePlaceByEnter(roma, "ROMA", true), PlaceChoice::Chosen);
    EXPECT_EQ(ChoosePlaceByEnter(roma, "ROMA", false), PlaceChoice::DateMissing);
    EXPECT_EQ(PlaceChoiceMessage(PlaceChoice::DateMissing), "Inserire Data di Nascita");

    // A full name followed by others that continue it with a blank lands on the last of them.
    EXPECT_EQ(SearchPlaces(file, "TORINO").Middle()->place.name, "TORINO DI SANGRO *CH*");
    EXPECT_EQ(SearchPlaces(file, "TORINO *TO*").Middle()->place.name, "TORINO *TO*");

    const PlaceList none = SearchPlaces(file, "ROX");
    EXPECT_EQ(ChoosePlaceByEnter(none, "ROX", true), PlaceChoice::NotInList);
    EXPECT_EQ(PlaceChoiceMessage(PlaceChoice::NotInList), "Doppio Clic sull'Elenco Località");
}

TEST(PlaceSearch, MiddleRowStaysWithinTheFile) {
    AtlasFolder t;
    std::vector<std::string> names;
    for (char c = 'A'; c <= 'T'; ++c) names.push_back(std::string(3, c));  // 20 places
    t.Places(LocalityStore::Italia, Numbered(names));
    const LocalityFile file(t.folder(), LocalityStore::Italia);
    EXPECT_EQ(SearchPlaces(file, "A").m, 4);     // result 1, raised
    EXPECT_EQ(SearchPlaces(file, "ZZZ").m, 16);  // result 19, lowered to count-4
    EXPECT_EQ(SearchPlaces(file, "").m, 4);
    EXPECT_EQ(SearchPlaces(file, "ZZZ").rows.back().record, 19u);
    // The halving never reaches the last record.
    EXPECT_EQ(FindPlacePosition(file, "ZZZ"), 19u);
    EXPECT_EQ(FindPlacePosition(file, "TTT"), 19u);

    EXPECT_EQ(ScrollPlaceList(4, 20, ListScroll::LineUp), 4);
    EXPECT_EQ(ScrollPlaceList(16, 20, ListScroll::LineDown), 17);
    EXPECT_EQ(ScrollPlaceList(17, 20, ListScroll::LineDown), 17);
    EXPECT_EQ(ScrollPlaceList(12, 20, ListScroll::PageUp), 12);
    EXPECT_EQ(ScrollPlaceList(13, 20, ListScroll::PageUp), 6);
    EXPECT_EQ(ScrollPlaceList(8, 20, ListScroll::PageDown), 15);
    EXPECT_EQ(ScrollPlaceList(9, 20, ListScroll::PageDown), 9);
    // Page moves by six would show the header or rows past the end: they stop at the ends.
    EXPECT_EQ(ScrollPlaceList(5, 20, ListScroll::KeyPageUpOnFirstRow), 4);
    EXPECT_EQ(ScrollPlaceList(13, 20, ListScroll::KeyPageDownOnLastRow), 17);
    EXPECT_EQ(ThumbPlaceList(100, 20), 16);
    EXPECT_EQ(ThumbPlaceList(-3, 20), 4);
}

TEST(PlaceSearch, SmallAndEmptyFilesShowOnlyPlaces) {
    AtlasFolder t;
    t.Places(LocalityStore::Italia, Numbered({"AAA", "BBB", "CCC", "DDD", "EEE"}));
    const LocalityFile file(t.folder(), LocalityStore::Italia);
    const PlaceList list = SearchPlaces(file, "EEE");
    EXPECT_EQ(list.m, 3);
    ASSERT_EQ(list.rows.size(), 5u);
    EXPECT_EQ(list.rows.front().record, 1u);

    t.Places(LocalityStore::Estero, {});
    const LocalityFile empty(t.folder(), LocalityStore::Estero);
    const PlaceList nothing = SearchPlaces(empty, "X");
    EXPECT_TRUE(nothing.rows.empty());
    EXPECT_EQ(nothing.Middle(), nullptr);
    EXPECT_EQ(ChoosePlaceByEnter(nothing, "X", true), PlaceChoice::NotInList);
}

TEST(PlaceSearch, ForeignNamesAreComparedInSearchForm) {
    AtlasFolder t;
    // Sorted by search form, as the writer sorts them: ZüRICH sits between ZUG and ZURZACH.
    std::vector<LocalityRecord> places;
    for (const char* n : {"AACHEN", "BERN", "GENèVE", "LONDON", "MüNCHEN", "PARIS", "SãO PAULO", "WIEN", "ZUG",
                          "Z\xFCRICH", "ZURZACH", "ZWOLLE"})
        places.push_back(Place(n, 47, 8, 1, "X"));
    // Written in a literal with UTF-8 accents above, so convert those two to Windows-1252.
    places[2].name = "GEN\xE8VE";
    places[4].name = "M\xFCNCHEN";
    places[6].name = "S\xE3O PAULO";
    t.Places(LocalityStore::Estero, places);
    const LocalityFile file(t.folder(), LocalityStore::Estero);
    EXPECT_EQ(file.ReadName(FindPlacePosition(file, "Zuri")), "ZUG");  // just before ZüRICH
    EXPECT_EQ(file.ReadName(FindPlacePosition(file, "Munchen")), "M\xFCNCHEN");
    EXPECT_EQ(file.ReadName(FindPlacePosition(file, "Sao paulo")), "S\xE3O PAULO");
    // Enter compares the text as typed with the stored name.
    const PlaceList munich = SearchPlaces(file, "M\xFCNCHEN");
    EXPECT_EQ(munich.Middle()->place.name, "M\xFCNCHEN");
    EXPECT_EQ(munich.Middle()->text, "MüNCHENX");
    EXPECT_EQ(ChoosePlaceByEnter(munich, "M\xFCN", true), PlaceChoice::Chosen);
}
