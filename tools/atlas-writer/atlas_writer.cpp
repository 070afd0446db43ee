#include "atlas_writer.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "archive/place_search.hpp"
#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "engine/astro_time.hpp"

namespace atlas {

using florimant::LocalityRecord;
using florimant::LocalityStore;
using florimant::Real;
using florimant::RegimeRecord;

InputError::InputError(const std::string& file, size_t line, const std::string& what)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + what) {}

namespace {

struct Row {
    size_t line;
    std::vector<std::string> fields;
};

// Rows of a tab-separated file after its header, which must name exactly `columns`.
std::vector<Row> ReadTable(const std::filesystem::path& file, const std::vector<std::string>& columns) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw InputError(file.string(), 0, "file mancante");
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::vector<std::string> lines = florimant::SplitTextLines(buffer.str());
    std::vector<Row> rows;
    bool header = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& text = lines[i];
        if (text.empty() || text[0] == '#') continue;
        std::vector<std::string> fields;
        size_t start = 0;
        for (;;) {
            const size_t tab = text.find('\t', start);
            fields.push_back(text.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        if (!header) {
            if (fields != columns) throw InputError(file.string(), i + 1, "intestazione diversa da quella attesa");
            header = true;
            continue;
        }
        if (fields.size() > columns.size()) throw InputError(file.string(), i + 1, "troppe colonne");
        fields.resize(columns.size());
        rows.push_back({i + 1, std::move(fields)});
    }
    if (!header) throw InputError(file.string(), 0, "intestazione mancante");
    return rows;
}

// A number of a text that has matched its form, which fixes where the digits stand.
int DigitsOfForm(const std::string& text, size_t at, size_t count) { return *florimant::DigitsAt(text, at, count); }

bool IsListId(const std::string& s) { return s.size() == 8 && florimant::IsAllDigits(s); }

// The numbers of the tables: "." as decimal point, blanks allowed before but not after.
constexpr florimant::NumberTextRules TableNumber{.BlanksAfter = "", .DecimalComma = false};

// Windows-1252 form of a UTF-8 text; false when a character has no Windows-1252 code.
bool ToCp1252(const std::string& utf8, std::string& out) {
    out = florimant::Utf8ToCp1252(utf8);
    return florimant::Cp1252ToUtf8(out) == utf8;
}

}  // namespace

Real ParseUtInstant(const std::string& text) {
    static const std::regex form(R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2})Z)");
    std::smatch m;
    if (!std::regex_match(text, m, form)) throw std::invalid_argument("istante non nella forma YYYY-MM-DDTHH:MM:SSZ");
    const int year = DigitsOfForm(text, 0, 4), month = DigitsOfForm(text, 5, 2), day = DigitsOfForm(text, 8, 2);
    const int hour = DigitsOfForm(text, 11, 2), minute = DigitsOfForm(text, 14, 2), second = DigitsOfForm(text, 17, 2);
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59)
        throw std::invalid_argument("istante fuori dai limiti");
    return florimant::JulianDay(1, day, month, year, hour, minute) + second / 86400.0L;
}

Real GregorianAdoptionInstant(const std::string& text, bool italian) {
    // The program takes a date as Julian when its Gregorian-reckoned Julian day is at or before
    // the stored instant (Italian lists: the instant minus one day). Noon of the day before the
    // first Gregorian day lies inside the skipped days, so every real date falls on the right side.
    Real effective = 0;
    if (text == "ALWAYS") {
        effective = florimant::AlwaysGregorianDay + 0.5L;
    } else {
        static const std::regex form(R"((\d{4})-(\d{2})-(\d{2}))");
        std::smatch m;
        if (!std::regex_match(text, m, form))
            throw std::invalid_argument("data di adozione non nella forma YYYY-MM-DD");
        effective = florimant::JulianDay(1, DigitsOfForm(text, 8, 2), DigitsOfForm(text, 5, 2),
                                         DigitsOfForm(text, 0, 4), 0, 0) -
                    0.5L;
    }
    return effective + (italian ? 1 : 0) + florimant::RegimeInstantOffset;
}

