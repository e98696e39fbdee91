#include "archive/BattleDigest.h"

#include "archive/Query.h"

#ifdef SKARNWALD_PORTABLE_SHA256
#include "archive/PortableSha256.h"
#else
#include <openssl/evp.h>
#endif

#include <array>
#include <cstdint>
#include <vector>

namespace skarnwald {

namespace {

constexpr std::string_view kRememberStoredAsCounted =
    "INSERT OR IGNORE INTO PersStatCounted (Digest) SELECT Digest FROM BattleDigest";

constexpr std::string_view kBattlesWithoutDigest =
    "SELECT ID FROM Battles WHERE ID NOT IN (SELECT BattleID FROM BattleDigest) ORDER BY ID";

DigestValue View(const std::optional<std::string>& text) {
    return text ? DigestValue(*text) : std::nullopt;
}

// Row kinds as the digest tags them.
constexpr char kBattleTag = 'B';
constexpr char kFleetLineTag = 'F';
constexpr char kCombatLineTag = 'C';

// A stored combat line, `firingCoords` (its fleet line's) in the place of the
// Koords of a line that hits.
void AddStoredCombatLine(CBattleDigest& digest, const CStatement& row,
                         const std::optional<std::string>& firingCoords) {
    const auto text = [&](std::string_view column) { return row.ReadStoredText(column); };
    const auto deed = text("Tat");
    const auto ownCoords = text("Koords");
    digest.Add(CombatLineIdentity{View(text("Waffe")), View(deed), View(text("Anzahl")),
                                  View(text("Schiffstyp")), View(text("Schiffsname")),
                                  View(IsHitDeed(deed.value_or("")) ? firingCoords : ownCoords),
                                  View(text("Name"))});
}

} // namespace

bool IsHitDeed(std::string_view deed) {
    return deed == "lamed" || deed == "destroyed";
}

#ifdef SKARNWALD_PORTABLE_SHA256
struct CBattleDigest::Context {
    CPortableSha256 sha;
    void Reset() { sha.Reset(); }
    void Update(std::string_view bytes) { sha.Update(bytes); }
    std::array<unsigned char, 32> Final() { return sha.Final(); }
};
#else
struct CBattleDigest::Context {
    EVP_MD_CTX* md = EVP_MD_CTX_new();
    ~Context() { EVP_MD_CTX_free(md); }
    void Reset() { EVP_DigestInit_ex(md, EVP_sha256(), nullptr); }
    void Update(std::string_view bytes) { EVP_DigestUpdate(md, bytes.data(), bytes.size()); }
    std::array<unsigned char, 32> Final() {
        std::array<unsigned char, 32> digest;
        EVP_DigestFinal_ex(md, digest.data(), nullptr);
        return digest;
    }
};
#endif

CBattleDigest::CBattleDigest(bool wholeBattle)
    : context_(std::make_unique<Context>()), wholeBattle_(wholeBattle) {
    Reset();
}

CBattleDigest::~CBattleDigest() = default;

void CBattleDigest::Reset() {
    context_->Reset();
    row_.clear();
}

// A row's bytes are gathered and hashed at once: many tiny updates cost more
// than the hashing itself.
void CBattleDigest::Feed(std::string_view bytes) {
    row_ += bytes;
}

void CBattleDigest::HashRow() {
    if (wholeBattle_)
        return;
    context_->Update(row_);
    row_.clear();
}

// Every value carries its length, so no two different rows feed the same
// bytes however their texts are split.
void CBattleDigest::FeedValue(DigestValue value) {
    const std::uint64_t size = value ? value->size() + 1 : 0;
    char length[8];
    for (int i = 0; i < 8; ++i)
        length[i] = static_cast<char>((size >> (8 * i)) & 0xff);
    Feed({length, sizeof length});
    if (value)
        Feed(*value);
}

void CBattleDigest::AddRow(char tag, std::initializer_list<DigestValue> values) {
    Feed({&tag, 1});
    for (const DigestValue& value : values)
        FeedValue(value);
    HashRow();
}

void CBattleDigest::Add(const BattleRowIdentity& row) {
    AddRow(kBattleTag, {row.datum, row.coords, row.place});
}

void CBattleDigest::Add(const FleetLineIdentity& row) {
    AddRow(kFleetLineTag, {row.agility, row.count, row.shipName, row.shipType, row.coords, row.owner});
}

void CBattleDigest::Add(const CombatLineIdentity& row) {
    AddRow(kCombatLineTag,
           {row.weapon, row.deed, row.count, row.shipType, row.shipName, row.coords, row.targetOwner});
}

std::string CBattleDigest::Finish() {
    constexpr char kHex[] = "0123456789abcdef";
    context_->Update(row_);
    row_.clear();
    std::string hex;
    for (const unsigned char byte : context_->Final()) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 0xf];
    }
    return hex;
}

