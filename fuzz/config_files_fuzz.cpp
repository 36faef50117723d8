// Parses arbitrary bytes as config.csv, a map class file and a model class
// file (with the reports of what each leaves out or would refuse), and
// formats each result again; no step may crash or read out of
// bounds.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/data_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    Catalogue catalogue;
    ParseConfig(catalogue, text, size);
    std::vector<LineReport> reports;
    ParseModelClass(catalogue, "grass", text, size, &reports);
    ParseMapClass(catalogue, "grass", text, size, &reports);
    (void)FormatConfig(catalogue);
    (void)FormatMapClass(catalogue, "grass");
    (void)FormatModelClass(catalogue, "grass");
    return 0;
}
