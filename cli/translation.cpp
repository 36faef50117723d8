#include "cli/translation.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "io/paths.h"
#include "io/platform.h"

namespace {

std::unordered_map<std::string, std::string> translations;

std::vector<unsigned char> ReadWhole(const std::string& path) {
    std::vector<unsigned char> bytes;
    std::FILE* file = platform::OpenFile(path, "rb");  // UTF-8 path, wide on Windows
    if (!file) return bytes;
    unsigned char block[65536];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;)
        bytes.insert(bytes.end(), block, block + n);
    std::fclose(file);
    return bytes;
}

// A GNU .mo file: a header of 32-bit words (magic, revision, count, offset of
// the originals' table, offset of the translations' table), each table a
// (length, offset) pair per string. False when the bytes are not one.
bool ParseMo(const std::vector<unsigned char>& mo) {
    if (mo.size() < 20) return false;
    bool swapped;
    auto word = [&](std::size_t at) -> std::uint64_t {
        if (at > mo.size() - 4) return UINT64_MAX;
        const unsigned char* b = mo.data() + at;
        return swapped ? (std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3])
                       : (std::uint32_t{b[3]} << 24 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[1]} << 8 | b[0]);
    };
    swapped = false;
    if (word(0) != 0x950412deu) {
        swapped = true;
        if (word(0) != 0x950412deu) return false;
    }
    const std::uint64_t count = word(8), originals = word(12), translated = word(16);
    auto text = [&](std::uint64_t table, std::uint64_t i, std::string& out) {
        const std::uint64_t length = word(table + 8 * i), offset = word(table + 8 * i + 4);
        if (length == UINT64_MAX || offset == UINT64_MAX || offset > mo.size() || length > mo.size() - offset)
            return false;
        out.assign(reinterpret_cast<const char*>(mo.data() + offset), length);
        return true;
    };
    for (std::uint64_t i = 0; i < count && i < mo.size(); ++i) {
        std::string original, translation;
        if (!text(originals, i, original) || !text(translated, i, translation)) return false;
        // The header entry has an empty original; plural forms are not used.
        if (!original.empty() && !translation.empty()) translations[original] = translation;
    }
    return true;
}

}  // namespace

void LoadTranslations() {
    const std::string language = platform::UserLanguage();  // "de_DE", "de" or empty
    const std::string executableDir = platform::ExecutableDirectory();
    if (language.empty() || executableDir.empty()) return;
    // Beside the executable (the portable folder), or the system's place
    // seen from /usr/lib/arbrel (the Debian package).
    const std::string roots[] = {paths::Join(executableDir, "locale"),
                                 paths::Join(executableDir, "../../share/locale")};
    const std::string languages[] = {language, language.substr(0, language.find('_'))};
    for (const std::string& lang : languages)
        for (const std::string& root : roots) {
            const std::string path = paths::Join(paths::Join(paths::Join(root, lang), "LC_MESSAGES"), "arbrel.mo");
            if (ParseMo(ReadWhole(path))) return;
            translations.clear();
        }
}

const char* _(const char* text) {
    if (translations.empty()) return text;
    const auto found = translations.find(text);
    return found == translations.end() ? text : found->second.c_str();
}