RegimeTable ReadRegimeTable(const std::filesystem::path& file, bool italian) {
    const std::string name = file.string();
    RegimeTable table;
    std::map<std::string, std::string> continuations;  // list -> list it continues in
    std::map<std::string, size_t> continuationLine;
    std::string current;
    for (const Row& row : ReadTable(file, {"list", "kind", "instant", "correction", "label"})) {
        const std::string& id = row.fields[0];
        const std::string& kind = row.fields[1];
        const std::string& instant = row.fields[2];
        const std::string& correctionText = row.fields[3];
        const std::string& label = row.fields[4];
        auto fail = [&](const std::string& what) { throw InputError(name, row.line, what); };
        if (!IsListId(id)) fail("identificativo dell'elenco non di 8 cifre: " + id);
        std::vector<RegimeRecord>& list = table.lists[id];
        if (id != current) {
            if (!list.empty()) fail("le righe dell'elenco " + id + " non sono consecutive");
            table.order.push_back(id);
            current = id;
        }
        if (!list.empty() && list.back().Is(florimant::ContinuationCode)) fail("riga dopo RICH nell'elenco " + id);
        try {
            if (kind == "GREG") {
                if (!list.empty()) fail("GREG non è la prima riga dell'elenco " + id);
                list.push_back({GregorianAdoptionInstant(instant, italian), "GREG", 0});
                continue;
            }
            if (list.empty()) fail("l'elenco " + id + " non comincia con GREG");
            if (kind == "RICH") {
                if (!IsListId(instant)) fail("RICH senza elenco di 8 cifre");
                list.push_back(
                    florimant::MakeContinuationRecord(static_cast<uint32_t>(*florimant::ParseDigits(instant))));
                continuations[id] = instant;
                continuationLine[id] = row.line;
                continue;
            }
            const std::optional<double> correction = florimant::ParseWholeDouble(correctionText, TableNumber);
            if (!correction || std::fabs(*correction) > 24) fail("correzione non valida: " + correctionText);
            const Real jd = ParseUtInstant(instant);
            std::string code;
            if (kind == "LMT") {
                if (list.size() != 1) fail("LMT non è la seconda riga dell'elenco " + id);
                code = std::string(florimant::LocalMeanTimeCode);
            } else if (kind == "CHANGE") {
                if (!ToCp1252(label, code)) fail("carattere non rappresentabile in Windows-1252 nell'etichetta");
                if (code.empty() || code.size() > 4) fail("etichetta vuota o più lunga di 4 caratteri: " + label);
                code.resize(4, ' ');
                if (code == "GREG" || code == "LMT " || code == "RICH" || code == "****")
                    fail("etichetta riservata: " + label);
            } else {
                fail("tipo sconosciuto: " + kind);
            }
            if (list.size() > 1 && !(jd > list.back().Instant())) fail("istante non crescente nell'elenco " + id);
            list.push_back(florimant::MakeRegimeRecord(jd, code, *correction));
        } catch (const std::invalid_argument& e) {
            fail(e.what());
        }
    }
    for (const auto& [id, target] : continuations) {
        if (!table.lists.count(target))
            throw InputError(name, continuationLine[id], "RICH verso l'elenco inesistente " + target);
        // A chain must end: follow it and refuse a loop.
        std::set<std::string> seen{id};
        for (std::string next = target; continuations.count(next); next = continuations[next])
            if (!seen.insert(next).second)
                throw InputError(name, continuationLine[id], "catena RICH circolare da " + id);
    }
    return table;
}

