// Atlas and legal-time commands: the typed place search and the birth-data result panel.
#include <optional>
#include <string>

#include "archive/birth_entry.hpp"
#include "archive/place_search.hpp"
#include "cli_command.hpp"
#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/trim.hpp"
#include "json.hpp"

namespace florimant::cli {

namespace {

LocalityStore StoreOf(const Arguments& args) {
    return args.Has("estero") ? LocalityStore::Estero : LocalityStore::Italia;
}

// The search text as the place field holds it after the text has been typed key by key.
std::string TypedSearchText(const std::string& utf8, LocalityStore store) {
    std::string text;
    for (char key : Utf8ToCp1252(utf8)) text = ApplyTypedKey(std::move(text), key, store);
    return text;
}

// The calendar-reform option: fourth line of the display settings, 1 = on; off when absent.
bool CalendarReformFromSettings(const ProgramFolder& folder) {
    if (!folder.Exists("FileSet\\MMVarLas.stt")) return false;
    const std::vector<std::string> lines = ReadTextLines(folder, "FileSet\\MMVarLas.stt");
    if (lines.size() < 4) return false;
    const std::optional<long> value = ParseLeadingInteger(lines[3]);
    return value && *value == 1;
}

// "DD/MM/YYYY" and "HH:MM" into the five fields as typed.
DateFields FieldsOf(const std::string& date, const std::string& time) {
    DateFields f;
    const size_t a = date.find('/'), b = date.find('/', a == std::string::npos ? a : a + 1);
    const size_t c = time.find(':');
    if (a == std::string::npos || b == std::string::npos || c == std::string::npos)
        throw CommandError("Data Scorretta");
    f.day = date.substr(0, a);
    f.month = date.substr(a + 1, b - a - 1);
    f.year = date.substr(b + 1);
    f.hour = time.substr(0, c);
    f.minute = time.substr(c + 1);
    if (f.AnyEmpty()) throw CommandError("Data Scorretta");
    return f;
}

void PlaceSearch(CommandContext& context, const Arguments& args) {
    const LocalityStore store = StoreOf(args);
    const LocalityFile file(context.folder, store);
    const std::string searchText = TypedSearchText(args.Positional(0), store);
    const PlaceList list = SearchPlaces(file, searchText);
    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("m", list.m);
    json.Field("match", ChoosePlaceByEnter(list, searchText, true) == PlaceChoice::Chosen);
    json.Key("rows").BeginArray();
    for (const PlaceRow& row : list.rows) {
        json.BeginObject();
        json.Field("record", row.record);
        json.Field("name", Cp1252ToUtf8(WithoutTrailingBlanks(row.place.name)));
        json.Field("state", Cp1252ToUtf8(WithoutTrailingBlanks(row.place.state)));
        json.Key("latitude").Number(row.place.latitude, 15);
        json.Key("longitude").Number(row.place.longitude, 15);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    json.Newline();
}

void Birth(CommandContext& context, const Arguments& args) {
    const LocalityStore store = StoreOf(args);
    const DateCheck date = CheckBirthDate(FieldsOf(args.Get("date"), args.Get("time")));
    if (!date.Valid()) throw CommandError(date.message.empty() ? "Data Scorretta" : date.message);
    bool reform = CalendarReformFromSettings(context.folder);
    if (args.Has("reform")) {
        const std::string r = args.Get("reform");
        if (r != "0" && r != "1") throw CommandError("valore non ammesso per --reform: " + r + " (ammessi: 0, 1)");
        reform = r == "1";
    }
    const LocalityFile file(context.folder, store);
    size_t record = 0;
    if (args.Has("record")) {
        // A row picked by number, as a double-click on the list would.
        const double r = args.GetNumber("record");
        if (r < 1 || r > static_cast<double>(file.Count()) || r != static_cast<double>(static_cast<size_t>(r)))
            throw CommandError("località inesistente: " + args.Get("record"));
        record = static_cast<size_t>(r);
    } else {
        const std::string searchText = TypedSearchText(args.Get("place"), store);
        const PlaceList list = SearchPlaces(file, searchText);
        const PlaceChoice choice = ChoosePlaceByEnter(list, searchText, true);
        if (choice != PlaceChoice::Chosen) throw CommandError(PlaceChoiceMessage(choice));
        record = static_cast<size_t>(list.m);
    }
    const BirthResult r = ComputeBirthResult(context.folder, file, record, date.date, reform);

    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("record", record);
    json.Field("EditDataEstesa", r.EditDataEstesa);
    json.Field("EditJD", r.EditJD);
    json.Field("EditLocEstesa", r.EditLocEstesa);
    json.Field("EditCoord", r.EditCoord);
    json.Field("EditFuso", r.EditFuso);
    json.Field("EditCalend", r.EditCalend);
    json.Field("EditStato", r.EditStato);
    json.Field("local_mean_time", r.localMeanTime);
    json.Key("regime_lines").BeginArray();
    for (const std::string& line : r.regimeLines) json.String(line);
    json.EndArray();
    json.Field("regimes_outdated", r.regimesOutdated);
    json.EndObject();
    json.Newline();
}

RegisterCommand placeSearchCommand(Command{"place-search", "place-search [--estero] TESTO", {"estero"}, PlaceSearch});
RegisterCommand birthCommand(Command{
    "birth",
    "birth [--estero] (--place TESTO | --record N) --date GG/MM/AAAA --time HH:MM [--reform 0|1]",
    {"estero"},
    Birth});

}  // namespace

}  // namespace florimant::cli
