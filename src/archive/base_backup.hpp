#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "common/program_folder.hpp"

// The backup of the BASE archive and its texts to a removable volume, and the restore from it.
// The backup folder "TamorilBck" on the volume holds "DatiBase" (the files BASE.ST*),
// "BASEtxt" (the subjects' texts) and a copy of the last-backup file. Every file is copied through
// a sibling temporary file and a rename, keeping its modification time, so an interruption leaves
// each file whole, old or new.
namespace florimant {

inline constexpr std::string_view LastBackupFile = "FileDum\\MMbakMod1.dum";
inline constexpr std::string_view BackupFolderName = "TamorilBck";

// The backup folder on a volume.
std::filesystem::path BackupFolderOn(const std::filesystem::path& volume);
// The date of the last backup as the window shows it: line 1 of the last-backup file, "Mai" when
// the file is missing or empty.
std::string LastBackupDate(const ProgramFolder& folder);

// Whether a backup or a restore can start; when it cannot, the message the window shows.
enum class BackupReadiness { Ready, NoFolderChosen, FolderUnavailable };
struct BackupCheck {
    BackupReadiness Readiness = BackupReadiness::Ready;
    std::string Message;
    bool Ready() const { return Readiness == BackupReadiness::Ready; }
};
// A backup needs a chosen backup folder whose volume is there.
BackupCheck CheckBackupFolder(const std::filesystem::path& backupFolder);
// A restore needs a chosen backup folder that exists.
BackupCheck CheckRestoreFolder(const std::filesystem::path& backupFolder);

// "Backup": when CheckBackupFolder allows it, creates the backup folder with its two subfolders,
// copies the last-backup file into it, BASE.ST* into DatiBase and BASEtxt\* into BASEtxt, then
// writes `today` as the last-backup date. Returns the check; DataFileError when a copy fails.
BackupCheck BackupBaseArchive(const ProgramFolder& folder, const std::filesystem::path& backupFolder,
                              std::string_view today);
// "Ripristino" (after the user's consent): when CheckRestoreFolder allows it, copies DatiBase\BASE.ST*
// into the program folder and BASEtxt\* into its BASEtxt. Returns the check; DataFileError when a
// copy fails.
BackupCheck RestoreBaseArchive(const ProgramFolder& folder, const std::filesystem::path& backupFolder);

// Copies every regular file of `fromFolder` whose name matches `pattern` (wildcards, without
// regard to case) into `toFolder` under the same name, creating `toFolder`; a missing `fromFolder`
// copies nothing. Returns how many files were copied.
int CopyMatchingFiles(const std::filesystem::path& fromFolder, std::string_view pattern,
                      const std::filesystem::path& toFolder);

}  // namespace florimant
