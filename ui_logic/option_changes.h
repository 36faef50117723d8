#pragma once
// A change to the options of one class, as the class tabs make it: it lands
// in the catalogue and in the class file together, or not at all, so the
// list the user sees, the catalogue and the file always agree.

#include <cstddef>
#include <string>

#include "config/catalogue.h"

enum class OptionChange {
    Add,      // `option` goes to the end of the class
    Replace,  // the option at `row` goes, `option` is added at the end
    Remove,   // the option at `row` goes
};

// Makes the change (find-or-insert on the class), then writes
// classDirectory/className.csv. When the file cannot be written the class is
// restored and the message returned: "Could not save '<path>'." and the
// system's reason on the next line. Empty on success. A row the class does
// not hold changes nothing and returns empty.
std::string ChangeTextureOptions(Catalogue& catalogue, const std::string& classDirectory,
                                 const std::string& className, OptionChange change,
                                 std::size_t row, const TextureOption& option = TextureOption());
std::string ChangeModelOptions(Catalogue& catalogue, const std::string& classDirectory,
                               const std::string& className, OptionChange change, std::size_t row,
                               const ModelOption& option = ModelOption());
