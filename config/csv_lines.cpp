#include "config/csv_lines.h"

void SplitCsvFields(std::string_view line, CsvFields& fields) {
    fields.clear();
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    // Reaching here means the line is blank or ends with a comma, and neither
    // starts another field.
}

void ForEachCsvLine(std::string_view data, const std::function<void(const CsvFields&)>& onLine) {
    CsvFields fields;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = data.size();
        SplitCsvFields(data.substr(start, end - start), fields);
        if (!fields.empty()) onLine(fields);
        // Pass over one CR and then one LF, so CR LF counts as one line end.
        std::size_t next = end;
        if (next < data.size() && data[next] == '\r') ++next;
        if (next < data.size() && data[next] == '\n') ++next;
        start = next;
    }
}
