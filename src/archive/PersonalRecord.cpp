#include "archive/PersonalRecord.h"

#include "archive/Query.h"
#include "text/TextRules.h"

#include <array>
#include <charconv>

namespace skarnwald {

namespace {

// The decimal value of a stored text, read like atof: leading blanks, then as
// much of a number as there is; 0 without one. Independent of the locale.
double DecimalValue(std::string_view text) {
    text = TrimLeft(text);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string Ratio(std::string_view dividend, std::string_view divisor) {
    if (Atoi(divisor) == 0)
        return {};
    std::array<char, 64> text{};
    const double ratio = DecimalValue(dividend) / DecimalValue(divisor);
    auto [end, ec] =
        std::to_chars(text.data(), text.data() + text.size(), ratio, std::chars_format::fixed, 2);
    return ec == std::errc{} ? std::string(text.data(), end) : std::string{};
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
