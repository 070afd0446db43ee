#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"

// Reordering of the primary database and of the repertory: the records carry no sort key, their
// order is the order the user gives in the editor's list.
namespace florimant {

inline constexpr std::string_view kRemedyReorderPath = "ArcProv.rnd";
inline constexpr std::string_view kRepertoryReorderPath = "RepProv.rnd";

// Moves the entry at `from` to index `to`; the entries between shift by one place towards the
// old place of the moved one. from == to changes nothing.
void MoveReorderEntry(std::vector<std::string>& lines, size_t from, size_t to);

// Called after each record written with the number of records written so far plus one (the
// editor's progress caption).
using ReorderProgress = std::function<void(size_t)>;

// Rewrites "OpzioneH\DBmain.rnd" in the order of `lines`, the remedy-order list lines
// (Rimedio + "**" + Indicazioni) of records 1 .. N-1. Record 0 stays first. Each line takes the
// first record not yet taken whose name and indication, after TrimTrailingJunk, equal the line's
// two halves after TrimTrailingJunk, so identical records all survive. The new file is written
// whole to "ArcProv.rnd" and then renamed over the database: an interruption leaves the old
// database or the new one. When the lines do not account for every record exactly once (a line
// without its record, a record without its line) nothing is changed and DataFileError says which.
void ReorderRemedyDatabase(const ProgramFolder& folder, const std::vector<std::string>& lines,
                           const ReorderProgress& progress = {});

// The same for "OpzioneH\Repertorio.rnd" through "RepProv.rnd", the lines being
// Rimedio + "**" + Patologia.
void ReorderRepertory(const ProgramFolder& folder, const std::vector<std::string>& lines,
                      const ReorderProgress& progress = {});

}  // namespace florimant
