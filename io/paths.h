#pragma once
// Every path the program builds goes through here, so that the separator is
// the platform's. Class names are still cut after the last "/" or "\".

#include <string>

namespace paths {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c);
// dir + separator + name; no separator is doubled, and an empty dir gives name.
std::string Join(const std::string& dir, const std::string& name);
// dir with exactly one trailing separator (empty stays empty).
std::string WithTrailingSeparator(const std::string& dir);
// The part after the last "/" or "\".
std::string LastComponent(const std::string& path);
// The part up to and including the last "/" or "\" (empty when there is none).
std::string DirectoryPart(const std::string& path);
// An output text is a full path when it holds ":" (a drive) or starts at a
// root: "/" on POSIX; "\" or "/" on Windows, which includes "\\server"
// shares. Anything else is a map name.
bool IsFullPath(const std::string& text);

}  // namespace paths
