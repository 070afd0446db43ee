#include "knowledge/plant_support_files.hpp"

#include <algorithm>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/trim.hpp"
#include "knowledge/catalogue.hpp"

namespace florimant {

namespace {
// Trailing blanks removed, empty texts left out, catalogue order, each text once.
std::vector<std::string> DistinctNames(std::vector<std::string> names) {
    for (std::string& n : names) n = WithoutTrailingBlanks(n);
    std::erase_if(names, [](const std::string& n) { return n.empty(); });
    SortIntoCatalogueOrder(names);
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

void ReplaceListFile(const ProgramFolder& folder, std::string_view path, std::vector<std::string> names,
                     size_t capacity) {
    names.insert(names.begin(), std::string());  // record 0 carries no entry
    ReplaceFile(folder, path, EncodeNameList(names, capacity));
}
}  // namespace

PlantSupportFiles ComputePlantSupportFiles(const std::vector<PlantRecord>& records) {
    PlantSupportFiles files;
    std::vector<std::string> symptoms;
    std::vector<std::string> plants;
    for (size_t k = 1; k < records.size(); ++k) {
        symptoms.push_back(records[k].sintomo);
        plants.push_back(records[k].pianta);
    }
    files.symptoms = DistinctNames(std::move(symptoms));
    files.plants = DistinctNames(std::move(plants));
    for (size_t i = 0; i < kPlantPlanetKeyFiles.size(); ++i) {
        std::vector<std::string> names;
        for (size_t k = 1; k < records.size(); ++k)
            if (WithoutTrailingBlanks(records[k].segnaturaPrimaria) == kPlantPlanetKeyFiles[i].key)
                names.push_back(records[k].pianta);
        files.planetPlants[i] = DistinctNames(std::move(names));
    }
    for (size_t i = 0; i < kPlantSignKeyFiles.size(); ++i) {
        std::vector<std::string> names;
        for (size_t k = 1; k < records.size(); ++k)
            if (records[k].segnaturaZodiacale.find(kPlantSignKeyFiles[i].key) != std::string::npos)
                names.push_back(records[k].pianta);
        files.signPlants[i] = DistinctNames(std::move(names));
    }
    return files;
}

void RebuildPlantSupportFiles(const ProgramFolder& folder) {
    if (!folder.Exists(kPlantDatabasePath)) throw DataFileError(std::string(kPlantDatabasePath), "file mancante");
    const PlantSupportFiles files = ComputePlantSupportFiles(ReadAllPlantRecords(folder));
    ReplaceListFile(folder, kPlantSymptomListPath, files.symptoms, kPlantSymptomCapacity);
    ReplaceListFile(folder, kPlantNameListPath, files.plants, kPlantNameCapacity);
    for (size_t i = 0; i < kPlantPlanetKeyFiles.size(); ++i)
        ReplaceListFile(folder, kPlantPlanetKeyFiles[i].path, files.planetPlants[i], kPlantNameCapacity);
    for (size_t i = 0; i < kPlantSignKeyFiles.size(); ++i)
        ReplaceListFile(folder, kPlantSignKeyFiles[i].path, files.signPlants[i], kPlantNameCapacity);
}

}  // namespace florimant
