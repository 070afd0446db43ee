#include "knowledge/search_utility.hpp"

#include <array>

#include "common/data_file_error.hpp"
#include "common/utf8.hpp"
#include "knowledge/query_sources.hpp"
#include "knowledge/query_text.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"
#include "knowledge/search_word_match.hpp"

namespace florimant {

namespace {

constexpr std::array<UtilityField, 10> kDatabaseFields = {{
    {"Rimedio", 50},
    {"Indicazioni", 300},
    {"Posologia", 900},
    {"Avvertenze", 400},
    {"Segnat. Primaria", 30},
    {"Segnat.Second.", 40},
    {"Segnat. Zodiac.", 70},
    {"Sintesi Psichica", 1500},
    {"Note", 750},
    {"Note Supplementari", 750},
}};
constexpr std::array<UtilityField, 4> kRepertoryFields = {{
    {"Rimedio", 100},
    {"Patologia", 100},
    {"Posologia", 250},
    {"Note", 750},
}};

void CheckField(UtilityFile file, size_t field) {
    if (field >= UtilityFields(file).size())
        throw std::out_of_range("campo di ricerca inesistente: " + std::to_string(field));
}

// The record's remedy name and the searched field, both as display texts.
struct NameAndField {
    std::string name;
    std::string field;
};

std::vector<NameAndField> ReadNamesAndFields(const ProgramFolder& folder, UtilityFile file, size_t field) {
    std::vector<NameAndField> rows;
    if (file == UtilityFile::Database) {
        for (const RemedyRecord& r : RequireRemedyRecords(folder))
            rows.push_back({ToDisplay(JoinRemedyField(r, RemedyField::Rimedio)),
                            ToDisplay(JoinRemedyField(r, kRemedyFormOrder[field]))});
    } else {
        for (const RepertoryRecord& r : RequireRepertoryRecords(folder)) {
            const std::string* texts[] = {&r.rimedio, &r.patologia, &r.posologia};
            const std::string value = field < 3 ? *texts[field] : JoinRepertoryNote(r);
            rows.push_back({ToDisplay(r.rimedio), ToDisplay(value)});
        }
    }
    return rows;
}

}  // namespace

std::span<const UtilityField> UtilityFields(UtilityFile file) {
    if (file == UtilityFile::Database) return kDatabaseFields;
    return kRepertoryFields;
}

namespace {
UtilityStep StepOver(const std::vector<NameAndField>& rows, UtilityFile file, size_t field, std::string_view phrase,
                     size_t from) {
    UtilityStep step;
    for (size_t k = from; k < rows.size(); ++k) {
        const std::optional<size_t> at = WordMatchPosition(rows[k].field, phrase);
        if (!at) continue;
        step.found = true;
        step.record = k;
        step.remedy = rows[k].name;
        step.before = rows[k].field.substr(0, *at);
        step.after = rows[k].field.substr(*at);
        step.lengthText =
            std::to_string(CharacterCount(rows[k].field)) + "/" + std::to_string(UtilityFields(file)[field].capacity);
        step.positionText = std::to_string(k + 1);
        step.nextPosition = k + 1;
        return step;
    }
    step.record = rows.empty() ? 0 : rows.size() - 1;
    step.remedy = step.before = step.after = kEndOfArchive;
    step.positionText = std::to_string(step.record);
    step.nextPosition = 0;
    return step;
}
}  // namespace

UtilityStep UtilitySearchStep(const ProgramFolder& folder, UtilityFile file, size_t field, std::string_view phrase,
                              size_t from) {
    CheckField(file, field);
    return StepOver(ReadNamesAndFields(folder, file, field), file, field, phrase, from);
}

std::vector<UtilityStep> FindAllUtilityMatches(const ProgramFolder& folder, UtilityFile file, size_t field,
                                               std::string_view phrase) {
    CheckField(file, field);
    const std::vector<NameAndField> rows = ReadNamesAndFields(folder, file, field);
    std::vector<UtilityStep> matches;
    for (UtilityStep step = StepOver(rows, file, field, phrase, 0); step.found;
         step = StepOver(rows, file, field, phrase, step.nextPosition))
        matches.push_back(std::move(step));
    return matches;
}

UtilityStep UtilitySearch::Press(const ProgramFolder& folder, std::string_view phraseBox) {
    if (!underWay_) {
        phrase_ = phraseBox;
        position_ = 0;
    }
    UtilityStep step = UtilitySearchStep(folder, file_, field_, phrase_, position_);
    underWay_ = step.found;
    position_ = step.nextPosition;
    found_ = step.found ? std::optional<size_t>(step.record) : std::nullopt;
    return step;
}

void UtilitySearch::PhraseChanged() {
    underWay_ = false;
    position_ = 0;
}

void UtilitySearch::SelectField(size_t field) {
    CheckField(file_, field);
    field_ = field;
    underWay_ = false;
    position_ = 0;
    found_.reset();
}

void UtilitySearch::SelectFile(UtilityFile file) {
    file_ = file;
    // Both files offer "Rimedio" first; a field the other file lacks falls back to it.
    if (field_ >= UtilityFields(file).size()) field_ = 0;
    position_ = 0;
}

void SaveUtilityField(const ProgramFolder& folder, UtilityFile file, size_t field, size_t record,
                      std::string_view text) {
    CheckField(file, field);
    const std::string stored = ToStoredMultiline(text);
    if (file == UtilityFile::Database) {
        RemedyRecord r = ReadRemedyRecord(folder, record);
        SplitRemedyField(r, kRemedyFormOrder[field], stored);
        WriteRemedyRecord(folder, record, r);
        return;
    }
    RepertoryRecord r = ReadRepertoryRecord(folder, record);
    const size_t capacity = kRepertoryFields[field].capacity;
    switch (field) {
    case 0: r.rimedio = stored.substr(0, capacity); break;
    case 1: r.patologia = stored.substr(0, capacity); break;
    case 2: r.posologia = stored.substr(0, capacity); break;
    default: SplitRepertoryNote(r, stored); break;
    }
    WriteRepertoryRecord(folder, record, r);
}

}  // namespace florimant
