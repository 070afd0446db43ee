#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/plant_records.hpp"

// The files derived from the plant database "OpzioneS\DataStf.rnd". Each holds an empty record 0
// and then, from record 1, names in catalogue order without repetition:
// - "OpzioneS\Sintomi.rnd" (101-byte records): every non-empty symptom, trailing blanks removed;
// - "OpzioneS\Piante.rnd" (21-byte records): every non-empty plant name, trailing blanks removed;
// - the seven planet files: the plants whose primary signature, trailing blanks removed, equals
//   the planet ("sole" ...);
// - the twelve sign files: the plants whose zodiacal signature contains the sign ("ariete" ...).
// The windows compare symptoms and plants after removing trailing blanks, so these lists hold
// exactly the texts they can select.
namespace florimant {

struct PlantKeyFile {
    std::string_view key;
    std::string_view path;
};
inline constexpr std::array<PlantKeyFile, 7> kPlantPlanetKeyFiles = {{
    {"sole", "OpzioneS\\SolePri.Rnd"},
    {"luna", "OpzioneS\\LunaPri.Rnd"},
    {"mercurio", "OpzioneS\\MercPri.Rnd"},
    {"venere", "OpzioneS\\VenePri.Rnd"},
    {"marte", "OpzioneS\\MartPri.Rnd"},
    {"giove", "OpzioneS\\GiovPri.Rnd"},
    {"saturno", "OpzioneS\\SatuPri.Rnd"},
}};
inline constexpr std::array<PlantKeyFile, 12> kPlantSignKeyFiles = {{
    {"ariete", "OpzioneS\\Ariete.Rnd"},
    {"toro", "OpzioneS\\Toro.Rnd"},
    {"gemelli", "OpzioneS\\Gemelli.Rnd"},
    {"cancro", "OpzioneS\\Cancro.Rnd"},
    {"leone", "OpzioneS\\Leone.Rnd"},
    {"vergine", "OpzioneS\\Vergine.Rnd"},
    {"bilancia", "OpzioneS\\Bilancia.Rnd"},
    {"scorpione", "OpzioneS\\Scorpione.Rnd"},
    {"sagittario", "OpzioneS\\Sagittario.Rnd"},
    {"capricorno", "OpzioneS\\Capricorno.Rnd"},
    {"acquario", "OpzioneS\\Acquario.Rnd"},
    {"pesci", "OpzioneS\\Pesci.Rnd"},
}};

struct PlantSupportFiles {
    std::vector<std::string> symptoms;  // records 1 .. of Sintomi.rnd
    std::vector<std::string> plants;    // records 1 .. of Piante.rnd
    std::array<std::vector<std::string>, 7> planetPlants;
    std::array<std::vector<std::string>, 12> signPlants;
};
// From records 0 .. N-1 of DataStf.rnd (record 0, the header, is ignored).
PlantSupportFiles ComputePlantSupportFiles(const std::vector<PlantRecord>& records);

// Rewrites the 21 derived files from "OpzioneS\DataStf.rnd", each through a sibling temporary
// file and a rename.
void RebuildPlantSupportFiles(const ProgramFolder& folder);

}  // namespace florimant
