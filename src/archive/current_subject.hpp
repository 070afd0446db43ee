#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/subject_records.hpp"
#include "common/program_folder.hpp"

// The current subject: record 0 of "TMPR.ST1" and "TMPR.ST2" and the companion files in FileDum.
// The recall and registration windows write it; the chart driver reads it.
namespace florimant {

inline constexpr std::string_view AnnotationLineFile = "FileDum\\Annotaz.dum";
inline constexpr std::string_view TextReferenceFile = "FileDum\\StrText.dum";
inline constexpr std::string_view EditorPathFile = "FileDum\\DatModif.dum";
inline constexpr std::string_view RecallPointerFile = "FileDum\\PointGlo.dum";
inline constexpr std::string_view LastChoiceFile = "FileDum\\MMDatArc.dum";
inline constexpr std::string_view ChangedIndexesFile = "FileDum\\MMordina.dum";
inline constexpr size_t ChangedIndexesLimit = 12;

// Recall form: TMPR.ST1 and TMPR.ST2 are rewritten to hold exactly one record: the displayed name
// (UTF-8, at most 43 characters, no record number) and the birth record with its coordinates field
// replaced by the coordinate text + the displayed locality (cut to 39) and the displayed nationality
// (cut to 20).
void WriteCurrentSubjectRecall(const ProgramFolder& folder, std::string_view displayedName, const BirthRecord& birth,
                               std::string_view displayedLocality, std::string_view displayedNationality);
// Registration form: record 0 of both files is overwritten (other records stay). Missing files are
// created with their header records first.
void WriteCurrentSubjectRegistration(const ProgramFolder& folder, std::string_view indexText1252,
                                     const BirthRecord& birth);

struct CurrentSubjectRecords {
    IndexRecord Index;
    BirthRecord Birth;
};
// Record 0 of TMPR.ST1 and TMPR.ST2 as stored.
CurrentSubjectRecords ReadCurrentSubjectRecords(const ProgramFolder& folder);
// The current subject decoded: name from characters 1-38, Locality in its display form (the "*"
// rule applied), Annotations[0] = line 1 of "FileDum\Annotaz.dum".
BirthData ReadCurrentSubject(const ProgramFolder& folder);

// Line 1 of "FileDum\Annotaz.dum" (UTF-8); DataFileError when the file is missing.
std::string ReadAnnotationLine(const ProgramFolder& folder);
void WriteAnnotationLine(const ProgramFolder& folder, std::string_view textUtf8);
// The annotation line as recall writes it: a space, then the four lines stripped at both ends and
// joined by single spaces.
std::string RecallAnnotationText(const AnnotationRecord& annotation);
// As registration writes it: lines 1-3 with trailing blanks removed, line 4 as stored, joined by
// single spaces.
std::string RegistrationAnnotationText(const AnnotationRecord& annotation);

// "FileDum\StrText.dum": archive name and 5-character text number (blank when none).
void WriteTextReference(const ProgramFolder& folder, std::string_view archive, std::string_view textNumber);
struct TextReference {
    std::string Archive;
    std::string Number;
};
std::optional<TextReference> ReadTextReference(const ProgramFolder& folder);  // empty when missing
// "FileDum\DatModif.dum": the path of the text the subject text editor opens.
void WriteEditorPath(const ProgramFolder& folder, std::string_view textPath);

// Bookkeeping files nothing reads back.
void WriteRecallPointer(const ProgramFolder& folder, std::string_view recordNumber, std::string_view archive);
void WriteLastChoice(const ProgramFolder& folder, std::string_view archive, std::string_view indexText, long position,
                     std::string_view name);
// Names of the archives whose index was changed; at most 12, each at most 6 characters.
std::vector<std::string> ReadChangedIndexes(const ProgramFolder& folder);
void NoteChangedIndex(const ProgramFolder& folder, std::string_view archive);

// The name the recall window shows for an index text: the text before the first "(" (at most 40
// characters), cut to 38.
std::string RecallDisplayName(std::string_view indexText);

// Makes the subject at a position of an archive current as the recall window does on "&OK":
// writes "FileDum\PointGlo.dum", the annotation line and "FileDum\StrText.dum" (from .ST3; when the
// archive has no .ST3 the annotation line is emptied and StrText.dum removed, so nothing of the
// previous subject is shown with the new one), TMPR record 0 and "FileDum\MMDatArc.dum". Empty
// optionals take the recall window's defaults. Returns the subject as stored in the archive.
struct RecallChoices {
    std::optional<std::string> Name;      // UTF-8
    std::optional<std::string> Locality;  // display form
    std::optional<std::string> Nationality;
};
BirthData RecallSubject(const ProgramFolder& folder, std::string_view archive, long position,
                        const RecallChoices& choices = {});

}  // namespace florimant
