// florimant-cli archive ... and current: subject archives, the current subject and its chart.
#include <filesystem>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "archive/chart_summary.hpp"
#include "archive/current_subject.hpp"
#include "archive/subject_archive.hpp"
#include "cli_command.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "json.hpp"

namespace florimant::cli {
namespace {

// Node and black moon kinds from the settings file; the defaults when it cannot be read.
EphemerisSettings CurrentEphemerisSettings(const ProgramFolder& folder) {
    try {
        return ChartEphemerisSettings(LoadActiveOrbs(folder));
    } catch (const DataFileError&) {
        return EphemerisSettings{};
    }
}

std::string Upper(const std::string& utf8) {
    std::string text = Utf8ToCp1252(utf8);
    for (char& c : text) {
        auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7)) c = static_cast<char>(u - 0x20);
    }
    return Cp1252ToUtf8(text);
}

long PositionArgument(const Arguments& args, size_t i) {
    const double value = ParseNumber(args.Positional(i), "POSIZIONE");
    if (value < 0 || value != static_cast<long>(value))
        throw CommandError("posizione non valida: " + args.Positional(i));
    return static_cast<long>(value);
}

std::string ArchiveArgument(const Arguments& args) { return Upper(args.Positional(0)); }

// Applies the birth-data options to `data`; with `required` every field must be given.
void ApplyBirthOptions(const Arguments& args, bool required, BirthData& data) {
    auto want = [&](const char* name) {
        if (required && !args.Has(name)) throw CommandError(std::string("manca l'opzione --") + name);
        return args.Has(name);
    };
    if (want("name")) data.Name = Upper(args.Get("name"));
    if (want("date")) {
        const std::string date = args.Get("date");
        if (date.size() != 10 || date[2] != '/' || date[5] != '/')
            throw CommandError("data non valida (GG/MM/AAAA): " + date);
        data.Day = DigitsArgument(date, 0, 2, "data");
        data.Month = DigitsArgument(date, 3, 2, "data");
        data.Year = DigitsArgument(date, 6, 2, "data") * 100 + DigitsArgument(date, 8, 2, "data");
        if (data.Day < 1 || data.Day > 31 || data.Month < 1 || data.Month > 12 || data.Year < 1)
            throw CommandError("data non valida: " + date);
    }
    if (want("time")) {
        const std::string time = args.Get("time");
        if (time.size() != 5 || time[2] != ':') throw CommandError("ora non valida (HH:MM): " + time);
        data.Hour = DigitsArgument(time, 0, 2, "ora");
        data.Minute = DigitsArgument(time, 3, 2, "ora");
        if (data.Hour > 23 || data.Minute > 59) throw CommandError("ora non valida: " + time);
    }
    if (want("correction")) {
        const std::string text = args.Get("correction");
        auto value = ParseCorrectionText(text);
        if (!value) throw CommandError("correzione non numerica: " + text);
        data.Correction = *value;
        data.CorrectionText = text;
    }
    if (want("coords")) {
        const std::string text = Upper(args.Get("coords"));
        if (text.size() != 12 || !ParseCoordinateText(text))
            throw CommandError("coordinate non valide (es. 45N28-009E11): " + text);
        data.CoordinatesText = text;
        data.LatitudeDegrees = ParseCoordinateText(text)->Latitude();
        data.LongitudeDegrees = ParseCoordinateText(text)->Longitude();
    }
    if (want("locality")) data.Locality = Upper(args.Get("locality"));
    if (want("nationality")) data.Nationality = Upper(args.Get("nationality"));
    if (want("calendar")) {
        const std::string calendar = Upper(args.Get("calendar"));
        if (calendar == "GREGORIANO") data.CalendarKind = Calendar::Gregorian;
        else if (calendar == "GIULIANO") data.CalendarKind = Calendar::Julian;
        else throw CommandError("calendario non valido (GREGORIANO o GIULIANO): " + calendar);
    }
}

SubjectNotes NotesOption(const Arguments& args) {
    SubjectNotes notes;
    const std::vector<std::string> lines = args.GetAll("notes");
    if (lines.size() > 4) throw CommandError("al massimo quattro righe --notes");
    for (size_t i = 0; i < lines.size(); ++i) notes.Lines[i] = lines[i];
    return notes;
}

