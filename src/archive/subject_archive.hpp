#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "archive/subject_records.hpp"
#include "common/program_folder.hpp"
#include "engine/ephemeris.hpp"

// The operations on one subject archive NAME.ST1 (sorted name index), NAME.ST2 (birth records)
// and NAME.ST3 (annotations), and its text folder NAMEtxt. Each operation opens the files it
// needs and closes them again. Every failure raises DataFileError naming the file; a damaged file
// (a size that is not a whole number of records, a text longer than its field) is reported, never
// read out of bounds.
//
// Every rewrite of a name index builds the new NAME.ST1 beside the old one and renames it over it,
// so an interruption leaves the old or the new index, never a mixture. Birth and annotation
// records are written before the index entry that points at them.
namespace florimant {

// Four names have fixed roles.
inline constexpr std::string_view BaseArchive = "BASE";
inline constexpr std::string_view TemporaryArchive = "TMPR";

// "NAME.ST1" etc. An archive name must be exactly four characters without path separators or
// dots; anything else raises DataFileError.
std::string ArchiveFile(std::string_view archive, std::string_view extension);

// The four-letter names of all "????.ST1" files, upper case, in folder order.
std::vector<std::string> ListArchives(const ProgramFolder& folder);
// "BASE (personale)", "TMPR (temporaneo)", "RICE (speciale)", "BANK (banca dati)", else the name.
std::string ArchiveLabel(std::string_view archive);

struct ArchiveInfo {
    long Count = 0;               // subjects: records of .ST1 minus 1
    bool HasAnnotations = false;  // .ST3 present
};
ArchiveInfo OpenArchive(const ProgramFolder& folder, std::string_view archive);

// The stored index text (Windows-1252 bytes) at position 0..N.
std::string ReadIndexEntry(const ProgramFolder& folder, std::string_view archive, long position);
// The typed-prefix search: key = typed text + 38 "!" cut to 38; exactly 100 halving rounds over
// positions 1..N; the result is the last middle position (never N when N > 1). 0 for an empty
// archive. `typed` may be UTF-8 or Windows-1252.
long FindIndexPosition(const ProgramFolder& folder, std::string_view archive, std::string_view typed);
// Whether an index text begins with the typed text (the windows' "found" test).
bool IndexTextStartsWith(std::string_view indexText, std::string_view typed);

BirthRecord ReadBirthRecord(const ProgramFolder& folder, std::string_view archive, long number);
AnnotationRecord ReadAnnotation(const ProgramFolder& folder, std::string_view archive, long number);
// Index entry, birth record and annotation (the default one when .ST3 is missing) of the subject
// at a position, decoded.
BirthData ReadSubject(const ProgramFolder& folder, std::string_view archive, long position);

// The annotation lines typed for a subject (UTF-8) and its text file number ("" when none).
struct SubjectNotes {
    std::array<std::string, 4> Lines;
    std::string TextFileNumber;
    bool IsEmpty() const;
};

// Registers a subject: birth record (and annotation record) appended, index entry inserted in
// sorted order, the subject made current (TMPR record 0 and the FileDum companion files).
// Returns the final index position (0 for TMPR, whose record 0 is the current subject).
long AddSubject(const ProgramFolder& folder, std::string_view archive, const BirthData& data, const SubjectNotes& notes,
                const ChartSummaries& summaries);
// The same, computing the chart summaries with the engine.
long AddSubject(const ProgramFolder& folder, const EphemerisSettings& settings, std::string_view archive,
                const BirthData& data, const SubjectNotes& notes);

// Rewrites a stored subject: the index entry is rewritten in place when the first 8 characters of
// the name are unchanged (and the index stays sorted) and moved step by step otherwise; the birth record is rebuilt in place;
// the annotation record is rewritten or appended when any note is given. The stored correction is
// data.CorrectionText (as typed) when not empty, else the registration text of data.Correction.
// Returns the final index position.
long RewriteSubject(const ProgramFolder& folder, std::string_view archive, std::string_view oldIndexText, long position,
                    const BirthData& data, const SubjectNotes& notes, const ChartSummaries& summaries);
long RewriteSubject(const ProgramFolder& folder, const EphemerisSettings& settings, std::string_view archive,
                    std::string_view oldIndexText, long position, const BirthData& data, const SubjectNotes& notes);

// Removes the index entry at a position (birth and annotation records stay, unreferenced), notes
// the archive in "FileDum\MMordina.dum" and deletes the subject's text file when it exists.
void RemoveIndexEntry(const ProgramFolder& folder, std::string_view archive, long position);

// Folder NAMEtxt and its counter "FlagTxt.set": returns the next number as 5 digits and stores the
// following one.
std::string NextTextFileNumber(const ProgramFolder& folder, std::string_view archive);
// "NAMEtxt\nnnnn.txt".
std::string TextFilePath(std::string_view archive, std::string_view number);

// Creates whichever of the three files of an archive is missing, each with its record 0; existing
// files are left as they are.
void CreateMissingArchiveFiles(const ProgramFolder& folder, std::string_view archive);
// At start-up: the BASE archive exists afterwards; existing BASE files are never emptied.
void EnsureBaseArchive(const ProgramFolder& folder);

}  // namespace florimant
