#include "host/util/Text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

void FillUp(char* field, std::size_t width) {
    if (width == 0) {
        return;
    }
    const std::size_t textWidth = width - 1;
    const void* nul = std::memchr(field, '\0', textWidth);
    const std::size_t length = nul != nullptr
                                   ? static_cast<std::size_t>(static_cast<const char*>(nul) - field)
                                   : textWidth;
    std::memset(field + length, ' ', textWidth - length);
    field[textWidth] = '\0';
}

std::string FillUp(std::string_view text, std::size_t width) {
    if (width == 0) {
        return {};
    }
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    std::string field(width - 1, ' ');
    field.replace(0, std::min(text.size(), width - 1), text.substr(0, width - 1));
    field.push_back('\0');
    return field;
}

void CleanUp(char* text) {
    std::size_t length = std::strlen(text);
    while (length > 0 && text[length - 1] == ' ') {
        --length;
    }
    text[length] = '\0';
}

std::string CleanUp(std::string_view text) {
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(last == std::string_view::npos ? std::string_view{}
                                                      : text.substr(0, last + 1));
}

std::string PadTo(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::toupper(x) == std::toupper(y);
           });
}

const char* TranType(int code) {
    // Codes 11-18 follow the recurring entry kinds: a payment is 11 (bank), 13 (cash) or 17
    // (credit card) and the receipt one above it; a bank transfer is posted as 15 then 16.
    static constexpr std::array<const char*, 19> kTexts = {
        "",   "SI", "SC", "SR", "SA", "SD", "PI", "PC", "PP", "PA",
        "PD", "BP", "BR", "CP", "CR", "JD", "JC", "VP", "VR",
    };
    if (code < 1 || code >= static_cast<int>(kTexts.size())) {
        return "";
    }
    return kTexts[static_cast<std::size_t>(code)];
}
