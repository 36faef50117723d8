#pragma once
// The batch tool's texts in the user's language, from the window's compiled
// catalogue (locale/LANG/LC_MESSAGES/arbrel.mo beside the executable).

// Loads the catalogue of the language that LC_ALL, LC_MESSAGES or LANG
// names, if there is one; without it every text stays as written.
void LoadTranslations();
// The translation of a text marked with _(), or the text itself.
const char* _(const char* text);
