#pragma once
// The identity of a stored battle: a SHA-256 digest over the values its
// battle row, fleet lines and combat lines hold, in storing order. The store
// computes it while a battle is stored; databases written before the digests
// existed get theirs computed from their rows when they are opened, so the
// same battle is recognised whichever way it came in.

#include "archive/Connection.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace skarnwald {

// What makes two battles the same: the values of their battle row, fleet
// lines and combat lines, each row's values in the order they enter the
// digest. A missing value (NULL in a stored row) differs from an empty text.
using DigestValue = std::optional<std::string_view>;

// The battle row: its date as stored ("YYYY-MM-DD HH:MM:SS", missing when
// the report's was unreadable), coordinates and place.
struct BattleRowIdentity {
    DigestValue datum, coords, place;
};

// A fleet line. Its side is left out: it is worked out over the whole report,
// so the same battle pasted with other battles may get other sides.
struct FleetLineIdentity {
    DigestValue agility, count, shipName, shipType, coords, owner;
};

// A combat line. A "lamed" or "destroyed" line enters with the coordinates of
// the fleet that fired, which are its fleet line's, in the place of its own
// Koords (those of the fleet hit): archives once stored the firing fleet's
// there, and the digests of their battles, kept in BattleDigest and
// PersStatCounted, stay valid. Other lines enter with their own Koords.
struct CombatLineIdentity {
    DigestValue weapon, deed, count, shipType, shipName, coords, targetOwner;
};

class CBattleDigest {
public:
    // `wholeBattle`: a battle's rows are kept and hashed only by Finish(), so
    // a digest that turns out not to be needed costs no hashing.
    explicit CBattleDigest(bool wholeBattle = false);
    ~CBattleDigest();
    CBattleDigest(const CBattleDigest&) = delete;
    CBattleDigest& operator=(const CBattleDigest&) = delete;

    // Starts a new battle's digest.
    void Reset();
    // The battle's rows in storing order: its battle row first.
    void Add(const BattleRowIdentity& row);
    void Add(const FleetLineIdentity& row);
    void Add(const CombatLineIdentity& row);
    // The digest as 64 lowercase hex digits; the next battle needs Reset().
    std::string Finish();

private:
    void AddRow(char tag, std::initializer_list<DigestValue> values);
    void Feed(std::string_view bytes);
    void FeedValue(DigestValue value);
    void HashRow();
    struct Context;
    std::unique_ptr<Context> context_;
    std::string row_; // the bytes of the row being added (of the battle when wholeBattle_)
    bool wholeBattle_;
};

// Whether a combat line's deed (its Tat) hits a fleet.
bool IsHitDeed(std::string_view deed);

// The digest of a stored battle computed from its rows; nothing when a query
// failed (reported through the connection).
std::optional<std::string> DigestOfStoredBattle(CConnection& connection, std::int64_t battleId);

// The tables and indexes the archive keeps beside the six tables of the file.
inline constexpr std::string_view kArchiveSchema[] = {
    "CREATE TABLE IF NOT EXISTS BattleDigest (BattleID INTEGER PRIMARY KEY, Digest TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS BattleDigestByDigest ON BattleDigest (Digest)",
    // Asteroids won and lost per battle; the six tables only keep a total.
    "CREATE TABLE IF NOT EXISTS BattleAsteroids (BattleID INTEGER PRIMARY KEY, Gewinn INTEGER, Verlust "
    "INTEGER)",
    // Child rows are looked up by their parent when a battle is opened,
    // deleted or exported.
    "CREATE INDEX IF NOT EXISTS AgilityByBattle ON Agility (BattleID)",
    "CREATE INDEX IF NOT EXISTS BattleDetailsByFleetLine ON Battle_Details (AgilityID)",
    "CREATE INDEX IF NOT EXISTS StatistikByBattle ON Statistik (BattleID)",
    // The digests of the battles the personal record has counted, kept apart
    // from the archive: a battle counts once, stored or not, deleted or not.
    "CREATE TABLE IF NOT EXISTS PersStatCounted (Digest TEXT PRIMARY KEY)",
};

// Marks every stored battle as counted in the personal record; false when
// that failed (reported).
bool RememberStoredAsCounted(CConnection& connection);

// The format of the archive's rows, kept as the file's user_version:
//   0  a hit combat line's Koords holds the firing fleet's coordinates;
//   1  they hold the coordinates of the fleet hit.
inline constexpr int kArchiveFormat = 1;
int ArchiveFormat(CConnection& connection);
bool SetArchiveFormat(CConnection& connection, int format);

// Creates the tables and indexes the archive keeps beside the six tables of
// the file (their rows untouched), gives every battle without a digest its
// digest and brings rows of an older format up to date, all in one
// transaction. False when that failed (reported).
bool EnsureArchiveTables(CConnection& connection);

} // namespace skarnwald
