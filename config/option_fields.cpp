#include "config/option_fields.h"

#include "config/candidate_walk.h"

#include <algorithm>
#include <utility>

#include "config/option_checks.h"
#include "config/translatable.h"
#include "text/conversions.h"

namespace {

using ModelRow = FieldRow<ModelOption>;
using TextureRow = FieldRow<TextureOption>;

const char* SlopeCheck(float degrees) {
    return degrees >= 0.0f && degrees <= 90.0f ? nullptr : "Slope must be from 0 to 90 degrees.";
}

}  // namespace

template <>
const FieldTable<ModelOption>& Fields<ModelOption>() {
    static const FieldTable<ModelOption> rows = {
        ModelRow(N_("Model name"), N_("Name of the model that is used"), "", &ModelOption::modelName)
            .Width(160),
        ModelRow(N_("Density minimum"), N_("Minimal average density of models per 64x64 units"),
                 N_("0.5"), &ModelOption::densityMin)
            .Taking(Taken::AtLeastZero)
            .Checked([](float v) { return v > 0.0f ? nullptr : "Density minimum must be higher than 0."; }),
        ModelRow(N_("Density maximum"), N_("Maximal average density of models per 64x64 units"),
                 N_("0.5"), &ModelOption::densityMax)
            .Taking(Taken::AtLeastZero)
            .ClosingWindow()
            .Checked([](float v) {
                return v <= kMaxSensibleDensity ? nullptr
                                                : "Density maximum must be lower than or equal to 1431008.";
            }),
        ModelRow(N_("Evenly distributed"), N_("Should models be distributed evenly over the surface?"),
                 "1", &ModelOption::evenlyDistributed),
        ModelRow(N_("Surface aligned"), N_("Should models be aligned along the surface?"), "1",
                 &ModelOption::surfaceAligned),
        ModelRow(N_("Z-offset"), N_("Z-axis offset from the surface"), N_("0"), &ModelOption::zOffset),
        ModelRow(N_("Opacity minimum"), N_("Minimal opacity a surface can have to apply models to"),
                 N_("0"), &ModelOption::opacityMin)
            .Taking(Taken::AtLeastZero)
            .Checked([](float v) {
                return v >= 0.0f ? nullptr : "Opacity minimum must be higher than or equal to 0.";
            }),
        ModelRow(N_("Opacity maximum"), N_("Maximal opacity a surface can have to apply models to"),
                 N_("256"), &ModelOption::opacityMax)
            .Taking(Taken::AtLeastZero)
            .ClosingWindow()
            .Checked([](float v) {
                return v <= 256.0f ? nullptr : "Opacity maximum must be lower than or equal to 256.";
            }),
        ModelRow(N_("Scale minimum"), N_("Minimal scale a model can have"), N_("0.5"),
                 &ModelOption::scaleMin)
            .Taking(Taken::AtLeastZero)
            .Checked([](float v) { return v > 0.0f ? nullptr : "Scale minimum must be higher than 0."; }),
        ModelRow(N_("Scale maximum"), N_("Maximal scale a model can have"), N_("2.0"),
                 &ModelOption::scaleMax)
            .Taking(Taken::AtLeastZero)
            .ClosingWindow(),
        // The optional rules, each off while its field is empty.
        ModelRow(N_("Slope minimum"),
                 N_("Smallest angle of the surface from horizontal, in degrees (0 to 90); empty for no limit"),
                 "", &ModelOption::slopeMin)
            .Taking(Taken::AtLeastZero)
            .Checked(SlopeCheck),
        ModelRow(N_("Slope maximum"),
                 N_("Largest angle of the surface from horizontal, in degrees (0 to 90), to keep models "
                    "off cliffs; empty for no limit"),
                 "", &ModelOption::slopeMax)
            .Taking(Taken::AtLeastZero)
            .ClosingWindow()
            .Checked(SlopeCheck),
        ModelRow(N_("Height minimum"), N_("Lowest Z of the surface a model stands on; empty for no limit"),
                 "", &ModelOption::heightMin),
        ModelRow(N_("Height maximum"), N_("Highest Z of the surface a model stands on; empty for no limit"),
                 "", &ModelOption::heightMax)
            .ClosingWindow(),
        ModelRow(N_("Spacing radius"),
                 N_("No model is placed closer than this (in X and Y) to a model already placed in the "
                    "run; empty for none"),
                 "", &ModelOption::spacingRadius)
            .Taking(Taken::AtLeastZero)
            .EndingGroup()
            .Checked([](float v) {
                return v >= 0.0f ? nullptr : "Spacing radius must be higher than or equal to 0.";
            }),
        ModelRow(N_("Cluster size"),
                 N_("Models grow in clusters of about this many units across, with Cluster cover; "
                    "empty for no clusters"),
                 "", &ModelOption::clusterSize)
            .Taking(Taken::WhenChecked)
            .Checked([](float v) { return v > 0.0f ? nullptr : "Cluster size must be higher than 0."; }),
        ModelRow(N_("Cluster cover"),
                 N_("Share of the ground the clusters cover, above 0 and at most 1 (0.3 is 30 %), with "
                    "Cluster size; empty for no clusters"),
                 "", &ModelOption::clusterCover)
            .Taking(Taken::WhenChecked)
            .SetWithPrevious()
            .Checked([](float v) {
                return v > 0.0f && v <= 1.0f
                           ? nullptr
                           : "Cluster cover must be higher than 0 and lower than or equal to 1.";
            }),
        ModelRow(N_("Clearance"),
                 N_("No model inside a solid brush, or with another surface above it within this many "
                    "units; empty for none"),
                 "", &ModelOption::clearance)
            .Taking(Taken::WhenChecked)
            .Checked([](float v) {
                return v >= 0.0f ? nullptr : "Clearance must be higher than or equal to 0.";
            }),
        ModelRow(N_("Spawnflags"),
                 N_("Written into each placed model (1 orients it by its level of detail, 2 turns its "
                    "shadow off, 4 its static shadow); empty for none"),
                 "", &ModelOption::spawnflags)
            .Taking(Taken::WhenChecked)
            .Checked([](float v) {
                return v >= 0.0f && v <= 7.0f && v == static_cast<float>(static_cast<int>(v))
                           ? nullptr
                           : "Spawnflags must be a whole number from 0 to 7.";
            })
            .Bits({{2, N_("No shadow"), N_("The model casts no shadow (spawnflag 2)")},
                   {4, N_("No static shadow"),
                    N_("The light compiler bakes no shadow of the model (spawnflag 4)")}}),
    };
    return rows;
}

