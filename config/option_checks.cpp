#include "config/option_checks.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <utility>

#include "config/option_fields.h"
#include "text/conversions.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

// For a number text: false when its value lies beyond the largest float,
// which the conversion would silently turn into that largest float.
bool FitsFloat(const std::string& text) {
    const float value = StringToFloat(text);
    if (value != FLT_MAX && value != -FLT_MAX) return true;
    std::size_t first = text.find_first_not_of(" \t+-");
    const std::size_t end = text.find_last_not_of(" \t") + 1;
    double wide = 0.0;
    const auto read = std::from_chars(text.data() + first, text.data() + end, wide,
                                      std::chars_format::general);
    return read.ec == std::errc() && std::fabs(wide) <= FLT_MAX;
}

std::string LowerFirst(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

// The syntax of one field's text: a flag 0 or 1, a number a float can keep.
// Empty when it passes; an optional field's blank text is emptied.
template <typename Record>
std::string CheckSyntax(const FieldRow<Record>& row, std::string& text) {
    const std::string name = row.Name();
    switch (row.Kind()) {
        case FieldKind::Flag:
            if (!IsNumberText(text) || (StringToFloat(text) != 0.0f && StringToFloat(text) != 1.0f))
                return name + " must be 0 or 1.";
            return std::string();
        case FieldKind::Rule:
        case FieldKind::WholeRule:
            if (IsBlank(text)) {
                text.clear();
                return std::string();
            }
            if (!IsNumberText(text))
                return name + (row.Kind() == FieldKind::Rule ? " must be a number, or empty for no rule."
                                                             : " must be a whole number, or empty for none.");
            break;
        case FieldKind::Number:
            if (!IsNumberText(text)) return name + " must be a number.";
            break;
        case FieldKind::Name:
        case FieldKind::Names:
            return std::string();
    }
    if (!FitsFloat(text)) return name + " must be from -3.40282e+38 to 3.40282e+38.";
    return std::string();
}

}  // namespace

template <typename Record>
std::string CheckOption(FieldTexts& texts) {
    const FieldTable<Record>& rows = Fields<Record>();
    texts.resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].Kind() != FieldKind::Name) continue;
        if (texts[i].empty()) return std::string(rows[i].Name()) + " is not set.";
        if (HasInvalidNameCharacter(texts[i]))
            return std::string(rows[i].Name()) +
                   " contains invalid characters (? , \\r \\n / \\ \" * : < > |).";
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string failure = CheckSyntax(rows[i], texts[i]);
        if (!failure.empty()) return failure;
    }
    // Reversed windows are exchanged; equal ends keep their own texts.
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (!rows[i].closesWindow || texts[i - 1].empty() || texts[i].empty()) continue;
        if (StringToFloat(texts[i]) < StringToFloat(texts[i - 1])) std::swap(texts[i - 1], texts[i]);
    }
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].setWithPrevious && texts[i - 1].empty() != texts[i].empty())
            return std::string(rows[i - 1].Name()) + " and " + LowerFirst(rows[i].Name()) +
                   " go together: set both, or leave both empty.";
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].check == nullptr || texts[i].empty()) continue;
        if (const char* failure = rows[i].check(StringToFloat(texts[i]))) return failure;
    }
    return std::string();
}

template std::string CheckOption<ModelOption>(FieldTexts&);
template std::string CheckOption<TextureOption>(FieldTexts&);

template <typename Record>
FieldTexts NewOptionTexts() {
    FieldTexts texts;
    for (const FieldRow<Record>& row : Fields<Record>()) texts.emplace_back(row.initial);
    return texts;
}

template <typename Record>
FieldTexts OptionTexts(const Record& record) {
    FieldTexts texts;
    for (const FieldRow<Record>& row : Fields<Record>()) texts.push_back(FieldText(row, record));
    return texts;
}

template FieldTexts NewOptionTexts<ModelOption>();
template FieldTexts NewOptionTexts<TextureOption>();
template FieldTexts OptionTexts(const ModelOption&);
template FieldTexts OptionTexts(const TextureOption&);

bool IsNumberText(const std::string& text) {
    std::size_t i = 0;
    const auto blanks = [&] { while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i; };
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        return i > start;
    };
    blanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool any = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        any = digits() || any;
    }
    if (!any) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!digits()) return false;
    }
    blanks();
    return i == text.size();
}

bool HasInvalidNameCharacter(const std::string& name) {
    return name.find_first_of("\n\r\"*,/:<>?\\|") != std::string::npos;
}
