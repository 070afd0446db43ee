#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "knowledge/remedy_record.hpp"

// The signature search: remedies whose planetary signatures contain a chosen planet and whose
// zodiacal signature contains a chosen sign. Results go to "FileDum\Segnat.dum", four lines per
// remedy, and are shown 14 remedies a page.
namespace florimant {

inline constexpr std::string_view kSignatureResultsPath = "FileDum\\Segnat.dum";
inline constexpr std::string_view kAnyChoice = "Qualsiasi";
inline constexpr std::array<std::string_view, 10> kSignaturePlanetChoices = {
    "Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno", "NodoNord", "NodoSud", "Qualsiasi"};
inline constexpr std::array<std::string_view, 13> kSignatureSignChoices = {
    "Ariete",    "Toro",       "Gemelli",    "Cancro",   "Leone", "Vergine",  "Bilancia",
    "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci", "Qualsiasi"};
inline constexpr size_t kSignatureSlots = 14;
inline constexpr size_t kSignatureLinesPerRemedy = 4;

// (planet is "Qualsiasi" or occurs in the primary or the secondary signature) and (sign is
// "Qualsiasi" or occurs in the zodiacal signature); case-sensitive substring tests.
bool PassesSignatureFilter(const RemedyRecord& record, std::string_view planet, std::string_view sign);

// One slot: EdP, EdD, EdE, EdF.
struct SignatureRow {
    std::string remedy;
    std::string primary;
    std::string secondary;
    std::string zodiacal;
    bool operator==(const SignatureRow&) const = default;
};
SignatureRow SignatureRowOf(const RemedyRecord& record);
// A hand-picked entry of the pick list: the first record (from 0) named so; none when no record is.
std::optional<SignatureRow> PickedSignatureRow(const ProgramFolder& folder, std::string_view name);

// The remedies of the pick list that pass the filter, in list order: entry i is tested on record
// firstRecords[i] when that record still carries its name (an entry without a record is passed
// over).
std::vector<SignatureRow> FindSignatureMatches(const std::vector<RemedyRecord>& records,
                                               const std::vector<std::string>& pickList,
                                               const std::vector<size_t>& firstRecords, std::string_view planet,
                                               std::string_view sign);
// Runs the search over the pick list and the record numbers of "FileDum\Prdts.dum" read alongside
// it (an entry without its line is passed over), rewrites "FileDum\Segnat.dum" and returns the
// number of remedies found.
size_t RunSignatureSearch(const ProgramFolder& folder, const std::vector<std::string>& pickList,
                          std::string_view planet, std::string_view sign);
// The rows of page p (lines 56(p-1)+1 ... 56p of Segnat.dum); lines missing at the end give empty
// boxes, so a page always has 14 rows.
std::vector<SignatureRow> ReadSignaturePage(const ProgramFolder& folder, int page);

// The page box of the results: pages = ceil(count / 14), 0 when nothing was found; the text shows
// page "/" pages ("1/0" for no result); red after a search that found more than 14, white once
// the forward arrow has been used.
class SignaturePages {
public:
    SignaturePages() = default;
    explicit SignaturePages(size_t count);
    size_t count() const noexcept { return count_; }
    int page() const noexcept { return page_; }
    int pageCount() const noexcept;
    bool red() const noexcept { return red_; }
    std::string Text() const;
    // Forward while below the last page, back while above 1; true when the page changed.
    bool Next();
    bool Previous();

private:
    size_t count_ = 0;
    int page_ = 1;
    bool red_ = false;
};

}  // namespace florimant
