// Knowledge-base files from the command line: rebuild the derived files, and move the three
// databases to and from CSV so they can be kept in a spreadsheet.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli_command.hpp"
#include "common/file_io.hpp"
#include "json.hpp"
#include "knowledge/csv_io.hpp"
#include "knowledge/plant_support_files.hpp"
#include "knowledge/support_files.hpp"

namespace florimant::cli {
namespace {

KnowledgeFile FileOption(const Arguments& args) {
    KnowledgeFile file;
    const std::string name = args.Get("file");
    if (!ParseKnowledgeFile(name, file))
        throw CommandError("--file vuole db, repertory o plants, non \"" + name + "\"");
    return file;
}

void RunRebuild(CommandContext& context, const Arguments& args) {
    // Without --file the databases present are rebuilt; a named one must exist.
    std::vector<KnowledgeFile> files;
    if (args.Has("file")) {
        files = {FileOption(args)};
    } else {
        for (KnowledgeFile file : {KnowledgeFile::Database, KnowledgeFile::Repertory, KnowledgeFile::Plants})
            if (context.folder.Exists(KnowledgeFilePath(file))) files.push_back(file);
        if (files.empty())
            throw CommandError("nessun database della conoscenza nella cartella " + context.folder.root().string());
    }
    JsonWriter json(context.out);
    json.BeginObject().Key("rebuilt").BeginArray();
    for (KnowledgeFile file : files) {
        switch (file) {
        case KnowledgeFile::Database:
            RebuildSupportFiles(context.folder);
            json.String("db");
            break;
        case KnowledgeFile::Repertory:
            RebuildPathologyList(context.folder);
            json.String("repertory");
            break;
        case KnowledgeFile::Plants:
            RebuildPlantSupportFiles(context.folder);
            json.String("plants");
            break;
        }
    }
    json.EndArray().EndObject();
    json.Newline();
}

void RunExport(CommandContext& context, const Arguments& args) {
    const KnowledgeFile file = FileOption(args);
    const std::string target = args.Positional(0);
    ReplaceFile(std::filesystem::path(target), ExportKnowledgeCsv(context.folder, file));
}

void RunImport(CommandContext& context, const Arguments& args) {
    const KnowledgeFile file = FileOption(args);
    const std::string source = args.Positional(0);
    std::ifstream in(source, std::ios::binary);
    if (!in) throw CommandError("impossibile leggere " + source);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t count =
        ImportKnowledgeCsv(context.folder, file, text, std::filesystem::path(source).filename().string());
    JsonWriter json(context.out);
    json.BeginObject()
        .Key("file")
        .String(std::string(KnowledgeFilePath(file)))
        .Key("records")
        .Int(static_cast<long long>(count));
    json.EndObject();
    json.Newline();
}

const RegisterCommand kRebuild({"kb rebuild", "kb rebuild [--file db|repertory|plants]", {}, RunRebuild});
const RegisterCommand kExport({"kb export", "kb export --file db|repertory|plants FILE.csv", {}, RunExport});
const RegisterCommand kImport({"kb import", "kb import --file db|repertory|plants FILE.csv", {}, RunImport});

}  // namespace
}  // namespace florimant::cli
