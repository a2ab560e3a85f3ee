#include "model/Texts.h"

#include <atomic>

namespace kyr {

namespace {
std::atomic<std::uint8_t> currentLanguage{LangEnglish};
}

std::uint8_t language() { return currentLanguage.load(std::memory_order_relaxed); }

void setLanguage(std::uint8_t lang) { currentLanguage.store(lang, std::memory_order_relaxed); }

std::string_view tr(const Text3& text, std::uint8_t lang) {
    switch (lang) {
    case LangCzech: return text.cs;
    case LangGerman: return text.de;
    default: return text.en;
    }
}

std::string_view tr(const Text3& text) { return tr(text, language()); }

}  // namespace kyr
