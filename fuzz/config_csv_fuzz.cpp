// Parses arbitrary bytes as a config file and formats the result again;
// neither step may crash or read out of bounds.

#include <cstddef>
#include <cstdint>
#include <string>

#include "config/config_store.h"
#include "engine/foliage_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    FoliageEngine engine;
    ParseConfig(engine, text, size);
    (void)FormatConfig(engine);
    return 0;
}
