#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "archive/locality_records.hpp"

// The typed place search of the birth-data entry: the list of seven places around the position m,
// found by a binary search over the sorted locality file.
namespace florimant {

inline constexpr size_t PlaceListRows = 7;

// The search form of a Windows-1252 text: accented letters become plain capitals (only those the
// table names: lower-case à..ï, ñ, ç and the capitals Á Â Ä Å Æ Ó Ô Ö Ø Ú Ü Í Î Ï È É Ë Ç),
// ß becomes S, a-z are upper-cased, "-" and "(" become spaces and a leading apostrophe is
// dropped. Other characters stay.
std::string SearchForm(std::string_view cp1252);

// The search text after one key typed in the place field (Windows-1252 byte `key`; '\b' is
// Backspace). The first character, and every character for the Italian file, is upper-cased.
std::string ApplyTypedKey(std::string searchText, char key, LocalityStore store);

// The binary search: key = search form of `searchText` (Windows-1252) + 25 "!", exactly 100
// rounds over records 1..Count() comparing with the names (brought to search form for the foreign
// file). Returns the last middle record; 0 for an empty file.
size_t FindPlacePosition(const LocalityFile& file, std::string_view searchText);

// m kept within [4, count-4], then raised to 3 so the list never starts before record 0.
long ClampListPosition(long m, size_t count);

struct PlaceRow {
    size_t record = 0;
    LocalityRecord place;
    std::string text;  // name and state, trailing spaces removed, joined; UTF-8
};

struct PlaceList {
    long m = 0;                  // record in the middle row
    std::vector<PlaceRow> rows;  // records m-3..m+3 that are places (1..Count())
    // The middle row's record, or nullptr when m is not a place.
    const PlaceRow* Middle() const;
};

// The rows shown for position m (already clamped).
PlaceList ShowPlaceList(const LocalityFile& file, long m);
// Search and show: the list after a key in the place field. An empty search text lists from the start.
PlaceList SearchPlaces(const LocalityFile& file, std::string_view searchText);

// Enter in the place field.
enum class PlaceChoice { Chosen, DateMissing, NotInList };
// "Inserire Data di Nascita" / "Doppio Clic sull'Elenco Località" (UTF-8); empty for Chosen.
std::string PlaceChoiceMessage(PlaceChoice choice);
// Chosen when every date field is filled and the middle row's name begins with the search text
// as typed (Windows-1252).
PlaceChoice ChoosePlaceByEnter(const PlaceList& list, std::string_view searchText, bool dateFieldsFilled);

// Scrolling of the list; each returns the new m (unchanged when the move is not allowed).
enum class ListScroll {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    KeyDownOnLastRow,
    KeyUpOnFirstRow,
    KeyPageUpOnFirstRow,
    KeyPageDownOnLastRow
};
long ScrollPlaceList(long m, size_t count, ListScroll scroll);
long ThumbPlaceList(long position, size_t count);

}  // namespace florimant
