#include "knowledge/query_plants.hpp"

#include <algorithm>

#include "common/number_text.hpp"
#include "common/trim.hpp"
#include "engine/texts.hpp"
#include "knowledge/query_sources.hpp"
#include "knowledge/query_text.hpp"

namespace florimant {

namespace {
std::vector<std::string> DisplayNameList(const ProgramFolder& folder, std::string_view path, size_t capacity) {
    std::vector<std::string> names = ReadNameList(folder, path, capacity, 1);
    for (std::string& name : names) name = ToDisplay(WithoutTrailingBlanks(name));
    return names;
}
}  // namespace

std::vector<std::string> LoadPlantSymptomPickList(const ProgramFolder& folder) {
    return DisplayNameList(folder, kPlantSymptomListPath, kPlantSymptomCapacity);
}

std::vector<std::string> LoadPlantNamePickList(const ProgramFolder& folder) {
    return DisplayNameList(folder, kPlantNameListPath, kPlantNameCapacity);
}

int PlantSymptomSearchBound(const std::vector<std::string>& pickList) { return static_cast<int>(pickList.size()); }

PlantDetails PlantDetailsOf(const PlantRecord& record) {
    return {ToDisplay(record.pianta),
            ToDisplay(record.segnaturaPrimaria),
            ToDisplay(record.segnaturaSecondaria),
            ToDisplay(record.segnaturaZodiacale),
            ToDisplay(record.autori),
            ToDisplay(record.sintesiPsichica)};
}

PlantSymptomView SelectPlantSymptom(const ProgramFolder& folder, std::string_view symptom) {
    PlantSymptomView view;
    const std::string wanted = WithoutTrailingBlanks(ToStored(symptom));
    view.symptom = ToDisplay(wanted);
    const std::vector<PlantRecord> records = RequirePlantRecords(folder);
    bool hadEntryWithoutPlant = false;
    for (size_t k = 1; k < records.size(); ++k) {
        const PlantRecord& r = records[k];
        if (WithoutTrailingBlanks(r.sintomo) != wanted) continue;
        if (WithoutTrailingBlanks(r.pianta).empty()) {
            view.alternative = ToDisplay(r.autori);
            hadEntryWithoutPlant = true;
            continue;
        }
        view.plantLines.push_back(ToDisplay(r.pianta) + RepeatChar(kPlantLeaderLength, '-'));
        view.synthesisLines.push_back(ToDisplay(r.sintesiPsichica));
        view.numberLines.push_back(ZeroPad(static_cast<long>(k), 4));
        view.details = PlantDetailsOf(r);
    }
    view.showAlternative = view.plantLines.empty() && hadEntryWithoutPlant;
    return view;
}

PlantDetails PlantLineDetails(const ProgramFolder& folder, const PlantSymptomView& view, size_t line) {
    if (line >= view.numberLines.size()) return {};
    return PlantDetailsOf(ReadPlantRecord(folder, ParseDigits(view.numberLines[line]).value()));
}

PlantView SelectPlant(const ProgramFolder& folder, std::string_view plant) {
    PlantView view;
    const std::string wanted = WithoutTrailingBlanks(ToStored(plant));
    view.plant = ToDisplay(wanted);
    const std::vector<PlantRecord> records = RequirePlantRecords(folder);
    if (wanted.empty()) return view;  // entries without a plant belong to no plant
    size_t matches = 0;
    for (size_t k = 1; k < records.size(); ++k) {
        const PlantRecord& r = records[k];
        if (WithoutTrailingBlanks(r.pianta) != wanted) continue;
        view.details = PlantDetailsOf(r);
        const size_t page = std::min(matches / kPlantViewPageSize, kPlantViewPages - 1);
        if (view.pages.size() <= page) view.pages.resize(page + 1);
        view.pages[page].symptoms.push_back(ToDisplay(r.sintomo) + RepeatChar(kPlantViewLeaderLength, '-'));
        view.pages[page].authors.push_back(ToDisplay(r.autori) + RepeatChar(kPlantViewLeaderLength, '-'));
        ++matches;
    }
    return view;
}

std::string PlantPageLabel(int page, int pages) {
    if (pages < 2) return {};
    return "Pagina " + std::to_string(page) + "/" + std::to_string(pages);
}

}  // namespace florimant
