#pragma once
// The fixed HTML fragments of the pages, byte for byte. Report text is placed
// between them (escaped); nothing else is added.

#include "text/TextRules.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace skarnwald::html {

// Page frame. Pages hold UTF-8 and say so, so browsers need not guess.
inline constexpr std::string_view kPageStart =
    "<html><head><meta charset='utf-8'></head><body bgcolor='#000000'><font color='#00ff00'>";
inline constexpr std::string_view kTableStart =
    "<table cellSpacing='0' cellPadding='1' align='center' border='0'>";
inline constexpr std::string_view kTableEnd = "</table>";
inline constexpr std::string_view kPageEnd = "</font></body></html>";
inline constexpr std::string_view kSummaryEnd = "</body></html>";

// Battle header rows. The blank line above each header is a row of its own:
// a paragraph inside the table would be moved above it by every browser.
inline constexpr std::string_view kHeaderStart =
    "<tr><td colSpan='10'>&nbsp;</td></tr><tr><td align='left' bgColor='#000000' colSpan='2'>";
inline constexpr std::string_view kHeaderDateOpen = "<font color='#cccccc' size='2'>";
inline constexpr std::string_view kHeaderDateClose = "</font></td>";
inline constexpr std::string_view kHeaderTitleOpen =
    "<th bgColor='black' colSpan='7'><font color='white' size='2'> ";
inline constexpr std::string_view kHeaderTitleClose =
    "</font></th><th bgColor='#000000'><font size='2'>&nbsp;</font></th></tr><tr><td colSpan='10'><font "
    "size='2'>&nbsp;</font></td></tr>";

// Fleet rows, by side: defending (green), attacking (red), unknown (blue).
inline constexpr std::string_view kFleetRowDefending =
    "<tr style='COLOR: #00ff00; BACKGROUND-COLOR: #4d4d4d'><td align='middle' width='75'><font size='2'>";
inline constexpr std::string_view kFleetRowAttacking =
    "<tr style='COLOR: #ff0000; BACKGROUND-COLOR: #4d4d4d'><td align='middle' width='75'><font size='2'>";
inline constexpr std::string_view kFleetRowNoSide =
    "<tr style='COLOR: #0000FF; BACKGROUND-COLOR: #4d4d4d'><td align='middle' width='75'><font size='2'>";
// The opener of a fleet row for its side as stored in Kampftyp: 1 defending,
// 0 attacking, anything else unknown.
constexpr std::string_view FleetRowStart(std::int32_t kampftyp) {
    return kampftyp == 1 ? kFleetRowDefending : kampftyp == 0 ? kFleetRowAttacking : kFleetRowNoSide;
}
inline constexpr std::string_view kFleetEmptyCells =
    "</font></td><td align='middle' width='60'>&nbsp;</td><td width='75'>&nbsp;</td>";
inline constexpr std::string_view kFleetRowEnd = "</font></tr>";

// Cells shared by fleet and combat rows.
inline constexpr std::string_view kCellClose = "</font></td>";
inline constexpr std::string_view kCell80 = "<td align='middle' width='80'><font size='2'>";
inline constexpr std::string_view kCell50 = "<td align='middle' width='50'><font size='2'>";
inline constexpr std::string_view kCell40 = "<td align='middle' width='40'><font size='2'>";
inline constexpr std::string_view kCell60 = "<td align='middle' width='60'><font size='2'>";
inline constexpr std::string_view kCell150 = "<td align='middle' width='150'><font size='2'>";
inline constexpr std::string_view kFromCell = "<td align='middle' width='40'><font size='2'>from</font></td>";

// A cell opened by `open` that holds `text`, escaped.
inline void AppendCell(std::string& row, std::string_view open, std::string_view text) {
    row += open;
    AppendEscaped(row, text);
    row += kCellClose;
}

// Coordinates cells of a stored battle's page: a fleet row shows "[ x.y.z]",
// a combat row "[x.y.z]".
inline constexpr std::string_view kStoredFleetCoordsOpen = "[ ";
inline constexpr std::string_view kStoredHitCoordsOpen = "[";
inline constexpr std::string_view kStoredCoordsClose = "]";

// Combat rows with "lamed" or "destroyed".
inline constexpr std::string_view kHitRowStart = "<tr style='color: white; background-color: #000000'><font "
                                                 "color='#00ff00'><td colSpan='2'><font size='2'>";
inline constexpr std::string_view kLamedCell = "<td><font color='#dadafe' size='2'>lamed</font></td>";
inline constexpr std::string_view kDestroyedCell = "<td><font color='#ffded9' size='2'>destroyed</font></td>";
inline constexpr std::string_view kLamedFirstNumber = "[ <FONT color=#8282fd> ";
inline constexpr std::string_view kLamedSecondNumber = " / <FONT color=#029860> ";
inline constexpr std::string_view kDestroyedFirstNumber = "[ <FONT color=#ff0000> ";
inline constexpr std::string_view kNumberFontClose = " </FONT>";
inline constexpr std::string_view kLastNumberOpen = " / ";
inline constexpr std::string_view kLastNumberClose = " ]";
inline constexpr std::string_view kHitRowEnd = "</font></td></tr>";

