#pragma once
// The texts arbrel-cli prints for the texture report and the dry run: an
// aligned table for reading, or CSV for spreadsheets and scripts.

#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "engine/map_statistics.h"

// withRules: a map class was given, so the "Rule" column is shown;
// withRemovals: its models have rules, so what each removed is shown.
std::string FormatTextureReport(const std::vector<TextureReportRow>& rows, bool withRules,
                                bool withRemovals, ReportFormat format);

std::string FormatDryRun(const DryRunStatistics& stats, std::uint64_t meshesRead, ReportFormat format);
