#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/fixed_text_record.hpp"

// The spagyric plant database of the folder OpzioneS: "OpzioneS\DataStf.rnd" with one 599-byte
// record per pair of a symptom and a plant (record 0 a header), and its derived name lists
// ("Sintomi.rnd" of 101-byte records, "Piante.rnd" and the key files of 21-byte records, each
// with an empty record 0).
namespace florimant {

inline constexpr std::string_view kPlantDatabasePath = "OpzioneS\\DataStf.rnd";
inline constexpr std::string_view kPlantSymptomListPath = "OpzioneS\\Sintomi.rnd";
inline constexpr std::string_view kPlantNameListPath = "OpzioneS\\Piante.rnd";
inline constexpr size_t kPlantRecordSize = 599;
inline constexpr size_t kPlantSymptomCapacity = 100;  // records of 101 bytes
inline constexpr size_t kPlantNameCapacity = 20;      // records of 21 bytes

struct PlantRecord {
    // Windows-1252 bytes as stored.
    std::string sintomo;              // 100
    std::string pianta;               // 20, may be empty
    std::string sigla;                // 15
    std::string segnaturaPrimaria;    // 15, one planet in lower case ("sole")
    std::string segnaturaSecondaria;  // 30
    std::string segnaturaZodiacale;   // 70, sign names in lower case
    std::string sintesiPsichica;      // 100
    std::string autori;               // 100; without a plant, the text naming the alternative
    std::string note;                 // 140

    bool operator==(const PlantRecord&) const = default;
};

// The nine fields in file order: "Sintomo", "Pianta", "Sigla", "SegnaturaPrimaria",
// "SegnaturaSecondaria", "SegnaturaZodiacale", "SintesiPsichica", "Autori", "Note".
std::span<const TextFieldSpec> PlantFieldSpecs();

std::vector<uint8_t> EncodePlantRecord(const PlantRecord& record);
PlantRecord DecodePlantRecord(std::span<const uint8_t> bytes, const std::string& file = std::string(kPlantDatabasePath),
                              size_t recordNumber = 0);

size_t CountPlantRecords(const ProgramFolder& folder);  // 0 when the file is missing
PlantRecord ReadPlantRecord(const ProgramFolder& folder, size_t k);
std::vector<PlantRecord> ReadAllPlantRecords(const ProgramFolder& folder);
void WritePlantRecord(const ProgramFolder& folder, size_t k, const PlantRecord& record);
size_t AppendPlantRecord(const ProgramFolder& folder, const PlantRecord& record);
void DeletePlantRecord(const ProgramFolder& folder, size_t k);

// A list file of one text field per record (capacity 20 for plants, 100 for symptoms, 50 for the
// remedy key files of OpzioneH). Reads records `firstRecord` .. end; empty when the file is
// missing.
std::vector<std::string> ReadNameList(const ProgramFolder& folder, std::string_view programPath, size_t capacity,
                                      size_t firstRecord);
// The bytes of such a file holding `names` from record 0 (each cut to the capacity).
std::string EncodeNameList(const std::vector<std::string>& names, size_t capacity);

}  // namespace florimant
