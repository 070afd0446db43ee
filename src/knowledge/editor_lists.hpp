#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/query_incremental_search.hpp"
#include "knowledge/remedy_record.hpp"
#include "knowledge/repertory_record.hpp"

// The lists of the database and repertory editors: one line per entry (records 1 .. N-1), the
// leading field, "**", the other field. Texts are UTF-8.
namespace florimant {

enum class EditorFile { Database, Repertory };
// ByRemedy: Rimedio first. ByOther: Indicazioni (database) or Patologia (repertory) first.
enum class EditorOrder { ByRemedy, ByOther };

std::string EditorListLine(const RemedyRecord& record, EditorOrder order);
std::string EditorListLine(const RepertoryRecord& record, EditorOrder order);

// The list in the chosen order, sorted into catalogue order; empty when the file is missing.
std::vector<std::string> BuildEditorList(const ProgramFolder& folder, EditorFile file, EditorOrder order);
// The reordering list: the remedy-order lines in file order.
std::vector<std::string> BuildReorderList(const ProgramFolder& folder, EditorFile file);
// "Definitivo": rewrites the file in the order of the reordering list.
void ApplyReorderList(const ProgramFolder& folder, EditorFile file, const std::vector<std::string>& lines);

// The remedy name and the other field of a list line (the halves swap in the other order).
struct EditorLineParts {
    std::string remedy;
    std::string other;  // indication or pathology
};
EditorLineParts SplitEditorListLine(std::string_view line, EditorOrder order);

// Case treatment of the editor's search box: every character upper case, except in the database's
// indication order, which raises only the first. The bound of the search is n.
SearchKeyCase EditorSearchKeyCase(EditorFile file, EditorOrder order);

// "trova": each press selects the next list entry, after the one found by the previous press,
// that contains the word (both compared in upper case); after a scan that reached the end without
// a match the next press starts from the top again.
class EditorWordFinder {
public:
    std::optional<size_t> Find(const std::vector<std::string>& list, std::string_view word);
    // A click into the word box.
    void Restart() noexcept { next_ = 0; }

private:
    size_t next_ = 0;
};

}  // namespace florimant