// Creates a new text file for the subject as registration does and names it for the editor.
std::string CreateSubjectText(const ProgramFolder& folder, const std::string& archive, const std::string& name) {
    const std::string number = NextTextFileNumber(folder, archive);
    const std::string path = TextFilePath(archive, number);
    std::string first = Utf8ToCp1252(name);
    if (first.size() > IndexNameLength) first.resize(IndexNameLength);
    ReplaceTextFile(folder, path, {first});
    WriteEditorPath(folder, path);
    return number;
}

void WriteSubject(JsonWriter& json, const BirthData& d) {
    json.BeginObject();
    json.Field("position", d.IndexPosition);
    json.Field("index_text", d.IndexText);
    json.Field("name", d.Name);
    json.Field("birth_record", d.BirthRecordNumber);
    json.Field("date", StoredDateToDisplay(StoredDateText(d.Day, d.Month, d.Year, d.Hour, d.Minute)));
    json.Field("correction_text", d.CorrectionText);
    json.Key("correction").Number(d.Correction);
    json.Field("calendar", d.CalendarKind == Calendar::Gregorian ? "GREGORIANO" : "GIULIANO");
    json.Field("coordinates", d.CoordinatesText);
    json.Key("latitude").Number(d.LatitudeDegrees);
    json.Key("longitude").Number(d.LongitudeDegrees);
    json.Field("locality", d.Locality);
    json.Field("locality_display", LocalityDisplayText(d.Locality));
    json.Field("nationality", d.Nationality);
    json.Field("annotation_number", d.AnnotationNumber);
    json.Key("annotations").BeginArray();
    for (const std::string& line : d.Annotations) json.String(line);
    json.EndArray();
    json.Field("text_file_number", d.TextFileNumber);
    json.Field("body_summary", d.BodySummary);
    json.Field("cusp_summary", d.CuspSummary);
    json.Field("aspect_summary", d.AspectSummary);
    json.Field("reserved_1", d.Reserved1);
    json.Field("reserved_2", d.Reserved2);
    json.EndObject();
}

void ArchiveList(CommandContext& context, const Arguments&) {
    JsonWriter json(context.out);
    json.BeginArray();
    for (const std::string& name : ListArchives(context.folder)) {
        json.BeginObject();
        json.Field("name", name);
        json.Field("label", ArchiveLabel(name));
        try {
            const ArchiveInfo info = OpenArchive(context.folder, name);
            json.Field("count", info.Count);
            json.Field("has_annotations", info.HasAnnotations);
        } catch (const DataFileError& e) {
            json.Field("error", std::string(e.what()));
        }
        json.EndObject();
    }
    json.EndArray();
    json.Newline();
}

void ArchiveShow(CommandContext& context, const Arguments& args) {
    const std::string archive = ArchiveArgument(args);
    const ArchiveInfo info = OpenArchive(context.folder, archive);
    long first = 1, last = info.Count;
    if (args.Positional().size() > 1) first = last = PositionArgument(args, 1);
    if (first < 1 || last > info.Count)
        throw CommandError("posizione fuori dall'archivio (1-" + std::to_string(info.Count) + ")");
    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("archive", archive);
    json.Field("count", info.Count);
    json.Key("subjects").BeginArray();
    for (long p = first; p <= last; ++p) {
        try {
            WriteSubject(json, ReadSubject(context.folder, archive, p));
        } catch (const DataFileError& e) {
            json.BeginObject();
            json.Field("position", p);
            json.Field("error", std::string(e.what()));
            json.EndObject();
        }
    }
    json.EndArray();
    json.EndObject();
    json.Newline();
}

void ArchiveAdd(CommandContext& context, const Arguments& args) {
    const std::string archive = ArchiveArgument(args);
    BirthData data;
    ApplyBirthOptions(args, true, data);
    SubjectNotes notes = NotesOption(args);
    // The chart comes first: a missing ephemeris file must stop the command before anything is written.
    const ChartSummaries summaries =
        ComputeChartSummaries(context.folder, CurrentEphemerisSettings(context.folder), data);
    if (args.Has("text")) {
        notes.TextFileNumber = CreateSubjectText(context.folder, archive, data.Name);
        WriteTextReference(context.folder, archive, notes.TextFileNumber);
    }
    const long position = AddSubject(context.folder, archive, data, notes, summaries);
    const std::string indexText = Cp1252ToUtf8(ReadIndexEntry(context.folder, archive, position));
    // As the registration window does when it closes after storing.
    WriteLastChoice(context.folder, archive, indexText, position, data.Name);
    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("archive", archive);
    json.Field("position", position);
    json.Field("index_text", indexText);
    json.Field("text_file_number", notes.TextFileNumber);
    json.EndObject();
    json.Newline();
}

