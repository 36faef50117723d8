#include "config/option_checks.h"

#include <utility>

#include "config/candidate_walk.h"
#include "text/conversions.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

}  // namespace

bool IsNumberText(const std::string& text) {
    std::size_t i = 0;
    const auto blanks = [&] { while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i; };
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        return i > start;
    };
    blanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool any = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        any = digits() || any;
    }
    if (!any) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!digits()) return false;
    }
    blanks();
    return i == text.size();
}

namespace {

// Puts the smaller number first; equal values stay as they are.
void OrderRange(std::string& minimum, std::string& maximum) {
    if (StringToFloat(maximum) < StringToFloat(minimum)) std::swap(minimum, maximum);
}

}  // namespace

bool HasInvalidNameCharacter(const std::string& name) {
    return name.find_first_of("\n\r\"*,/:<>?\\|") != std::string::npos;
}

namespace {

// The optional rules: each empty or a number; reversed windows exchanged.
std::string CheckRules(ModelOptionTexts& texts) {
    const struct {
        std::string& text;
        const char* name;
    } fields[] = {{texts.slopeMin, "Slope minimum"},
                  {texts.slopeMax, "Slope maximum"},
                  {texts.heightMin, "Height minimum"},
                  {texts.heightMax, "Height maximum"},
                  {texts.spacingRadius, "Spacing radius"}};
    for (const auto& field : fields) {
        if (IsBlank(field.text)) {
            field.text.clear();
        } else if (!IsNumberText(field.text)) {
            return std::string(field.name) + " must be a number, or empty for no rule.";
        }
    }
    if (!texts.slopeMin.empty() && !texts.slopeMax.empty()) OrderRange(texts.slopeMin, texts.slopeMax);
    if (!texts.heightMin.empty() && !texts.heightMax.empty()) OrderRange(texts.heightMin, texts.heightMax);
    for (const std::string* slope : {&texts.slopeMin, &texts.slopeMax}) {
        if (slope->empty()) continue;
        const float degrees = StringToFloat(*slope);
        if (degrees < 0.0f || degrees > 90.0f) return "Slope must be from 0 to 90 degrees.";
    }
    if (!texts.spacingRadius.empty() && StringToFloat(texts.spacingRadius) < 0.0f)
        return "Spacing radius must be higher than or equal to 0.";
    return std::string();
}

}  // namespace

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
    if (StringToFloat(texts.densityMax) > kMaxSensibleDensity)
        return "Density maximum must be lower than or equal to 1431008.";
    return CheckRules(texts);
}

std::string CheckTextureOption(const std::string& textureName, const std::string& multiplier) {
    if (textureName.empty()) return "Texture name is not set.";
    if (HasInvalidNameCharacter(textureName))
        return "Texture name contains invalid characters (? , \\r \\n / \\ \" * : < > |).";
    if (StringToFloat(multiplier) > kMaxSensibleDensity)
        return "Density multiplier must be lower than or equal to 1431008.";
    return std::string();
}
