#include "knowledge/query_consultation.hpp"

#include "common/file_io.hpp"
#include "common/trim.hpp"
#include "knowledge/query_incremental_search.hpp"
#include "knowledge/query_sources.hpp"
#include "knowledge/query_text.hpp"
#include "knowledge/support_files.hpp"

namespace florimant {

namespace {

constexpr std::string_view kNoWarnings = "Non è stato finora necessario prescrivere Avvertenze";
constexpr std::string_view kNoSynthesis = "Non è per ora stabilita una Sintesi Psichica";
constexpr std::string_view kNoNotes = "Il Database Primario non riporta Note";
constexpr std::string_view kNoSupplementaryNotes = "Il Database Primario non riporta Note Supplementari";
constexpr std::string_view kNoTherapyNote = "Nessuna Nota registrata per questa combinazione Patologia-Rimedio";
constexpr std::string_view kNoTherapyWarnings =
    "Il Database Primario non contempla Avvertenze per l'uso di questo Rimedio";

std::string Field(const RemedyRecord& record, RemedyField field) { return ToDisplay(JoinRemedyField(record, field)); }

std::string PlanetsText(const RemedyRecord& record) {
    return Field(record, RemedyField::SegnaturaPrimaria) + " " + Field(record, RemedyField::SegnaturaSecondaria);
}

struct ViewSpec {
    std::string_view title;
    RemedyField field;
    std::string_view fallback;
};

SlotView MakeView(const RemedyRecord& record, const ViewSpec& spec) {
    std::string text = WithoutTrailingJunk(Field(record, spec.field));
    if (text.empty()) text = spec.fallback;
    return {Field(record, RemedyField::Rimedio) + " - " + std::string(spec.title), text};
}

// The symptom and remedy lists carry each text after TrimTrailingJunk, so a record is found under
// the line its text was listed as: "Tosse, " under "Tosse". Otherwise the comparison is exact.
std::string ListedForm(std::string_view displayed) { return WithoutTrailingJunkCp1252(ToStored(displayed)); }
bool ListedAs(const std::string& stored, const std::string& listedForm) {
    return WithoutTrailingJunkCp1252(stored) == listedForm;
}

int Wrapped(int state, int states) { return ((state % states) + states) % states; }

}  // namespace

std::vector<std::string> LoadConsultationPickList(const ProgramFolder& folder, Consultation consultation) {
    switch (consultation) {
    case Consultation::Symptom: return ReadDisplayLines(folder, kSymptomListPath);
    case Consultation::Remedy: return ReadDisplayLines(folder, kRemedyAliasListPath);
    case Consultation::Therapy:
        if (!folder.Exists(kPathologyListPath)) return {};
        return ReadDisplayLines(folder, kPathologyListPath);
    }
    return {};
}

int ConsultationSearchBound(Consultation consultation, const std::vector<std::string>& list) {
    return consultation == Consultation::Therapy ? SearchBoundCount(list) : SearchBoundBelowCount(list);
}

ConsultationSlot SymptomSlot(const RemedyRecord& record) {
    return {Field(record, RemedyField::Rimedio), PlanetsText(record), Field(record, RemedyField::SegnaturaZodiacale),
            Field(record, RemedyField::Posologia)};
}

ConsultationSlot RemedySlot(const RemedyRecord& record) {
    return {Field(record, RemedyField::Rimedio), PlanetsText(record), Field(record, RemedyField::SegnaturaZodiacale),
            Field(record, RemedyField::Indicazioni)};
}

ConsultationSlot TherapySlot(const RepertoryRecord& record) {
    return {ToDisplay(record.rimedio), {}, {}, ToDisplay(record.posologia)};
}

std::vector<ConsultationSlot> PageSlots(const ProgramFolder& folder, Consultation consultation,
                                        const MatchPages& pages) {
    std::vector<ConsultationSlot> slots;
    for (size_t k : pages.PageRecords()) {
        switch (consultation) {
        case Consultation::Symptom: slots.push_back(SymptomSlot(ReadRemedyRecord(folder, k))); break;
        case Consultation::Remedy: slots.push_back(RemedySlot(ReadRemedyRecord(folder, k))); break;
        case Consultation::Therapy: slots.push_back(TherapySlot(ReadRepertoryRecord(folder, k))); break;
        }
    }
    return slots;
}

int ConsultationViewStates(Consultation consultation) { return consultation == Consultation::Therapy ? 2 : 4; }

SlotView SymptomSlotView(const RemedyRecord& record, int state) {
    static constexpr ViewSpec kViews[] = {
        {"Avvertenze", RemedyField::Avvertenze, kNoWarnings},
        {"Sintesi Psichica", RemedyField::SintesiPsichica, kNoSynthesis},
        {"Note", RemedyField::Note, kNoNotes},
        {"Note Supplementari", RemedyField::NoteSupplementari, kNoSupplementaryNotes},
    };
    return MakeView(record, kViews[Wrapped(state, 4)]);
}

SlotView RemedySlotView(const RemedyRecord& record, int state) {
    static constexpr ViewSpec kViews[] = {
        {"Posologia", RemedyField::Posologia, ""},
        {"Sintesi Psichica", RemedyField::SintesiPsichica, kNoSynthesis},
        {"Note", RemedyField::Note, kNoNotes},
        {"Note Supplementari", RemedyField::NoteSupplementari, kNoSupplementaryNotes},
    };
    return MakeView(record, kViews[Wrapped(state, 4)]);
}

MatchPages FindSymptomMatches(const ProgramFolder& folder, std::string_view symptom) {
    const std::string wanted = ListedForm(symptom);
    const std::vector<RemedyRecord> records = RequireRemedyRecords(folder);
    std::vector<size_t> found;
    for (size_t k = 1; k < records.size(); ++k)
        if (ListedAs(JoinRemedyField(records[k], RemedyField::Indicazioni), wanted)) found.push_back(k);
    return MatchPages(found);
}

std::string AliasRemedyName(std::string_view entry) {
    // Counted in the file's characters; the whole rest of the line is taken, so a name of 41 to 50
    // characters is found through its alias as well.
    const std::string stored = ToStored(entry);
    if (stored.size() <= kAliasWidth) return std::string(entry);
    return ToDisplay(std::string_view(stored).substr(kAliasWidth));
}

std::string RemedyKindText(std::string_view name) {
    std::string kind;
    if (name.find("MSA") != std::string_view::npos) kind = "(Macerato Spagirico-Alchemico)";
    if (name.find("TSA") != std::string_view::npos) kind = "(Tintura Spagirico-Alchemica)";
    if (name.find("QSPC") != std::string_view::npos) kind = "(Quintessenza Spagirica di Paracelso Canonica)";
    return kind;
}

RemedySelection SelectRemedy(const ProgramFolder& folder, std::string_view entry) {
    const std::vector<RemedyRecord> records = RequireRemedyRecords(folder);
    auto scan = [&](std::string_view name) {
        const std::string wanted = ListedForm(name);
        std::vector<size_t> found;
        for (size_t k = 1; k < records.size(); ++k)
            if (ListedAs(JoinRemedyField(records[k], RemedyField::Rimedio), wanted)) found.push_back(k);
        return found;
    };
    std::vector<size_t> found = scan(entry);
    if (found.empty()) found = scan(AliasRemedyName(entry));

    RemedySelection selection;
    selection.showSpecificUseNote = HasSpecificUseMarker(entry);
    if (!found.empty()) {
        // The window repaints these for each match in turn, so the last one stays.
        const RemedyRecord& last = records[found.back()];
        selection.heading = Field(last, RemedyField::Rimedio);
        selection.kind = RemedyKindText(selection.heading);
        selection.warnings = Field(last, RemedyField::Avvertenze);
        if (selection.warnings.empty()) selection.warnings = kNoWarnings;
        selection.synthesis = Field(last, RemedyField::SintesiPsichica);
    }
    selection.matches = MatchPages(found);
    return selection;
}

MatchPages FindTherapyMatches(const ProgramFolder& folder, std::string_view pathology) {
    const std::string wanted = ToStored(pathology);
    const std::vector<RepertoryRecord> records = RequireRepertoryRecords(folder);
    std::vector<size_t> found;
    for (size_t k = 1; k < records.size(); ++k)
        if (records[k].patologia == wanted) found.push_back(k);
    return MatchPages(found);
}

SlotView TherapyNotesView(const ProgramFolder& folder, std::string_view pathology, std::string_view remedy) {
    SlotView view{"Note su " + std::string(remedy) + " / " + std::string(pathology), std::string(kNoTherapyNote)};
    const std::string wantedPathology = ToStored(pathology);
    const std::string wantedRemedy = ToStored(remedy);
    const std::vector<RepertoryRecord> records = RequireRepertoryRecords(folder);
    for (size_t k = 1; k < records.size(); ++k) {
        if (records[k].patologia != wantedPathology || records[k].rimedio != wantedRemedy) continue;
        if (!EmptyAfterTrim(ToDisplay(records[k].note[0]))) view.text = ToDisplay(JoinRepertoryNote(records[k]));
        break;
    }
    return view;
}

SlotView TherapyWarningsView(const ProgramFolder& folder, std::string_view remedy) {
    const std::string wanted = ToStored(remedy);
    const std::vector<RemedyRecord> records = RequireRemedyRecords(folder);
    for (size_t k = 1; k < records.size(); ++k) {
        if (records[k].pieces[RemedyFieldFirstPiece(RemedyField::Rimedio)] != wanted) continue;
        std::string warnings = Field(records[k], RemedyField::Avvertenze);
        if (EmptyAfterTrim(warnings)) warnings = kNoTherapyWarnings;
        return {std::string(remedy) + " - Avvertenze", warnings};
    }
    return {std::string(remedy) + " non è stato rintracciato nel Database Primario", {}};
}

std::optional<SlotView> ConsultationSlotView(const ProgramFolder& folder, Consultation consultation,
                                             const MatchPages& pages, int slot, int state, std::string_view pathology) {
    const std::optional<size_t> k = pages.SlotRecord(slot);
    if (!k) return std::nullopt;
    switch (consultation) {
    case Consultation::Symptom: return SymptomSlotView(ReadRemedyRecord(folder, *k), state);
    case Consultation::Remedy: return RemedySlotView(ReadRemedyRecord(folder, *k), state);
    case Consultation::Therapy: {
        const std::string remedy = ToDisplay(ReadRepertoryRecord(folder, *k).rimedio);
        if (Wrapped(state, 2) == 0) return TherapyNotesView(folder, pathology, remedy);
        return TherapyWarningsView(folder, remedy);
    }
    }
    return std::nullopt;
}

}  // namespace florimant