template <>
const FieldTable<TextureOption>& Fields<TextureOption>() {
    static const FieldTable<TextureOption> rows = {
        TextureRow(N_("Texture name"), N_("Name of the texture that uses these settings"), "",
                   &TextureOption::textureName)
            .Width(160),
        TextureRow(N_("Use opacity"), N_("Should the texture's opacity be used to calculate the density?"),
                   "0", &TextureOption::useOpacity),
        // A line whose multiplier is 0 is not loaded (see the map class parser).
        TextureRow(N_("Density multiplyer"), N_("This multiplies the densities set per model"), N_("1.0"),
                   &TextureOption::densityMultiplier)
            .NamedInMessages("Density multiplier")
            .Width(144)
            .Checked([](float v) {
                if (v == 0.0f) return "Density multiplier must not be 0.";
                return v <= kMaxSensibleDensity
                           ? nullptr
                           : "Density multiplier must be lower than or equal to 1431008.";
            }),
        TextureRow(N_("Model configurations"), N_("Model configurations that will be used"), "",
                   &TextureOption::modelClassNames),
    };
    return rows;
}

namespace {

template <typename Record>
bool SameFields(const Record& a, const Record& b) {
    for (const FieldRow<Record>& row : Fields<Record>()) {
        const bool same = std::visit([&](auto member) { return a.*member == b.*member; }, row.member);
        if (!same) return false;
    }
    return true;
}

}  // namespace

bool ModelOption::operator==(const ModelOption& o) const { return SameFields(*this, o); }

bool TextureOption::operator==(const TextureOption& o) const { return SameFields(*this, o); }

template <typename Record>
bool IsFieldSet(const FieldRow<Record>& row, const Record& record) {
    if (const auto* rule = std::get_if<std::optional<float> Record::*>(&row.member))
        return (record.**rule).has_value();
    if (const auto* whole = std::get_if<std::optional<int> Record::*>(&row.member))
        return (record.**whole).has_value();
    return true;
}

template <typename Record>
std::string FieldText(const FieldRow<Record>& row, const Record& record) {
    struct Text {
        const Record& record;
        std::string operator()(std::string Record::*m) const { return record.*m; }
        std::string operator()(bool Record::*m) const { return record.*m ? "1" : "0"; }
        std::string operator()(float Record::*m) const { return FloatToString(record.*m); }
        std::string operator()(std::optional<float> Record::*m) const {
            return record.*m ? FloatToString(*(record.*m)) : std::string();
        }
        std::string operator()(std::optional<int> Record::*m) const {
            return record.*m ? std::to_string(*(record.*m)) : std::string();
        }
        std::string operator()(std::vector<std::string> Record::*m) const {
            std::string joined;
            for (const std::string& name : record.*m) joined += (joined.empty() ? "" : ",") + name;
            return joined;
        }
    };
    return std::visit(Text{record}, row.member);
}

