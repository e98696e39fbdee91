-- text where numbers belong
UPDATE Battles SET Datum = 'gestern';
UPDATE Agility SET Kampftyp = 'links', Anzahl = 'viele';
UPDATE Battle_Details SET Anzahl = 'drei', Tat = 'destroyed';
UPDATE Statistik SET Shuttle = 'alle', SortierID = 'x', Fighter = 1.5e300;
UPDATE BattleAsteroids SET Gewinn = 'sehr', Verlust = x'ff00';
UPDATE PersStat SET Shuttle = 'unzählig', Fighter = 'x';
UPDATE Einstellungen SET Wert = 'ja';
-- NULLs
UPDATE Battles SET Datum = NULL, Koords = NULL, Name = NULL;
UPDATE Agility SET Agility = NULL, Anzahl = NULL, Schiffsname = NULL, Schiffstyp = NULL, Koords = NULL, Name = NULL, Kampftyp = NULL;
UPDATE Battle_Details SET Waffe = NULL, Tat = NULL, Anzahl = NULL, Koords = NULL, Name = NULL;
UPDATE Statistik SET Koords = NULL, Typ = NULL, Shuttle = NULL, Doomstar = NULL;
UPDATE BattleAsteroids SET Gewinn = NULL, Verlust = NULL;
UPDATE PersStat SET Shuttle = NULL, Doomstar = NULL;
-- numbers beyond 32 bits
UPDATE Agility SET Kampftyp = 9223372036854775807, Anzahl = '99999999999999999999';
UPDATE Battle_Details SET Anzahl = '9223372036854775807', Tat = 'destroyed', Koords = '1.2.3';
UPDATE Statistik SET Shuttle = 9223372036854775807, Fighter = 9223372036854775807, Typ = 'Verlust', Koords = '1.2.3';
UPDATE BattleAsteroids SET Gewinn = 9223372036854775807, Verlust = -9223372036854775808;
UPDATE PersStat SET Shuttle = 9223372036854775807, Fighter = -9223372036854775808, Doomstar = 4294967296;
UPDATE Einstellungen SET Wert = '4294967297' WHERE Einstellung = 'PersStat';
-- names of megabytes
UPDATE Battles SET Name = replace(hex(zeroblob(2000000)), '0', 'N'), Koords = replace(hex(zeroblob(500000)), '0', '1.');
UPDATE Agility SET Name = replace(hex(zeroblob(1000000)), '0', 'ä'), Schiffsname = replace(hex(zeroblob(1000000)), '0', '&');
UPDATE Battle_Details SET Waffe = replace(hex(zeroblob(1000000)), '0', '|');
-- negative and duplicate ids
INSERT INTO Battles (ID, Datum, Koords, Name) VALUES (-5, '2004-03-12 14:07:09', '1.2.3', 'Negativ');
INSERT INTO Battles (ID, Datum, Koords, Name) VALUES (1099511627776, '2004-03-12 14:07:09', '1.2.3', 'Jenseits');
INSERT INTO Agility (ID, BattleID, Agility, Anzahl, Kampftyp) VALUES (-1, -5, 'Agility', '1', 0);
INSERT INTO Agility (ID, BattleID, Agility, Anzahl, Kampftyp) VALUES (4294967296, 1099511627776, 'Agility', '1', 1);
INSERT INTO Battle_Details (ID, AgilityID, Waffe, Tat, Anzahl) VALUES (-1, -1, 'Laser', 'destroyed', '1');
INSERT INTO Statistik SELECT * FROM Statistik;
INSERT INTO BattleDigest (BattleID, Digest) SELECT -5, Digest FROM BattleDigest WHERE BattleID = 1;
-- orphan fleet lines
INSERT INTO Agility (ID, BattleID, Agility, Anzahl, Kampftyp) VALUES (100, 999, 'Agility', '1', 0);
INSERT INTO Agility (ID, BattleID, Agility, Anzahl, Kampftyp) VALUES (101, 'eins', 'Agility', '1', 0);
INSERT INTO Battle_Details (ID, AgilityID, Waffe, Tat, Anzahl) VALUES (100, 999, 'Laser', 'lamed', '1');
INSERT INTO Statistik (BattleID, Koords, Typ) VALUES (999, '1.2.3', 'Verlust');
INSERT INTO BattleAsteroids (BattleID, Gewinn, Verlust) VALUES (999, 1, 1);
-- dates that are no dates
UPDATE Battles SET Datum = '2026-13-45 99:99:99';
INSERT INTO Battles (ID, Datum, Koords, Name) VALUES (12, '0000-00-00 00:00:00', 'a.b.c', '=1+1');
INSERT INTO Battles (ID, Datum, Koords, Name) VALUES (13, 20260101, '1.2.3.4', '-2');
INSERT INTO Battles (ID, Datum, Koords, Name) VALUES (14, '9999-12-31 23:59:59', '2147483648.1.1', '@SUM(1)');