void ArchiveRewrite(CommandContext& context, const Arguments& args) {
    const std::string archive = ArchiveArgument(args);
    const long position = PositionArgument(args, 1);
    BirthData data = ReadSubject(context.folder, archive, position);
    const std::string oldIndexText = data.IndexText;
    ApplyBirthOptions(args, false, data);
    SubjectNotes notes = NotesOption(args);
    const ChartSummaries summaries =
        ComputeChartSummaries(context.folder, CurrentEphemerisSettings(context.folder), data);
    if (args.Has("notes") || args.Has("text")) {
        // Lines not given keep what the subject holds, as the modification window shows them.
        const std::vector<std::string> given = args.GetAll("notes");
        if (data.AnnotationNumber != 0)
            for (size_t i = given.size(); i < 4; ++i)
                notes.Lines[i] = i < 3
                                     ? data.Annotations[i]
                                     : data.Annotations[3].substr(0, std::min<size_t>(64, data.Annotations[3].size()));
        notes.TextFileNumber = data.TextFileNumber;
    }
    if (args.Has("text")) {
        const bool exists = !notes.TextFileNumber.empty() &&
                            notes.TextFileNumber.find_first_not_of(' ') != std::string::npos &&
                            context.folder.Exists(TextFilePath(archive, notes.TextFileNumber));
        if (!exists) notes.TextFileNumber = CreateSubjectText(context.folder, archive, data.Name);
        WriteEditorPath(context.folder, TextFilePath(archive, notes.TextFileNumber));
    }
    const long final = RewriteSubject(context.folder, archive, oldIndexText, position, data, notes, summaries);
    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("archive", archive);
    json.Field("position", final);
    json.Field("index_text", Cp1252ToUtf8(ReadIndexEntry(context.folder, archive, final)));
    json.EndObject();
    json.Newline();
}

void ArchiveRemove(CommandContext& context, const Arguments& args) {
    const std::string archive = ArchiveArgument(args);
    const long position = PositionArgument(args, 1);
    const std::string removed = Cp1252ToUtf8(ReadIndexEntry(context.folder, archive, position));
    RemoveIndexEntry(context.folder, archive, position);
    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("archive", archive);
    json.Field("removed", removed);
    json.Field("count", OpenArchive(context.folder, archive).Count);
    json.EndObject();
    json.Newline();
}

void ArchiveRecall(CommandContext& context, const Arguments& args) {
    const std::string archive = ArchiveArgument(args);
    if (archive == TemporaryArchive) throw CommandError("Nome Archivio Non Ammesso");
    RecallChoices choices;
    if (args.Has("name")) choices.Name = Upper(args.Get("name"));
    const BirthData data = RecallSubject(context.folder, archive, PositionArgument(args, 1), choices);
    JsonWriter json(context.out);
    WriteSubject(json, data);
    json.Newline();
}

void ArchiveFind(CommandContext& context, const Arguments& args) {
    const std::string archive = ArchiveArgument(args);
    const std::string typed = Upper(args.Positional(1));
    const long position = FindIndexPosition(context.folder, archive, typed);
    const std::string text = position > 0 ? Cp1252ToUtf8(ReadIndexEntry(context.folder, archive, position)) : "";
    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("archive", archive);
    json.Field("typed", typed);
    json.Field("position", position);
    json.Field("index_text", text);
    json.Field("matches", position > 0 && IndexTextStartsWith(text, typed));
    json.EndObject();
    json.Newline();
}

void Reals(JsonWriter& json, std::string_view key, const BodyReals& values) {
    json.Key(key).BeginArray();
    for (int i = 1; i <= Body::Count; ++i) json.Number(values[static_cast<size_t>(i)]);
    json.EndArray();
}

