// florimant-cli reading and attributions: the astro-spagyric readings of the current subject.
#include <optional>
#include <string>
#include <vector>

#include "analysis/archetypal_structure.hpp"
#include "analysis/aspects.hpp"
#include "analysis/attributions.hpp"
#include "analysis/chart_keys.hpp"
#include "analysis/constitution.hpp"
#include "analysis/masters.hpp"
#include "analysis/orb_settings.hpp"
#include "analysis/sectors.hpp"
#include "archive/chart_of_subject.hpp"
#include "cli_command.hpp"
#include "common/data_file_error.hpp"
#include "engine/astro_time.hpp"
#include "engine/chart.hpp"
#include "engine/texts.hpp"
#include "json.hpp"

namespace florimant::cli {
namespace {

const char* KindName(AspectKind kind) {
    static const char* const names[] = {"Congiunzione", "Sestile",     "Quadrato",   "Trigono",      "Opposizione",
                                        "SemiSestile",  "Decile",      "Novile",     "SemiQuadrato", "Settile",
                                        "Quintile",     "SesquiQuadr", "BiQuintile", "Quinconce"};
    return names[static_cast<int>(kind)];
}

void StringArray(JsonWriter& json, const std::vector<std::string>& lines) {
    json.BeginArray();
    for (const auto& line : lines) json.String(line);
    json.EndArray();
}

void Strings(JsonWriter& json, std::string_view key, const std::vector<std::string>& lines) {
    json.Key(key);
    StringArray(json, lines);
}

// The current subject's chart with the active orb table, as the analysis window reads them.
struct Reading {
    ActiveOrbTable orbs;
    EphemerisSettings settings;
    ChartData chart;
};

// The current subject, or with --date the chart of the given birth data (for checks and batch
// work that should not touch the current subject).
Reading LoadReading(const ProgramFolder& folder, const Arguments& args) {
    Reading r;
    r.orbs = LoadActiveOrbs(folder);
    r.settings = ChartEphemerisSettings(r.orbs);
    if (!args.Has("date")) {
        SubjectSummary summary;
        ComputeChart(folder, r.settings, r.chart, summary);
        return r;
    }
    const std::string date = args.Get("date"), time = args.Get("time", "12:00");
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        throw CommandError("data non valida (AAAA-MM-GG): " + date);
    if (time.size() != 5 || time[2] != ':') throw CommandError("ora non valida (HH:MM): " + time);
    const std::string calendar = args.Get("calendar", "GR");
    if (calendar != "GR" && calendar != "GI") throw CommandError("calendario non valido (GR o GI): " + calendar);
    SetSubjectFieldsForChart(r.chart, DigitsArgument(date, 8, 2, "data"), DigitsArgument(date, 5, 2, "data"),
                             DigitsArgument(date, 0, 4, "data"), DigitsArgument(time, 0, 2, "ora"),
                             DigitsArgument(time, 3, 2, "ora"), args.GetNumber("correction", 0),
                             calendar == "GR" ? 1 : 0, args.Get("coords", "45N28-009E11"));
    try {
        ComputeChartFromSubjectFields(folder, r.settings, r.chart);
    } catch (const std::invalid_argument& e) {
        throw CommandError(e.what());
    }
    return r;
}

void WriteAspects(JsonWriter& json, const ChartData& chart, const AspectOrbs& orbs) {
    Strings(json, "aspect_list", AspectListLines(chart, orbs));
    json.Key("wheel_aspects").BeginArray();
    for (const auto& a : FindWheelAspects(chart, orbs)) {
        json.BeginObject();
        json.Field("first", a.First).Field("second", a.Second).Field("kind", KindName(a.Kind));
        json.Field("rounded_exactness", a.RoundedExactness);
        json.EndObject();
    }
    json.EndArray();
    json.Key("ecliptic_grid").BeginArray();
    for (const auto& c : ComputeEclipticGrid(chart, orbs)) {
        json.BeginObject();
        json.Field("row", c.Row).Field("column", c.Column);
        json.Key("kind");
        if (c.Kind) json.String(KindName(*c.Kind));
        else json.String("");
        json.Field("exactness", c.ExactnessText);
        json.EndObject();
    }
    json.EndArray();
    json.Key("spherical_grid").BeginArray();
    for (const auto& c : ComputeSphericalGrid(chart, orbs)) {
        static const char* const marks[] = {"", "A", "B", "C"};
        json.BeginObject();
        json.Field("row", c.Row).Field("column", c.Column).Field("distance", c.Text);
        json.Field("mark_a", c.MarkA).Field("mark_b", c.MarkB).Field("mark_c", c.MarkC);
        json.Field("colour_mark", marks[static_cast<int>(c.Colour)]);
        json.EndObject();
    }
    json.EndArray();
}

void WriteStructure(JsonWriter& json, const ArchetypalStructure& s) {
    json.Key("archetypal_structure").BeginObject();
    json.Key("codes").BeginArray();
    for (int p = 1; p <= PlanetCount; ++p) json.Int(s.Codes[static_cast<size_t>(p)]);
    json.EndArray();
    json.Key("marks").BeginArray();
    for (int p = 1; p <= PlanetCount; ++p) json.Int(s.Marks[static_cast<size_t>(p)]);
    json.EndArray();
    json.Key("rows").BeginArray();
    for (const auto& row : s.Rows) {
        json.BeginObject();
        json.Field("root", row.Root).Field("code", static_cast<int>(row.Code)).Field("label", DignityLabel(row.Code));
        json.Field("mark", row.Mark);
        json.Key("slots").BeginArray();
        for (const auto& slot : row.Slots) {
            if (!slot.Planet) continue;
            json.BeginObject();
            json.Field("planet", slot.Planet).Field("level", slot.Level).Field("parent", slot.Parent);
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

void WriteCounts(JsonWriter& json, std::string_view key, const CountTable& t) {
    json.Key(key).BeginObject();
    json.Key("cells").BeginArray();
    for (const auto& row : t.Cells) {
        json.BeginArray();
        for (int n : row) json.Int(n);
        json.EndArray();
    }
    json.EndArray();
    json.Key("row_totals").BeginArray();
    for (int n : t.RowTotals) json.Int(n);
    json.EndArray();
    json.Key("column_totals").BeginArray();
    for (int n : t.ColumnTotals) json.Int(n);
    json.EndArray();
    json.EndObject();
}

void WriteHumours(JsonWriter& json, std::string_view key, const HumoralTable& h) {
    json.Key(key).BeginObject();
    json.Field("air", h.Air).Field("fire", h.FireCount).Field("earth", h.EarthCount).Field("water", h.WaterCount);
    json.Field("hot", h.Hot).Field("moist", h.Moist).Field("cold", h.Cold).Field("dry", h.Dry);
    json.EndObject();
}

void WriteSectors(JsonWriter& json, const ChartKeys& keys) {
    json.Key("sectors").BeginObject();
    json.Key("terms").BeginArray();
    for (int i = 1; i <= AnalysisPointCount; ++i) json.Int(keys.Sectors.Terms[static_cast<size_t>(i)]);
    json.EndArray();
    json.Key("decades").BeginArray();
    for (int i = 1; i <= AnalysisPointCount; ++i) json.Int(keys.Sectors.Decades[static_cast<size_t>(i)]);
    json.EndArray();
    json.Key("decan_keys").BeginArray();
    for (int i = 1; i <= AnalysisPointCount; ++i) json.String(keys.Sectors.DecanKeys[static_cast<size_t>(i)]);
    json.EndArray();
    json.Key("dodecatemoria").BeginArray();
    for (int i = 1; i <= AnalysisPointCount; ++i) json.Number(keys.Dodecatemoria[static_cast<size_t>(i)]);
    json.EndArray();
    json.EndObject();
}

void WriteMasters(JsonWriter& json, const ProgramFolder& folder, const Reading& r) {
    json.Key("masters").BeginObject();
    const PlanetaryHour hour = ComputePlanetaryHour(folder, r.settings, r.chart);
    json.Key("sunrise_jd").Number(hour.SunriseJulianDay);
    json.Field("planetary_day", WeekdayName(hour.Weekday));
    json.Field("hour", hour.Hour).Field("hour_text", PlanetaryHourText(hour.Hour));
    json.Field("hour_ruler", "Governata " + RulerPhrase(hour.Ruler));
    json.Field("ascendant_ruler", "Governato " + RulerPhrase(SignRulerOfLongitude(r.chart.Longitude[Body::Ascendant])));
    json.Field("midheaven_ruler", "Governato " + RulerPhrase(SignRulerOfLongitude(r.chart.Longitude[Body::Midheaven])));
    const YearMasters years = ComputeYearMasters(folder, r.chart);
    json.Field("table_year", years.Year);
    json.Field("year_ruler", "Anno " + YearRulerPhrase(years.YearRuler));
    json.Field("cycle_ruler", "nel Ciclo " + YearRulerPhrase(years.CycleRuler));
    json.EndObject();
}

void ReadingCommand(CommandContext& context, const Arguments& args) {
    const ProgramFolder& folder = context.folder;
    const Reading r = LoadReading(folder, args);
    const AspectOrbs& orbs = r.orbs.Values.Orbs;
    const ChartKeys keys = WriteChartKeys(folder, r.chart, orbs);
    JsonWriter json(context.out);
    json.BeginObject();
    json.Key("longitudes").BeginArray();
    for (int i = 1; i <= AnalysisPointCount; ++i) json.Number(r.chart.Longitude[static_cast<size_t>(i)]);
    json.EndArray();
    json.Key("latitudes").BeginArray();
    for (int i = 1; i <= AnalysisPointCount; ++i) json.Number(r.chart.Latitude[static_cast<size_t>(i)]);
    json.EndArray();
    json.Key("orbs").BeginArray();
    for (Real orb : orbs) json.Number(orb);
    json.EndArray();
    WriteAspects(json, r.chart, orbs);
    WriteStructure(json, ComputeArchetypalStructure(folder, r.chart));
    json.Key("constitution").BeginObject();
    WriteCounts(json, "elemental", ComputeElementalConstitution(r.chart));
    WriteHumours(json, "elemental_humours", ComputeElementalHumours(r.chart));
    WriteCounts(json, "seasonal", ComputeSeasonalConstitution(r.chart));
    WriteHumours(json, "seasonal_humours", ComputeSeasonalHumours(r.chart));
    json.EndObject();
    Strings(json, "chart_keys", keys.PointKeys);
    Strings(json, "sign_keys", keys.SignKeys);
    WriteSectors(json, keys);
    WriteMasters(json, folder, r);
    // The texts are installation data that may not be there; the rest of the reading stands.
    json.Key("sector_texts");
    if (folder.Exists(SpecificPointTextsFile)) StringArray(json, CoordinatesViewLines(folder, keys.Sectors));
    else json.String("");
    json.EndObject();
    json.Newline();
}

void AttributionsCommand(CommandContext& context, const Arguments& args) {
    const ProgramFolder& folder = context.folder;
    const bool plants = args.Has("plants");
    const bool byPoint = args.Has("point");
    if (byPoint == args.Has("sign")) throw CommandError("indicare --point N oppure --sign S");
    const int number = static_cast<int>(args.GetNumber(byPoint ? "point" : "sign"));
    if (number < 1 || number > (byPoint ? AnalysisPointCount : 12)) throw CommandError("numero fuori intervallo");
    const Reading r = LoadReading(folder, args);
    const ChartKeys keys = WriteChartKeys(folder, r.chart, r.orbs.Values.Orbs);
    const AttributionPanels panels = byPoint ? ShowPointAttributions(folder, r.chart, number, keys.Dodecatemoria)
                                             : ShowSignAttributions(folder, number);
    JsonWriter json(context.out);
    json.BeginObject();
    json.Field("specific_heading", panels.SpecificHeading);
    Strings(json, "specific", panels.Specific);
    json.Field("general_heading", panels.GeneralHeading);
    Strings(json, "general", panels.General);
    const auto list =
        ShowSignatureList(folder, byPoint ? SignatureTarget::OfPoint(number) : SignatureTarget::OfSign(number), plants);
    json.Key("signature_list");
    if (list) {
        json.BeginObject();
        json.Field("heading", list->Heading);
        Strings(json, "names", list->Names);
        json.EndObject();
    } else {
        json.String("");
    }
    if (args.Has("remedy")) {
        const CurableSymptoms symptoms = ShowCurableSymptoms(folder, args.Get("remedy"), plants);
        Strings(json, "symptoms", symptoms.Symptoms);
        Strings(json, "detail", symptoms.Detail);
    }
    json.EndObject();
    json.Newline();
}

RegisterCommand readingCommand(
    {"reading",
     "reading [--date AAAA-MM-GG --time HH:MM --correction ORE --coords 45N28-009E11 --calendar GR|GI]",
     {},
     ReadingCommand});
RegisterCommand attributionsCommand(
    {"attributions",
     "attributions --point N | --sign S [--plants] [--remedy NOME] [--date ... come reading]",
     {"plants"},
     AttributionsCommand});

}  // namespace
}  // namespace florimant::cli
