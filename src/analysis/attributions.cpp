#include "analysis/attributions.hpp"

#include "analysis/chart_keys.hpp"
#include "analysis/sectors.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/trim.hpp"
#include "engine/texts.hpp"
#include "knowledge/catalogue.hpp"
#include "knowledge/plant_records.hpp"
#include "knowledge/remedy_record.hpp"

namespace florimant {
namespace {

// Characters from..from+count-1 (1-based) of a Windows-1252 line, as UTF-8.
std::string Slice(const std::string& line, size_t from, size_t count) {
    return line.size() >= from ? Cp1252ToUtf8(line.substr(from - 1, count)) : std::string();
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The specific text of one chart key for a point, or nothing when no line of the file matches.
std::optional<std::string> SpecificText(const std::vector<std::string>& texts, const std::string& key, int point) {
    // The key belongs to the point when it starts with the point's 4- or 3-letter code or names it as the second
    // member of an aspect. The 3-letter codes are used, not the 2-letter ones: "Sa" and "Ve" would
    // also take the reflections in Sagittarius and Virgo of other points (LunAnSag, LunCaVer), and
    // the nodes' "Nn" and "Ns" stand in none of their keys.
    const std::string& code3 = PointCode3(point);
    const bool codeInKey = StartsWith(key, PointCode4(point)) || StartsWith(key, code3) ||
                           (key.size() >= 8 && key.compare(5, 3, code3) == 0);
    for (const std::string& line : texts) {
        const std::string first8 = line.substr(0, 8);
        const bool shortMidheaven = StartsWith(line, "Mcie") && line.size() >= 7 && line[6] == ' ';
        if ((key == first8 || (shortMidheaven && key == line.substr(0, 6))) && codeInKey) return Slice(line, 22, 60);
        if (point <= 9 && key == line.substr(0, 6) && StartsWith(key, PointCode4(point))) return Slice(line, 22, 80);
        if (key == line.substr(0, 4) && StartsWith(key, PointCode2Upper(point))) return Slice(line, 22, 80);
    }
    return std::nullopt;
}

const char* const PointPhrases[] = {"",        "al SOLE", "alla LUNA", "a MERCURIO",   "a VENERE",
                                    "a MARTE", "a GIOVE", "a SATURNO", "al NODO NORD", "al NODO SUD"};
const char* const SignPhrases[] = {"",
                                   "all'ARIETE",
                                   "al TORO",
                                   "ai GEMELLI",
                                   "al CANCRO",
                                   "al LEONE",
                                   "alla VERGINE",
                                   "alla BILANCIA",
                                   "allo SCORPIONE",
                                   "al SAGITTARIO",
                                   "al CAPRICORNO",
                                   "all'ACQUARIO",
                                   "ai PESCI"};

}  // namespace

AttributionPanels ShowPointAttributions(const ProgramFolder& folder, const ChartData& chart, int point,
                                        const std::array<Real, AnalysisPointCount + 1>& dodecatemoria) {
    AttributionPanels panels;
    panels.SpecificHeading = "ATTRIBUZIONI SPECIFICHE al PIANETA";
    panels.GeneralHeading = "ATTRIBUZIONI GENERALI al PIANETA";
    const auto at = static_cast<size_t>(point);
    const std::string flag(1, chart.RetroFlags[at] ? chart.RetroFlags[at] : ' ');
    panels.Specific.push_back(PointUpperName(point) + "  " + SignPositionText(flag, chart.Longitude[at]));
    const auto keys = ReadTextLines(folder, PointKeysFile);
    const auto texts = ReadTextLines(folder, SpecificPointTextsFile);
    for (const std::string& key : keys)
        if (auto text = SpecificText(texts, key, point)) panels.Specific.push_back(std::move(*text));
    panels.Specific.push_back("Dodecatemorie " + PointUpperName(point) + " = " +
                              SignPositionText(" ", dodecatemoria[at]));
    for (const std::string& line : ReadTextLines(folder, GeneralPointTextsFile))
        if (line.compare(0, 2, PointCode2(point)) == 0) panels.General.push_back(Slice(line, 4, 80));
    return panels;
}

AttributionPanels ShowSignAttributions(const ProgramFolder& folder, int sign) {
    AttributionPanels panels;
    panels.SpecificHeading = "ATTRIBUZIONI SPECIFICHE al SEGNO";
    panels.GeneralHeading = "ATTRIBUZIONI GENERALI al SEGNO";
    const std::string name = SignUpperName(sign - 1);
    panels.Specific.push_back(name);
    panels.General.push_back(name);
    for (const std::string& line : ReadTextLines(folder, GeneralSignTextsFile))
        if (line.compare(0, 2, SignFilterCode2(sign)) == 0) panels.General.push_back(Slice(line, 4, 80));
    const auto specific = ReadTextLines(folder, SpecificSignTextsFile);
    // The sign keys spell Aquarius "Ac" while the general texts filter it as "Aq": the keys are
    // matched by their own code, or Aquarius would never show its reflections.
    for (const std::string& key : ReadTextLines(folder, SignKeysFile)) {
        if (key.compare(0, 2, SignKeyCode2(sign)) != 0) continue;
        for (const std::string& line : specific)
            if (line.size() >= 7 && key.size() >= 7 && line.compare(0, 7, key, 0, 7) == 0)
                panels.General.push_back(Slice(line, 21, 50));
    }
    return panels;
}

std::optional<SignatureList> ShowSignatureList(const ProgramFolder& folder, SignatureTarget target, bool plantMode) {
    std::string stem;
    SignatureList list;
    if (target.Sign >= 1 && target.Sign <= 12) {
        stem = SignListStem(target.Sign);
        list.Heading = SignPhrases[target.Sign];
    } else {
        if (target.Point < 1 || target.Point > (plantMode ? 7 : 9)) return std::nullopt;
        stem = PointListStem(target.Point);
        list.Heading = PointPhrases[target.Point];
    }
    list.Heading = (plantMode ? "PIANTE associate " : "RIMEDI associabili ") + list.Heading;
    list.PickText = plantMode ? "PIANTE" : "RIMEDI";
    const std::string path = (plantMode ? "OpzioneS\\" : "OpzioneH\\") + stem + ".rnd";
    if (!folder.Exists(path)) throw DataFileError(path, "file mancante");
    for (const std::string& name : ReadNameList(folder, path, plantMode ? kPlantNameCapacity : 50, plantMode ? 1 : 0))
        list.Names.push_back(Cp1252ToUtf8(name));
    return list;
}

CurableSymptoms ShowCurableSymptoms(const ProgramFolder& folder, const std::string& name, bool plantMode) {
    CurableSymptoms result;
    std::string wanted = Utf8ToCp1252(name);
    if (wanted.size() > 80) wanted.resize(80);
    wanted = WithoutTrailingBlanks(wanted);
    result.Symptoms = {"SINTOMI CURABILI con ", Cp1252ToUtf8(wanted)};
    if (!plantMode) {
        if (!folder.Exists(kRemedyDatabasePath)) throw DataFileError(std::string(kRemedyDatabasePath), "file mancante");
        const auto records = ReadAllRemedyRecords(folder);
        std::vector<std::string> symptoms;
        const RemedyRecord* first = nullptr;
        for (size_t k = 1; k < records.size(); ++k) {
            if (WithoutTrailingBlanks(JoinRemedyField(records[k], RemedyField::Rimedio)) != wanted) continue;
            if (!first) first = &records[k];
            symptoms.push_back(JoinRemedyField(records[k], RemedyField::Indicazioni).substr(0, 80));
        }
        SortIntoCatalogueOrder(symptoms);
        for (const auto& s : symptoms) result.Symptoms.push_back(Cp1252ToUtf8(s));
        if (first) {
            const auto field = [&](RemedyField f) { return Cp1252ToUtf8(JoinRemedyField(*first, f)); };
            result.Detail = {"RIMEDIO: " + field(RemedyField::Rimedio),
                             "SEGNATURA PRIMARIA: " + field(RemedyField::SegnaturaPrimaria),
                             "SEGNATURA SECONDARIA: " + field(RemedyField::SegnaturaSecondaria),
                             "SEGNATURA ZODIACALE: " + field(RemedyField::SegnaturaZodiacale)};
        }
        return result;
    }
    if (!folder.Exists(kPlantDatabasePath)) throw DataFileError(std::string(kPlantDatabasePath), "file mancante");
    const auto records = ReadAllPlantRecords(folder);
    const PlantRecord* last = nullptr;
    for (size_t k = 1; k < records.size(); ++k) {
        if (WithoutTrailingBlanks(records[k].pianta) != wanted) continue;
        last = &records[k];
        result.Symptoms.push_back(Cp1252ToUtf8(records[k].sintomo));
    }
    if (last)
        result.Detail = {"PIANTA: " + Cp1252ToUtf8(last->pianta),
                         "SEGNATURA PRIMARIA: " + Cp1252ToUtf8(last->segnaturaPrimaria),
                         "SEGNATURA SECONDARIA: " + Cp1252ToUtf8(last->segnaturaSecondaria),
                         "SEGNATURA ZODIACALE: " + Cp1252ToUtf8(last->segnaturaZodiacale),
                         "SINTESI PSICHICA: " + Cp1252ToUtf8(last->sintesiPsichica)};
    return result;
}

}  // namespace florimant
