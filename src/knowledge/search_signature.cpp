#include "knowledge/search_signature.hpp"

#include "common/file_io.hpp"
#include "knowledge/query_sources.hpp"
#include "knowledge/query_text.hpp"
#include "knowledge/search_remedy_pick_list.hpp"

namespace florimant {

namespace {
bool Occurs(const std::string& field, std::string_view what) { return field.find(what) != std::string::npos; }

// Segnat.dum holds four lines per remedy; a line break inside a field would shift every later
// remedy, so it is written as a blank.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

std::string Piece(const RemedyRecord& record, RemedyField field) { return JoinRemedyField(record, field); }
}  // namespace

bool PassesSignatureFilter(const RemedyRecord& record, std::string_view planet, std::string_view sign) {
    const std::string wantedPlanet = ToStored(planet);
    const std::string wantedSign = ToStored(sign);
    const bool planetPasses = planet == kAnyChoice ||
                              Occurs(Piece(record, RemedyField::SegnaturaPrimaria), wantedPlanet) ||
                              Occurs(Piece(record, RemedyField::SegnaturaSecondaria), wantedPlanet);
    const bool signPasses = sign == kAnyChoice || Occurs(Piece(record, RemedyField::SegnaturaZodiacale), wantedSign);
    return planetPasses && signPasses;
}

SignatureRow SignatureRowOf(const RemedyRecord& record) {
    return {ToDisplay(Piece(record, RemedyField::Rimedio)), ToDisplay(Piece(record, RemedyField::SegnaturaPrimaria)),
            ToDisplay(Piece(record, RemedyField::SegnaturaSecondaria)),
            ToDisplay(Piece(record, RemedyField::SegnaturaZodiacale))};
}

std::optional<SignatureRow> PickedSignatureRow(const ProgramFolder& folder, std::string_view name) {
    const std::vector<RemedyRecord> records = RequireRemedyRecords(folder);
    const std::optional<size_t> k = FirstRecordNamed(records, name);
    if (!k) return std::nullopt;
    return SignatureRowOf(records[*k]);
}

std::vector<SignatureRow> FindSignatureMatches(const std::vector<RemedyRecord>& records,
                                               const std::vector<std::string>& pickList,
                                               const std::vector<size_t>& firstRecords, std::string_view planet,
                                               std::string_view sign) {
    std::vector<SignatureRow> rows;
    for (size_t i = 0; i < pickList.size() && i < firstRecords.size(); ++i) {
        const size_t k = firstRecords[i];
        if (k >= records.size()) continue;  // a stale index line names no record
        const RemedyRecord& record = records[k];
        if (IsNamed(record, pickList[i]) && PassesSignatureFilter(record, planet, sign))
            rows.push_back(SignatureRowOf(record));
    }
    return rows;
}

size_t RunSignatureSearch(const ProgramFolder& folder, const std::vector<std::string>& pickList,
                          std::string_view planet, std::string_view sign) {
    const std::vector<SignatureRow> rows =
        FindSignatureMatches(RequireRemedyRecords(folder), pickList, ReadProductIndex(folder), planet, sign);
    std::vector<std::string> lines;
    for (const SignatureRow& row : rows)
        for (const std::string* text : {&row.remedy, &row.primary, &row.secondary, &row.zodiacal})
            lines.push_back(ToStored(OneLine(*text)));
    ReplaceTextFile(folder, kSignatureResultsPath, lines);
    return rows.size();
}

std::vector<SignatureRow> ReadSignaturePage(const ProgramFolder& folder, int page) {
    const std::vector<std::string> lines = ReadDisplayLines(folder, kSignatureResultsPath);
    std::vector<SignatureRow> rows(kSignatureSlots);
    if (page < 1) return rows;
    const size_t first = static_cast<size_t>(page - 1) * kSignatureSlots * kSignatureLinesPerRemedy;
    auto line = [&](size_t i) { return first + i < lines.size() ? lines[first + i] : std::string(); };
    for (size_t slot = 0; slot < kSignatureSlots; ++slot) {
        const size_t at = slot * kSignatureLinesPerRemedy;
        rows[slot] = {line(at), line(at + 1), line(at + 2), line(at + 3)};
    }
    return rows;
}

SignaturePages::SignaturePages(size_t count) : count_(count), red_(count > kSignatureSlots) {}

int SignaturePages::pageCount() const noexcept {
    return static_cast<int>((count_ + kSignatureSlots - 1) / kSignatureSlots);
}

std::string SignaturePages::Text() const { return std::to_string(page_) + "/" + std::to_string(pageCount()); }

bool SignaturePages::Next() {
    if (page_ >= pageCount()) return false;
    ++page_;
    red_ = false;
    return true;
}

bool SignaturePages::Previous() {
    if (page_ <= 1) return false;
    --page_;
    return true;
}

}  // namespace florimant
