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
    // The optional rules; an empty text leaves the rule unset.
    std::string slopeMin, slopeMax;
    std::string heightMin, heightMax;
    std::string spacingRadius;
};

// Whether the whole text reads as one decimal number (blanks around allowed).
bool IsNumberText(const std::string& text);

// Whether a model or texture name holds a character that would break a class
// file line or the written map (line breaks, quote, comma, path characters).
bool HasInvalidNameCharacter(const std::string& name);

// Exchanges the texts of each reversed range (density, opacity, scale), then
// returns the first failure message, or an empty text when all checks pass.
// The exchange stays even when a later check fails.
std::string CheckModelOption(ModelOptionTexts& texts);

// The texture option editor's check: the texture name, and a multiplier
// that could only give edges too long to walk.
std::string CheckTextureOption(const std::string& textureName, const std::string& multiplier = "1");
