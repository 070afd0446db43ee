#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"

// The support files derived from the primary database and the repertory: the pick lists of the
// consultation windows and the planet and sign files the analysis window reads.
namespace florimant {

inline constexpr std::string_view kSymptomListPath = "OpzioneH\\Sintomi.Txt";
inline constexpr std::string_view kRemedyListPath = "OpzioneH\\ProdotA.Txt";
inline constexpr std::string_view kRemedyAliasListPath = "OpzioneH\\ProdotB.txt";
inline constexpr size_t kRemedyKeyNameCapacity = 50;  // key files: 51-byte records from record 0
inline constexpr size_t kAliasWidth = 70;             // alias part of a ProdotB line

struct RemedyKeyFile {
    std::string_view key;   // searched case-sensitively as a substring
    std::string_view path;  // program path of the key file
};
// Searched in SegnaturaPrimaria.
inline constexpr std::array<RemedyKeyFile, 9> kPlanetKeyFiles = {{
    {"Sole", "OpzioneH\\SolePri.rnd"},
    {"Luna", "OpzioneH\\LunaPri.rnd"},
    {"Mercurio", "OpzioneH\\MercPri.rnd"},
    {"Venere", "OpzioneH\\VenePri.rnd"},
    {"Marte", "OpzioneH\\MartPri.rnd"},
    {"Giove", "OpzioneH\\GiovPri.rnd"},
    {"Saturno", "OpzioneH\\SatuPri.rnd"},
    {"NodoNord", "OpzioneH\\NodNPri.rnd"},
    {"NodoSud", "OpzioneH\\NodSPri.rnd"},
}};
// Searched in SegnaturaZodiacale.
inline constexpr std::array<RemedyKeyFile, 12> kSignKeyFiles = {{
    {"Ariete", "OpzioneH\\Ariete.rnd"},
    {"Toro", "OpzioneH\\Toro.rnd"},
    {"Gemelli", "OpzioneH\\Gemelli.rnd"},
    {"Cancro", "OpzioneH\\Cancro.rnd"},
    {"Leone", "OpzioneH\\Leone.rnd"},
    {"Vergine", "OpzioneH\\Vergine.rnd"},
    {"Bilancia", "OpzioneH\\Bilancia.rnd"},
    {"Scorpione", "OpzioneH\\Scorpione.rnd"},
    {"Sagittario", "OpzioneH\\Sagittario.rnd"},
    {"Capricorno", "OpzioneH\\Capricorno.rnd"},
    {"Acquario", "OpzioneH\\Acquario.rnd"},
    {"Pesci", "OpzioneH\\Pesci.rnd"},
}};

// The editor's list line of an entry: Rimedio + "**" + Indicazioni (remedy order) or
// Indicazioni + "**" + Rimedio (indication order).
std::string RemedyOrderLine(const RemedyRecord& record);
std::string IndicationOrderLine(const RemedyRecord& record);
// Splits a list line: the part before the first "*", and the rest with every "*" removed.
struct ListLineParts {
    std::string leading;
    std::string other;
};
ListLineParts SplitListLine(std::string_view line);

// The alias lines that ProdotB.txt adds for one ProdotA line (none, one or several), built by the
// prefix tests "HS 8 -", "HS", "MSA", "QSPC", "TSA" in this order on the current text.
std::vector<std::string> AliasLines(std::string_view remedyName);

// The whole contents the rebuild writes, computed from the database records 0 .. N-1 without
// touching any file (record 0 is the header and is ignored).
struct RemedySupportFiles {
    std::vector<std::string> symptoms;       // Sintomi.Txt
    std::vector<std::string> remedies;       // ProdotA.Txt
    std::vector<std::string> remedyAliases;  // ProdotB.txt
    std::array<std::vector<std::string>, 9> planetNames;
    std::array<std::vector<std::string>, 12> signNames;
};
RemedySupportFiles ComputeSupportFiles(const std::vector<RemedyRecord>& records);

// Regenerates every support file from "OpzioneH\DBmain.rnd". Each file is written to a sibling
// temporary file and renamed over the old one, so an interruption leaves every file whole, old or
// new. The matching record numbers of each key are kept in memory; leftover key ".txt" files of an
// older interrupted run are removed.
void RebuildSupportFiles(const ProgramFolder& folder);

// Regenerates "OpzioneH\Patolog.txt" from "OpzioneH\Repertorio.rnd": every distinct pathology of
// records 1 .. N-1 in catalogue order, empty pathologies left out.
std::vector<std::string> ComputePathologyList(const std::vector<RepertoryRecord>& records);
void RebuildPathologyList(const ProgramFolder& folder);

}  // namespace florimant
