#include "ui_logic/option_text.h"

#include "config/option_fields.h"

namespace {

// Cuts between two UTF-8 characters, so the list decodes what is left.
std::string Listed(std::string line) {
    if (line.size() <= kMaxListedTextSize) return line;
    std::size_t cut = kMaxListedTextSize;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    line.resize(cut);
    return line + "...";
}

}  // namespace

std::string TextureOptionText(const TextureOption& option) { return Listed(RecordLine(option)); }

std::string ModelOptionText(const ModelOption& option) { return Listed(RecordLine(option)); }
