#include "ui_logic/class_names.h"

#include <cstring>

namespace {

// The comma breaks the CSV lines that hold class names, and a full stop
// gives a file name the start-up loader never loads again.
constexpr const char* kForbidden = "?/\\\"*:<>|,.";

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string CheckClassName(const std::string& name, const std::vector<std::string>& existingNames) {
    if (name.empty()) return "Name has no length.";
    for (char c : name)
        if (c != '\0' && std::strchr(kForbidden, c) != nullptr)
            return "Name contains invalid characters (? / \\ \" * : < > | , .).";
    for (const std::string& existing : existingNames)
        if (SameNameIgnoringCase(existing, name)) return "Name '" + name + "' already exists.";
    return std::string();
}
