#include "cli/reports.h"

#include <algorithm>
#include <cstdio>

#include "cli/translation.h"

namespace {

using Table = std::vector<std::vector<std::string>>;

// Characters, not bytes: a translated heading may hold UTF-8 sequences.
std::size_t Width(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Columns padded to their widest cell; numbers (all columns but the first)
// are right-aligned.
std::string AlignedTable(const Table& table) {
    std::vector<std::size_t> widths;
    for (const auto& row : table) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Width(row[i]));
    }
    std::string text;
    for (const auto& row : table) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string pad(widths[i] - Width(row[i]), ' ');
            if (i > 0) line += "  ";
            line += i == 0 ? row[i] + pad : pad + row[i];
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        text += line + "\n";
    }
    return text;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Csv(const Table& table) {
    std::string text;
    for (const auto& row : table) {
        for (std::size_t i = 0; i < row.size(); ++i) text += (i > 0 ? "," : "") + CsvField(row[i]);
        text += "\n";
    }
    return text;
}

// Whether clusters or clearance removed anything: their columns are shown
// only then, so reports of classes without them stay as they were.
bool AnyClearing(const RuleRejections& removed) { return removed.cluster != 0 || removed.clearance != 0; }

std::string Area(double area) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", area);
    return text;
}

}  // namespace

std::string FormatTextureReport(const std::vector<TextureReportRow>& rows, bool withRules,
                                bool withRemovals, ReportFormat format) {
    const bool csv = format == ReportFormat::Csv;
    const bool withClearings = withRemovals && std::any_of(rows.begin(), rows.end(), [](const TextureReportRow& row) {
        return AnyClearing(row.removed);
    });
    Table table;
    // The table's headings are for reading and are translated; CSV keeps
    // fixed names for scripts.
    table.push_back({csv ? "texture" : _("Texture"), csv ? "meshes" : _("Meshes"), csv ? "cells" : _("Cells"),
                     csv ? "area" : _("Area (64x64)")});
    if (withRules) table.back().push_back(csv ? "rule" : _("Rule"));
    if (withRemovals) {
        const std::vector<std::string> headings =
            csv ? std::vector<std::string>{"removed_by_slope", "removed_by_height", "removed_by_spacing"}
                : std::vector<std::string>{_("Slope removed"), _("Height removed"), _("Spacing removed")};
        table.back().insert(table.back().end(), headings.begin(), headings.end());
    }
    if (withClearings) {
        const std::vector<std::string> headings =
            csv ? std::vector<std::string>{"removed_by_cluster", "removed_by_clearance"}
                : std::vector<std::string>{_("Cluster removed"), _("Clearance removed")};
        table.back().insert(table.back().end(), headings.begin(), headings.end());
    }
    for (const TextureReportRow& row : rows) {
        table.push_back({row.texture, std::to_string(row.meshes), std::to_string(row.cells), Area(row.area)});
        if (withRules) table.back().push_back(csv ? (row.hasRule ? "1" : "0") : (row.hasRule ? _("yes") : _("no")));
        if (withRemovals)
            for (std::uint64_t removed : {row.removed.slope, row.removed.height, row.removed.spacing})
                table.back().push_back(std::to_string(removed));
        if (withClearings)
            for (std::uint64_t removed : {row.removed.cluster, row.removed.clearance})
                table.back().push_back(std::to_string(removed));
    }
    return csv ? Csv(table) : AlignedTable(table);
}

std::string FormatDryRun(const DryRunStatistics& stats, std::uint64_t meshesRead, ReportFormat format) {
    bool withClearings = false;
    for (const auto& entry : stats.rejectionsPerTexture) withClearings = withClearings || AnyClearing(entry.second);
    if (format == ReportFormat::Csv) {
        Table table = {{"section", "name", "count"},
                       {"total", "meshes_read", std::to_string(meshesRead)},
                       {"total", "meshes_processed", std::to_string(stats.meshesProcessed)},
                       {"total", "models_placed", std::to_string(stats.modelsPlaced)},
                       {"total", "output_bytes", std::to_string(stats.outputSize)},
                       {"total", "misc_models_in_input", std::to_string(stats.budget.inInput)},
                       {"total", "marked_removed", std::to_string(stats.budget.removed)},
                       {"total", "misc_models_total", std::to_string(stats.budget.Total())},
                       {"total", "model_names", std::to_string(stats.budget.modelNames)}};
        for (const auto& entry : stats.modelsPerModel)
            table.push_back({"model", entry.first, std::to_string(entry.second)});
        for (const auto& entry : stats.modelsPerTexture)
            table.push_back({"texture", entry.first, std::to_string(entry.second)});
        for (const auto& [texture, removed] : stats.rejectionsPerTexture) {
            table.push_back({"removed_by_slope", texture, std::to_string(removed.slope)});
            table.push_back({"removed_by_height", texture, std::to_string(removed.height)});
            table.push_back({"removed_by_spacing", texture, std::to_string(removed.spacing)});
            if (!withClearings) continue;
            table.push_back({"removed_by_cluster", texture, std::to_string(removed.cluster)});
            table.push_back({"removed_by_clearance", texture, std::to_string(removed.clearance)});
        }
        return Csv(table);
    }
    std::string text = "Meshes read: " + std::to_string(meshesRead) +
                       "\nMeshes processed: " + std::to_string(stats.meshesProcessed) +
                       "\nModels placed: " + std::to_string(stats.modelsPlaced) +
                       "\n" + BudgetLine(stats.budget) +
                       "\nOutput size: " + std::to_string(stats.outputSize) + " bytes\n";
    Table models = {{_("Model"), _("Placed")}};
    for (const auto& entry : stats.modelsPerModel) models.push_back({entry.first, std::to_string(entry.second)});
    Table textures = {{_("Texture"), _("Placed")}};
    for (const auto& entry : stats.modelsPerTexture)
        textures.push_back({entry.first, std::to_string(entry.second)});
    text += "\n" + AlignedTable(models) + "\n" + AlignedTable(textures);
    if (stats.rejectionsPerTexture.empty()) return text;
    Table rules = {{"Removed by rule", "Slope", "Height", "Spacing"}};
    if (withClearings) rules.back().insert(rules.back().end(), {"Cluster", "Clearance"});
    for (const auto& [texture, removed] : stats.rejectionsPerTexture) {
        rules.push_back({texture, std::to_string(removed.slope), std::to_string(removed.height),
                         std::to_string(removed.spacing)});
        if (withClearings)
            rules.back().insert(rules.back().end(), {std::to_string(removed.cluster), std::to_string(removed.clearance)});
    }
    return text + "\n" + AlignedTable(rules);
}
