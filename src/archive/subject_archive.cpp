#include "archive/subject_archive.hpp"

#include <algorithm>
#include <filesystem>

#include "archive/chart_summary.hpp"
#include "archive/current_subject.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/trim.hpp"
#include "common/utf8.hpp"

namespace florimant {

namespace {

// The whole name index in memory: the stored records (kept byte for byte when they move) and
// their texts.
struct IndexFile {
    std::string file;
    std::vector<std::vector<uint8_t>> records;
    std::vector<std::string> texts;
};

IndexFile LoadIndex(const ProgramFolder& folder, std::string_view archive) {
    IndexFile index;
    index.file = ArchiveFile(archive, ".ST1");
    const std::vector<uint8_t> bytes = ReadWholeFile(folder, index.file);
    if (bytes.size() % IndexRecordSize != 0)
        throw DataFileError(index.file, "archivio danneggiato: la lunghezza (" + std::to_string(bytes.size()) +
                                            " byte) non è un numero intero di record da 44 byte");
    if (bytes.empty()) throw DataFileError(index.file, "archivio danneggiato: manca il record di intestazione");
    const size_t count = bytes.size() / IndexRecordSize;
    index.records.reserve(count);
    index.texts.reserve(count);
    for (size_t k = 0; k < count; ++k) {
        std::vector<uint8_t> record(bytes.begin() + static_cast<long>(k * IndexRecordSize),
                                    bytes.begin() + static_cast<long>((k + 1) * IndexRecordSize));
        index.texts.push_back(DecodeIndexRecord(record, index.file, k).text);
        index.records.push_back(std::move(record));
    }
    return index;
}

void SetEntry(IndexFile& index, size_t k, const std::string& text) {
    index.texts[k] = text;
    index.records[k] = EncodeIndexRecord(IndexRecord{text});
}

void SwapEntries(IndexFile& index, size_t a, size_t b) {
    std::swap(index.texts[a], index.texts[b]);
    std::swap(index.records[a], index.records[b]);
}

// The new index goes to a sibling file renamed over the old one.
void StoreIndex(const ProgramFolder& folder, const IndexFile& index, size_t records) {
    std::string bytes;
    bytes.reserve(records * IndexRecordSize);
    for (size_t k = 0; k < records; ++k) bytes.append(index.records[k].begin(), index.records[k].end());
    ReplaceFile(folder, index.file, bytes);
}

long RecordNumberOf(std::string_view indexText, std::string_view file) {
    if (indexText.size() < IndexTextLength)
        throw DataFileError(std::string(file), "archivio danneggiato: voce dell'indice senza numero di record");
    const std::optional<int> number = DigitsAt(indexText, IndexNameLength, 5);
    if (!number)
        throw DataFileError(std::string(file), "archivio danneggiato: numero di record non valido nell'indice");
    return *number;
}

// The stored correction text: as typed when given, else the registration text of the value.
std::string StoredCorrection(const BirthData& data) {
    return data.CorrectionText.empty() ? CorrectionToText(data.Correction)
                                       : NormalizeTypedCorrection(Utf8ToCp1252(data.CorrectionText));
}

void CheckPosition(const IndexFile& index, long position) {
    if (position < 1 || static_cast<size_t>(position) >= index.texts.size())
        throw DataFileError(index.file, "posizione " + std::to_string(position) + " fuori dall'indice (" +
                                            std::to_string(index.texts.size() - 1) + " soggetti)");
}

void CreateWithRecord(const ProgramFolder& folder, const std::string& file, const std::vector<uint8_t>& record0) {
    if (!folder.Exists(file)) ReplaceFile(folder, file, RecordText(record0));
}

}  // namespace

std::string ArchiveFile(std::string_view archive, std::string_view extension) {
    const bool valid = archive.size() == 4 && std::none_of(archive.begin(), archive.end(), [](char c) {
                           return c == '\\' || c == '/' || c == '.' || c == ':' || static_cast<unsigned char>(c) < 0x20;
                       });
    if (!valid) throw DataFileError(std::string(archive) + std::string(extension), "nome di archivio non valido");
    return std::string(archive) + std::string(extension);
}

std::vector<std::string> ListArchives(const ProgramFolder& folder) {
    std::vector<std::string> names;
    for (std::string name : folder.List("", "????.ST1")) {
        name.resize(4);
        UpperCaseInPlace(name);
        names.push_back(name);
    }
    return names;
}

std::string ArchiveLabel(std::string_view archive) {
    if (archive == "BASE") return "BASE (personale)";
    if (archive == "TMPR") return "TMPR (temporaneo)";
    if (archive == "RICE") return "RICE (speciale)";
    if (archive == "BANK") return "BANK (banca dati)";
    return std::string(archive);
}

ArchiveInfo OpenArchive(const ProgramFolder& folder, std::string_view archive) {
    RecordFile index(folder, ArchiveFile(archive, ".ST1"), IndexRecordSize);
    const size_t records = index.Count();
    if (records == 0) throw DataFileError(index.programPath(), "archivio danneggiato: manca il record di intestazione");
    ArchiveInfo info;
    info.Count = static_cast<long>(records - 1);
    info.HasAnnotations = folder.Exists(ArchiveFile(archive, ".ST3"));
    return info;
}

std::string ReadIndexEntry(const ProgramFolder& folder, std::string_view archive, long position) {
    const std::string file = ArchiveFile(archive, ".ST1");
    if (position < 0) throw DataFileError(file, "posizione non valida");
    RecordFile index(folder, file, IndexRecordSize);
    return DecodeIndexRecord(index.Read(static_cast<size_t>(position)), file, static_cast<size_t>(position)).text;
}

long FindIndexPosition(const ProgramFolder& folder, std::string_view archive, std::string_view typed) {
    const std::string file = ArchiveFile(archive, ".ST1");
    RecordFile index(folder, file, IndexRecordSize);
    const size_t records = index.Count();
    if (records <= 1) return 0;
    std::string key = Utf8ToCp1252(typed) + std::string(IndexNameLength, '!');
    key.resize(IndexNameLength);
    long lo = 1, hi = static_cast<long>(records - 1), mid = 0;
    for (int round = 0; round < 100; ++round) {
        mid = (lo + hi) / 2;
        const std::string text =
            DecodeIndexRecord(index.Read(static_cast<size_t>(mid)), file, static_cast<size_t>(mid)).text;
        const int order = CompareIndexTexts(key, text);
        if (order > 0) lo = mid;
        if (order <= 0) hi = mid;
        if (lo < 1) lo = 1;
    }
    return mid;
}

bool IndexTextStartsWith(std::string_view indexText, std::string_view typed) {
    const std::string prefix = Utf8ToCp1252(typed);
    const std::string text = Utf8ToCp1252(indexText);
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

BirthRecord ReadBirthRecord(const ProgramFolder& folder, std::string_view archive, long number) {
    const std::string file = ArchiveFile(archive, ".ST2");
    if (number < 0) throw DataFileError(file, "numero di record non valido");
    RecordFile births(folder, file, BirthRecordSize);
    return DecodeBirthRecord(births.Read(static_cast<size_t>(number)), file, static_cast<size_t>(number));
}

AnnotationRecord ReadAnnotation(const ProgramFolder& folder, std::string_view archive, long number) {
    const std::string file = ArchiveFile(archive, ".ST3");
    if (number < 0) throw DataFileError(file, "numero di record non valido");
    RecordFile notes(folder, file, AnnotationRecordSize);
    return DecodeAnnotationRecord(notes.Read(static_cast<size_t>(number)), file, static_cast<size_t>(number));
}

BirthData ReadSubject(const ProgramFolder& folder, std::string_view archive, long position) {
    const std::string indexText = ReadIndexEntry(folder, archive, position);
    const long number = RecordNumberOf(indexText, ArchiveFile(archive, ".ST1"));
    const BirthRecord birth = ReadBirthRecord(folder, archive, number);
    AnnotationRecord annotation = DefaultAnnotationRecord();
    if (folder.Exists(ArchiveFile(archive, ".ST3"))) {
        annotation = ReadAnnotation(folder, archive, AnnotationNumberOf(birth));
    }
    return DecodeSubject(archive, position, indexText, birth, annotation);
}

bool SubjectNotes::IsEmpty() const {
    return std::all_of(Lines.begin(), Lines.end(), [](const std::string& l) { return IsBlank(l); }) &&
           IsBlank(TextFileNumber);
}

long AddSubject(const ProgramFolder& folder, std::string_view archive, const BirthData& data, const SubjectNotes& notes,
                const ChartSummaries& summaries) {
    const bool temporary = archive == TemporaryArchive;
    // A new archive gets its three files; TMPR is made with its header records when missing.
    if (temporary) {
        CreateWithRecord(folder, ArchiveFile(archive, ".ST2"), EncodeBirthRecord(PlaceholderBirthRecord()));
        CreateWithRecord(folder, ArchiveFile(archive, ".ST1"),
                         EncodeIndexRecord(IndexRecord{std::string(IndexHeaderText)}));
    } else if (!folder.Exists(ArchiveFile(archive, ".ST1"))) {
        CreateMissingArchiveFiles(folder, archive);
    }
    NoteChangedIndex(folder, archive);

    // The index is read (and checked) before anything is written.
    IndexFile index = temporary ? IndexFile{} : LoadIndex(folder, archive);
    const std::string births = ArchiveFile(archive, ".ST2");
    long birthNumber = 0;
    {
        RecordFile file(folder, births, BirthRecordSize);
        birthNumber = static_cast<long>(file.Count());
    }
    const std::string indexText = MakeIndexText(Utf8ToCp1252(data.Name), birthNumber);
    const std::string correction = CorrectionToText(data.Correction);
    const BirthRecord current = BuildBirthRecord(data, correction, summaries, 0);

    // Annotations first, then the birth record that points at them, then the index entry that
    // points at the birth record: an interruption leaves at worst records nothing refers to.
    BirthRecord stored = current;
    std::optional<AnnotationRecord> annotation;
    if (!temporary && !notes.IsEmpty()) {
        annotation = BuildAnnotationRecord(notes.Lines, Utf8ToCp1252(notes.TextFileNumber));
        CreateWithRecord(folder, ArchiveFile(archive, ".ST3"), EncodeAnnotationRecord(DefaultAnnotationRecord()));
        RecordFile file(folder, ArchiveFile(archive, ".ST3"), AnnotationRecordSize, RecordFile::Mode::ReadWrite);
        const size_t annotationNumber = file.Count();
        file.Append(EncodeAnnotationRecord(*annotation));
        stored.AnnotationNumber = FiveDigits(static_cast<long>(annotationNumber));
    }
    {
        RecordFile file(folder, births, BirthRecordSize, RecordFile::Mode::ReadWrite);
        file.Write(static_cast<size_t>(birthNumber), EncodeBirthRecord(stored));
    }

    long position = 0;
    if (!temporary) {
        // Appended at the end, then the sorting pass carries it down to its place.
        position = static_cast<long>(index.texts.size());
        index.texts.push_back(indexText);
        index.records.push_back(EncodeIndexRecord(IndexRecord{indexText}));
        for (size_t k = index.texts.size() - 1; k >= 2; --k) {
            if (CompareIndexTexts(index.texts[k], index.texts[k - 1]) <= 0) {
                const bool isNew = index.texts[k] == indexText;
                SwapEntries(index, k, k - 1);
                if (isNew) position = static_cast<long>(k - 1);
            }
        }
        StoreIndex(folder, index, index.texts.size());
    }

    WriteCurrentSubjectRegistration(folder, indexText, current);
    if (annotation) {
        WriteAnnotationLine(folder, RegistrationAnnotationText(*annotation));
    } else {
        // What a recall of this subject would show, so that nothing of the previous current
        // subject stays attached to this one.
        WriteAnnotationLine(folder, RecallAnnotationText(DefaultAnnotationRecord()));
        WriteTextReference(folder, archive, "     ");
    }
    return position;
}

long AddSubject(const ProgramFolder& folder, const EphemerisSettings& settings, std::string_view archive,
                const BirthData& data, const SubjectNotes& notes) {
    return AddSubject(folder, archive, data, notes, ComputeChartSummaries(folder, settings, data));
}

long RewriteSubject(const ProgramFolder& folder, std::string_view archive, std::string_view oldIndexText, long position,
                    const BirthData& data, const SubjectNotes& notes, const ChartSummaries& summaries) {
    IndexFile index = LoadIndex(folder, archive);
    CheckPosition(index, position);
    const std::string oldText = Utf8ToCp1252(oldIndexText);
    if (index.texts[static_cast<size_t>(position)] != oldText)
        throw DataFileError(index.file, "la voce " + std::to_string(position) +
                                            " dell'indice non è più quella scelta: riaprire l'archivio");
    const long birthNumber = RecordNumberOf(oldText, index.file);
    const std::string newText = MakeIndexText(Utf8ToCp1252(data.Name), birthNumber);

    // Birth record and annotations first, as in AddSubject.
    const std::string births = ArchiveFile(archive, ".ST2");
    const BirthRecord old = ReadBirthRecord(folder, archive, birthNumber);
    long annotationNumber = AnnotationNumberOf(old);
    if (!notes.IsEmpty()) {
        const AnnotationRecord annotation = BuildAnnotationRecord(notes.Lines, Utf8ToCp1252(notes.TextFileNumber));
        CreateWithRecord(folder, ArchiveFile(archive, ".ST3"), EncodeAnnotationRecord(DefaultAnnotationRecord()));
        RecordFile file(folder, ArchiveFile(archive, ".ST3"), AnnotationRecordSize, RecordFile::Mode::ReadWrite);
        if (annotationNumber != 0) {
            file.Write(static_cast<size_t>(annotationNumber), EncodeAnnotationRecord(annotation));
        } else {
            annotationNumber = static_cast<long>(file.Count());
            file.Append(EncodeAnnotationRecord(annotation));
        }
    }
    {
        RecordFile file(folder, births, BirthRecordSize, RecordFile::Mode::ReadWrite);
        file.Write(static_cast<size_t>(birthNumber),
                   EncodeBirthRecord(BuildBirthRecord(data, StoredCorrection(data), summaries, annotationNumber)));
    }

    size_t p = static_cast<size_t>(position);
    const size_t records = index.texts.size();
    // Same first 8 characters: rewritten where it stands, as long as that keeps the index sorted
    // (ROSSI MARIA renamed ROSSI MAZZA past a ROSSI MARIO must move, or the search misses it).
    const bool fitsHere = (p < 2 || CompareIndexTexts(index.texts[p - 1], newText) <= 0) &&
                          (p + 1 >= records || CompareIndexTexts(newText, index.texts[p + 1]) <= 0);
    if (newText.compare(0, 8, oldText, 0, 8) == 0 && fitsHere) {
        RecordFile file(folder, index.file, IndexRecordSize, RecordFile::Mode::ReadWrite);
        file.Write(p, EncodeIndexRecord(IndexRecord{newText}));
        return position;
    }
    SetEntry(index, p, newText);
    if (CompareIndexTexts(newText, oldText) < 0) {
        while (p >= 2 && CompareIndexTexts(newText, index.texts[p - 1]) < 0) {
            SwapEntries(index, p, p - 1);
            --p;
        }
    } else {
        while (p + 1 < records && CompareIndexTexts(newText, index.texts[p + 1]) > 0) {
            SwapEntries(index, p, p + 1);
            ++p;
        }
    }
    StoreIndex(folder, index, records);
    return static_cast<long>(p);
}

long RewriteSubject(const ProgramFolder& folder, const EphemerisSettings& settings, std::string_view archive,
                    std::string_view oldIndexText, long position, const BirthData& data, const SubjectNotes& notes) {
    return RewriteSubject(folder, archive, oldIndexText, position, data, notes,
                          ComputeChartSummaries(folder, settings, data));
}

void RemoveIndexEntry(const ProgramFolder& folder, std::string_view archive, long position) {
    IndexFile index = LoadIndex(folder, archive);
    CheckPosition(index, position);
    const std::string removed = index.texts[static_cast<size_t>(position)];

    // The subject's text file, looked up before the entry goes. A damaged birth or annotation
    // record must not prevent the removal; its text file is then left alone.
    std::string textNumber;
    try {
        const long birthNumber = RecordNumberOf(removed, index.file);
        const BirthRecord birth = ReadBirthRecord(folder, archive, birthNumber);
        // Number 0 is the default annotation, which names no text file.
        if (folder.Exists(ArchiveFile(archive, ".ST3")) && AnnotationNumberOf(birth) != 0)
            textNumber = TextFileNumberOf(ReadAnnotation(folder, archive, AnnotationNumberOf(birth)));
    } catch (const DataFileError&) {
        textNumber.clear();
    }

    for (size_t k = static_cast<size_t>(position); k + 1 < index.texts.size(); ++k) {
        index.texts[k] = index.texts[k + 1];
        index.records[k] = index.records[k + 1];
    }
    StoreIndex(folder, index, index.texts.size() - 1);
    NoteChangedIndex(folder, archive);

    if (!IsBlank(textNumber)) {
        const std::filesystem::path text = folder.Resolve(std::string(archive) + "txt\\" + textNumber + ".Txt");
        std::error_code ec;
        if (std::filesystem::is_regular_file(text, ec)) {
            NotifyFileOperation("remove", text);
            if (!std::filesystem::remove(text, ec) && ec)
                throw DataFileError(TextFilePath(archive, textNumber), "impossibile eliminare il file di testo");
        }
    }
}

std::string TextFilePath(std::string_view archive, std::string_view number) {
    return std::string(archive) + "txt\\" + std::string(number) + ".txt";
}

std::string NextTextFileNumber(const ProgramFolder& folder, std::string_view archive) {
    ArchiveFile(archive, "");  // checks the name
    const std::string counter = std::string(archive) + "txt\\FlagTxt.set";
    if (!folder.Exists(counter)) ReplaceTextFile(folder, counter, {"1"});
    const std::vector<std::string> lines = ReadTextLines(folder, counter);
    std::optional<long> n = lines.empty() ? std::nullopt : ParseLeadingInteger(lines[0]);
    if (!n || *n < 0 || *n > 99998) throw DataFileError(counter, "il contatore dei file di testo non è valido");
    ReplaceTextFile(folder, counter, {std::to_string(*n + 1)});
    return FiveDigits(*n);
}

void CreateMissingArchiveFiles(const ProgramFolder& folder, std::string_view archive) {
    // .ST1 last: its presence is what marks an archive as existing.
    CreateWithRecord(folder, ArchiveFile(archive, ".ST2"), EncodeBirthRecord(PlaceholderBirthRecord()));
    CreateWithRecord(folder, ArchiveFile(archive, ".ST3"), EncodeAnnotationRecord(DefaultAnnotationRecord()));
    CreateWithRecord(folder, ArchiveFile(archive, ".ST1"),
                     EncodeIndexRecord(IndexRecord{std::string(IndexHeaderText)}));
}

void EnsureBaseArchive(const ProgramFolder& folder) {
    if (!folder.Exists(ArchiveFile(BaseArchive, ".ST1"))) CreateMissingArchiveFiles(folder, BaseArchive);
}

}  // namespace florimant
