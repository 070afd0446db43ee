#pragma once
#include <string>
#include <string_view>

#include "knowledge/remedy_record.hpp"

// Small UTF-8 text helpers of the knowledge-base queries. The record files keep Windows-1252
// bytes; the queries take and give UTF-8 and count characters as the files do (one byte each),
// with the character functions of common/utf8.hpp.
namespace florimant {

// Record bytes to display text and back.
std::string ToDisplay(std::string_view cp1252);
std::string ToStored(std::string_view utf8);
// The stored form of an edited multi-line text: lone line feeds become CR LF, as the files keep
// their line breaks.
std::string ToStoredMultiline(std::string_view utf8);

// True when the text has nothing left after TrimTrailingJunk.
bool EmptyAfterTrim(std::string_view utf8);

// A name carrying one of the markers "(1)" ... "(9)" of a specific use.
bool HasSpecificUseMarker(std::string_view name);
inline constexpr std::string_view kSpecificUseNote =
    "Il numero tra parentesi si riferisce ad un impiego specifico del Rimedio e NON ad una variante del Rimedio stesso";

// The remedy fields in the order the editor's boxes and the utility search's field buttons list them.
inline constexpr std::array<RemedyField, kRemedyFieldCount> kRemedyFormOrder = {
    RemedyField::Rimedio,
    RemedyField::Indicazioni,
    RemedyField::Posologia,
    RemedyField::Avvertenze,
    RemedyField::SegnaturaPrimaria,
    RemedyField::SegnaturaSecondaria,
    RemedyField::SegnaturaZodiacale,
    RemedyField::SintesiPsichica,
    RemedyField::Note,
    RemedyField::NoteSupplementari,
};

}  // namespace florimant
