#include "knowledge/editor_primary_info.hpp"

#include "common/utf8.hpp"
#include "knowledge/query_text.hpp"
#include "knowledge/remedy_record.hpp"

namespace florimant {

namespace {
constexpr std::string_view kLineBreak = "\r\n";

std::string Piece(const RemedyRecord& record, RemedyField field, size_t piece = 0) {
    return ToDisplay(record.pieces[RemedyFieldFirstPiece(field) + piece]);
}
std::string Whole(const RemedyRecord& record, RemedyField field) { return ToDisplay(JoinRemedyField(record, field)); }

std::string ThreeLines(const std::string& a, const std::string& b, const std::string& c) {
    return a + std::string(kLineBreak) + b + std::string(kLineBreak) + c;
}
}  // namespace

PrimaryDatabaseInfo LookUpPrimaryInfo(const ProgramFolder& folder, std::string_view remedy) {
    PrimaryDatabaseInfo info;
    const std::string wanted = UpperCaseAscii(ToStored(remedy));
    const std::vector<RemedyRecord> records = ReadAllRemedyRecords(folder);
    for (size_t k = 1; k < records.size(); ++k) {
        const RemedyRecord& r = records[k];
        if (UpperCaseAscii(JoinRemedyField(r, RemedyField::Rimedio)) != wanted) continue;
        info.found = true;
        info.warnings = EmptyAfterTrim(Piece(r, RemedyField::Avvertenze)) ? "Nessuna Avvertenza Registrata"
                                                                          : Whole(r, RemedyField::Avvertenze);
        const std::string primary = Whole(r, RemedyField::SegnaturaPrimaria);
        const std::string secondary = Whole(r, RemedyField::SegnaturaSecondaria);
        const std::string zodiacal = Whole(r, RemedyField::SegnaturaZodiacale);
        info.signatures = EmptyAfterTrim(primary) && EmptyAfterTrim(secondary) && EmptyAfterTrim(zodiacal)
                              ? "Nessuna Segnatura Astrologica"
                              : ThreeLines(primary, secondary, zodiacal);
        info.synthesis = EmptyAfterTrim(Piece(r, RemedyField::SintesiPsichica))
                             ? "Nessuna Sintesi Psichica Registrata"
                             : Whole(r, RemedyField::SintesiPsichica);
        const std::string n1 = Piece(r, RemedyField::Note, 0);
        const std::string n2 = Piece(r, RemedyField::Note, 1);
        const std::string n3 = Piece(r, RemedyField::Note, 2);
        info.notes = EmptyAfterTrim(n1) && EmptyAfterTrim(n2) && EmptyAfterTrim(n3) ? "Nessuna Nota Registrata"
                                                                                    : ThreeLines(n1, n2, n3);
        return info;
    }
    info.missingMessage = std::string(remedy) + " non è rintracciabile nel Database Primario.";
    return info;
}

}  // namespace florimant
