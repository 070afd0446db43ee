// Chart engine commands: positions of the bodies, houses, and the chart of a birth.
#include <cmath>
#include <stdexcept>

#include "cli_command.hpp"
#include "engine/astro_time.hpp"
#include "engine/chart.hpp"
#include "engine/ephemeris.hpp"
#include "engine/houses.hpp"
#include "engine/texts.hpp"
#include "json.hpp"

namespace florimant::cli {

namespace {

std::string Choice(const Arguments& args, const std::string& name, const std::string& fallback,
                   std::initializer_list<const char*> allowed) {
    std::string value = args.Get(name, fallback);
    UpperCaseInPlace(value);
    for (const char* a : allowed)
        if (value == a) return value;
    std::string list;
    for (const char* a : allowed) list += (list.empty() ? "" : ", ") + std::string(a);
    throw CommandError("valore non ammesso per --" + name + ": " + args.Get(name) + " (ammessi: " + list + ")");
}

EphemerisSettings SettingsFrom(const Arguments& args) {
    EphemerisSettings s;
    s.NodeMode = Choice(args, "node", s.NodeMode, {"VERO", "MEDIO"});
    s.BlackMoonMode = Choice(args, "black-moon", s.BlackMoonMode, {"VERA", "MEDIA"});
    // --plain: the theory alone, without the installation's correction files.
    s.ApplyCorrectionFiles = !args.Has("plain");
    return s;
}

Real JulianDayArgument(const Arguments& args) { return ParseRealNumber(args.Get("jd"), "--jd"); }

void RunEphemeris(CommandContext& context, const Arguments& args) {
    const Real jd = JulianDayArgument(args);
    ChartData chart;
    ComputeChartBodies(context.folder, SettingsFrom(args), 0, jd, chart);
    JsonWriter json(context.out);
    json.BeginObject().Key("jd").Number(jd).Key("bodies").BeginArray();
    for (int body = Body::Sun; body <= Body::Chiron; ++body) {
        json.BeginObject()
            .Field("body", body)
            .Key("longitude")
            .Number(std::fabs(chart.Longitude[body]))
            .Key("latitude")
            .Number(chart.Latitude[body])
            .Field("retrograde", chart.Longitude[body] < 0)
            .EndObject();
    }
    json.EndArray().EndObject().Newline();
}

void WriteCusps(JsonWriter& json, const ChartData& chart) {
    json.BeginArray();
    for (int i = 1; i <= 12; ++i) json.Number(chart.HouseCusps[i]);
    json.EndArray();
}

void RunHouses(CommandContext& context, const Arguments& args) {
    const Real jd = JulianDayArgument(args);
    const Real correction = args.GetNumber("correction", 0);
    const std::string system = Choice(
        args, "system", "",
        {"PLACIDO", "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO", "CASE_UGUALI", "CASE_MEDIE", "MORINO", "ALCABIZIO"});
    ChartData chart;
    chart.CoordinatesText = args.Get("coords");
    try {
        ParseCoordinatesText(chart);
    } catch (const std::invalid_argument& e) {
        throw CommandError(e.what());
    }
    // The local clock time of the moment, in whole hours and rounded minutes.
    Real local = std::fmod((jd + 0.5L - std::floor(jd + 0.5L)) * 24 - correction, 24.0L);
    if (local < 0) local += 24;
    int hour = static_cast<int>(local);
    int minute = static_cast<int>(std::lround((local - hour) * 60));
    if (minute == 60) {
        minute = 0;
        hour = (hour + 1) % 24;
    }
    chart.HouseSystem = system;
    ComputeHouses(jd, chart.LongitudeDegrees, chart.LongitudeMinutes, chart.EastWest, chart.LatitudeDegrees,
                  chart.LatitudeMinutes, chart.NorthSouth, hour, minute, correction, system, chart);
    JsonWriter json(context.out);
    json.BeginObject().Key("cusps");
    WriteCusps(json, chart);
    json.Key("asc").Number(chart.AscendantRad / DegToRad);
    json.Key("mc").Number(chart.MidheavenRad / DegToRad);
    json.Key("sidereal_time").Number(chart.SiderealTime);
    json.EndObject().Newline();
}

void RunChart(CommandContext& context, const Arguments& args) {
    const std::string date = args.Get("date"), time = args.Get("time");
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        throw CommandError("data non valida (AAAA-MM-GG): " + date);
    if (time.size() != 5 || time[2] != ':') throw CommandError("ora non valida (HH:MM): " + time);
    const int year = DigitsArgument(date, 0, 4, "data"), month = DigitsArgument(date, 5, 2, "data"),
              day = DigitsArgument(date, 8, 2, "data");
    const int hour = DigitsArgument(time, 0, 2, "ora"), minute = DigitsArgument(time, 3, 2, "ora");
    const std::string calendar = Choice(args, "calendar", "GR", {"GR", "GI"});

    ChartData chart;
    SetSubjectFieldsForChart(chart, day, month, year, hour, minute, args.GetNumber("correction"),
                             calendar == "GR" ? 1 : 0, args.Get("coords"));
    try {
        ComputeChartFromSubjectFields(context.folder, SettingsFrom(args), chart);
    } catch (const std::invalid_argument& e) {
        throw CommandError(e.what());
    }

    JsonWriter json(context.out);
    json.BeginObject()
        .Field("birth_date_text", chart.BirthDateText)
        .Key("julian_day_ut")
        .Number(chart.JulianDayUT)
        .Field("julian_day_text", chart.JulianDayText)
        .Field("zone_text", chart.ZoneText)
        .Key("bodies")
        .BeginArray();
    for (int body = 1; body <= Body::Count; ++body) {
        json.BeginObject()
            .Field("body", body)
            .Key("longitude")
            .Number(chart.Longitude[body])
            .Key("latitude")
            .Number(chart.Latitude[body])
            .Field("retrograde", chart.RetroFlags[body] == 'r')
            .Field("sign", static_cast<int>(chart.BodySigns[body]))
            .EndObject();
    }
    json.EndArray().Key("house_cusps");
    WriteCusps(json, chart);
    json.Key("sidereal_time").Number(chart.SiderealTime);
    json.Key("midheaven_rad").Number(chart.MidheavenRad);
    json.Field("house_system", chart.HouseSystem);
    json.EndObject().Newline();
}

const RegisterCommand kEphemeris({"ephemeris",
                                  "ephemeris --jd JD [--node VERO|MEDIO] [--black-moon VERA|MEDIA] [--plain]",
                                  {"plain"},
                                  RunEphemeris});
const RegisterCommand kHouses(
    {"houses", "houses --jd JD --coords 45N28-009E11 --system NOME [--correction ORE]", {}, RunHouses});
const RegisterCommand kChart({"chart",
                              "chart --date AAAA-MM-GG --time HH:MM --correction ORE --coords 45N28-009E11 "
                              "[--calendar GR|GI] [--node VERO|MEDIO] [--black-moon VERA|MEDIA] [--plain]",
                              {"plain"},
                              RunChart});

}  // namespace

}  // namespace florimant::cli
