#include "archive/current_subject.hpp"

#include <algorithm>
#include <filesystem>

#include "archive/subject_archive.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/trim.hpp"

namespace florimant {

namespace {
const std::string TemporaryIndex = "TMPR.ST1";
const std::string TemporaryBirths = "TMPR.ST2";

std::string Cut(std::string s, size_t n) {
    if (s.size() > n) s.resize(n);
    return s;
}

void WriteLines(const ProgramFolder& folder, std::string_view file, const std::vector<std::string>& utf8Lines) {
    std::vector<std::string> lines;
    for (const std::string& line : utf8Lines) lines.push_back(Utf8ToCp1252(line));
    ReplaceTextFile(folder, file, lines);
}
}  // namespace

void WriteCurrentSubjectRecall(const ProgramFolder& folder, std::string_view displayedName, const BirthRecord& birth,
                               std::string_view displayedLocality, std::string_view displayedNationality) {
    std::string name = Cut(Utf8ToCp1252(displayedName), IndexTextLength);
    if (name.size() < IndexNameLength) name = PadRightBlanks(name, IndexNameLength);
    BirthRecord current = birth;
    const std::string coordinates = birth.PlaceField.substr(0, std::min<size_t>(12, birth.PlaceField.size()));
    current.PlaceField = Cut(coordinates + Utf8ToCp1252(displayedLocality), 39);
    current.Nationality = Cut(Utf8ToCp1252(displayedNationality), 20);
    // Each file is replaced whole: the recall form holds exactly one record.
    ReplaceFile(folder, TemporaryIndex, RecordText(EncodeIndexRecord(IndexRecord{name})));
    ReplaceFile(folder, TemporaryBirths, RecordText(EncodeBirthRecord(current)));
}

void WriteCurrentSubjectRegistration(const ProgramFolder& folder, std::string_view indexText1252,
                                     const BirthRecord& birth) {
    if (!folder.Exists(TemporaryIndex))
        ReplaceFile(folder, TemporaryIndex, RecordText(EncodeIndexRecord(IndexRecord{std::string(IndexHeaderText)})));
    if (!folder.Exists(TemporaryBirths))
        ReplaceFile(folder, TemporaryBirths, RecordText(EncodeBirthRecord(PlaceholderBirthRecord())));
    {
        RecordFile index(folder, TemporaryIndex, IndexRecordSize, RecordFile::Mode::ReadWrite);
        index.Write(0, EncodeIndexRecord(IndexRecord{std::string(indexText1252)}));
    }
    RecordFile births(folder, TemporaryBirths, BirthRecordSize, RecordFile::Mode::ReadWrite);
    births.Write(0, EncodeBirthRecord(birth));
}

CurrentSubjectRecords ReadCurrentSubjectRecords(const ProgramFolder& folder) {
    CurrentSubjectRecords records;
    {
        RecordFile index(folder, TemporaryIndex, IndexRecordSize);
        records.Index = DecodeIndexRecord(index.Read(0), TemporaryIndex, 0);
    }
    RecordFile births(folder, TemporaryBirths, BirthRecordSize);
    records.Birth = DecodeBirthRecord(births.Read(0), TemporaryBirths, 0);
    return records;
}

BirthData ReadCurrentSubject(const ProgramFolder& folder) {
    CurrentSubjectRecords records = ReadCurrentSubjectRecords(folder);
    // The recall form holds no record number; only characters 1-38 are the name.
    std::string indexText = records.Index.text.substr(0, std::min(records.Index.text.size(), IndexNameLength));
    BirthData data = DecodeSubject(TemporaryArchive, 0, indexText, records.Birth, AnnotationRecord{});
    data.IndexText = Cp1252ToUtf8(records.Index.text);
    data.Locality = Cp1252ToUtf8(LocalityDisplayText(Utf8ToCp1252(data.Locality)));
    data.TextFileNumber.clear();
    data.Annotations = {ReadAnnotationLine(folder), "", "", ""};
    return data;
}

std::string ReadAnnotationLine(const ProgramFolder& folder) {
    std::vector<std::string> lines = ReadTextLines(folder, AnnotationLineFile);
    return lines.empty() ? std::string() : Cp1252ToUtf8(lines[0]);
}

void WriteAnnotationLine(const ProgramFolder& folder, std::string_view textUtf8) {
    WriteLines(folder, AnnotationLineFile, {std::string(textUtf8)});
}

std::string RecallAnnotationText(const AnnotationRecord& annotation) {
    std::string text = " ";
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0) text += ' ';
        text += WithoutBlanksAround(annotation.lines[i]);
    }
    return Cp1252ToUtf8(text);
}

