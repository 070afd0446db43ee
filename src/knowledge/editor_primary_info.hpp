#pragma once
#include <string>
#include <string_view>

#include "common/program_folder.hpp"

// The repertory editor's side panel "Informazioni dal Database Primario": what the primary
// database says about the entry's remedy.
namespace florimant {

struct PrimaryDatabaseInfo {
    bool found = false;          // false: the four panel buttons are disabled
    std::string missingMessage;  // in red: the name + " non è rintracciabile nel Database Primario."
    std::string warnings;        // "Avvertenze"
    std::string signatures;      // "Segnature Astrologiche": three lines
    std::string synthesis;       // "Sintesi Psichica"
    std::string notes;           // "Note": the three note pieces, one a line
};

// The first entry (records 1 .. N-1) whose name equals `remedy` with the letters a-z in upper case
// on both sides. A missing database finds nothing.
PrimaryDatabaseInfo LookUpPrimaryInfo(const ProgramFolder& folder, std::string_view remedy);

}  // namespace florimant