std::optional<std::string> DigestOfStoredBattle(CConnection& connection, std::int64_t battleId) {
    CBattleDigest digest;
    CStatement battle(connection, "SELECT Datum, Koords, Name FROM Battles WHERE ID = ?");
    battle.Bind({battleId});
    if (!battle.Step())
        return std::nullopt;
    const auto datum = battle.ReadStoredText("Datum");
    const auto coords = battle.ReadStoredText("Koords");
    const auto name = battle.ReadStoredText("Name");
    digest.Add(BattleRowIdentity{View(datum), View(coords), View(name)});

    CStatement fleetLines(connection, "SELECT * FROM Agility WHERE BattleID = ? ORDER BY ID");
    CStatement combatLines(connection, "SELECT * FROM Battle_Details WHERE AgilityID = ? ORDER BY ID");
    fleetLines.Bind({battleId});
    while (fleetLines.Step()) {
        const auto text = [&](std::string_view column) { return fleetLines.ReadStoredText(column); };
        const auto firingCoords = text("Koords");
        digest.Add(FleetLineIdentity{View(text("Agility")), View(text("Anzahl")), View(text("Schiffsname")),
                                     View(text("Schiffstyp")), View(firingCoords), View(text("Name"))});
        combatLines.Bind({fleetLines.StoredValue("ID")});
        while (combatLines.Step())
            AddStoredCombatLine(digest, combatLines, firingCoords);
        if (combatLines.Failed())
            return std::nullopt;
    }
    if (fleetLines.Failed())
        return std::nullopt;
    return digest.Finish();
}

namespace {

// Whether the archive's tables and indexes exist and every battle has its
// digest: then opening the file writes nothing and takes no lock.
bool TableExists(CConnection& connection, std::string_view name) {
    CStatement table(connection, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    table.Bind({name});
    return table.Step();
}

bool ArchiveTablesReady(CConnection& connection) {
    if (ArchiveFormat(connection) < kArchiveFormat)
        return false;
    CStatement objects(connection, "SELECT COUNT(*) AS N FROM sqlite_master WHERE name IN ('BattleDigest', "
                                   "'BattleDigestByDigest', 'BattleAsteroids', 'AgilityByBattle', "
                                   "'BattleDetailsByFleetLine', 'StatistikByBattle', 'PersStatCounted')");
    if (!objects.Step() || objects.ReadInt("N") != static_cast<std::int32_t>(std::size(kArchiveSchema)))
        return false;
    CStatement missing(connection, std::string(kBattlesWithoutDigest) + " LIMIT 1");
    return !missing.Step() && !missing.Failed();
}

// Archives of format 0 kept the firing fleet's coordinates in a hit combat
// line. The fleet hit is the one the line names by its owner: where the
// battle's fleet lines give that owner one set of coordinates, those are
// the line's; where they give none or several, the line keeps what it has.
constexpr std::string_view kMendCombatLineCoords =
    "WITH Owners AS (SELECT BattleID, trim(Name) AS Owner, MIN(Koords) AS Koords FROM Agility "
    "GROUP BY BattleID, trim(Name) HAVING COUNT(DISTINCT Koords) = 1) "
    "UPDATE Battle_Details SET Koords = o.Koords FROM Agility f JOIN Owners o ON o.BattleID = f.BattleID "
    "WHERE f.ID = Battle_Details.AgilityID AND o.Owner = trim(Battle_Details.Name) "
    "AND Battle_Details.Tat IN ('lamed', 'destroyed')";

bool BringRowsUpToDate(CConnection& connection) {
    const int format = ArchiveFormat(connection);
    if (format >= kArchiveFormat)
        return true;
    if (format < 1 && !RunStatement(connection, kMendCombatLineCoords))
        return false;
    return SetArchiveFormat(connection, kArchiveFormat);
}

} // namespace

int ArchiveFormat(CConnection& connection) {
    CStatement version(connection, "PRAGMA user_version");
    return version.Step() ? static_cast<int>(version.ColumnInt(0)) : 0;
}

bool SetArchiveFormat(CConnection& connection, int format) {
    return RunStatement(connection, "PRAGMA user_version = " + std::to_string(format));
}

bool RememberStoredAsCounted(CConnection& connection) {
    return RunStatement(connection, kRememberStoredAsCounted);
}

bool EnsureArchiveTables(CConnection& connection) {
    if (ArchiveTablesReady(connection))
        return true;
    CTransaction transaction(connection);
    if (!transaction.Active())
        return false;
    // Archives from before the record kept its own memory: a battle stored
    // then never counted again, so every stored battle counts as counted.
    const bool rememberStored = !TableExists(connection, "PersStatCounted");
    if (!RunStatements(connection, kArchiveSchema))
        return false;

    // Ids as stored: a file made elsewhere may hold any 64-bit id.
    std::vector<std::int64_t> missing;
    CStatement battles(connection, kBattlesWithoutDigest);
    while (battles.Step())
        missing.push_back(battles.ColumnInt(0));
    if (battles.Failed())
        return false;
    CStatement insert(connection, "INSERT INTO BattleDigest (BattleID, Digest) VALUES (?,?)");
    for (std::int64_t id : missing) {
        const auto digest = DigestOfStoredBattle(connection, id);
        if (!digest || !insert.Bind({id, std::string_view(*digest)}).Run())
            return false;
    }
    if (rememberStored && !RememberStoredAsCounted(connection))
        return false;
    return BringRowsUpToDate(connection) && transaction.Commit();
}

} // namespace skarnwald
