#include "archive/PersonalRecord.h"

#include "archive/Query.h"
#include "text/TextRules.h"

#include <array>
#include <charconv>

namespace skarnwald {

namespace {

std::string Ratio(std::string_view dividend, std::string_view divisor) {
    if (Atoi(divisor) == 0)
        return {};
    return FixedTwoDecimals(DecimalValue(dividend) / DecimalValue(divisor));
}

std::string ReadClassRow(const CStatement& row, PerClass<std::string>& values) {
    std::int32_t total = 0;
    for (int k = 0; k < kShipClassCount; ++k) {
        values[k] = row.ReadField(kPersStatColumns[k], DateStyle::DateTime);
        total = WrapAdd(total, Atoi(values[k]));
    }
    return IntText(total);
}

} // namespace

std::optional<PersonalRecordView> LoadPersonalRecord(CConnection& connection) {
    PersonalRecordView view;
    CStatement rows(connection, "SELECT * FROM PersStat order by Typ");
    while (rows.Step()) {
        const std::string typ = rows.ReadField("Typ", DateStyle::DateTime);
        if (typ == "verlust")
            view.lossesTotal = ReadClassRow(rows, view.losses);
        else if (typ == "destroyed")
            view.killsTotal = ReadClassRow(rows, view.kills);
        else if (typ == "RoidVerlust")
            view.roidLoss = rows.ReadField("Shuttle", DateStyle::DateTime);
        else if (typ == "RoidGewinn")
            view.roidGain = rows.ReadField("Shuttle", DateStyle::DateTime);
    }
    if (rows.Failed())
        return std::nullopt;
    view.roidRatio = Ratio(view.roidGain, view.roidLoss);
    for (int k = 0; k < kShipClassCount; ++k)
        view.ratios[k] = Ratio(view.kills[k], view.losses[k]);
    view.totalRatio = Ratio(view.killsTotal, view.lossesTotal);
    return view;
}

bool ResetPersonalRecord(CConnection& connection) {
    // The record forgets which battles it counted, so they count anew.
    CTransaction transaction(connection);
    return transaction.Active() &&
           RunStatement(connection,
                        "UPDATE PersStat SET Shuttle = 0, Fighter = 0, Fregatte = 0, Corvette = 0, "
                        "Starcruiser = 0,BattleShip = 0,Doomstar = 0") &&
           RunStatement(connection, "DELETE FROM PersStatCounted") && transaction.Commit();
}

PersonalRecordView ZeroedPersonalRecord() {
    PersonalRecordView view;
    for (PerClass<std::string>* row : {&view.kills, &view.losses, &view.ratios})
        row->fill(std::string(1, '0'));
    const std::string zero(1, '0');
    for (std::string* field : {&view.killsTotal, &view.lossesTotal, &view.totalRatio, &view.roidGain,
                               &view.roidLoss, &view.roidRatio})
        *field = zero;
    return view;
}

} // namespace skarnwald
