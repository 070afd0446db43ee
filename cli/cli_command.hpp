#pragma once
#include <functional>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/program_folder.hpp"
#include "common/real.hpp"

// florimant-cli: every command is a function registered under its name from its own source file.
namespace florimant::cli {

// A usage error or a failed command: printed on one line on standard error, exit status 1.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The arguments after the command name. Options are "--name value" or "--name" alone (a flag);
// anything else is positional. An option given more than once keeps every value.
class Arguments {
public:
    Arguments(std::vector<std::string> raw, std::vector<std::string> flags);
    bool Has(const std::string& name) const;
    std::string Get(const std::string& name) const;  // CommandError when missing
    std::string Get(const std::string& name, const std::string& fallback) const;
    double GetNumber(const std::string& name) const;
    double GetNumber(const std::string& name, double fallback) const;
    std::vector<std::string> GetAll(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return positional_; }
    std::string Positional(size_t i) const;  // CommandError when missing

private:
    std::map<std::string, std::vector<std::string>> options_;
    std::vector<std::string> positional_;
};

struct CommandContext {
    ProgramFolder folder;
    std::ostream& out;
};

struct Command {
    std::string name;
    std::string usage;
    std::vector<std::string> flags;  // options that take no value
    std::function<void(CommandContext&, const Arguments&)> run;
};

std::map<std::string, Command>& Registry();

struct RegisterCommand {
    explicit RegisterCommand(Command command) { Registry()[command.name] = std::move(command); }
};

// A number given on the command line, "." or "," as decimal point: CommandError naming `what` when
// the text is not one number.
double ParseNumber(const std::string& text, const std::string& what);
// The same at the extended precision of the core.
Real ParseRealNumber(const std::string& text, const std::string& what);
// The number written by `count` digits at `at` of an argument: CommandError "`what` non valida"
// when they are not all there.
int DigitsArgument(const std::string& text, size_t at, size_t count, const std::string& what);

}  // namespace florimant::cli
