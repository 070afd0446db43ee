#include "knowledge/editor_session.hpp"

#include <array>

#include "common/utf8.hpp"
#include "knowledge/query_text.hpp"

namespace florimant {

namespace {

constexpr std::array<EditorBox, 10> kDatabaseBoxes = {{
    {"EdProd", "", 50},
    {"MemoIndi", "Indicazioni", 300},
    {"MemoPoso", "Posologia", 900},
    {"MemoAvve", "Avvertenze", 400},
    {"EdPlane", "", 30},
    {"EdSeco", "", 40},
    {"EdZodi", "", 70},
    {"MemoSint", "Sintesi Psichica", 1500},
    {"MemoNote", "Note", 750},
    {"MemoNoteSupp", "Note Supplementari", 750},
}};
// The notes hold 750 characters; the warning is given where text would really be cut.
constexpr std::array<EditorBox, 4> kRepertoryBoxes = {{
    {"EdPato", "", 100},
    {"EdProd", "", 100},
    {"EdPoso", "", 250},
    {"MemoNote", "Note", kRepertoryNoteCapacity},
}};
// Repertory boxes in the record's terms.
constexpr size_t kPathologyBox = 0;
constexpr size_t kRepertoryRemedyBox = 1;
constexpr size_t kRepertoryDosageBox = 2;
constexpr size_t kRepertoryNoteBox = 3;

// A memo box still showing its placeholder holds no text.
std::string BoxText(EditorFile file, const std::vector<std::string>& boxes, size_t i) {
    std::string text = i < boxes.size() ? boxes[i] : std::string();
    const std::string_view placeholder = EditorBoxes(file)[i].placeholder;
    if (!placeholder.empty() && text == placeholder) text.clear();
    return text;
}

std::string Cut(std::string text, size_t capacity) {
    if (text.size() > capacity) text.resize(capacity);
    return text;
}

std::string EntriesText(size_t recordCount) { return "Tot=" + std::to_string(recordCount == 0 ? 0 : recordCount - 1); }

}  // namespace

std::span<const EditorBox> EditorBoxes(EditorFile file) {
    if (file == EditorFile::Database) return kDatabaseBoxes;
    return kRepertoryBoxes;
}

size_t EditorNameBox(EditorFile file) { return file == EditorFile::Database ? 0 : kRepertoryRemedyBox; }
size_t EditorOtherBox(EditorFile file) { return file == EditorFile::Database ? 1 : kPathologyBox; }

bool ExceedsBoxCapacity(EditorFile file, size_t box, std::string_view text, std::string_view typed, bool backspace) {
    const std::span<const EditorBox> boxes = EditorBoxes(file);
    if (box >= boxes.size()) return false;
    size_t length = CharacterCount(text);
    if (backspace) length = length == 0 ? 0 : length - 1;
    else length += CharacterCount(typed);
    return length > boxes[box].capacity;
}

RemedyRecord RemedyRecordFromBoxes(const std::vector<std::string>& boxes) {
    RemedyRecord record;
    for (size_t i = 0; i < kRemedyFormOrder.size(); ++i)
        SplitRemedyField(record, kRemedyFormOrder[i], ToStoredMultiline(BoxText(EditorFile::Database, boxes, i)));
    return record;
}

RepertoryRecord RepertoryRecordFromBoxes(const std::vector<std::string>& boxes) {
    auto text = [&](size_t i) { return ToStoredMultiline(BoxText(EditorFile::Repertory, boxes, i)); };
    RepertoryRecord record;
    record.patologia = Cut(text(kPathologyBox), kRepertoryBoxes[kPathologyBox].capacity);
    record.rimedio = Cut(text(kRepertoryRemedyBox), kRepertoryBoxes[kRepertoryRemedyBox].capacity);
    record.posologia = Cut(text(kRepertoryDosageBox), kRepertoryBoxes[kRepertoryDosageBox].capacity);
    SplitRepertoryNote(record, text(kRepertoryNoteBox));
    return record;
}

std::vector<std::string> BoxesFromRecord(const RemedyRecord& record) {
    std::vector<std::string> boxes;
    for (RemedyField field : kRemedyFormOrder) boxes.push_back(ToDisplay(JoinRemedyField(record, field)));
    return boxes;
}

std::vector<std::string> BoxesFromRecord(const RepertoryRecord& record) {
    return {ToDisplay(record.patologia), ToDisplay(record.rimedio), ToDisplay(record.posologia),
            ToDisplay(JoinRepertoryNote(record))};
}

std::optional<std::vector<std::string>> EditorSession::Load(const ProgramFolder& folder, std::string_view line,
                                                            EditorOrder order) {
    const EditorLineParts parts = SplitEditorListLine(line, order);
    const std::string name = ToStored(parts.remedy);
    const std::string other = ToStored(parts.other);
    std::optional<std::vector<std::string>> boxes;
    size_t count = 0;
    if (file_ == EditorFile::Database) {
        const std::vector<RemedyRecord> records = ReadAllRemedyRecords(folder);
        count = records.size();
        for (size_t k = 1; k < records.size() && !boxes; ++k) {
            if (JoinRemedyField(records[k], RemedyField::Rimedio) != name ||
                JoinRemedyField(records[k], RemedyField::Indicazioni) != other)
                continue;
            boxes = BoxesFromRecord(records[k]);
            selected_ = k;
        }
    } else {
        const std::vector<RepertoryRecord> records = ReadAllRepertoryRecords(folder);
        count = records.size();
        for (size_t k = 1; k < records.size() && !boxes; ++k) {
            if (records[k].rimedio != name || records[k].patologia != other) continue;
            boxes = BoxesFromRecord(records[k]);
            selected_ = k;
        }
    }
    if (!boxes) return std::nullopt;
    specificUse_ = HasSpecificUseMarker(parts.remedy);
    Remember(*boxes);
    descriptionsChanged_ = false;
    loaded_ = true;
    recordNumber_ = std::to_string(selected_) + " / " + std::to_string(count - 1);
    return boxes;
}

void EditorSession::BoxChanged(size_t box) {
    if (box == EditorNameBox(file_) || box == EditorOtherBox(file_)) return;
    if (loaded_) descriptionsChanged_ = true;
}

std::vector<std::string> EditorSession::Clear() {
    selected_ = 0;
    rememberedName_.clear();
    rememberedOther_.clear();
    descriptionsChanged_ = false;
    loaded_ = false;
    specificUse_ = false;
    std::vector<std::string> boxes;
    for (const EditorBox& box : EditorBoxes(file_)) boxes.emplace_back(box.placeholder);
    return boxes;
}

void EditorSession::NotesKeyPressed() {
    if (file_ == EditorFile::Repertory) descriptionsChanged_ = true;
}

void EditorSession::Remember(const std::vector<std::string>& boxes) {
    rememberedName_ = BoxText(file_, boxes, EditorNameBox(file_));
    rememberedOther_ = BoxText(file_, boxes, EditorOtherBox(file_));
}

EditorWrite EditorSession::Save(const ProgramFolder& folder, const std::vector<std::string>& boxes) {
    EditorWrite result;
    if (selected_ == 0) {
        result.error = kSaveOnlyAsNew;
        return result;
    }
    if (file_ == EditorFile::Database) WriteRemedyRecord(folder, selected_, RemedyRecordFromBoxes(boxes));
    else WriteRepertoryRecord(folder, selected_, RepertoryRecordFromBoxes(boxes));
    descriptionsChanged_ = false;
    Remember(boxes);
    result.written = true;
    result.recordNumber = recordNumber_;
    return result;
}

EditorWrite EditorSession::SaveAsNew(const ProgramFolder& folder, const std::vector<std::string>& boxes) {
    const size_t count = file_ == EditorFile::Database ? AppendRemedyRecord(folder, RemedyRecordFromBoxes(boxes))
                                                       : AppendRepertoryRecord(folder, RepertoryRecordFromBoxes(boxes));
    // The selected record stays the one loaded before: a later "Salva" writes over that one.
    descriptionsChanged_ = false;
    Remember(boxes);
    recordNumber_ = EntriesText(count);
    return {true, {}, recordNumber_};
}

EditorWrite EditorSession::Delete(const ProgramFolder& folder) {
    if (selected_ == 0) return {};
    if (file_ == EditorFile::Database) DeleteRemedyRecord(folder, selected_);
    else DeleteRepertoryRecord(folder, selected_);
    Clear();
    const size_t count = file_ == EditorFile::Database ? CountRemedyRecords(folder) : CountRepertoryRecords(folder);
    recordNumber_ = EntriesText(count);
    return {true, {}, recordNumber_};
}

LeavePanel EditorSession::CheckLeave(bool databaseCodeEntered, const std::vector<std::string>& boxes) const {
    LeavePanel panel;
    if (!databaseCodeEntered) return panel;
    panel.nameChanged = BoxText(file_, boxes, EditorNameBox(file_)) != rememberedName_;
    panel.otherChanged = BoxText(file_, boxes, EditorOtherBox(file_)) != rememberedOther_;
    panel.descriptionsChanged = descriptionsChanged_;
    panel.show = panel.nameChanged || panel.otherChanged || panel.descriptionsChanged;
    panel.saveEnabled = panel.show;
    panel.saveAsNewEnabled = panel.nameChanged || panel.otherChanged;
    panel.deleteEnabled = selected_ != 0;
    return panel;
}

}  // namespace florimant
