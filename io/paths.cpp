#include "io/paths.h"

namespace paths {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    return WithTrailingSeparator(dir) + name;
}

std::string WithTrailingSeparator(const std::string& dir) {
    if (dir.empty() || IsSeparator(dir.back())) return dir;
    return dir + kSeparator;
}

std::string LastComponent(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string DirectoryPart(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool IsFullPath(const std::string& text) {
    if (text.find(':') != std::string::npos) return true;
    if (text.empty()) return false;
#ifdef _WIN32
    // "\\nas\maps\x.map" (a network share) and "\maps\x.map" (the
    // current drive's root); Windows takes "/" for "\" as well.
    return IsSeparator(text[0]);
#else
    return text[0] == '/';
#endif
}

}  // namespace paths
