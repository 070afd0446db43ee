#include "knowledge/support_files.hpp"

#include <filesystem>
#include <system_error>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/pstring.hpp"
#include "common/trim.hpp"
#include "common/utf8.hpp"
#include "knowledge/catalogue.hpp"
#include "knowledge/plant_records.hpp"

namespace florimant {

namespace {
// The leading parts of the list lines (before the first "*", after TrimTrailingJunk), in catalogue
// order, each once, an empty one left out. The parts are sorted themselves rather than the whole
// lines: sorting "Tosse, **A" and "Tosse secca**B" as lines would put the longer indication first
// and could list "Tosse" twice, and the pick lists must be in catalogue order for their search.
std::vector<std::string> DistinctLeadingParts(const std::vector<std::string>& lines) {
    std::vector<std::string> parts;
    parts.reserve(lines.size());
    for (const std::string& line : lines) parts.push_back(WithoutTrailingJunkCp1252(line.substr(0, line.find('*'))));
    SortIntoCatalogueOrder(parts);
    std::vector<std::string> out;
    std::string previous;
    for (std::string& part : parts) {
        if (part != previous) out.push_back(part);
        previous = std::move(part);
    }
    return out;
}

// The distinct names of the entries whose signature contains the key, in catalogue order.
std::vector<std::string> KeyNames(const std::vector<RemedyRecord>& records, RemedyField signature,
                                  std::string_view key) {
    const size_t piece = RemedyFieldFirstPiece(signature);
    std::vector<std::string> names;
    for (size_t k = 1; k < records.size(); ++k)
        if (records[k].pieces[piece].find(key) != std::string::npos)
            names.push_back(records[k].pieces[0].substr(0, kRemedyKeyNameCapacity));
    SortIntoCatalogueOrder(names);
    std::vector<std::string> out;
    std::string previous = "0";
    for (std::string& name : names) {
        if (name != previous) out.push_back(name);
        previous = std::move(name);
    }
    return out;
}

void ReplaceNameFile(const ProgramFolder& folder, std::string_view path, const std::vector<std::string>& names,
                     size_t capacity) {
    ReplaceFile(folder, path, EncodeNameList(names, capacity));
}

void RemoveLeftoverKeyText(const ProgramFolder& folder, std::string_view keyFilePath) {
    std::string textPath(keyFilePath.substr(0, keyFilePath.rfind('.')));
    textPath += ".txt";
    if (!folder.Exists(textPath)) return;
    const std::filesystem::path real = folder.Resolve(textPath);
    NotifyFileOperation("remove", real);
    std::error_code ec;
    std::filesystem::remove(real, ec);
}

// Only the pieces the rebuild looks at (name, indication, primary and zodiacal signatures); the
// rest of each record is checked but not copied, which keeps a large database cheap to scan.
std::vector<RemedyRecord> ReadRebuildFields(const ProgramFolder& folder) {
    const std::vector<uint8_t> data = ReadRecordFileBytes(folder, kRemedyDatabasePath, kRemedyRecordSize);
    const std::span<const TextFieldSpec> specs = RemedyPieceSpecs();
    std::vector<size_t> offsets;
    size_t at = 0;
    for (const TextFieldSpec& s : specs) {
        offsets.push_back(at);
        at += s.capacity + 1;
    }
    const size_t wanted[] = {
        RemedyFieldFirstPiece(RemedyField::Rimedio), RemedyFieldFirstPiece(RemedyField::Indicazioni),
        RemedyFieldFirstPiece(RemedyField::Indicazioni) + 1, RemedyFieldFirstPiece(RemedyField::SegnaturaPrimaria),
        RemedyFieldFirstPiece(RemedyField::SegnaturaZodiacale)};
    const std::string file(kRemedyDatabasePath);
    std::vector<RemedyRecord> records(data.size() / kRemedyRecordSize);
    for (size_t k = 0; k < records.size(); ++k) {
        const std::span<const uint8_t> bytes =
            std::span<const uint8_t>(data).subspan(k * kRemedyRecordSize, kRemedyRecordSize);
        CheckTextFields(specs, bytes, file, k);
        for (size_t piece : wanted)
            records[k].pieces[piece] = ReadPString(bytes, offsets[piece], specs[piece].capacity);
    }
    return records;
}
}  // namespace

std::string RemedyOrderLine(const RemedyRecord& record) {
    return JoinRemedyField(record, RemedyField::Rimedio) + "**" + JoinRemedyField(record, RemedyField::Indicazioni);
}

std::string IndicationOrderLine(const RemedyRecord& record) {
    return JoinRemedyField(record, RemedyField::Indicazioni) + "**" + JoinRemedyField(record, RemedyField::Rimedio);
}

ListLineParts SplitListLine(std::string_view line) {
    const size_t star = line.find('*');
    ListLineParts parts;
    parts.leading = std::string(line.substr(0, star));
    if (star != std::string_view::npos)
        for (char c : line.substr(star))
            if (c != '*') parts.other.push_back(c);
    return parts;
}

std::vector<std::string> AliasLines(std::string_view remedyName) {
    struct PrefixTest {
        std::string_view prefix;
        size_t codeLength;
        size_t plantPosition;  // 1-based
        bool upperCase;
    };
    static constexpr PrefixTest kTests[] = {
        {"HS 8 -", 4, 8, false}, {"HS", 6, 10, false}, {"MSA", 3, 5, false}, {"QSPC", 4, 6, true}, {"TSA", 3, 5, false},
    };
    std::vector<std::string> aliases;
    std::string current(remedyName);
    for (const PrefixTest& test : kTests) {
        if (current.compare(0, test.prefix.size(), test.prefix) != 0) continue;
        const std::string code = current.substr(0, test.codeLength);
        const std::string plant =
            test.plantPosition - 1 < current.size() ? current.substr(test.plantPosition - 1, 30) : std::string();
        std::string alias = (plant + " (" + code + ")" + std::string(kAliasWidth, ' ')).substr(0, kAliasWidth);
        if (test.upperCase) alias = UpperCaseAscii(alias);
        alias += remedyName;
        aliases.push_back(alias);
        current = std::move(alias);
    }
    return aliases;
}

RemedySupportFiles ComputeSupportFiles(const std::vector<RemedyRecord>& records) {
    RemedySupportFiles files;
    std::vector<std::string> byIndication;
    std::vector<std::string> byRemedy;
    for (size_t k = 1; k < records.size(); ++k) {
        byIndication.push_back(IndicationOrderLine(records[k]));
        byRemedy.push_back(RemedyOrderLine(records[k]));
    }
    files.symptoms = DistinctLeadingParts(byIndication);
    files.remedies = DistinctLeadingParts(byRemedy);
    for (size_t i = 0; i < kPlanetKeyFiles.size(); ++i)
        files.planetNames[i] = KeyNames(records, RemedyField::SegnaturaPrimaria, kPlanetKeyFiles[i].key);
    for (size_t i = 0; i < kSignKeyFiles.size(); ++i)
        files.signNames[i] = KeyNames(records, RemedyField::SegnaturaZodiacale, kSignKeyFiles[i].key);
    for (const std::string& line : files.remedies) {
        files.remedyAliases.push_back(line);
        for (std::string& alias : AliasLines(line)) files.remedyAliases.push_back(std::move(alias));
    }
    SortIntoCatalogueOrder(files.remedyAliases);
    return files;
}

void RebuildSupportFiles(const ProgramFolder& folder) {
    if (!folder.Exists(kRemedyDatabasePath)) throw DataFileError(std::string(kRemedyDatabasePath), "file mancante");
    const RemedySupportFiles files = ComputeSupportFiles(ReadRebuildFields(folder));
    ReplaceTextFile(folder, kSymptomListPath, files.symptoms);
    ReplaceTextFile(folder, kRemedyListPath, files.remedies);
    for (size_t i = 0; i < kPlanetKeyFiles.size(); ++i) {
        ReplaceNameFile(folder, kPlanetKeyFiles[i].path, files.planetNames[i], kRemedyKeyNameCapacity);
        RemoveLeftoverKeyText(folder, kPlanetKeyFiles[i].path);
    }
    for (size_t i = 0; i < kSignKeyFiles.size(); ++i) {
        ReplaceNameFile(folder, kSignKeyFiles[i].path, files.signNames[i], kRemedyKeyNameCapacity);
        RemoveLeftoverKeyText(folder, kSignKeyFiles[i].path);
    }
    ReplaceTextFile(folder, kRemedyAliasListPath, files.remedyAliases);
}

std::vector<std::string> ComputePathologyList(const std::vector<RepertoryRecord>& records) {
    std::vector<std::string> names;
    for (size_t k = 1; k < records.size(); ++k) names.push_back(records[k].patologia);
    SortIntoCatalogueOrder(names);
    std::vector<std::string> out;
    std::string previous;
    for (std::string& name : names) {
        if (name != previous) out.push_back(name);
        previous = std::move(name);
    }
    return out;
}

void RebuildPathologyList(const ProgramFolder& folder) {
    if (!folder.Exists(kRepertoryPath)) throw DataFileError(std::string(kRepertoryPath), "file mancante");
    ReplaceTextFile(folder, kPathologyListPath, ComputePathologyList(ReadAllRepertoryRecords(folder)));
}

}  // namespace florimant
