#include "ui_logic/option_changes.h"

#include <vector>

#include "config/data_files.h"
#include "ui_logic/class_file_ops.h"

namespace {

template <class Option, class Save>
std::string ChangeOptions(std::vector<Option>& options, const std::string& classDirectory,
                          const std::string& className, OptionChange change, std::size_t row,
                          const Option& option, Save save) {
    if (change != OptionChange::Add && row >= options.size()) return std::string();
    const std::vector<Option> before = options;
    if (change != OptionChange::Add) options.erase(options.begin() + row);
    if (change != OptionChange::Remove) options.push_back(option);
    std::string error;
    if (save(error)) return std::string();
    options = before;
    return "Could not save '" + ClassFilePath(classDirectory, className) + "'.\n" + error;
}

}  // namespace

std::string ChangeTextureOptions(Catalogue& catalogue, const std::string& classDirectory,
                                 const std::string& className, OptionChange change,
                                 std::size_t row, const TextureOption& option) {
    return ChangeOptions(catalogue.mapClasses[className], classDirectory, className, change, row,
                         option, [&](std::string& error) {
                             return SaveMapClassFile(catalogue, classDirectory, className, error);
                         });
}

std::string ChangeModelOptions(Catalogue& catalogue, const std::string& classDirectory,
                               const std::string& className, OptionChange change, std::size_t row,
                               const ModelOption& option) {
    return ChangeOptions(catalogue.modelClasses[className], classDirectory, className, change, row,
                         option, [&](std::string& error) {
                             return SaveModelClassFile(catalogue, classDirectory, className, error);
                         });
}
