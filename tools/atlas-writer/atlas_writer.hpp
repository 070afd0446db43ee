#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "archive/locality_records.hpp"
#include "archive/regime_records.hpp"

// Turns the gazetteer and legal-time tables prepared by tools/atlas-data (tab-separated UTF-8
// files, described in tools/atlas-writer/README.md) into the installation's binary files:
// Localita\ITALIA.LOC, Localita\ESTERO.LOC, Calendar\NNNNNNNN.CAL (Italian regimes),
// Calendar\Database.cll and Calendar\Elencal.002 (foreign regimes).
namespace atlas {

// A fault in an input file, with its place.
struct InputError : std::runtime_error {
    InputError(const std::string& file, size_t line, const std::string& what);
};

struct RegimeTable {
    // Lists by 8-digit id, in the order of first appearance.
    std::vector<std::string> order;
    std::map<std::string, std::vector<florimant::RegimeRecord>> lists;
};

// Reads a regime table; `italian` decides how the "GREG" instant is stored (the program compares
// Italian lists against the adoption minus one day).
RegimeTable ReadRegimeTable(const std::filesystem::path& file, bool italian);

// Julian day (UT) of "YYYY-MM-DDTHH:MM:SSZ", proleptic Gregorian; throws std::invalid_argument.
florimant::Real ParseUtInstant(const std::string& text);
// The stored "GREG" instant for the first Gregorian date "YYYY-MM-DD" or "ALWAYS".
florimant::Real GregorianAdoptionInstant(const std::string& text, bool italian);

struct LocalityTable {
    std::vector<florimant::LocalityRecord> places;  // sorted as the search needs
    size_t namesCut = 0, statesCut = 0;
};

// Reads a locality table, checks each regime id against `regimes`, converts texts to
// Windows-1252 and sorts by the search form of the name (byte order; ties by name).
LocalityTable ReadLocalityTable(const std::filesystem::path& file, florimant::LocalityStore store,
                                const RegimeTable& regimes);

struct WriteSummary {
    size_t italianPlaces = 0, foreignPlaces = 0, italianLists = 0, foreignLists = 0, databaseRecords = 0;
    size_t namesCut = 0, statesCut = 0;
};

// Reads the four tables of `inputFolder` and writes the files under `installation`. Regime files
// "NNNNNNNN.CAL" of the Calendar folder that no longer belong to the set are removed.
WriteSummary WriteAtlas(const std::filesystem::path& inputFolder, const std::filesystem::path& installation);

}  // namespace atlas
