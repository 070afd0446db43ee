#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/plant_records.hpp"

// The two views of the plant database: the plants indicated for a symptom, and the symptoms a
// plant is indicated for. Texts are UTF-8.
namespace florimant {

// Pick lists: records 1 .. of "OpzioneS\Sintomi.rnd" and "OpzioneS\Piante.rnd", trailing blanks
// removed; empty when the file is missing.
std::vector<std::string> LoadPlantSymptomPickList(const ProgramFolder& folder);
std::vector<std::string> LoadPlantNamePickList(const ProgramFolder& folder);
// The symptom view's search bound: the records of Sintomi.rnd less one, which is the number of
// listed symptoms (record 0 carries none).
int PlantSymptomSearchBound(const std::vector<std::string>& pickList);

// The boxes of one entry.
struct PlantDetails {
    std::string plant;      // EdPianta
    std::string primary;    // EdSegPri
    std::string secondary;  // EdSegSec
    std::string zodiacal;   // EdSegZod
    std::string authors;    // EdAutori
    std::string synthesis;  // EdSintesi (plant view)
};
PlantDetails PlantDetailsOf(const PlantRecord& record);

inline constexpr size_t kPlantLeaderLength = 40;
struct PlantSymptomView {
    std::string symptom;                      // EdSintomo
    std::vector<std::string> plantLines;      // ListBoxPiante: the plant and a leader of 40 "-"
    std::vector<std::string> synthesisLines;  // ListBoxSintesi
    std::vector<std::string> numberLines;     // ListBoxNum: record numbers as four digits
    PlantDetails details;                     // the last entry with a plant
    bool showAlternative = false;             // no entry had a plant: EdAlternativa is shown
    std::string alternative;                  // the authors text of an entry without plant
};
// Entries whose symptom, trailing blanks removed, equals the symptom (trailing blanks removed).
PlantSymptomView SelectPlantSymptom(const ProgramFolder& folder, std::string_view symptom);
// A click on a plant line: the record whose number stands at that line of ListBoxNum.
PlantDetails PlantLineDetails(const ProgramFolder& folder, const PlantSymptomView& view, size_t line);

inline constexpr size_t kPlantViewPageSize = 26;
inline constexpr size_t kPlantViewPages = 4;
inline constexpr size_t kPlantViewLeaderLength = 120;
struct PlantViewPage {
    std::vector<std::string> symptoms;  // each followed by a leader of 120 "-"
    std::vector<std::string> authors;   // each followed by a leader of 120 "-"
};
struct PlantView {
    std::string plant;
    PlantDetails details;  // the last match
    // Matches 1-26 on page 1, 27-52 on page 2, 53-78 on page 3, all later ones on page 4; no
    // page when nothing matched.
    std::vector<PlantViewPage> pages;
};
// Entries whose plant, trailing blanks removed, equals the plant (trailing blanks removed).
PlantView SelectPlant(const ProgramFolder& folder, std::string_view plant);
// "Pagina " + page + "/" + pages, shown with two pages or more; empty otherwise.
std::string PlantPageLabel(int page, int pages);

}  // namespace florimant
