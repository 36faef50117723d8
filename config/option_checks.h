#pragma once
// The checks an option editor makes when "Save" is pressed, and the loader
// makes on each class file line. They work on the field texts, so they can
// be tested without a window.

#include <string>
#include <vector>

// The texts of an option's fields, one per row of its record's table (see
// config/option_fields.h): a check box as "1" or "0", the model class list
// of a texture option as nothing.
using FieldTexts = std::vector<std::string>;

// The editor's texts for a new option.
template <typename Record>
FieldTexts NewOptionTexts();
// The texts of an option's fields as its class file line writes them.
template <typename Record>
FieldTexts OptionTexts(const Record& record);

// Whether the whole text reads as one decimal number (blanks around allowed).
bool IsNumberText(const std::string& text);

// Whether a model or texture name holds a character that would break a class
// file line or the written map (line breaks, quote, comma, path characters).
bool HasInvalidNameCharacter(const std::string& name);

// The checks in the order the user reads them: the name; then that each
// number field holds a number a float can keep (an optional one may be
// empty, and is then emptied of blanks); then the exchange of reversed
// windows, which stays even when a later check fails; then each field's own
// check. Returns the first failure message, or an empty text.
template <typename Record>
std::string CheckOption(FieldTexts& texts);