void Current(CommandContext& context, const Arguments&) {
    ChartData chart;
    SubjectSummary summary;
    ComputeChart(context.folder, CurrentEphemerisSettings(context.folder), chart, summary);
    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("subject_name", chart.SubjectName);
    json.Field("date_field", chart.DateField);
    json.Field("place_field", chart.PlaceField);
    json.Field("birth_date_text", chart.BirthDateText);
    json.Field("correction_text", chart.CorrectionText);
    json.Key("correction_hours").Number(chart.CorrectionHours);
    json.Field("zone_text", chart.ZoneText);
    json.Key("birth_day").Number(chart.BirthDay);
    json.Key("birth_month").Number(chart.BirthMonth);
    json.Key("birth_year").Number(chart.BirthYear);
    json.Key("birth_hour").Number(chart.BirthHour);
    json.Key("birth_minute").Number(chart.BirthMinute);
    json.Field("hour_int", chart.HourInt);
    json.Field("minute_int", chart.MinuteInt);
    json.Field("calendar_flag", static_cast<int>(chart.CalendarFlag));
    json.Field("coordinates_text", chart.CoordinatesText);
    json.Field("latitude_degrees", chart.LatitudeDegrees);
    json.Field("north_south", chart.NorthSouth);
    json.Field("latitude_minutes", chart.LatitudeMinutes);
    json.Field("longitude_degrees", chart.LongitudeDegrees);
    json.Field("east_west", chart.EastWest);
    json.Field("longitude_minutes", chart.LongitudeMinutes);
    json.Field("locality_text", chart.LocalityText);
    json.Field("nationality_text", chart.NationalityText);
    json.Field("annotation_text", chart.AnnotationText);
    json.Key("julian_day_ut").Number(chart.JulianDayUT);
    json.Field("julian_day_text", chart.JulianDayText);
    Reals(json, "longitude", chart.Longitude);
    Reals(json, "latitude", chart.Latitude);
    json.Key("retro_flags").BeginArray();
    for (int i = 1; i <= Body::Count; ++i)
        json.String(
            std::string(1, chart.RetroFlags[static_cast<size_t>(i)] ? chart.RetroFlags[static_cast<size_t>(i)] : ' '));
    json.EndArray();
    json.Key("body_signs").BeginArray();
    for (int i = 1; i <= Body::Count; ++i) json.Int(chart.BodySigns[static_cast<size_t>(i)]);
    json.EndArray();
    json.Key("house_cusps").BeginArray();
    for (int i = 1; i <= 12; ++i) json.Number(chart.HouseCusps[static_cast<size_t>(i)]);
    json.EndArray();
    json.Key("sidereal_time").Number(chart.SiderealTime);
    json.Key("midheaven_rad").Number(chart.MidheavenRad);
    json.Key("ascendant_rad").Number(chart.AscendantRad);
    json.Field("house_system", chart.HouseSystem);
    json.Key("memo_lines").BeginArray();
    for (const std::string& line : summary.MemoLines) json.String(line);
    json.EndArray();
    json.Field("text_button_visible", summary.TextButtonVisible);
    json.Field("text_path", summary.TextPath);
    json.EndObject();
    json.Newline();
}

const std::string BirthUsage =
    "--name N --date GG/MM/AAAA --time HH:MM --correction C --coords 45N28-009E11 --locality L --nationality S "
    "--calendar GREGORIANO|GIULIANO [--notes RIGA ...] [--text]";

RegisterCommand listCommand({"archive list", "archive list", {}, ArchiveList});
RegisterCommand showCommand({"archive show", "archive show NOME [POSIZIONE]", {}, ArchiveShow});
RegisterCommand addCommand({"archive add", "archive add NOME " + BirthUsage, {"text"}, ArchiveAdd});
RegisterCommand rewriteCommand(
    {"archive rewrite", "archive rewrite NOME POSIZIONE [campi come archive add]", {"text"}, ArchiveRewrite});
RegisterCommand removeCommand({"archive remove", "archive remove NOME POSIZIONE", {}, ArchiveRemove});
RegisterCommand recallCommand(
    {"archive recall", "archive recall NOME POSIZIONE [--name NOME_MOSTRATO]", {}, ArchiveRecall});
RegisterCommand findCommand({"archive find", "archive find NOME TESTO", {}, ArchiveFind});
RegisterCommand currentCommand({"current", "current", {}, Current});

}  // namespace
}  // namespace florimant::cli
