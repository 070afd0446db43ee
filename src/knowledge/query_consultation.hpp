#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/query_match_pages.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"

// The symptom, remedy and therapy consultations: their pick lists, the records a selection finds,
// what each numbered slot shows and the texts behind its button. All texts here are UTF-8; the
// comparisons with the files are exact on the stored bytes.
namespace florimant {

enum class Consultation { Symptom, Remedy, Therapy };

// The pick lists: "OpzioneH\Sintomi.txt", "OpzioneH\ProdotB.txt" (DataFileError when missing) and
// "OpzioneH\Patolog.txt" (empty when missing).
std::vector<std::string> LoadConsultationPickList(const ProgramFolder& folder, Consultation consultation);
// The bound H of the incremental search over the list: n - 1, n - 1 and n.
int ConsultationSearchBound(Consultation consultation, const std::vector<std::string>& list);

// One row of the grid. Symptom window: remedy, planets, signs, dosage. Remedy window: remedy,
// planets, signs, indication. Therapy window: the repertory's remedy and dosage (no signature
// boxes).
struct ConsultationSlot {
    std::string remedy;   // EdP
    std::string planets;  // EdA: primary signature, " ", secondary signature
    std::string signs;    // EdS
    std::string detail;   // EdD
};
ConsultationSlot SymptomSlot(const RemedyRecord& record);
ConsultationSlot RemedySlot(const RemedyRecord& record);
ConsultationSlot TherapySlot(const RepertoryRecord& record);
// The slots of the current page, read from the database (symptom, remedy) or the repertory.
std::vector<ConsultationSlot> PageSlots(const ProgramFolder& folder, Consultation consultation,
                                        const MatchPages& pages);

// What a slot button shows in the notes label and panel.
struct SlotView {
    std::string label;  // LabNote
    std::string text;   // MemoNote
};
// Number of views a slot button cycles through: 4, 4 and 2.
int ConsultationViewStates(Consultation consultation);
// Views of a database record: symptom window warnings, synthesis, notes, supplementary notes;
// remedy window dosage, synthesis, notes, supplementary notes. The text is shown after
// TrimTrailingJunk, or the view's fallback when nothing is left.
SlotView SymptomSlotView(const RemedyRecord& record, int state);
SlotView RemedySlotView(const RemedyRecord& record, int state);

// Symptom window: every entry whose Indicazioni equals the symptom. Both sides are compared after
// TrimTrailingJunk, as the list was written, so every listed symptom finds its entries.
MatchPages FindSymptomMatches(const ProgramFolder& folder, std::string_view symptom);

// Remedy window: every entry named as the picked line (compared after TrimTrailingJunk, as the
// list was written); an alias line ("Melissa (MSA)" padded to
// 70 characters) carries the remedy name from its 71st character.
struct RemedySelection {
    MatchPages matches;
    std::string heading;               // EdRime: the name of the last entry found
    std::string kind;                  // LabSpeci: "(Macerato Spagirico-Alchemico)" ... or empty
    std::string warnings;              // EdAvve, with its fallback
    std::string synthesis;             // MemoNote
    bool showSpecificUseNote = false;  // the picked line carries "(1)" ... "(9)"
};
RemedySelection SelectRemedy(const ProgramFolder& folder, std::string_view entry);
// The remedy name an alias line carries; the line itself when it is shorter than 71 characters.
std::string AliasRemedyName(std::string_view entry);
// The kind text of a name: tests for "MSA", "TSA" and "QSPC" in that order, the later winning.
std::string RemedyKindText(std::string_view name);

// Therapy window: every repertory entry whose Patologia equals the pathology, in file order.
MatchPages FindTherapyMatches(const ProgramFolder& folder, std::string_view pathology);
// State 0: the notes of the first entry for the pair; state 1: the primary database's warnings
// for the remedy.
SlotView TherapyNotesView(const ProgramFolder& folder, std::string_view pathology, std::string_view remedy);
SlotView TherapyWarningsView(const ProgramFolder& folder, std::string_view remedy);

// The view behind slot button `slot` of the current page in `state` (the caller then advances the
// slot's state); none for an empty slot, which has nothing to show. `pathology` is the therapy
// window's heading and is not used elsewhere.
std::optional<SlotView> ConsultationSlotView(const ProgramFolder& folder, Consultation consultation,
                                             const MatchPages& pages, int slot, int state,
                                             std::string_view pathology = {});

}  // namespace florimant
