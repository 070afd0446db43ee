#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "common/program_folder.hpp"

// New editions of the knowledge base folder OpzioneH from a removable device.
namespace florimant {

// The edition of a knowledge-base folder: the later modification time of its DBmain.rnd and
// Repertorio.rnd (the time itself, and the text shown for it; "Non Valida" when both are missing).
struct KnowledgeEdition {
    std::filesystem::file_time_type Time{};
    bool Valid = false;
    std::string Text = "Non Valida";
};
KnowledgeEdition ReadKnowledgeEdition(const std::filesystem::path& opzioneH);

// A volume that carries an OpzioneH folder at its root, with that folder's edition; `Older` when
// its edition is not valid or older than the installed one (the window shows it in red, and it can
// still be installed).
struct UpdateDevice {
    std::filesystem::path Volume;
    std::filesystem::path Source;  // its OpzioneH folder
    KnowledgeEdition Edition;
    bool Older = false;
};
inline constexpr size_t MostUpdateDevices = 3;
// The first three update devices among the volumes, in their order.
std::vector<UpdateDevice> FindUpdateDevices(const std::vector<std::filesystem::path>& volumes,
                                            const KnowledgeEdition& installed);

// The explanation the updates window shows: Appoggio\Aggiorna2.txt when the marker OpzioneH\AutoSet
// is there, Appoggio\Aggiorna1.txt otherwise; its lines in UTF-8, none when the file is missing.
std::vector<std::string> UpdateExplanationLines(const ProgramFolder& folder);

// Copies every file of a device's OpzioneH folder over the program's OpzioneH, each through a
// sibling temporary file and a rename with its modification time (the edition is read from it). A
// file that exists keeps its spelling whatever case the device uses. DataFileError when a copy
// fails; the files copied before it stay.
void InstallKnowledgeUpdate(const ProgramFolder& folder, const std::filesystem::path& source);

}  // namespace florimant
