#include "archive/base_backup.hpp"

#include <algorithm>
#include <system_error>
#include <vector>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"

namespace florimant {

namespace fs = std::filesystem;

namespace {

void CreateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw DataFileError(folder.string(), "cartella non creata (" + error.message() + ")");
}

// The regular files of a folder whose names match, in name order.
std::vector<fs::path> MatchingFiles(const fs::path& folder, std::string_view pattern) {
    std::vector<fs::path> files;
    std::error_code error;
    if (!fs::is_directory(folder, error)) return files;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && WildcardMatch(pattern, it->path().filename().string()))
            files.push_back(it->path());
    }
    if (error) throw DataFileError(folder.string(), "cartella non leggibile (" + error.message() + ")");
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

fs::path BackupFolderOn(const fs::path& volume) { return volume / BackupFolderName; }

std::string LastBackupDate(const ProgramFolder& folder) {
    if (!folder.Exists(LastBackupFile)) return "Mai";
    const std::vector<std::string> lines = ReadTextLines(folder, LastBackupFile);
    return lines.empty() ? "Mai" : lines.front();
}

BackupCheck CheckBackupFolder(const fs::path& backupFolder) {
    if (backupFolder.empty()) return {BackupReadiness::NoFolderChosen, "Necessario definire l'Unità di backup"};
    const fs::path volume = backupFolder.parent_path();
    std::error_code error;
    if (!fs::is_directory(volume, error))
        return {BackupReadiness::FolderUnavailable, "L'Unità " + volume.string() + " non è disponibile"};
    return {};
}

BackupCheck CheckRestoreFolder(const fs::path& backupFolder) {
    if (backupFolder.empty()) return {BackupReadiness::NoFolderChosen, "Necessario definire l'Unità di backup"};
    std::error_code error;
    if (!fs::is_directory(backupFolder, error))
        return {BackupReadiness::FolderUnavailable, "La sorgente " + backupFolder.string() + " non è disponibile"};
    return {};
}

int CopyMatchingFiles(const fs::path& fromFolder, std::string_view pattern, const fs::path& toFolder) {
    CreateFolder(toFolder);
    const std::vector<fs::path> files = MatchingFiles(fromFolder, pattern);
    for (const fs::path& file : files) CopyFileReplacing(file, toFolder / file.filename());
    return static_cast<int>(files.size());
}

BackupCheck BackupBaseArchive(const ProgramFolder& folder, const fs::path& backupFolder, std::string_view today) {
    const BackupCheck check = CheckBackupFolder(backupFolder);
    if (!check.Ready()) return check;
    CreateFolder(backupFolder / "DatiBase");
    CreateFolder(backupFolder / "BASEtxt");
    if (folder.Exists(LastBackupFile)) {
        const fs::path last = folder.Resolve(LastBackupFile);
        CopyFileReplacing(last, backupFolder / last.filename());
    }
    CopyMatchingFiles(folder.root(), "BASE.ST*", backupFolder / "DatiBase");
    CopyMatchingFiles(folder.Resolve("BASEtxt"), "*", backupFolder / "BASEtxt");
    ReplaceTextFile(folder, LastBackupFile, {std::string(today)});
    return check;
}

BackupCheck RestoreBaseArchive(const ProgramFolder& folder, const fs::path& backupFolder) {
    const BackupCheck check = CheckRestoreFolder(backupFolder);
    if (!check.Ready()) return check;
    CopyMatchingFiles(backupFolder / "DatiBase", "BASE.ST*", folder.root());
    CopyMatchingFiles(backupFolder / "BASEtxt", "*", folder.Resolve("BASEtxt"));
    return check;
}

}  // namespace florimant
