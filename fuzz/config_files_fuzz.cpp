// Parses arbitrary bytes as config.csv, a map class file and a model class
// file, and formats each result again; no step may crash or read out of
// bounds.

#include <cstddef>
#include <cstdint>

#include "config/data_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    Catalogue catalogue;
    ParseConfig(catalogue, text, size);
    ParseMapClass(catalogue, "grass", text, size);
    ParseModelClass(catalogue, "grass", text, size);
    (void)FormatConfig(catalogue);
    (void)FormatMapClass(catalogue, "grass");
    (void)FormatModelClass(catalogue, "grass");
    return 0;
}
