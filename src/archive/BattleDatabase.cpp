#include "archive/BattleDatabase.h"

#include "archive/Query.h"
#include "text/Catalog.h"
#include "text/TextRules.h"

#include <algorithm>
#include <array>

namespace skarnwald {

namespace {

constexpr std::string_view kInsertBattle = "INSERT INTO Battles (ID,Datum,Koords,Name) VALUES (?,?,?,?)";
constexpr std::string_view kInsertFleetLine =
    "INSERT INTO Agility (ID,BattleID,Agility,Anzahl,Schiffsname,Schiffstyp,Koords,Name,Kampftyp) VALUES "
    "(?,?,?,?,?,?,?,?,?)";
constexpr std::string_view kInsertCombatLine =
    "INSERT INTO Battle_Details (ID,AgilityID,Waffe,Tat,Anzahl,Schiffstyp,Schiffsname,Koords,Name) VALUES "
    "(?,?,?,?,?,?,?,?,?)";
constexpr std::string_view kInsertStatisticsRow = "INSERT INTO Statistik VALUES (?,?,?,?,?,?,?,?,?,?,?)";
// Rows inserted together at most (InsertRowsAtOnce).
constexpr std::size_t kRowsPerInsert = 64;

constexpr std::string_view kFindDigest = "SELECT d.BattleID FROM BattleDigest d JOIN Battles b ON b.ID = "
                                         "d.BattleID WHERE d.Digest = ? LIMIT 1";
constexpr std::string_view kInsertDigest =
    "INSERT OR REPLACE INTO BattleDigest (BattleID, Digest) VALUES (?,?)";
constexpr std::string_view kInsertBattleAsteroids =
    "INSERT OR REPLACE INTO BattleAsteroids (BattleID, Gewinn, Verlust) VALUES (?,?,?)";

constexpr std::string_view kFindCounted = "SELECT 1 FROM PersStatCounted WHERE Digest = ?";
constexpr std::string_view kInsertCounted = "INSERT INTO PersStatCounted (Digest) VALUES (?)";

constexpr std::string_view kReadAsteroidRow = "SELECT * FROM PersStat WHERE Typ = ?";
constexpr std::string_view kUpdateAsteroidRow = "UPDATE PersStat SET Shuttle = ? WHERE Typ = ?";

constexpr std::string_view kReadPersonalRows = "SELECT * FROM PersStat order by Typ";
constexpr std::string_view kPersonalKinds[] = {"verlust", "destroyed", "lamed"};
constexpr std::string_view kUpdatePersonalRow = "UPDATE PersStat SET Shuttle = ?, Fighter = ?, Fregatte = ?, "
                                                "Corvette = ?, Starcruiser = ?, Battleship = ?, "
                                                "Doomstar = ? WHERE Typ = ?";

SqlValue Int(std::int32_t value) {
    return std::int64_t{value};
}

// A missing value is stored as NULL, an empty one as an empty text.
SqlValue Text(DigestValue value) {
    return value ? SqlValue(*value) : SqlValue(nullptr);
}

std::optional<std::string> Own(DigestValue value) {
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

DigestValue View(const std::optional<std::string>& value) {
    return value ? DigestValue(*value) : std::nullopt;
}

// The values of one Battle_Details row, appended to `values`.
void AppendCombatLineValues(std::vector<SqlValue>& values, std::int32_t id, std::int32_t fleetLineId,
                            const CombatLineToStore& line) {
    values.insert(values.end(), {Int(id), Int(fleetLineId), Text(line.weapon), Text(line.deed),
                                 Text(line.count), Text(line.shipType), Text(line.shipName),
                                 Text(line.targetCoords), Text(line.targetOwner)});
}

void AppendStatisticsRowValues(std::vector<SqlValue>& values, std::int32_t battleId,
                               const StatisticsRowToStore& row) {
    const ClassCounts& v = row.values;
    values.insert(values.end(), {Int(battleId), row.coords, row.typ, Int(row.sortId), Int(v[0]), Int(v[1]),
                                 Int(v[2]), Int(v[3]), Int(v[4]), Int(v[5]), Int(v[6])});
}

bool UpdatePersonalRow(CConnection& connection, std::string_view typ, const ClassCounts& c) {
    return RunStatement(connection, kUpdatePersonalRow,
                        {Int(c[0]), Int(c[1]), Int(c[2]), Int(c[3]), Int(c[4]), Int(c[5]), Int(c[6]), typ});
}

} // namespace

CBattleDatabase::CBattleDatabase() = default;
CBattleDatabase::~CBattleDatabase() = default;

void CBattleDatabase::SetConnection(ConnectionPtr connection) {
    transaction_.reset();
    inConversion_ = false;
    connection_ = std::move(connection);
}

CBattleDatabase::KeptCombatLine::KeptCombatLine(const CombatLineToStore& line)
    : weapon(Own(line.weapon)), deed(Own(line.deed)), count(Own(line.count)), shipType(Own(line.shipType)),
      shipName(Own(line.shipName)), fleetCoords(Own(line.coords)), targetOwner(Own(line.targetOwner)),
      targetCoords(Own(line.targetCoords)) {}

CombatLineToStore CBattleDatabase::KeptCombatLine::Row() const {
    return {{View(weapon), View(deed), View(count), View(shipType), View(shipName), View(fleetCoords),
             View(targetOwner)},
            View(targetCoords)};
}

std::optional<std::int32_t> CBattleDatabase::NextId(std::optional<std::int32_t>& last,
                                                    std::string_view table) {
    // Inside a conversion nobody else writes, so the highest id is read once
    // and then follows this program's own inserts.
    if (!inConversion_ || !last)
        last = MaxId(*connection_, table, "ID");
    return last ? std::optional<std::int32_t>(WrapAdd(*last, 1)) : std::nullopt;
}

bool CBattleDatabase::CanWrite() const {
    if (!connection_)
        return false;
    if (!inConversion_)
        return true;
    return transaction_ && transaction_->Active();
}

void CBattleDatabase::BeginConversion() {
    skippedBattles_ = 0;
    pendingCombatLines_.clear();
    lastFleetLineId_.reset();
    lastCombatLineId_.reset();
    battleOpen_ = false;
    battleStoredInConversion_ = false;
    fleetLineStoredInBattle_ = false;
    transaction_.reset();
    if (!connection_)
        return;
    inConversion_ = true;
    transaction_ = std::make_unique<CTransaction>(*connection_);
}

void CBattleDatabase::EndConversion() {
    EndBattle(0, 0);
    if (transaction_)
        transaction_->Commit();
    transaction_.reset();
    inConversion_ = false;
}

void CBattleDatabase::StoreBattle(const BattleToStore& battle) {
    EndBattle(0, 0);
    battleStoredInConversion_ = false;
    fleetLineStoredInBattle_ = false;
    if (!CanWrite())
        return;
    errorsBeforeBattle_ = connection_->ReportedErrors();
    battleDigest_.reset();
    storedBefore_.reset();
    battleOpen_ = RunStatement(*connection_, "SAVEPOINT battle");
    const auto maxId = MaxId(*connection_, "Battles", "ID");
    if (!maxId)
        return;
    currentBattleId_ = WrapAdd(*maxId, 1);
    battleStoredInConversion_ =
        RunStatement(*connection_, kInsertBattle,
                     {Int(currentBattleId_), Text(battle.datum), Text(battle.coords), Text(battle.place)});
    digest_.Reset();
    digest_.Add(battle);
}

bool CBattleDatabase::IsStoredBefore(const std::string& digest) {
    CStatement find(*connection_, kFindDigest);
    find.Bind({std::string_view(digest)});
    return find.Step();
}

const std::string& CBattleDatabase::BattleDigest() {
    if (!battleDigest_)
        battleDigest_ = digest_.Finish();
    return *battleDigest_;
}

bool CBattleDatabase::IsBattleStoredBefore() {
    if (!storedBefore_)
        storedBefore_ = IsStoredBefore(BattleDigest());
    return *storedBefore_;
}

void CBattleDatabase::KeepBattle(const std::string& digest, std::int32_t roidGain, std::int32_t roidLoss) {
    RunStatement(*connection_, kInsertDigest, {Int(currentBattleId_), std::string_view(digest)});
    RunStatement(*connection_, kInsertBattleAsteroids, {Int(currentBattleId_), Int(roidGain), Int(roidLoss)});
}

bool CBattleDatabase::EndBattle(std::int32_t roidGain, std::int32_t roidLoss) {
    StorePendingCombatLines();
    endedBattleDigest_.reset();
    if (!battleOpen_)
        return false;
    battleOpen_ = false;
    if (!CanWrite())
        return false;
    bool duplicate = false;
    if (battleStoredInConversion_) {
        // Without an error every row the battle brought went in.
        if (connection_->ReportedErrors() == errorsBeforeBattle_)
            endedBattleDigest_ = BattleDigest();
        duplicate = IsBattleStoredBefore();
        if (duplicate) {
            RunStatement(*connection_, "ROLLBACK TO battle");
            lastFleetLineId_.reset();
            lastCombatLineId_.reset();
        } else
            KeepBattle(BattleDigest(), roidGain, roidLoss);
    }
    RunStatement(*connection_, "RELEASE battle");
    if (duplicate) {
        ++skippedBattles_;
        battleStoredInConversion_ = false;
        fleetLineStoredInBattle_ = false;
    }
    return duplicate;
}

void CBattleDatabase::StoreFleetLine(const FleetLineToStore& line) {
    StorePendingCombatLines();
    fleetLineStoredInBattle_ = false;
    if (!battleStoredInConversion_ || !CanWrite())
        return;
    const auto id = NextId(lastFleetLineId_, "Agility");
    if (!id)
        return;
    currentFleetLineId_ = *id;
    fleetLineStoredInBattle_ = RunStatement(
        *connection_, kInsertFleetLine,
        {Int(currentFleetLineId_), Int(currentBattleId_), Text(line.agility), Text(line.count),
         Text(line.shipName), Text(line.shipType), Text(line.coords), Text(line.owner), Int(line.side)});
    if (!fleetLineStoredInBattle_)
        return;
    lastFleetLineId_ = currentFleetLineId_;
    digest_.Add(line);
}

void CBattleDatabase::StoreCombatLine(const CombatLineToStore& line) {
    if (!fleetLineStoredInBattle_ || !CanWrite())
        return;
    // Kept until the fleet line's lines end, then inserted together.
    pendingCombatLines_.emplace_back(line);
    if (pendingCombatLines_.size() == kRowsPerInsert)
        StorePendingCombatLines();
}

void CBattleDatabase::StorePendingCombatLines() {
    if (pendingCombatLines_.empty())
        return;
    if (!InsertPendingCombatLinesAtOnce())
        for (const KeptCombatLine& line : pendingCombatLines_)
            InsertCombatLine(line.Row());
    pendingCombatLines_.clear();
}

bool CBattleDatabase::InsertPendingCombatLinesAtOnce() {
    // The first lines of a conversion or after a battle left out go one by
    // one, which reads the highest id.
    if (!CanWrite() || !inConversion_ || !lastCombatLineId_)
        return false;
    const std::int32_t first = WrapAdd(*lastCombatLineId_, 1);
    rowValues_.clear();
    std::int32_t id = first;
    for (const KeptCombatLine& line : pendingCombatLines_) {
        AppendCombatLineValues(rowValues_, id, currentFleetLineId_, line.Row());
        id = WrapAdd(id, 1);
    }
    if (!InsertRowsAtOnce(*connection_, kInsertCombatLine, pendingCombatLines_.size(), rowValues_))
        return false;
    lastCombatLineId_ = WrapAdd(id, -1);
    for (const KeptCombatLine& line : pendingCombatLines_)
        digest_.Add(line.Row());
    return true;
}

void CBattleDatabase::InsertCombatLine(const CombatLineToStore& line) {
    if (!CanWrite())
        return;
    const auto id = NextId(lastCombatLineId_, "Battle_Details");
    if (!id)
        return;
    rowValues_.clear();
    AppendCombatLineValues(rowValues_, *id, currentFleetLineId_, line);
    if (!CStatement(*connection_, kInsertCombatLine).BindForOneRun(rowValues_).Run())
        return;
    lastCombatLineId_ = *id;
    digest_.Add(line);
}

void CBattleDatabase::StoreStatisticsRow(std::int32_t battleId, const StatisticsRowToStore& row) {
    StorePendingCombatLines();
    if (!battleStoredInConversion_ || battleId != currentBattleId_ || !CanWrite())
        return;
    rowValues_.clear();
    AppendStatisticsRowValues(rowValues_, battleId, row);
    CStatement(*connection_, kInsertStatisticsRow).BindForOneRun(rowValues_).Run();
}

void CBattleDatabase::StoreStatisticsRows(std::int32_t battleId, std::span<const StatisticsRowToStore> rows) {
    StorePendingCombatLines();
    if (!battleStoredInConversion_ || battleId != currentBattleId_ || !CanWrite())
        return;
    // Ending a battle stored before rolls back every row written for it, and
    // its statistics rows are the most: a report converted again writes none.
    if (IsBattleStoredBefore())
        return;
    while (!rows.empty()) {
        const auto chunk = rows.first(std::min(rows.size(), kRowsPerInsert));
        // Rows that cannot go in together go in one by one, each failure
        // reported, so the outcome is that of one statement per row.
        if (!InsertStatisticsRowsAtOnce(battleId, chunk))
            for (const StatisticsRowToStore& row : chunk)
                StoreStatisticsRow(battleId, row);
        rows = rows.subspan(chunk.size());
    }
}

bool CBattleDatabase::InsertStatisticsRowsAtOnce(std::int32_t battleId,
                                                 std::span<const StatisticsRowToStore> rows) {
    rowValues_.clear();
    for (const StatisticsRowToStore& row : rows)
        AppendStatisticsRowValues(rowValues_, battleId, row);
    return InsertRowsAtOnce(*connection_, kInsertStatisticsRow, rows.size(), rowValues_);
}

bool CBattleDatabase::CountInRecordOnce(std::string_view digest) {
    if (!CanWrite())
        return false;
    CStatement find(*connection_, kFindCounted);
    find.Bind({digest});
    if (find.Step() || find.Failed())
        return false;
    return RunStatement(*connection_, kInsertCounted, {digest});
}

void CBattleDatabase::AddAsteroids(std::int32_t gain, std::int32_t loss) {
    if (!CanWrite())
        return;
    for (const auto& [typ, added] : {std::pair{std::string_view("RoidGewinn"), gain},
                                     std::pair{std::string_view("RoidVerlust"), loss}}) {
        CStatement read(*connection_, kReadAsteroidRow);
        read.Bind({typ});
        const std::int32_t old = read.Step() ? read.ReadInt("Shuttle") : 0;
        if (read.Failed())
            continue;
        RunStatement(*connection_, kUpdateAsteroidRow, {Int(WrapAdd(old, added)), typ});
    }
}

void CBattleDatabase::AddPersonalFleet(const ClassCounts& losses, const ClassCounts& destroyed,
                                       const ClassCounts& lamed) {
    if (!CanWrite())
        return;
    std::array<ClassCounts, 3> totals{};
    CStatement read(*connection_, kReadPersonalRows);
    while (read.Step()) {
        const std::string typ = read.ReadField("Typ", DateStyle::DateTime);
        for (std::size_t kind = 0; kind < totals.size(); ++kind) {
            if (typ != kPersonalKinds[kind])
                continue;
            for (int k = 0; k < kShipClassCount; ++k)
                totals[kind][k] = read.ReadInt(kPersStatColumns[k]);
        }
    }
    if (read.Failed())
        return;
    AddInto(totals[0], losses);
    AddInto(totals[1], destroyed);
    AddInto(totals[2], lamed);
    for (std::size_t kind = 0; kind < totals.size(); ++kind)
        UpdatePersonalRow(*connection_, kPersonalKinds[kind], totals[kind]);
}

std::string SkippedBattlesNote(int skipped) {
    return CoreTexts().Plural("store.skipped", skipped);
}

} // namespace skarnwald
