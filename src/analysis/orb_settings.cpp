#include "analysis/orb_settings.hpp"

#include <algorithm>

#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/settings_number.hpp"
#include "common/trim.hpp"

namespace florimant {

namespace {

constexpr size_t ActiveLines = 20;
constexpr size_t LineLimit = 25;  // ReplaceSettingsLine keeps at most this much of each line
constexpr std::array<int, AspectKindCount> FixedAIntegers{10, 1, 1, 1, 1, 1, 4, 1, 6, 8, 1, 1, 1, 9};

OrbSetValues FromEditorRows(const std::array<Real, AspectKindCount>& rows, Real parallel, Real antiscia) {
    OrbSetValues v;
    for (int r = 0; r < AspectKindCount; ++r)
        v.Orbs[static_cast<size_t>(EditorRowToAspect[static_cast<size_t>(r)])] = rows[static_cast<size_t>(r)];
    v.ParallelOrb = parallel;
    v.AntisciaOrb = antiscia;
    return v;
}

// The 16 number lines of a set, in editor-row order.
std::vector<std::string> SetLines(const OrbSetValues& v, bool orbsAsIntegers) {
    std::vector<std::string> lines;
    for (int r = 0; r < AspectKindCount; ++r) {
        const Real orb = v.Orbs[static_cast<size_t>(EditorRowToAspect[static_cast<size_t>(r)])];
        lines.push_back(orbsAsIntegers ? std::to_string(FixedAIntegers[static_cast<size_t>(r)])
                                       : FormatSettingsReal(orb));
    }
    lines.push_back(FormatSettingsReal(v.ParallelOrb));
    lines.push_back(FormatSettingsReal(v.AntisciaOrb));
    return lines;
}

Real NumberAt(const std::vector<std::string>& lines, size_t index, std::string_view file) {
    if (index >= lines.size())
        throw DataFileError(std::string(file), "file troppo corto: manca la riga " + std::to_string(index + 1));
    auto value = ParseLeadingReal(lines[index]);
    if (!value || *value < 0)
        throw DataFileError(std::string(file),
                            "la riga " + std::to_string(index + 1) + " non contiene un'orbita valida");
    return *value;
}

OrbSetValues ReadSet(const std::vector<std::string>& lines, size_t first, std::string_view file) {
    std::array<Real, AspectKindCount> rows{};
    for (size_t r = 0; r < AspectKindCount; ++r) rows[r] = NumberAt(lines, first + r, file);
    return FromEditorRows(rows, NumberAt(lines, first + 14, file), NumberAt(lines, first + 15, file));
}

std::string TextLine(const std::vector<std::string>& lines, size_t index, size_t limit, std::string_view file) {
    if (index >= lines.size())
        throw DataFileError(std::string(file), "file troppo corto: manca la riga " + std::to_string(index + 1));
    return Cp1252ToUtf8(WithoutTrailingBlanks(std::string_view(lines[index]).substr(0, limit)));
}

std::vector<std::string> ActiveFileLines(const OrbSetValues& values, const ActiveOrbTable& chartSettings, char letter) {
    std::vector<std::string> lines = SetLines(values, false);
    lines.push_back(Utf8ToCp1252(chartSettings.HouseSystem).substr(0, 15));
    lines.push_back(Utf8ToCp1252(chartSettings.NodeMode).substr(0, 5));
    lines.push_back(std::string(1, NormalizeOrbSetLetter(letter)));
    lines.push_back(Utf8ToCp1252(chartSettings.BlackMoonMode).substr(0, 5));
    return lines;
}

OrbSetValues FromTable(const std::array<Real, AspectKindCount>& byIndex, Real parallel, Real antiscia) {
    OrbSetValues v;
    v.Orbs = byIndex;
    v.ParallelOrb = parallel;
    v.AntisciaOrb = antiscia;
    return v;
}

}  // namespace

OrbSetValues FixedOrbSetA() { return FromTable({10, 4, 6, 8, 9, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 1, 1); }
OrbSetValues DefaultOrbSetB() {
    return FromTable({10.0L, 3.0L, 4.0L, 4.0L, 8.0L, 1.0L, 0.5L, 0.5L, 1.0L, 0.5L, 1.0L, 1.0L, 1.0L, 2.0L}, 1, 1);
}
OrbSetValues DefaultOrbSetC() {
    return FromTable({5.0L, 3.0L, 4.5L, 5.0L, 7.0L, 1.0L, 0.5L, 0.5L, 1.0L, 0.5L, 1.0L, 0.8L, 0.8L, 1.5L}, 1, 1);
}

char NormalizeOrbSetLetter(char letter) { return (letter == 'B' || letter == 'C') ? letter : 'A'; }

std::string OrbSetDisplayName(char letter) {
    switch (NormalizeOrbSetLetter(letter)) {
    case 'B': return "B (personali)";
    case 'C': return "C (personali)";
    default: return "A (normali)";
    }
}

EphemerisSettings ChartEphemerisSettings(const ActiveOrbTable& table) {
    EphemerisSettings settings;
    settings.NodeMode = table.NodeMode;
    settings.BlackMoonMode = table.BlackMoonMode;
    return settings;
}

ActiveOrbTable LoadActiveOrbs(const ProgramFolder& folder) {
    const std::vector<std::string> lines = ReadTextLines(folder, ActiveOrbFile);
    ActiveOrbTable table;
    table.Values = ReadSet(lines, 0, ActiveOrbFile);
    table.HouseSystem = TextLine(lines, 16, 15, ActiveOrbFile);
    table.NodeMode = TextLine(lines, 17, 5, ActiveOrbFile);
    const std::string letter = TextLine(lines, 18, 1, ActiveOrbFile);
    table.Letter = letter.empty() ? 'A' : NormalizeOrbSetLetter(letter[0]);
    table.BlackMoonMode = TextLine(lines, 19, 5, ActiveOrbFile);
    return table;
}

void SaveActiveOrbs(const ProgramFolder& folder, const ActiveOrbTable& table) {
    ReplaceTextFile(folder, ActiveOrbFile, ActiveFileLines(table.Values, table, table.Letter));
}

ActiveOrbTable ReplaceSettingsLine(const ProgramFolder& folder, int line, std::string_view text) {
    if (line < 1 || line > static_cast<int>(ActiveLines))
        throw DataFileError(std::string(ActiveOrbFile), "riga " + std::to_string(line) + " inesistente (1-20)");
    std::vector<std::string> lines = ReadTextLines(folder, ActiveOrbFile);
    if (lines.size() < ActiveLines)
        throw DataFileError(std::string(ActiveOrbFile),
                            "file troppo corto: " + std::to_string(lines.size()) + " righe su 20");
    lines.resize(ActiveLines);
    for (std::string& l : lines) l = l.substr(0, std::min(LineLimit, l.size()));
    lines[static_cast<size_t>(line - 1)] = Utf8ToCp1252(text);
    ReplaceTextFile(folder, ActiveOrbFile, lines);
    return LoadActiveOrbs(folder);
}

OrbSets LoadOrbSets(const ProgramFolder& folder) {
    const std::vector<std::string> lines = ReadTextLines(folder, OrbSetsFile);
    OrbSets sets;
    for (size_t s = 0; s < 3; ++s) sets.Sets[s] = ReadSet(lines, s * 16, OrbSetsFile);
    sets.Letter = lines.size() > 48 && !lines[48].empty() ? NormalizeOrbSetLetter(lines[48][0]) : 'A';
    return sets;
}

void SaveOrbSets(const ProgramFolder& folder, const OrbSets& sets, bool fixedSetAAsIntegers) {
    std::vector<std::string> lines;
    for (size_t s = 0; s < 3; ++s) {
        std::vector<std::string> block = SetLines(sets.Sets[s], s == 0 && fixedSetAAsIntegers);
        lines.insert(lines.end(), block.begin(), block.end());
    }
    lines.push_back(std::string(1, NormalizeOrbSetLetter(sets.Letter)));
    ReplaceTextFile(folder, OrbSetsFile, lines);
}

ApplyOrbSetResult ApplyOrbSet(const ProgramFolder& folder, char letter) {
    ApplyOrbSetResult result;
    letter = NormalizeOrbSetLetter(letter);
    if (!folder.Exists(OrbSetsFile)) {
        result.Message = "Manca File \"MMVarOrb.dum\"";
        return result;
    }
    OrbSets sets = LoadOrbSets(folder);  // garbled: DataFileError, nothing written

    // The chart settings stay as the active file holds them; defaults when it cannot be read.
    ActiveOrbTable current;
    try {
        const std::vector<std::string> lines = ReadTextLines(folder, ActiveOrbFile);
        if (lines.size() >= ActiveLines) {
            current.HouseSystem = TextLine(lines, 16, 15, ActiveOrbFile);
            current.NodeMode = TextLine(lines, 17, 5, ActiveOrbFile);
            current.BlackMoonMode = TextLine(lines, 19, 5, ActiveOrbFile);
        }
    } catch (const DataFileError&) {}
    const size_t chosen = static_cast<size_t>(letter - 'A');
    ReplaceTextFile(folder, ActiveOrbFile, ActiveFileLines(sets.Sets[chosen], current, letter));
    sets.Letter = letter;
    SaveOrbSets(folder, sets, false);
    result.Table = LoadActiveOrbs(folder);
    result.Applied = true;
    return result;
}

}  // namespace florimant
