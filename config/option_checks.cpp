#include "config/option_checks.h"

#include <utility>

#include "config/conversions.h"

namespace {

// Puts the smaller number first; equal values stay as they are.
void OrderRange(std::string& minimum, std::string& maximum) {
    if (StringToFloat(maximum) < StringToFloat(minimum)) std::swap(minimum, maximum);
}

}  // namespace

bool HasInvalidNameCharacter(const std::string& name) {
    return name.find_first_of("\n\r\"*,/:<>?\\|") != std::string::npos;
}

std::string CheckModelOption(ModelOptionTexts& texts) {
    if (texts.modelName.empty()) return "Model name is not set.";
    if (HasInvalidNameCharacter(texts.modelName))
        return "Model name contains invalid characters (? , \\r \\n / \\ \" * : < > |).";
    OrderRange(texts.densityMin, texts.densityMax);
    OrderRange(texts.opacityMin, texts.opacityMax);
    OrderRange(texts.scaleMin, texts.scaleMax);
    if (!(StringToFloat(texts.densityMin) > 0.0f)) return "Density minimum must be higher than 0.";
    if (StringToFloat(texts.opacityMin) < 0.0f)
        return "Opacity minimum must be higher than or equal to 0.";
    if (StringToFloat(texts.opacityMax) > 256.0f)
        return "Opacity maximum must be lower than or equal to 256.";
    if (!(StringToFloat(texts.scaleMin) > 0.0f)) return "Scale minimum must be higher than 0.";
    return std::string();
}

std::string CheckTextureOption(const std::string& textureName) {
    if (textureName.empty()) return "Texture name is not set.";
    if (HasInvalidNameCharacter(textureName))
        return "Texture name contains invalid characters (? , \\r \\n / \\ \" * : < > |).";
    return std::string();
}
