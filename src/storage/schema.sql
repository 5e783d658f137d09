-- The delivered ledger: seven tables, their seed rows and the indexes the windows' queries need.
-- Column order of B_SZ and B_MX is binding: entries and lines are inserted positionally.
CREATE TABLE B_KM (
  id       TEXT PRIMARY KEY NOT NULL CHECK (length(id) BETWEEN 1 AND 20 AND id NOT GLOB '*[^0-9]*'),
  parentid TEXT CHECK (length(parentid) <= 20),
  mc       TEXT CHECK (length(mc) <= 40),
  js       INTEGER NOT NULL CHECK (js BETWEEN 1 AND 7),
  ye       REAL NOT NULL DEFAULT 0,
  lmc      TEXT CHECK (length(lmc) <= 240),
  bz       TEXT CHECK (length(bz) <= 240)
) STRICT;

CREATE TABLE B_SZ (
  lsh   INTEGER PRIMARY KEY NOT NULL,
  ymd   TEXT NOT NULL CHECK (ymd GLOB '[0-9][0-9][0-9][0-9].[0-9][0-9].[0-9][0-9]'),
  kmbhs TEXT NOT NULL REFERENCES B_KM (id),
  kmbhd TEXT NOT NULL REFERENCES B_KM (id),
  je    REAL NOT NULL CHECK (je <> 0),
  zy    TEXT CHECK (length(zy) <= 200),
  UID   TEXT CHECK (length(UID) <= 4),
  UNAME TEXT CHECK (length(UNAME) <= 20),
  lb    INTEGER NOT NULL CHECK (lb IN (1, 2, 3))
) STRICT;

CREATE TABLE B_MX (
  lsh      INTEGER NOT NULL REFERENCES B_SZ (lsh),
  ymd      TEXT NOT NULL CHECK (ymd GLOB '[0-9][0-9][0-9][0-9].[0-9][0-9].[0-9][0-9]'),
  kmbh     TEXT NOT NULL REFERENCES B_KM (id),
  parentid TEXT CHECK (length(parentid) <= 20),
  je       REAL NOT NULL,
  UID      TEXT CHECK (length(UID) <= 4),
  lb       INTEGER NOT NULL CHECK (lb IN (1, 2, 3)),
  mx       INTEGER NOT NULL CHECK (mx IN (0, 1))
) STRICT;

CREATE TABLE B_LSH (
  id  INTEGER PRIMARY KEY NOT NULL,
  lsh INTEGER NOT NULL CHECK (lsh >= 0)
) STRICT;

CREATE TABLE B_USER (
  UID   TEXT PRIMARY KEY NOT NULL CHECK (length(UID) = 4),
  UNAME TEXT CHECK (length(UNAME) <= 20),
  UPSW  TEXT CHECK (length(UPSW) <= 40),
  bmbh  TEXT CHECK (length(bmbh) <= 20)
) STRICT;

CREATE TABLE B_GN (
  gncode TEXT PRIMARY KEY NOT NULL CHECK (length(gncode) <= 10),
  gnname TEXT CHECK (length(gnname) <= 40),
  btName TEXT CHECK (length(btName) <= 40),
  is9999 INTEGER NOT NULL DEFAULT 0 CHECK (is9999 IN (0, 1))
) STRICT;

-- The codes of a grant row compare ignoring letter case: the operator's, as the login finds the operator,
-- and the command's, as the operator window matches its marks.
CREATE TABLE B_USRGN (
  usrbh  TEXT NOT NULL COLLATE NOCASE CHECK (length(usrbh) <= 4),
  gnbh   TEXT NOT NULL COLLATE NOCASE CHECK (length(gnbh) <= 10),
  istrue INTEGER NOT NULL DEFAULT 0 CHECK (istrue IN (0, 1)),
  PRIMARY KEY (usrbh, gnbh)
) STRICT;

-- Journal lists by kind, newest first; the subject references checked when a subject is deleted.
CREATE INDEX B_SZ_lb ON B_SZ (lb, lsh);
CREATE INDEX B_SZ_kmbhs ON B_SZ (kmbhs);
CREATE INDEX B_SZ_kmbhd ON B_SZ (kmbhd);
-- Lines of one entry; detail lines by subject-code prefix; all lines of a date range.
CREATE INDEX B_MX_lsh ON B_MX (lsh);
-- The lines of a subject: what the store checks before a subject may be deleted.
CREATE INDEX B_MX_kmbh ON B_MX (kmbh);
CREATE INDEX B_MX_detail ON B_MX (mx, kmbh, ymd, je);
CREATE INDEX B_MX_period ON B_MX (ymd, kmbh, parentid, je);
-- Operators, catalogue rows and grants are found by their primary keys; catalogue rows also by button name.
CREATE INDEX GNBT ON B_GN (btName);

INSERT INTO B_LSH (id, lsh) VALUES (1, 0);

INSERT INTO B_KM (id, parentid, mc, js, ye, lmc, bz) VALUES
  ('1', NULL, '收入', 1, 0, '收入', ''),
  ('2', NULL, '支出', 1, 0, '支出', ''),
  ('3', NULL, '节余', 1, 0, '节余', '');

-- The administrator; the digest is that of the code followed by the default password "3947".
INSERT INTO B_USER (UID, UNAME, UPSW, bmbh) VALUES ('9999', '系统管理员', '7ab6eae812da4fc0ef4e45cd95900aa5', '');

INSERT INTO B_GN (gncode, gnname, btName, is9999) VALUES
  ('0101', '收入', 'm0101', 0),
  ('0102', '支出', 'm0102', 0),
  ('0103', '转帐', 'm0103', 0),
  ('0201', '科目余额查询', 'm0201', 0),
  ('0301', '期间发生数查询', 'm0301', 0),
  ('0401', '修改口令', 'N101', 0),
  ('0402', '用户管理', 'N102', 1),
  ('0403', '科目维护', 'N107', 0),
  ('0404', '调用计算器', 'N108', 0);

-- The administrator is granted every command of the catalogue.
INSERT INTO B_USRGN (usrbh, gnbh, istrue) SELECT '9999', gncode, 1 FROM B_GN;
