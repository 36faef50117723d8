#pragma once
// Text crosses between the controls and the core as UTF-8 byte strings, in
// both directions, so a name typed in the window is the name on disk and
// comes back unchanged whatever the process locale.

#include <string>

#include <wx/string.h>

inline std::string ToNarrow(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

inline wxString FromNarrow(const std::string& text) {
    return wxString::FromUTF8(text.data(), text.size());
}