LocalityTable ReadLocalityTable(const std::filesystem::path& file, LocalityStore store, const RegimeTable& regimes) {
    const std::string name = file.string();
    LocalityTable table;
    struct Keyed {
        std::string key;
        LocalityRecord place;
    };
    std::vector<Keyed> keyed;
    for (const Row& row : ReadTable(file, {"name", "state", "latitude", "longitude", "regime"})) {
        auto fail = [&](const std::string& what) { throw InputError(name, row.line, what); };
        LocalityRecord place;
        if (row.fields[0].empty()) fail("nome vuoto");
        if (!ToCp1252(row.fields[0], place.name)) fail("carattere non rappresentabile in Windows-1252 nel nome");
        if (!ToCp1252(row.fields[1], place.state)) fail("carattere non rappresentabile in Windows-1252 nello stato");
        if (place.name.size() > florimant::LocalityNameCapacity) {
            place.name.resize(florimant::LocalityNameCapacity);
            ++table.namesCut;
        }
        if (place.state.size() > florimant::LocalityStateCapacity) {
            place.state.resize(florimant::LocalityStateCapacity);
            ++table.statesCut;
        }
        // Coordinates keep the extended precision of the record, so they are read as extended too.
        const std::optional<Real> latitude = florimant::ParseWholeReal(row.fields[2], TableNumber);
        const std::optional<Real> longitude = florimant::ParseWholeReal(row.fields[3], TableNumber);
        if (!latitude || !longitude || std::fabs(*latitude) > 90 || std::fabs(*longitude) > 180)
            fail("coordinate non valide");
        place.latitude = *latitude;
        place.longitude = *longitude;
        const std::string& regime = row.fields[4];
        if (!IsListId(regime) || !regimes.lists.count(regime)) fail("regime sconosciuto: " + regime);
        place.regimeCode = florimant::RegimeCodeOf(static_cast<uint32_t>(*florimant::ParseDigits(regime)));
        const std::string key = store == LocalityStore::Estero ? florimant::SearchForm(place.name) : place.name;
        keyed.push_back({key, std::move(place)});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.key != b.key ? a.key < b.key : a.place.name < b.place.name;
    });
    for (Keyed& k : keyed) table.places.push_back(std::move(k.place));
    return table;
}

WriteSummary WriteAtlas(const std::filesystem::path& inputFolder, const std::filesystem::path& installation) {
    const RegimeTable italianRegimes = ReadRegimeTable(inputFolder / "italia_regimes.tsv", true);
    const RegimeTable foreignRegimes = ReadRegimeTable(inputFolder / "estero_regimes.tsv", false);
    for (const std::string& id : italianRegimes.order)
        if (foreignRegimes.lists.count(id))
            throw InputError((inputFolder / "estero_regimes.tsv").string(), 0,
                             "elenco " + id + " presente in entrambe le tabelle");
    const LocalityTable italian =
        ReadLocalityTable(inputFolder / "italia_localities.tsv", LocalityStore::Italia, italianRegimes);
    const LocalityTable foreign =
        ReadLocalityTable(inputFolder / "estero_localities.tsv", LocalityStore::Estero, foreignRegimes);

    const florimant::ProgramFolder folder(installation);
    WriteSummary summary;
    florimant::WriteLocalityFile(folder, LocalityStore::Italia, italian.places);
    florimant::WriteLocalityFile(folder, LocalityStore::Estero, foreign.places);
    summary.italianPlaces = italian.places.size();
    summary.foreignPlaces = foreign.places.size();
    summary.namesCut = italian.namesCut + foreign.namesCut;
    summary.statesCut = italian.statesCut + foreign.statesCut;

    std::set<std::string> written;
    for (const std::string& id : italianRegimes.order) {
        florimant::ReplaceFile(folder, "Calendar\\" + id + ".CAL",
                               florimant::EncodeRegimeRecords(italianRegimes.lists.at(id)));
        written.insert(id + ".CAL");
    }
    summary.italianLists = italianRegimes.order.size();

    // The shared database: a header record, then each list ended by "****".
    const RegimeRecord end{0, std::string(florimant::EndOfListCode), 0};
    std::vector<RegimeRecord> database{end};
    std::vector<std::string> index;
    for (const std::string& id : foreignRegimes.order) {
        index.push_back(florimant::RegimeIndexLine(id + ".CAL", database.size()));
        const auto& list = foreignRegimes.lists.at(id);
        database.insert(database.end(), list.begin(), list.end());
        database.push_back(end);
    }
    if (database.size() > 999999) throw InputError("Database.cll", 0, "troppi record per l'indice a 6 cifre");
    florimant::ReplaceFile(folder, florimant::RegimeDatabasePath, florimant::EncodeRegimeRecords(database));
    florimant::ReplaceTextFile(folder, florimant::RegimeIndexPath, index);
    summary.foreignLists = foreignRegimes.order.size();
    summary.databaseRecords = database.size();

    // Regime files of an earlier run that are no longer produced.
    static const std::regex regimeFile(R"(\d{8}\.CAL)", std::regex::icase);
    for (const std::string& file : folder.List("Calendar", "*.CAL"))
        if (std::regex_match(file, regimeFile) && !written.count(file))
            std::filesystem::remove(folder.Resolve("Calendar\\" + file));
    return summary;
}

}  // namespace atlas
