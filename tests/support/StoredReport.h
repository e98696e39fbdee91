#pragma once
// Storing one report the way the program does with storing and the personal
// record switched on, for the tests and fuzz targets over stored archives.

#include "archive/BattleDatabase.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "writers/HtmlWriter.h"

#include <sstream>
#include <string>
#include <string_view>

namespace skarnwald::testing {

// One battle of two fleets, the first at the own coordinates 1.2.3.
inline constexpr std::string_view kStoredReport = "12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home\n"
                                                  "Agility 10 [100/100] Fighter (Wasp) from 4.5.6 Raider\n"
                                                  "Laser destroyed [3/50] Corvette (Tank) from 1.2.3 Keeper\n"
                                                  "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Keeper\n"
                                                  "Gun destroyed [4/100] Fighter (Wasp) from 4.5.6 Raider\n";

inline void StoreReport(const ConnectionPtr& connection, std::string_view report,
                        const std::string& ownCoords = "1.2.3") {
    CBattleDatabase database;
    database.SetConnection(connection);
    CReportConverter converter;
    converter.ownCoords = ownCoords;
    CStoringWriter storing(database, {1, 1, converter.ownCoords});
    converter.AddWriter(&storing);
    std::ostringstream page;
    ConvertToPage(converter, report, page);
}

} // namespace skarnwald::testing
