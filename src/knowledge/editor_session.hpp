#pragma once
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/editor_lists.hpp"

// The record work of the database and repertory editors: loading an entry from a list line,
// "Salva", "Salva come Nuovo", "Elimina", "Pulisci", the changes the window tracks and what the
// save panel offers on leaving. The window keeps the box texts (UTF-8) in the order of
// EditorBoxes() and passes them in.
namespace florimant {

struct EditorBox {
    std::string_view name;         // the control's name
    std::string_view placeholder;  // shown by an empty memo box; empty for the one-line boxes
    size_t capacity;               // the length warning's limit
};
// Database: EdProd, MemoIndi, MemoPoso, MemoAvve, EdPlane, EdSeco, EdZodi, MemoSint, MemoNote,
// MemoNoteSupp (50, 300, 900, 400, 30, 40, 70, 1500, 750, 750).
// Repertory: EdPato, EdProd, EdPoso, MemoNote (100, 100, 250, 750).
std::span<const EditorBox> EditorBoxes(EditorFile file);
// Index in EditorBoxes() of the remedy name box and of the indication (database) or pathology
// (repertory) box; changes to the other boxes are changes of the descriptions.
size_t EditorNameBox(EditorFile file);
size_t EditorOtherBox(EditorFile file);

// The length warning "Superato Limite Lunghezza" for the box's text after a key: the typed text
// appended, or with `backspace` the last character removed; shown when longer than the capacity.
bool ExceedsBoxCapacity(EditorFile file, size_t box, std::string_view text, std::string_view typed, bool backspace);

inline constexpr std::string_view kLengthWarning = "Superato Limite Lunghezza";
inline constexpr std::string_view kSaveOnlyAsNew = "Possibile solo [Salva come Nuovo]";

// What the window shows after "Salva", "Salva come Nuovo" or a deletion.
struct EditorWrite {
    bool written = false;
    std::string error;         // "Possibile solo [Salva come Nuovo]" when nothing could be written
    std::string recordNumber;  // EdNumRec: "Tot=" + entries after an append or a deletion
};

// The save panel shown on leaving with changes, and which of its buttons are enabled.
struct LeavePanel {
    bool show = false;  // false: the window closes at once
    bool nameChanged = false;
    bool otherChanged = false;  // indication or pathology
    bool descriptionsChanged = false;
    bool saveEnabled = false;
    bool saveAsNewEnabled = false;
    bool deleteEnabled = false;
};

class EditorSession {
public:
    explicit EditorSession(EditorFile file) : file_(file) {}
    EditorFile file() const noexcept { return file_; }

    // A click on a list line: the first record 1 .. N-1 whose name and indication (pathology)
    // equal the line's halves exactly. Returns the box texts, or none when no record has them.
    std::optional<std::vector<std::string>> Load(const ProgramFolder& folder, std::string_view line, EditorOrder order);
    // A change in box `box`: the name and the indication only enable the save buttons (the
    // window's affair); any other box, once a record was loaded, changes the descriptions.
    void BoxChanged(size_t box);
    // The repertory editor counts any key in the notes as a change of the descriptions.
    void NotesKeyPressed();
    // "Pulisci": nothing selected, nothing remembered. Returns the emptied boxes (memo boxes show
    // their placeholders).
    std::vector<std::string> Clear();

    EditorWrite Save(const ProgramFolder& folder, const std::vector<std::string>& boxes);
    EditorWrite SaveAsNew(const ProgramFolder& folder, const std::vector<std::string>& boxes);
    // Deletes the selected record at once and clears the session; nothing without a selection.
    EditorWrite Delete(const ProgramFolder& folder);

    // On leaving: the panel only when the database's maintenance code was entered and the name,
    // the indication (its placeholder counting as empty) or the descriptions changed.
    LeavePanel CheckLeave(bool databaseCodeEntered, const std::vector<std::string>& boxes) const;

    size_t selected() const noexcept { return selected_; }
    bool loaded() const noexcept { return loaded_; }
    bool descriptionsChanged() const noexcept { return descriptionsChanged_; }
    // EdNumRec after a load: k, " / ", the number of entries.
    const std::string& recordNumberText() const noexcept { return recordNumber_; }
    // Whether the loaded name carries "(1)" ... "(9)" (the database editor shows its note then).
    bool showSpecificUseNote() const noexcept { return specificUse_; }

private:
    void Remember(const std::vector<std::string>& boxes);
    EditorFile file_;
    size_t selected_ = 0;
    std::string rememberedName_;
    std::string rememberedOther_;
    bool descriptionsChanged_ = false;
    bool loaded_ = false;
    bool specificUse_ = false;
    std::string recordNumber_;
};

// The record the boxes describe: each text cut into its pieces; line ends stored as CR LF; a memo
// box still showing its placeholder is stored empty.
RemedyRecord RemedyRecordFromBoxes(const std::vector<std::string>& boxes);
RepertoryRecord RepertoryRecordFromBoxes(const std::vector<std::string>& boxes);
std::vector<std::string> BoxesFromRecord(const RemedyRecord& record);
std::vector<std::string> BoxesFromRecord(const RepertoryRecord& record);

}  // namespace florimant
