#include "knowledge/knowledge_update.hpp"

#include <algorithm>
#include <system_error>

#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"

namespace florimant {

namespace fs = std::filesystem;

KnowledgeEdition ReadKnowledgeEdition(const fs::path& opzioneH) {
    KnowledgeEdition edition;
    const ProgramFolder folder(opzioneH);
    for (const char* name : {"DBmain.rnd", "Repertorio.rnd"}) {
        std::error_code error;
        const fs::path path = folder.Resolve(name);
        const auto time = fs::last_write_time(path, error);
        if (error || (edition.Valid && time <= edition.Time)) continue;
        edition.Time = time;
        edition.Valid = true;
        edition.Text = FileDateText(path);
    }
    return edition;
}

std::vector<UpdateDevice> FindUpdateDevices(const std::vector<fs::path>& volumes, const KnowledgeEdition& installed) {
    std::vector<UpdateDevice> devices;
    for (const fs::path& volume : volumes) {
        if (devices.size() == MostUpdateDevices) break;
        const fs::path source = ProgramFolder(volume).Resolve("OpzioneH");
        std::error_code error;
        if (!fs::is_directory(source, error)) continue;
        UpdateDevice device{volume, source, ReadKnowledgeEdition(source)};
        device.Older = !device.Edition.Valid || (installed.Valid && device.Edition.Time < installed.Time);
        devices.push_back(std::move(device));
    }
    return devices;
}

std::vector<std::string> UpdateExplanationLines(const ProgramFolder& folder) {
    const std::string_view text =
        folder.Exists("OpzioneH\\AutoSet") ? "Appoggio\\Aggiorna2.txt" : "Appoggio\\Aggiorna1.txt";
    std::vector<std::string> lines;
    if (folder.Exists(text))
        for (const std::string& line : ReadTextLines(folder, text)) lines.push_back(Cp1252ToUtf8(line));
    return lines;
}

void InstallKnowledgeUpdate(const ProgramFolder& folder, const fs::path& source) {
    const fs::path target = folder.Resolve("OpzioneH");
    std::error_code error;
    fs::create_directories(target, error);
    std::vector<fs::path> files;
    for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) files.push_back(it->path());
    }
    if (error) throw DataFileError(source.string(), "cartella non leggibile (" + error.message() + ")");
    std::sort(files.begin(), files.end());
    const ProgramFolder installed(target);
    for (const fs::path& file : files) CopyFileReplacing(file, installed.Resolve(file.filename().string()));
}

}  // namespace florimant