namespace {

// Whether the loader takes this number for the row.
template <typename Record>
bool Takes(const FieldRow<Record>& row, float value) {
    switch (row.taken) {
        case Taken::AtLeastZero: return value >= 0.0f;
        case Taken::WhenChecked: return row.check == nullptr || row.check(value) == nullptr;
        case Taken::Always: break;
    }
    return value == value;  // never NaN (the text conversion gives none anyway)
}

template <typename Record>
void ReadField(const FieldRow<Record>& row, std::string_view text, Record& record) {
    if (const auto* name = std::get_if<std::string Record::*>(&row.member)) {
        record.**name = std::string(text);
    } else if (const auto* flag = std::get_if<bool Record::*>(&row.member)) {
        // "1" and "0" (as integers) are the only texts that change a flag.
        const std::int32_t value = StringToInt(text);
        if (value == 1) record.**flag = true;
        else if (value == 0) record.**flag = false;
    } else if (const auto* number = std::get_if<float Record::*>(&row.member)) {
        const float value = StringToFloat(text);
        if (Takes(row, value)) record.**number = value;
    } else if (const auto* rule = std::get_if<std::optional<float> Record::*>(&row.member)) {
        // Anything but a number, the empty field included, leaves the rule unset.
        if (!IsNumberText(std::string(text))) return;
        const float value = StringToFloat(text);
        if (Takes(row, value)) record.**rule = value;
    } else if (const auto* whole = std::get_if<std::optional<int> Record::*>(&row.member)) {
        if (!IsNumberText(std::string(text))) return;
        const float value = StringToFloat(text);
        if (Takes(row, value) && value > -2147483648.0f && value < 2147483648.0f)
            record.**whole = static_cast<int>(value);
    }
}

// Puts a window's ends in order; equal ends stay, an unset end orders nothing.
template <typename Record>
void OrderWindow(const FieldRow<Record>& low, const FieldRow<Record>& high, Record& record) {
    if (const auto* h = std::get_if<float Record::*>(&high.member)) {
        float& a = record.*std::get<float Record::*>(low.member);
        float& b = record.**h;
        if (a > b) std::swap(a, b);
    } else if (const auto* hr = std::get_if<std::optional<float> Record::*>(&high.member)) {
        std::optional<float>& a = record.*std::get<std::optional<float> Record::*>(low.member);
        std::optional<float>& b = record.**hr;
        if (a && b && *a > *b) std::swap(a, b);
    }
}

}  // namespace

template <typename Record>
Record RecordFromTexts(const std::vector<std::string_view>& texts) {
    Record record;
    const FieldTable<Record>& rows = Fields<Record>();
    for (std::size_t i = 0; i < rows.size() && i < texts.size(); ++i) {
        if (const auto* names = std::get_if<std::vector<std::string> Record::*>(&rows[i].member)) {
            for (std::size_t j = i; j < texts.size(); ++j) (record.**names).emplace_back(texts[j]);
            break;
        }
        ReadField(rows[i], texts[i], record);
        if (rows[i].closesWindow) OrderWindow(rows[i - 1], rows[i], record);
    }
    return record;
}

template <typename Record>
std::string RecordLine(const Record& record) {
    const FieldTable<Record>& rows = Fields<Record>();
    // The optional fields come last: through the last one set, and then at
    // least through the end of their group.
    std::size_t end = rows.size(), lastSet = 0, groupEnd = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].IsOptional()) continue;
        end = std::min(end, i);
        if (IsFieldSet(rows[i], record)) lastSet = i + 1;
        if (rows[i].endsGroup && groupEnd == 0) groupEnd = i + 1;
    }
    if (lastSet > 0) end = std::max(lastSet, groupEnd);
    std::string line;
    for (std::size_t i = 0; i < end; ++i) {
        if (const auto* names = std::get_if<std::vector<std::string> Record::*>(&rows[i].member)) {
            for (const std::string& name : record.**names) line += ',' + name;
            continue;
        }
        if (i > 0) line += ',';
        line += FieldText(rows[i], record);
    }
    return line;
}

template bool IsFieldSet(const FieldRow<ModelOption>&, const ModelOption&);
template bool IsFieldSet(const FieldRow<TextureOption>&, const TextureOption&);
template std::string FieldText(const FieldRow<ModelOption>&, const ModelOption&);
template std::string FieldText(const FieldRow<TextureOption>&, const TextureOption&);
template ModelOption RecordFromTexts(const std::vector<std::string_view>&);
template TextureOption RecordFromTexts(const std::vector<std::string_view>&);
template std::string RecordLine(const ModelOption&);
template std::string RecordLine(const TextureOption&);
