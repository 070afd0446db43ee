#include "knowledge/query_signature_popup.hpp"

#include <algorithm>

#include "common/utf8.hpp"

namespace florimant {

std::vector<std::string> SignaturePopupWords(std::string_view text, bool markPrimary) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '-') {
            words.push_back(word);
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) words.push_back(word);

    const auto dashes = static_cast<size_t>(std::count(text.begin(), text.end(), '-'));
    if (words.size() > kSignaturePopupMaxWords) words.resize(kSignaturePopupMaxWords);
    for (size_t i = 0; i < words.size(); ++i) {
        words[i] = FirstCharacters(words[i], kSignaturePopupMaxWordLength);
        if (markPrimary && i <= dashes) words[i] = "§ " + words[i];
    }
    return words;
}

}  // namespace florimant