// Combat rows without losses: "causes" and "attempt".
inline constexpr std::string_view kNoLossRowStart =
    "<tr style='background-color: black' width='600'><td style='color: white' colSpan='2'><font size='2'>";
inline constexpr std::string_view kCausesCells =
    "</font></td><td><font color='yellow' size='2'>causes</font></td><td><font color='white' size='2'>";
inline constexpr std::string_view kCausesRowEnd =
    "</font></td><td style='color: white' align='left' colSpan='3'><font size='2'>&nbsp;&nbsp;&nbsp; but no "
    "ships were taken down</font></td><td colSpan='3'>&nbsp;</td></tr>";
inline constexpr std::string_view kAttemptCells =
    "</font></td><td><font color='yellow' size='2'>attempt</font></td><td><font color='white' size='2'>";
inline constexpr std::string_view kAttemptRowEnd =
    "</font></td><td style='color: white' align='left' colSpan='3'><font size='2'>&nbsp;&nbsp;&nbsp;but none "
    "succeeded</font></td><td colSpan='3'>&nbsp;</td></tr>";

// Roid-capture and salvage rows.
inline constexpr std::string_view kRoidCaptureRowStart =
    "<tr style='color: yellow; background-color: #3c4d3c'><td align='middle' colSpan='3'><font "
    "size='2'>Roid-Capture :</font></td><td align='middle' colSpan='7'><font size='2'>";
inline constexpr std::string_view kSalvageRowStart =
    "<tr style='color: yellow; background-color: #3c4d3c'><td align='middle' colSpan='3'><font "
    "size='2'>SALVAGE-END-REPORT :</font></td><td align='middle' colSpan='7'><font size='2'>";
inline constexpr std::string_view kYellowRowEnd = "</font></td></tr>";

// Summary tables.
inline constexpr std::string_view kFleetTableGap = "<p></p><p></p>";
inline constexpr std::string_view kSideTablesGap = "<p></p><p></p><p></p><p></p>";
inline constexpr std::string_view kSummaryTableStart =
    "<table border='1' cellpadding='0' cellspacing='0' style='border-collapse: collapse' align='center' "
    "id='AutoNumber1'><tr style='color: #ff0000; background-color: ";
inline constexpr std::string_view kDefendingBackground = "#00BF00";
inline constexpr std::string_view kAttackingBackground = "#DF0000";
inline constexpr std::string_view kNoSideBackground = "#4d4d4d";
inline constexpr std::string_view kDefendingHeadingColour = "#000000";
inline constexpr std::string_view kOtherHeadingColour = "#FFFFFF";
inline constexpr std::string_view kHeadingRowOpen = "'>";
inline constexpr std::string_view kTitleCellOpen = "<td width='135' align='center'><font color='";
inline constexpr std::string_view kClassHeadingOpen = "<td width='60' align='center'><font color='";
inline constexpr std::string_view kHeadingSize = "' size=2>";
inline constexpr std::string_view kHeadingRowEnd = "</tr>";
inline constexpr std::string_view kValueRowStart = "<tr style='color: white; background-color: #000000'>";
inline constexpr std::string_view kSumCellOpen =
    "<td width='60' align='center'><font color='#ffffff' size='2'>";
inline constexpr std::string_view kValueRowEnd = "</font></td></tr>";
inline constexpr std::string_view kSummaryTableEnd = "</table><p></p>";

// The five value rows of a summary table: label-cell and value-cell openers,
// each closed by kCellClose. The lamed and destroyed rows carry the report's
// own words as their labels; the others are labelled in the reader's language.
struct ValueRowStyle {
    std::string_view labelCellOpen;
    std::string_view valueCellOpen;
};
inline constexpr ValueRowStyle kTotalRow = {"<td width='135' align='center'><font color='#00ff00' size='2'>",
                                            "<td width='60' align='center'><font color='#00ff00' size='2'>"};
inline constexpr ValueRowStyle kLamedRow = {"<td width='135' align='center'><font color='#dadafe' size='2'>",
                                            "<td width='60' align='center'><font color='#dadafe' size='2'>"};
inline constexpr ValueRowStyle kDestroyedRow = {
    "<td width='135' align='center'><font color='#ffded9' size='2'>",
    "<td width='60' align='center'><font color='#ffded9' size='2'>"};
inline constexpr ValueRowStyle kLossesRow = {"<td width='135' align='center'><font color='#ff0000' size='2'>",
                                             "<td width='60' align='center'><font color='#ff0000' size='2'>"};
inline constexpr ValueRowStyle kRestRow = {"<td width='135' align='center'><font color='#ffffff' size='2'>",
                                           "<td width='60' align='center'><font color='#ffffff' size='2'>"};
inline constexpr std::string_view kLamedLabel = "lamed";
inline constexpr std::string_view kDestroyedLabel = "destroyed";

} // namespace skarnwald::html