std::string RegistrationAnnotationText(const AnnotationRecord& annotation) {
    std::string text;
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0) text += ' ';
        text += i < 3 ? WithoutTrailingBlanks(annotation.lines[i]) : annotation.lines[i];
    }
    return Cp1252ToUtf8(text);
}

void WriteTextReference(const ProgramFolder& folder, std::string_view archive, std::string_view textNumber) {
    WriteLines(folder, TextReferenceFile, {std::string(archive), std::string(textNumber)});
}

std::optional<TextReference> ReadTextReference(const ProgramFolder& folder) {
    if (!folder.Exists(TextReferenceFile)) return std::nullopt;
    std::vector<std::string> lines = ReadTextLines(folder, TextReferenceFile);
    TextReference reference;
    if (!lines.empty()) reference.Archive = Cp1252ToUtf8(lines[0]);
    if (lines.size() > 1) reference.Number = Cp1252ToUtf8(lines[1]);
    return reference;
}

void WriteEditorPath(const ProgramFolder& folder, std::string_view textPath) {
    WriteLines(folder, EditorPathFile, {std::string(textPath)});
}

void WriteRecallPointer(const ProgramFolder& folder, std::string_view recordNumber, std::string_view archive) {
    WriteLines(folder, RecallPointerFile, {std::string(recordNumber), std::string(archive)});
}

void WriteLastChoice(const ProgramFolder& folder, std::string_view archive, std::string_view indexText, long position,
                     std::string_view name) {
    WriteLines(folder, LastChoiceFile,
               {std::string(archive), std::string(indexText), std::to_string(position), std::string(name)});
}

std::vector<std::string> ReadChangedIndexes(const ProgramFolder& folder) {
    std::vector<std::string> names;
    if (!folder.Exists(ChangedIndexesFile)) return names;
    for (const std::string& line : ReadTextLines(folder, ChangedIndexesFile)) {
        if (names.size() >= ChangedIndexesLimit) break;
        std::string name = WithoutBlanksAround(Cut(line, 6));
        if (!name.empty()) names.push_back(Cp1252ToUtf8(name));
    }
    return names;
}

void NoteChangedIndex(const ProgramFolder& folder, std::string_view archive) {
    std::vector<std::string> names = ReadChangedIndexes(folder);
    const std::string name = Cut(std::string(archive), 6);
    if (std::find(names.begin(), names.end(), name) != names.end()) return;
    // Only 12 names are ever read back, so a full list stays as it is.
    if (names.size() >= ChangedIndexesLimit) return;
    names.push_back(name);
    WriteLines(folder, ChangedIndexesFile, names);
}

std::string RecallDisplayName(std::string_view indexText) {
    std::string text(indexText.substr(0, std::min<size_t>(indexText.find('('), indexText.size())));
    return Cut(Cut(text, 40), IndexNameLength);
}

BirthData RecallSubject(const ProgramFolder& folder, std::string_view archive, long position,
                        const RecallChoices& choices) {
    const std::string indexText = ReadIndexEntry(folder, archive, position);
    const std::string number = indexText.size() >= IndexTextLength ? indexText.substr(IndexNameLength, 5) : "";
    BirthData data = ReadSubject(folder, archive, position);
    WriteRecallPointer(folder, Cp1252ToUtf8(number), archive);
    const BirthRecord birth = ReadBirthRecord(folder, archive, data.BirthRecordNumber);
    const ArchiveInfo info = OpenArchive(folder, archive);
    if (info.HasAnnotations) {
        const AnnotationRecord annotation = ReadAnnotation(folder, archive, data.AnnotationNumber);
        WriteAnnotationLine(folder, RecallAnnotationText(annotation));
        WriteTextReference(folder, archive, Cp1252ToUtf8(TextFileNumberOf(annotation)));
    } else {
        // Nothing of the previous subject may stay attached to this one.
        WriteAnnotationLine(folder, "");
        std::error_code ec;
        const std::filesystem::path reference = folder.Resolve(TextReferenceFile);
        if (std::filesystem::exists(reference, ec)) {
            NotifyFileOperation("remove", reference);
            std::filesystem::remove(reference, ec);
        }
    }
    const std::string name = choices.Name ? *choices.Name : Cp1252ToUtf8(RecallDisplayName(indexText));
    std::string locality =
        choices.Locality ? *choices.Locality : LocalityDisplayText(WithoutTrailingBlanks(data.Locality));
    const std::string nationality = choices.Nationality ? *choices.Nationality : data.Nationality;
    WriteCurrentSubjectRecall(folder, name, birth, locality, nationality);
    WriteLastChoice(folder, archive, Cp1252ToUtf8(indexText), position, name);
    return data;
}

}  // namespace florimant
