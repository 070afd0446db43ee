// Knowledge-base consultations and searches from the command line, with the answers the windows
// would show, as JSON. They read the databases and their support files and write nothing.
#include <optional>

#include "cli_command.hpp"
#include "common/trim.hpp"
#include "common/utf8.hpp"
#include "json.hpp"
#include "knowledge/catalogue.hpp"
#include "knowledge/query_consultation.hpp"
#include "knowledge/query_sources.hpp"
#include "knowledge/query_text.hpp"
#include "knowledge/search_remedy_pick_list.hpp"
#include "knowledge/search_remedy_text.hpp"
#include "knowledge/search_signature.hpp"
#include "knowledge/search_utility.hpp"
#include "knowledge/search_word_match.hpp"
#include "knowledge/support_files.hpp"

namespace florimant::cli {
namespace {

// The words after the command form one text, so that quoting is optional.
std::string TextArgument(const Arguments& args) {
    if (args.Positional().empty()) throw CommandError("manca il testo da cercare");
    std::string text;
    for (const std::string& word : args.Positional()) text += (text.empty() ? "" : " ") + word;
    return text;
}

// The pick-list entry the text names: the entry itself, else the one equal to it without regard to
// case, else (remedy list) the alias line whose plant part it is; the text unchanged otherwise.
std::string ResolveEntry(const ProgramFolder& folder, Consultation consultation, const std::string& text) {
    const std::vector<std::string> list = LoadConsultationPickList(folder, consultation);
    for (const std::string& entry : list)
        if (entry == text) return entry;
    const std::string folded = CatalogueFold(ToStored(text));
    for (const std::string& entry : list)
        if (CatalogueFold(ToStored(entry)) == folded) return entry;
    if (consultation == Consultation::Remedy) {
        for (const std::string& entry : list) {
            const std::string stored = ToStored(entry);
            if (stored.size() > kAliasWidth &&
                CatalogueFold(WithoutTrailingBlanks(stored.substr(0, kAliasWidth))) == folded)
                return entry;
        }
    }
    return text;
}

void WriteMatchSummary(JsonWriter& json, const MatchPages& pages) {
    json.Key("found").Int(static_cast<long long>(pages.found()));
    json.Key("shown").Int(static_cast<long long>(pages.records().size()));
    json.Key("pages").Int(pages.empty() ? 0 : pages.pageCount());
}

// Every page of the match list, slot by slot.
std::vector<std::pair<size_t, ConsultationSlot>> AllSlots(const ProgramFolder& folder, Consultation consultation,
                                                          MatchPages pages) {
    std::vector<std::pair<size_t, ConsultationSlot>> slots;
    for (int page = 1; page <= pages.pageCount(); ++page) {
        const std::vector<size_t> records = pages.PageRecords();
        const std::vector<ConsultationSlot> shown = PageSlots(folder, consultation, pages);
        for (size_t i = 0; i < shown.size(); ++i) slots.emplace_back(records[i], shown[i]);
        pages.NextPage();
    }
    return slots;
}

void RunSymptom(CommandContext& context, const Arguments& args) {
    const std::string symptom = ResolveEntry(context.folder, Consultation::Symptom, TextArgument(args));
    const MatchPages pages = FindSymptomMatches(context.folder, symptom);
    JsonWriter json(context.out);
    json.BeginObject().Key("symptom").String(symptom);
    WriteMatchSummary(json, pages);
    json.Key("remedies").BeginArray();
    for (const auto& [record, slot] : AllSlots(context.folder, Consultation::Symptom, pages)) {
        const RemedyRecord r = ReadRemedyRecord(context.folder, record);
        json.BeginObject();
        json.Key("record").Int(static_cast<long long>(record));
        json.Key("remedy").String(slot.remedy).Key("planets").String(slot.planets).Key("signs").String(slot.signs);
        json.Key("dosage").String(slot.detail);
        json.Key("warnings").String(SymptomSlotView(r, 0).text);
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Newline();
}

void RunRemedy(CommandContext& context, const Arguments& args) {
    const std::string entry = ResolveEntry(context.folder, Consultation::Remedy, TextArgument(args));
    const RemedySelection selection = SelectRemedy(context.folder, entry);
    JsonWriter json(context.out);
    json.BeginObject().Key("entry").String(entry).Key("remedy").String(selection.heading);
    json.Key("kind").String(selection.kind);
    json.Key("warnings").String(selection.warnings);
    json.Key("synthesis").String(selection.synthesis);
    json.Key("specificUse").Bool(selection.showSpecificUseNote);
    WriteMatchSummary(json, selection.matches);
    json.Key("indications").BeginArray();
    for (const auto& [record, slot] : AllSlots(context.folder, Consultation::Remedy, selection.matches)) {
        const RemedyRecord r = ReadRemedyRecord(context.folder, record);
        json.BeginObject();
        json.Key("record").Int(static_cast<long long>(record));
        json.Key("indication").String(slot.detail).Key("planets").String(slot.planets).Key("signs").String(slot.signs);
        json.Key("dosage").String(RemedySlotView(r, 0).text);
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Newline();
}

void RunTherapy(CommandContext& context, const Arguments& args) {
    const std::string pathology = ResolveEntry(context.folder, Consultation::Therapy, TextArgument(args));
    const MatchPages pages = FindTherapyMatches(context.folder, pathology);
    JsonWriter json(context.out);
    json.BeginObject().Key("pathology").String(pathology);
    WriteMatchSummary(json, pages);
    json.Key("remedies").BeginArray();
    for (const auto& [record, slot] : AllSlots(context.folder, Consultation::Therapy, pages)) {
        const SlotView notes = TherapyNotesView(context.folder, pathology, slot.remedy);
        const SlotView warnings = TherapyWarningsView(context.folder, slot.remedy);
        json.BeginObject();
        json.Key("record").Int(static_cast<long long>(record));
        json.Key("remedy").String(slot.remedy).Key("dosage").String(slot.detail);
        json.Key("notes").String(notes.text);
        json.Key("warningsLabel").String(warnings.label);
        json.Key("warnings").String(warnings.text);
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Newline();
}

// A choice of a radio group, given in any case.
template <size_t N>
std::string Choice(const Arguments& args, const std::string& option, const std::array<std::string_view, N>& choices) {
    const std::string given = args.Get(option, std::string(kAnyChoice));
    for (std::string_view c : choices)
        if (EqualsIgnoreCase(c, given)) return std::string(c);
    std::string list;
    for (std::string_view c : choices) list += (list.empty() ? "" : ", ") + std::string(c);
    throw CommandError("--" + option + " vuole uno di " + list + ", non \"" + given + "\"");
}

void RunSignature(CommandContext& context, const Arguments& args) {
    const std::string planet = Choice(args, "planet", kSignaturePlanetChoices);
    const std::string sign = Choice(args, "sign", kSignatureSignChoices);
    // The same search as the window, in memory: the command line leaves FileDum alone.
    const std::vector<RemedyRecord> records = RequireRemedyRecords(context.folder);
    const RemedyPickList list = BuildRemedyPickList(records);
    const std::vector<SignatureRow> rows = FindSignatureMatches(records, list.names, list.firstRecords, planet, sign);
    JsonWriter json(context.out);
    json.BeginObject().Key("planet").String(planet).Key("sign").String(sign);
    json.Key("count").Int(static_cast<long long>(rows.size()));
    json.Key("pages").Int(SignaturePages(rows.size()).pageCount());
    json.Key("remedies").BeginArray();
    for (const SignatureRow& row : rows) {
        json.BeginObject().Key("remedy").String(row.remedy).Key("primary").String(row.primary);
        json.Key("secondary").String(row.secondary).Key("zodiacal").String(row.zodiacal).EndObject();
    }
    json.EndArray().EndObject();
    json.Newline();
}

void RunTextSearch(CommandContext& context, const Arguments& args, RemedyTextSearch search) {
    const std::string word = TextArgument(args);
    const RemedyPickList list = BuildRemedyPickList(RequireRemedyRecords(context.folder));
    std::vector<std::string> found = FindRemediesContaining(context.folder, list.names, search, word);
    if (found.size() == 1 && found[0] == kNoSearchResult) found.clear();
    JsonWriter json(context.out);
    json.BeginObject().Key("word").String(word).Key("count").Int(static_cast<long long>(found.size()));
    json.Key("remedies").BeginArray();
    for (const std::string& name : found) {
        const std::optional<RemedyTextPanel> panel = ShowFoundRemedyText(context.folder, search, name, word);
        json.BeginObject().Key("remedy").String(name);
        json.Key("text").String(panel ? panel->text : std::string());
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Newline();
}

void RunSynthesis(CommandContext& context, const Arguments& args) {
    RunTextSearch(context, args, RemedyTextSearch::Synthesis);
}
void RunComposition(CommandContext& context, const Arguments& args) {
    RunTextSearch(context, args, RemedyTextSearch::Composition);
}

// The field by its button caption or its name without blanks and dots ("SintesiPsichica"),
// in any case.
size_t FieldOption(UtilityFile file, const std::string& given) {
    auto squeezed = [](std::string_view text) {
        std::string s;
        for (char c : text)
            if (c != ' ' && c != '.') s.push_back(c);
        return UpperCaseAscii(s);
    };
    static const std::vector<std::string> kDatabaseNames = {"Rimedio",
                                                            "Indicazioni",
                                                            "Posologia",
                                                            "Avvertenze",
                                                            "SegnaturaPrimaria",
                                                            "SegnaturaSecondaria",
                                                            "SegnaturaZodiacale",
                                                            "SintesiPsichica",
                                                            "Note",
                                                            "NoteSupplementari"};
    const auto fields = UtilityFields(file);
    std::string known;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string name = file == UtilityFile::Database ? kDatabaseNames[i] : std::string(fields[i].caption);
        if (squeezed(given) == squeezed(fields[i].caption) || squeezed(given) == squeezed(name)) return i;
        known += (known.empty() ? "" : ", ") + name;
    }
    throw CommandError("--field vuole uno di " + known + ", non \"" + given + "\"");
}

void RunFind(CommandContext& context, const Arguments& args) {
    const std::string fileName = args.Get("file");
    UtilityFile file = UtilityFile::Database;
    if (fileName == "repertory") file = UtilityFile::Repertory;
    else if (fileName != "db") throw CommandError("--file vuole db o repertory, non \"" + fileName + "\"");
    const size_t field = FieldOption(file, args.Get("field", "Rimedio"));
    const std::string phrase = TextArgument(args);
    JsonWriter json(context.out);
    json.BeginObject().Key("file").String(fileName).Key("field").String(UtilityFields(file)[field].caption);
    json.Key("phrase").String(phrase).Key("matches").BeginArray();
    for (const UtilityStep& step : FindAllUtilityMatches(context.folder, file, field, phrase)) {
        json.BeginObject().Key("record").Int(static_cast<long long>(step.record));
        json.Key("remedy").String(step.remedy).Key("length").String(step.lengthText);
        json.Key("before").String(step.before).Key("from").String(step.after).EndObject();
    }
    json.EndArray().EndObject();
    json.Newline();
}

const RegisterCommand kSymptom({"kb symptom", "kb symptom TESTO", {}, RunSymptom});
const RegisterCommand kRemedy({"kb remedy", "kb remedy TESTO", {}, RunRemedy});
const RegisterCommand kTherapy({"kb therapy", "kb therapy TESTO", {}, RunTherapy});
const RegisterCommand kSignature({"kb signature", "kb signature [--planet P] [--sign S]", {}, RunSignature});
const RegisterCommand kSynthesis({"kb synthesis", "kb synthesis PAROLA", {}, RunSynthesis});
const RegisterCommand kComposition({"kb composition", "kb composition PAROLA", {}, RunComposition});
const RegisterCommand kFind({"kb find", "kb find --file db|repertory --field CAMPO FRASE", {}, RunFind});

}  // namespace
}  // namespace florimant::cli
