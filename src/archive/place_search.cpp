#include "archive/place_search.hpp"

#include <algorithm>
#include <array>

#include "common/cp1252.hpp"
#include "common/trim.hpp"
#include "common/utf8.hpp"

namespace florimant {

namespace {

constexpr std::array<uint8_t, 256> BuildSearchTable() {
    std::array<uint8_t, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
    for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<uint8_t>(c - 'a' + 'A');
    auto map = [&t](std::initializer_list<int> from, char to) {
        for (int c : from) t[c] = static_cast<uint8_t>(to);
    };
    // Windows-1252 code points of the accented letters.
    map({0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xC1, 0xC2, 0xC4, 0xC5, 0xC6}, 'A');
    map({0xF2, 0xF3, 0xF4, 0xF6, 0xF8, 0xD3, 0xD4, 0xD6, 0xD8}, 'O');
    map({0xDF}, 'S');
    map({0xF9, 0xFA, 0xFB, 0xFC, 0xDA, 0xDC}, 'U');
    map({0xE8, 0xE9, 0xEA, 0xEB, 0xC8, 0xC9, 0xCB}, 'E');
    map({0xEC, 0xED, 0xEE, 0xEF, 0xCD, 0xCE, 0xCF}, 'I');
    map({0xF1}, 'N');
    map({0xE7, 0xC7}, 'C');
    map({'-', '('}, ' ');
    return t;
}

constexpr std::array<uint8_t, 256> SearchTable = BuildSearchTable();

}  // namespace

std::string SearchForm(std::string_view cp1252) {
    std::string form;
    form.reserve(cp1252.size());
    for (char c : cp1252) form.push_back(static_cast<char>(SearchTable[static_cast<uint8_t>(c)]));
    if (!form.empty() && form.front() == '\'') form.erase(0, 1);
    return form;
}

std::string ApplyTypedKey(std::string searchText, char key, LocalityStore store) {
    if (key == '\b') {
        if (!searchText.empty()) searchText.pop_back();
        return searchText;
    }
    searchText.push_back(searchText.empty() || store == LocalityStore::Italia ? UpperCaseAscii(key) : key);
    return searchText;
}

size_t FindPlacePosition(const LocalityFile& file, std::string_view searchText) {
    const size_t count = file.Count();
    if (count == 0) return 0;
    const std::string key = SearchForm(searchText) + std::string(25, '!');
    const bool foreign = file.store() == LocalityStore::Estero;
    long lo = 1, hi = static_cast<long>(count), mid = 0;
    long lastRead = -1;
    std::string name;
    // Exactly 100 rounds: once lo and hi meet the middle no longer moves, so the last name read
    // is kept instead of reading the same record again.
    for (int round = 0; round < 100; ++round) {
        mid = (lo + hi) / 2;
        if (mid != lastRead) {
            name = file.ReadName(static_cast<size_t>(mid));
            if (foreign) name = SearchForm(name);
            lastRead = mid;
        }
        if (key > name) lo = mid;
        if (key <= name) hi = mid;
        if (lo < 1) lo = 1;
    }
    return static_cast<size_t>(mid);
}

long ClampListPosition(long m, size_t count) {
    const long last = static_cast<long>(count) - 4;
    if (m < 4) m = 4;
    if (m > last) m = last;
    if (m < 3) m = 3;
    return m;
}

const PlaceRow* PlaceList::Middle() const {
    for (const PlaceRow& row : rows)
        if (static_cast<long>(row.record) == m) return &row;
    return nullptr;
}

PlaceList ShowPlaceList(const LocalityFile& file, long m) {
    PlaceList list;
    list.m = m;
    for (long r = m - 3; r <= m + 3; ++r) {
        if (r < 1 || r > static_cast<long>(file.Count())) continue;
        PlaceRow row;
        row.record = static_cast<size_t>(r);
        row.place = file.Read(row.record);
        row.text = Cp1252ToUtf8(WithoutTrailingBlanks(row.place.name) + WithoutTrailingBlanks(row.place.state));
        list.rows.push_back(std::move(row));
    }
    return list;
}

PlaceList SearchPlaces(const LocalityFile& file, std::string_view searchText) {
    const long m = searchText.empty() ? 4 : static_cast<long>(FindPlacePosition(file, searchText));
    return ShowPlaceList(file, ClampListPosition(m, file.Count()));
}

std::string PlaceChoiceMessage(PlaceChoice choice) {
    switch (choice) {
    case PlaceChoice::DateMissing: return "Inserire Data di Nascita";
    case PlaceChoice::NotInList: return "Doppio Clic sull'Elenco Località";
    case PlaceChoice::Chosen: break;
    }
    return {};
}

PlaceChoice ChoosePlaceByEnter(const PlaceList& list, std::string_view searchText, bool dateFieldsFilled) {
    if (!dateFieldsFilled) return PlaceChoice::DateMissing;
    const PlaceRow* middle = list.Middle();
    if (middle == nullptr || searchText.empty() || !middle->place.name.starts_with(searchText))
        return PlaceChoice::NotInList;
    return PlaceChoice::Chosen;
}

long ScrollPlaceList(long m, size_t count, ListScroll scroll) {
    const long n = static_cast<long>(count);
    long next = m;
    switch (scroll) {
    case ListScroll::LineUp:
        if (m > 4) next = m - 1;
        break;
    case ListScroll::LineDown:
        if (m < n - 3) next = m + 1;
        break;
    case ListScroll::PageUp:
        if (m > 12) next = m - 7;
        break;
    case ListScroll::PageDown:
        if (m < n - 11) next = m + 7;
        break;
    case ListScroll::KeyDownOnLastRow:
        if (m < n - 3) next = m + 1;
        break;
    case ListScroll::KeyUpOnFirstRow:
        if (m > 4) next = m - 1;
        break;
    case ListScroll::KeyPageUpOnFirstRow:
        if (m > 4) next = m - 6;
        break;
    case ListScroll::KeyPageDownOnLastRow:
        if (m < n - 6) next = m + 6;
        break;
    }
    // Page moves by 6 overshoot the ends (m+6 up to count-1, m-6 down to -1): keep the seven rows
    // on places, so the list neither shows the header nor reads past the last record.
    if (next > n - 3) next = n - 3;
    if (next < 4) next = ClampListPosition(next, count);
    return next;
}

long ThumbPlaceList(long position, size_t count) { return ClampListPosition(position, count); }

}  // namespace florimant
