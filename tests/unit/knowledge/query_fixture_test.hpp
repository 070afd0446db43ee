#pragma once
// Small knowledge bases in temporary folders for the query, search and editor tests.
#include <unistd.h>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

#include "common/cp1252.hpp"
#include "common/program_folder.hpp"
#include "knowledge/plant_records.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"

namespace florimant::test {

struct KnowledgeFolder {
    std::filesystem::path path;
    ProgramFolder folder;
    KnowledgeFolder() : path(MakePath(this)), folder(path) {}
    ~KnowledgeFolder() { std::filesystem::remove_all(path); }
    KnowledgeFolder(const KnowledgeFolder&) = delete;
    KnowledgeFolder& operator=(const KnowledgeFolder&) = delete;

    static std::filesystem::path MakePath(const void* self) {
        auto p = std::filesystem::temp_directory_path() / ("florimant-kbq-" + std::to_string(::getpid()) + "-" +
                                                           std::to_string(reinterpret_cast<uintptr_t>(self)));
        std::filesystem::create_directories(p / "OpzioneH");
        std::filesystem::create_directories(p / "OpzioneS");
        std::filesystem::create_directories(p / "FileDum");
        return p;
    }
};

// A remedy entry from UTF-8 texts.
inline RemedyRecord Remedy(std::initializer_list<std::pair<RemedyField, std::string>> fields) {
    RemedyRecord record;
    for (const auto& [field, text] : fields) SplitRemedyField(record, field, Utf8ToCp1252(text));
    return record;
}

inline RemedyRecord Remedy(const std::string& name, const std::string& indication, const std::string& primary = "",
                           const std::string& secondary = "", const std::string& zodiacal = "") {
    return Remedy({{RemedyField::Rimedio, name},
                   {RemedyField::Indicazioni, indication},
                   {RemedyField::SegnaturaPrimaria, primary},
                   {RemedyField::SegnaturaSecondaria, secondary},
                   {RemedyField::SegnaturaZodiacale, zodiacal}});
}

inline RepertoryRecord Therapy(const std::string& pathology, const std::string& remedy, const std::string& dosage = "",
                               const std::string& note = "") {
    RepertoryRecord record;
    record.patologia = Utf8ToCp1252(pathology);
    record.rimedio = Utf8ToCp1252(remedy);
    record.posologia = Utf8ToCp1252(dosage);
    SplitRepertoryNote(record, Utf8ToCp1252(note));
    return record;
}

inline PlantRecord Plant(const std::string& symptom, const std::string& plant, const std::string& authors = "",
                         const std::string& primary = "", const std::string& zodiacal = "") {
    PlantRecord record;
    record.sintomo = Utf8ToCp1252(symptom);
    record.pianta = Utf8ToCp1252(plant);
    record.autori = Utf8ToCp1252(authors);
    record.segnaturaPrimaria = Utf8ToCp1252(primary);
    record.segnaturaZodiacale = Utf8ToCp1252(zodiacal);
    return record;
}

}  // namespace florimant::test
