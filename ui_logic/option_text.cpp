#include "ui_logic/option_text.h"

#include <optional>

#include "text/conversions.h"

namespace {

const char* Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

std::string TextureOptionText(const TextureOption& option) {
    std::string text = option.textureName;
    text += ',';
    text += Flag(option.useOpacity);
    text += ',';
    text += FloatToString(option.densityMultiplier);
    for (const std::string& name : option.modelClassNames) {
        text += ',';
        text += name;
    }
    return text;
}

std::string ModelOptionText(const ModelOption& option) {
    std::string text = option.modelName;
    for (const std::string& field :
         {FloatToString(option.densityMin), FloatToString(option.densityMax),
          std::string(Flag(option.evenlyDistributed)), std::string(Flag(option.surfaceAligned)),
          FloatToString(option.zOffset), FloatToString(option.opacityMin),
          FloatToString(option.opacityMax), FloatToString(option.scaleMin),
          FloatToString(option.scaleMax)}) {
        text += ',';
        text += field;
    }
    if (option.HasRules()) {
        for (const std::optional<float>& rule : {option.slopeMin, option.slopeMax, option.heightMin,
                                                 option.heightMax, option.spacingRadius}) {
            text += ',';
            if (rule) text += FloatToString(*rule);
        }
    }
    return text;
}
