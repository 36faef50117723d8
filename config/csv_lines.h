#pragma once
// Splits the bytes of a configuration file into lines and fields. No quoting,
// no escaping and no trimming: a field is exactly the bytes between commas.
// A line ends at CR, LF or CR LF; two commas in a row make an empty field, a
// comma at the very end of a line starts no further field, and a blank line
// yields nothing.

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

using CsvFields = std::vector<std::string_view>;

// Splits one line (without its line end) into fields. A blank line gives none.
void SplitCsvFields(std::string_view line, CsvFields& fields);

// Calls onLine once per non-blank line, in file order. The views point into
// data and the vector is reused between calls.
void ForEachCsvLine(std::string_view data, const std::function<void(const CsvFields&)>& onLine);
