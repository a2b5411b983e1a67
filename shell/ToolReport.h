#pragma once
// The status bar's words for what the map view says about a draft being
// drawn, or about the tiles a stroke or a draft left unbuilt.
#include <QString>
#include <string>

#include "datafiles/ExtraTexts.h"
#include "view/Draft.h"

class TSpeedButton;

// The text in the current language, Windows-1252; empty for a report that
// hands the status bar back to the tool's hint.
std::string ToolReportText(const TExtraTexts& texts, const TToolReport& report);

// What the status bar shows for the report: its text, or for Hint the hint
// of the palette's tool button that is down (`picked`), empty when none is.
QString ToolReportStatus(const TExtraTexts& texts, const TToolReport& report, const TSpeedButton* picked);
