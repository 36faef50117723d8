#pragma once
// The checks the option editors make when "Save" is pressed. They work on
// the field texts, so they can be tested without a window.

#include <string>

// The texts of the model option editor's number fields and name.
struct ModelOptionTexts {
    std::string modelName;
    std::string densityMin, densityMax;
    std::string zOffset;
    std::string opacityMin, opacityMax;
    std::string scaleMin, scaleMax;
};

// Whether a model or texture name holds a character that would break a class
// file line or the written map (line breaks, quote, comma, path characters).
bool HasInvalidNameCharacter(const std::string& name);

// Exchanges the texts of each reversed range (density, opacity, scale), then
// returns the first failure message, or an empty text when all checks pass.
// The exchange stays even when a later check fails.
std::string CheckModelOption(ModelOptionTexts& texts);

// The texture option editor's check: only the texture name is examined.
std::string CheckTextureOption(const std::string& textureName);
