#include <filesystem>
#include <iostream>
#include <set>

#include "cli_command.hpp"
#include "common/data_file_error.hpp"
#include "common/number_text.hpp"

namespace florimant::cli {

std::map<std::string, Command>& Registry() {
    static std::map<std::string, Command> commands;
    return commands;
}

Arguments::Arguments(std::vector<std::string> raw, std::vector<std::string> flags) {
    std::set<std::string> flagSet(flags.begin(), flags.end());
    for (size_t i = 0; i < raw.size(); ++i) {
        const std::string& a = raw[i];
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::string name = a.substr(2);
            if (flagSet.count(name)) {
                options_[name].push_back("1");
            } else {
                if (i + 1 >= raw.size()) throw CommandError("manca il valore di --" + name);
                options_[name].push_back(raw[++i]);
            }
        } else {
            positional_.push_back(a);
        }
    }
}

bool Arguments::Has(const std::string& name) const { return options_.count(name) > 0; }

std::string Arguments::Get(const std::string& name) const {
    auto it = options_.find(name);
    if (it == options_.end()) throw CommandError("manca l'opzione --" + name);
    return it->second.back();
}

std::string Arguments::Get(const std::string& name, const std::string& fallback) const {
    return Has(name) ? Get(name) : fallback;
}

double Arguments::GetNumber(const std::string& name) const { return ParseNumber(Get(name), "--" + name); }

double Arguments::GetNumber(const std::string& name, double fallback) const {
    return Has(name) ? GetNumber(name) : fallback;
}

std::vector<std::string> Arguments::GetAll(const std::string& name) const {
    auto it = options_.find(name);
    return it == options_.end() ? std::vector<std::string>{} : it->second;
}

std::string Arguments::Positional(size_t i) const {
    if (i >= positional_.size()) throw CommandError("argomenti insufficienti");
    return positional_[i];
}

namespace {
// Blanks may stand before a number, as a shell word rarely carries them, but nothing after it.
constexpr NumberTextRules CommandLineNumber{.BlanksAfter = ""};
}  // namespace

double ParseNumber(const std::string& text, const std::string& what) {
    const std::optional<double> value = ParseWholeDouble(text, CommandLineNumber);
    if (!value) throw CommandError("valore non numerico per " + what + ": " + text);
    return *value;
}

Real ParseRealNumber(const std::string& text, const std::string& what) {
    ParseNumber(text, what);  // a number beyond the range of a double is refused as the others are
    return *ParseWholeReal(text, CommandLineNumber);
}

int DigitsArgument(const std::string& text, size_t at, size_t count, const std::string& what) {
    const std::optional<int> value = DigitsAt(text, at, count);
    if (!value) throw CommandError(what + " non valida: " + text);
    return *value;
}

}  // namespace florimant::cli

namespace {
void PrintUsage(std::ostream& out) {
    out << "uso: florimant-cli [--data CARTELLA] COMANDO [argomenti]\n\ncomandi:\n";
    for (const auto& [name, command] : florimant::cli::Registry()) out << "  " << command.usage << '\n';
}
}  // namespace

int main(int argc, char** argv) {
    using namespace florimant;
    using namespace florimant::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    std::filesystem::path data = std::filesystem::current_path();
    size_t i = 0;
    while (i < args.size() && args[i].rfind("--", 0) == 0) {
        if (args[i] == "--data" && i + 1 < args.size()) {
            data = args[i + 1];
            i += 2;
        } else if (args[i] == "--help") {
            PrintUsage(std::cout);
            return 0;
        } else {
            break;
        }
    }
    if (i >= args.size()) {
        PrintUsage(std::cerr);
        return 2;
    }
    // Commands with a subcommand register as "word sub" ("archive list"); try the longest name first.
    auto& registry = Registry();
    auto found = registry.end();
    size_t consumed = 1;
    if (i + 1 < args.size()) {
        found = registry.find(args[i] + " " + args[i + 1]);
        consumed = 2;
    }
    if (found == registry.end()) {
        found = registry.find(args[i]);
        consumed = 1;
    }
    if (found == registry.end()) {
        std::cerr << "florimant-cli: comando sconosciuto: " << args[i] << '\n';
        return 2;
    }
    try {
        Arguments arguments(std::vector<std::string>(args.begin() + static_cast<long>(i + consumed), args.end()),
                            found->second.flags);
        CommandContext context{ProgramFolder(data), std::cout};
        found->second.run(context, arguments);
        std::cout.flush();
        return 0;
    } catch (const DataFileError& e) {
        std::cerr << "florimant-cli: " << e.what() << '\n';
    } catch (const CommandError& e) {
        std::cerr << "florimant-cli: " << e.what() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "florimant-cli: errore: " << e.what() << '\n';
    }
    return 1;
}
