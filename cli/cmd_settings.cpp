// florimant-cli settings ...: the orb settings files and the display settings file.
#include "analysis/orb_settings.hpp"
#include "cli_command.hpp"
#include "common/data_file_error.hpp"
#include "drawing/display_settings.hpp"
#include "json.hpp"

namespace florimant::cli {
namespace {

const char* const AspectKeys[AspectKindCount] = {
    "congiunzione", "sestile",      "quadrato", "trigono",  "opposizione", "semisestile", "decile",
    "novile",       "semiquadrato", "settile",  "quintile", "sesquiquadr", "biquintile",  "quinconce"};

void WriteSet(JsonWriter& json, const OrbSetValues& values) {
    json.BeginObject();
    for (int k = 0; k < AspectKindCount; ++k) json.Key(AspectKeys[k]).Number(values.Orbs[static_cast<size_t>(k)]);
    json.Key("parallel_orb").Number(values.ParallelOrb);
    json.Key("antiscia_orb").Number(values.AntisciaOrb);
    json.EndObject();
}

void WriteTable(JsonWriter& json, const ActiveOrbTable& table) {
    json.BeginObject();
    json.Field("letter", std::string(1, table.Letter));
    json.Field("display_name", OrbSetDisplayName(table.Letter));
    json.Key("orbs");
    WriteSet(json, table.Values);
    json.Field("house_system", table.HouseSystem);
    json.Field("node_mode", table.NodeMode);
    json.Field("black_moon_mode", table.BlackMoonMode);
    json.EndObject();
}

// Each part is shown on its own, so one damaged file does not hide the others.
template <typename Body>
void Section(JsonWriter& json, std::string_view key, Body body) {
    json.Key(key);
    try {
        body();
    } catch (const DataFileError& e) {
        json.BeginObject();
        json.Field("error", std::string(e.what()));
        json.EndObject();
    }
}

void SettingsShow(CommandContext& context, const Arguments&) {
    JsonWriter json(context.out);
    json.BeginObject();
    Section(json, "active_orbs", [&] { WriteTable(json, LoadActiveOrbs(context.folder)); });
    Section(json, "orb_sets", [&] {
        const OrbSets sets = LoadOrbSets(context.folder);
        json.BeginObject();
        json.Field("letter", std::string(1, sets.Letter));
        json.Key("a");
        WriteSet(json, sets.Sets[0]);
        json.Key("b");
        WriteSet(json, sets.Sets[1]);
        json.Key("c");
        WriteSet(json, sets.Sets[2]);
        json.EndObject();
    });
    Section(json, "display", [&] {
        const DisplaySettings s = LoadDisplaySettings(context.folder);
        json.BeginObject();
        json.Field("reserved_1", s.Reserved1);
        json.Field("printer_compatibility_mode", s.PrinterCompatibilityMode);
        json.Field("reserved_3", s.Reserved3);
        json.Field("calendar_reform_option", s.CalendarReformOption);
        json.Key("line_thickness_factor").Number(s.LineThicknessFactor);
        json.Field("backup_folder", s.BackupFolder);
        json.Key("axis_correction_x").Number(s.AxisCorrectionX);
        json.Key("axis_correction_y").Number(s.AxisCorrectionY);
        json.EndObject();
    });
    json.EndObject();
    json.Newline();
}

void SettingsOrbSet(CommandContext& context, const Arguments& args) {
    const std::string letter = args.Positional(0);
    if (letter != "A" && letter != "B" && letter != "C") throw CommandError("insieme di orbite A, B o C");
    const ApplyOrbSetResult result = ApplyOrbSet(context.folder, letter[0]);
    if (!result.Applied) throw CommandError(result.Message);
    JsonWriter json(context.out);
    WriteTable(json, result.Table);
    json.Newline();
}

void SettingsLine(CommandContext& context, const Arguments& args) {
    const double line = ParseNumber(args.Positional(0), "N");
    if (line < 1 || line > 20 || line != static_cast<int>(line)) throw CommandError("riga da 1 a 20");
    JsonWriter json(context.out);
    WriteTable(json, ReplaceSettingsLine(context.folder, static_cast<int>(line), args.Positional(1)));
    json.Newline();
}

RegisterCommand showCommand({"settings show", "settings show", {}, SettingsShow});
RegisterCommand orbSetCommand({"settings orb-set", "settings orb-set A|B|C", {}, SettingsOrbSet});
RegisterCommand lineCommand({"settings line", "settings line N TESTO", {}, SettingsLine});

}  // namespace
}  // namespace florimant::cli
