-- 青禾花店管理系统: database schema for SQLite.
--
-- Running this file: statements are separated by line ends.  A statement
-- ends at the first line whose last non-blank character is a semicolon,
-- and no other line ends with one (comment lines included).  Run the text
-- collected up to such a line as one statement, skip pieces that hold only
-- blanks and comments.  The file can be run more than once (IF NOT EXISTS).
--
-- Dates are text 'yyyy-mm-dd' (birthdays 'mm-dd'), flags are the words
-- 是 / 否, amounts, prices, points and quantities are REAL.  theDel is the
-- soft-delete flag, 否 for a live row.
--
-- SQLite has no stored procedures.  In place of myLogin the application
-- runs SELECT WName, theName, thePass, ID FROM SUser WHERE theName = '...'
-- and in place of myDate SELECT datetime('now', 'localtime') AS myD

-- Orders: one row per order, number DD + yymmdd + '-' + sequence.
-- theType 会员/散客/单位, SH1..SH8 recipient, SH01..SH05 sender,
-- M1 price, M2 discount %, M3 discounted price, M4 delivery fee, M5 voucher,
-- M6 total, M7 received, M8 still owed, DState a name from SState,
-- theFP/theHS/theTZ/theJK flags 是/否 (theHS: vase to be returned),
-- theLN 是 when the shop calls the sender on the same day next year.
-- MID the ID of the member a member order was charged to (empty on rows from before the column).
CREATE TABLE IF NOT EXISTS UOrder (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    theType TEXT DEFAULT '',
    MNum TEXT DEFAULT '',
    WName TEXT DEFAULT '',
    DType TEXT DEFAULT '',
    SH1 TEXT DEFAULT '',
    SH2 TEXT DEFAULT '',
    SH3 TEXT DEFAULT '',
    SH4 TEXT DEFAULT '',
    SH5 TEXT DEFAULT '',
    SH6 TEXT DEFAULT '',
    SH7 TEXT DEFAULT '',
    SH8 TEXT DEFAULT '',
    SH01 TEXT DEFAULT '',
    SH02 TEXT DEFAULT '',
    SH03 TEXT DEFAULT '',
    theHX TEXT DEFAULT '',
    M1 REAL DEFAULT 0,
    M2 REAL DEFAULT 100,
    M3 REAL DEFAULT 0,
    M4 REAL DEFAULT 0,
    M5 REAL DEFAULT 0,
    M6 REAL DEFAULT 0,
    M7 REAL DEFAULT 0,
    M8 REAL DEFAULT 0,
    MType TEXT DEFAULT '',
    theDX TEXT DEFAULT '',
    theJDR TEXT DEFAULT '',
    theHYS TEXT DEFAULT '',
    DState TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    AName TEXT DEFAULT '',
    theJF REAL DEFAULT 0,
    SH04 TEXT DEFAULT '',
    SH05 TEXT DEFAULT '',
    theFP TEXT DEFAULT '否',
    theHS TEXT DEFAULT '否',
    theTZ TEXT DEFAULT '否',
    theJK TEXT DEFAULT '否',
    theSKR TEXT DEFAULT '',
    theDSR TEXT DEFAULT '',
    theLN TEXT DEFAULT '否',
    MID INTEGER
);
CREATE INDEX IF NOT EXISTS ix_UOrder_theDate ON UOrder (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UOrder_theNum ON UOrder (theNum);
CREATE INDEX IF NOT EXISTS ix_UOrder_MNum ON UOrder (MNum);
CREATE INDEX IF NOT EXISTS ix_UOrder_SH6 ON UOrder (SH6);
CREATE INDEX IF NOT EXISTS ix_UOrder_SH03 ON UOrder (SH03);
CREATE INDEX IF NOT EXISTS ix_UOrder_myDate ON UOrder (myDate);
CREATE INDEX IF NOT EXISTS ix_UOrder_SH3 ON UOrder (SH3);
CREATE INDEX IF NOT EXISTS ix_UOrder_DState ON UOrder (DState, ID);
CREATE INDEX IF NOT EXISTS ix_UOrder_theHS ON UOrder (theHS, ID);
CREATE INDEX IF NOT EXISTS ix_UOrder_M8 ON UOrder (M8);
CREATE INDEX IF NOT EXISTS ix_UOrder_theLN ON UOrder (theLN, ID);

-- Money received on orders: theNum is the order's number, theType is
-- 订单录入 (taken at entry) or 应收回笼 (collected later).
CREATE TABLE IF NOT EXISTS UO_SK (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theNum TEXT DEFAULT '',
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theMoney REAL DEFAULT 0,
    MType TEXT DEFAULT '',
    theType TEXT DEFAULT '',
    WName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theSKR TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UO_SK_theNum ON UO_SK (theNum);
CREATE INDEX IF NOT EXISTS ix_UO_SK_theDate ON UO_SK (theDate);

-- Members: theNum the card number, theType the category (SMType),
-- theBir 'mm-dd', theJF points, XFDate last purchase, theCount number of
-- member orders, theMoney stored-value balance.
CREATE TABLE IF NOT EXISTS UMember (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theType TEXT DEFAULT '',
    theNum TEXT DEFAULT '',
    theName TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    theSex TEXT DEFAULT '',
    theBir TEXT DEFAULT '',
    theDept TEXT DEFAULT '',
    thePhone TEXT DEFAULT '',
    theLove TEXT DEFAULT '',
    theAddress TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    thePY TEXT DEFAULT '',
    theJF REAL DEFAULT 0,
    XFDate TEXT DEFAULT '',
    theCount REAL DEFAULT 0,
    theMoney REAL DEFAULT 0,
    theQQ TEXT DEFAULT '',
    theWX TEXT DEFAULT '',
    theMob TEXT DEFAULT '',
    WName TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UMember_theNum ON UMember (theNum);
CREATE INDEX IF NOT EXISTS ix_UMember_thePhone ON UMember (thePhone);
CREATE INDEX IF NOT EXISTS ix_UMember_theMob ON UMember (theMob);
CREATE INDEX IF NOT EXISTS ix_UMember_thePY ON UMember (thePY);
-- The member lookup's substring index: every three-character piece of the five
-- columns it searches (FTS5 with the trigram tokenizer), kept by the triggers
-- below. A lookup text of three characters or more reads the matching IDs here
-- first; the LIKE terms then decide as before. The rebuild fills it from the
-- members already present.
CREATE VIRTUAL TABLE IF NOT EXISTS UMember_trgm USING fts5(theNum, thePhone, thePY, theName, theMob, content='UMember', content_rowid='ID', tokenize='trigram');
CREATE TRIGGER IF NOT EXISTS UMember_trgm_ai AFTER INSERT ON UMember BEGIN INSERT INTO UMember_trgm (rowid, theNum, thePhone, thePY, theName, theMob) VALUES (new.ID, new.theNum, new.thePhone, new.thePY, new.theName, new.theMob); END;
CREATE TRIGGER IF NOT EXISTS UMember_trgm_ad AFTER DELETE ON UMember BEGIN INSERT INTO UMember_trgm (UMember_trgm, rowid, theNum, thePhone, thePY, theName, theMob) VALUES ('delete', old.ID, old.theNum, old.thePhone, old.thePY, old.theName, old.theMob); END;
CREATE TRIGGER IF NOT EXISTS UMember_trgm_au AFTER UPDATE OF theNum, thePhone, thePY, theName, theMob ON UMember BEGIN INSERT INTO UMember_trgm (UMember_trgm, rowid, theNum, thePhone, thePY, theName, theMob) VALUES ('delete', old.ID, old.theNum, old.thePhone, old.thePY, old.theName, old.theMob); INSERT INTO UMember_trgm (rowid, theNum, thePhone, thePY, theName, theMob) VALUES (new.ID, new.theNum, new.thePhone, new.thePY, new.theName, new.theMob); END;
INSERT INTO UMember_trgm (UMember_trgm) VALUES ('rebuild');

-- Member categories: theZK discount in percent (100 = none), theJF the
-- amount of money that earns one point.
CREATE TABLE IF NOT EXISTS SMType (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    theZK REAL DEFAULT 100,
    theJF REAL DEFAULT 1,
    Remark TEXT DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS ux_SMType_theName ON SMType (theName);

-- Stored-value top-ups (CZ...): M1 stored amount, M2 gift amount, MNum the card,
-- MID the ID of the member credited (empty on rows from before the column).
CREATE TABLE IF NOT EXISTS UStore (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    MNum TEXT DEFAULT '',
    M1 REAL DEFAULT 0,
    M2 REAL DEFAULT 0,
    MType TEXT DEFAULT '',
    theDX TEXT DEFAULT '',
    theSKR TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    WName TEXT DEFAULT '',
    MID INTEGER
);
CREATE INDEX IF NOT EXISTS ix_UStore_theDate ON UStore (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UStore_theNum ON UStore (theNum);
CREATE INDEX IF NOT EXISTS ix_UStore_MNum ON UStore (MNum);

-- Points exchanges (DH...): GName the gift, thePrice points per piece,
-- theCount pieces, MID the ID of the member debited (empty on rows from
-- before the column).
CREATE TABLE IF NOT EXISTS UExchange (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    MNum TEXT DEFAULT '',
    GName TEXT DEFAULT '',
    thePrice REAL DEFAULT 0,
    theCount REAL DEFAULT 0,
    theJDR TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    WName TEXT DEFAULT '',
    MID INTEGER
);
CREATE INDEX IF NOT EXISTS ix_UExchange_theDate ON UExchange (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UExchange_theNum ON UExchange (theNum);
CREATE INDEX IF NOT EXISTS ix_UExchange_MNum ON UExchange (MNum);

-- Flower materials: theCG purchase unit price, theXS sale unit price.
CREATE TABLE IF NOT EXISTS UHC (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theType TEXT DEFAULT '',
    theNum TEXT DEFAULT '',
    theName TEXT DEFAULT '',
    theUnit TEXT DEFAULT '',
    theCG REAL DEFAULT 0,
    theXS REAL DEFAULT 0,
    Remark TEXT DEFAULT '',
    thePY TEXT DEFAULT '',
    theDel TEXT DEFAULT '否'
);
CREATE INDEX IF NOT EXISTS ix_UHC_theNum ON UHC (theNum);
CREATE INDEX IF NOT EXISTS ix_UHC_thePY ON UHC (thePY);
-- The material lookup's substring index over name, initials and number, kept
-- like the member lookup's by the triggers below.
CREATE VIRTUAL TABLE IF NOT EXISTS UHC_trgm USING fts5(theName, thePY, theNum, content='UHC', content_rowid='ID', tokenize='trigram');
CREATE TRIGGER IF NOT EXISTS UHC_trgm_ai AFTER INSERT ON UHC BEGIN INSERT INTO UHC_trgm (rowid, theName, thePY, theNum) VALUES (new.ID, new.theName, new.thePY, new.theNum); END;
CREATE TRIGGER IF NOT EXISTS UHC_trgm_ad AFTER DELETE ON UHC BEGIN INSERT INTO UHC_trgm (UHC_trgm, rowid, theName, thePY, theNum) VALUES ('delete', old.ID, old.theName, old.thePY, old.theNum); END;
CREATE TRIGGER IF NOT EXISTS UHC_trgm_au AFTER UPDATE OF theName, thePY, theNum ON UHC BEGIN INSERT INTO UHC_trgm (UHC_trgm, rowid, theName, thePY, theNum) VALUES ('delete', old.ID, old.theName, old.thePY, old.theNum); INSERT INTO UHC_trgm (rowid, theName, thePY, theNum) VALUES (new.ID, new.theName, new.thePY, new.theNum); END;
INSERT INTO UHC_trgm (UHC_trgm) VALUES ('rebuild');

-- Stock lots, one per purchase line: HCID is UHC.ID, CGNum the purchase
-- number, theCount the quantity still in the lot.
CREATE TABLE IF NOT EXISTS UHCKC (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    WName TEXT DEFAULT '',
    CGNum TEXT DEFAULT '',
    HCID INTEGER DEFAULT 0,
    theCount REAL DEFAULT 0,
    thePrice REAL DEFAULT 0,
    myDate TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UHCKC_HCID ON UHCKC (HCID);
CREATE INDEX IF NOT EXISTS ix_UHCKC_WName ON UHCKC (WName);
CREATE INDEX IF NOT EXISTS ix_UHCKC_CGNum ON UHCKC (CGNum);

-- Purchase headers (CG...): WID the supplier (UWL.ID), theFK paid now,
-- theYF left owing.
CREATE TABLE IF NOT EXISTS UCG (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    WID INTEGER DEFAULT 0,
    WName TEXT DEFAULT '',
    theMoney REAL DEFAULT 0,
    MType TEXT DEFAULT '',
    theFKR TEXT DEFAULT '',
    theZDR TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theDX TEXT DEFAULT '',
    theCount REAL DEFAULT 0,
    theFK REAL DEFAULT 0,
    theYF REAL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS ix_UCG_theDate ON UCG (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UCG_theNum ON UCG (theNum);

-- Purchase lines, linked to their header by theNum; ID keeps the line order.
CREATE TABLE IF NOT EXISTS UCG_List (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theNum TEXT DEFAULT '',
    HCID INTEGER DEFAULT 0,
    theCount REAL DEFAULT 0,
    thePrice REAL DEFAULT 0,
    Remark TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UCG_List_theNum ON UCG_List (theNum);

-- Requisition headers (LY...).
CREATE TABLE IF NOT EXISTS ULY (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    WName TEXT DEFAULT '',
    theMoney REAL DEFAULT 0,
    theLYR TEXT DEFAULT '',
    theZDR TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theDX TEXT DEFAULT '',
    theCount REAL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS ix_ULY_theDate ON ULY (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_ULY_theNum ON ULY (theNum);

-- Requisition lines.
CREATE TABLE IF NOT EXISTS ULY_List (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theNum TEXT DEFAULT '',
    HCID INTEGER DEFAULT 0,
    theCount REAL DEFAULT 0,
    thePrice REAL DEFAULT 0,
    Remark TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_ULY_List_theNum ON ULY_List (theNum);

-- Damage headers (BS...).
CREATE TABLE IF NOT EXISTS UBS (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    WName TEXT DEFAULT '',
    theMoney REAL DEFAULT 0,
    theBSR TEXT DEFAULT '',
    theZDR TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theDX TEXT DEFAULT '',
    theCount REAL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS ix_UBS_theDate ON UBS (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UBS_theNum ON UBS (theNum);

-- Damage lines.
CREATE TABLE IF NOT EXISTS UBS_List (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theNum TEXT DEFAULT '',
    HCID INTEGER DEFAULT 0,
    theCount REAL DEFAULT 0,
    thePrice REAL DEFAULT 0,
    Remark TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UBS_List_theNum ON UBS_List (theNum);

-- Sale headers (XS...): WID the customer (UWL.ID), theFK collected now,
-- theYF left receivable.
CREATE TABLE IF NOT EXISTS UXS (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    WID INTEGER DEFAULT 0,
    WName TEXT DEFAULT '',
    theMoney REAL DEFAULT 0,
    MType TEXT DEFAULT '',
    theSKR TEXT DEFAULT '',
    theZDR TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theDX TEXT DEFAULT '',
    theCount REAL DEFAULT 0,
    theFK REAL DEFAULT 0,
    theYF REAL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS ix_UXS_theDate ON UXS (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UXS_theNum ON UXS (theNum);

-- Sale lines.
CREATE TABLE IF NOT EXISTS UXS_List (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theNum TEXT DEFAULT '',
    HCID INTEGER DEFAULT 0,
    theCount REAL DEFAULT 0,
    thePrice REAL DEFAULT 0,
    Remark TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UXS_List_theNum ON UXS_List (theNum);

-- Partner units: theType a name from SWLType, theYS receivable balance,
-- theYF payable balance.
CREATE TABLE IF NOT EXISTS UWL (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theType TEXT DEFAULT '',
    theName TEXT DEFAULT '',
    thePro TEXT DEFAULT '',
    thePhone TEXT DEFAULT '',
    theMob TEXT DEFAULT '',
    theAdd TEXT DEFAULT '',
    theYS REAL DEFAULT 0,
    theYF REAL DEFAULT 0,
    Remark TEXT DEFAULT '',
    thePY TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    WName TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UWL_theName ON UWL (theName);
CREATE INDEX IF NOT EXISTS ix_UWL_thePY ON UWL (thePY);
CREATE INDEX IF NOT EXISTS ix_UWL_WName ON UWL (WName);

-- Collections from partners (SK...).
CREATE TABLE IF NOT EXISTS USK (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    WID INTEGER DEFAULT 0,
    WName TEXT DEFAULT '',
    theMoney REAL DEFAULT 0,
    MType TEXT DEFAULT '',
    theSKR TEXT DEFAULT '',
    theZDR TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theDX TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_USK_theDate ON USK (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_USK_theNum ON USK (theNum);
CREATE INDEX IF NOT EXISTS ix_USK_WID ON USK (WID);

-- Payments to partners (FK...).
CREATE TABLE IF NOT EXISTS UFK (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theDate TEXT DEFAULT '',
    UName TEXT DEFAULT '',
    theDel TEXT DEFAULT '否',
    theNum TEXT DEFAULT '',
    myDate TEXT DEFAULT '',
    WID INTEGER DEFAULT 0,
    WName TEXT DEFAULT '',
    theMoney REAL DEFAULT 0,
    MType TEXT DEFAULT '',
    theFKR TEXT DEFAULT '',
    theZDR TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theDX TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UFK_theDate ON UFK (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UFK_theNum ON UFK (theNum);
CREATE INDEX IF NOT EXISTS ix_UFK_WID ON UFK (WID);

-- Users: WName the home store, theName the login name, thePass the
-- salted password hash (empty for a new user until the first login).
CREATE TABLE IF NOT EXISTS SUser (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    WName TEXT DEFAULT '',
    theName TEXT DEFAULT '',
    thePass TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS ux_SUser_theName ON SUser (theName);

-- Operation rights: one row per granted menu code MNum of user UID.
CREATE TABLE IF NOT EXISTS SLevel (
    UID INTEGER DEFAULT 0,
    MNum TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SLevel_UID ON SLevel (UID);

-- Store-view rights: one row per store that user UID may view.
CREATE TABLE IF NOT EXISTS SUW (
    UID INTEGER DEFAULT 0,
    WName TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SUW_UID ON SUW (UID);

-- Grantable menu entries: MNum = menu index AA + entry index BB.
CREATE TABLE IF NOT EXISTS SMenu (
    MNum TEXT NOT NULL PRIMARY KEY,
    MName TEXT DEFAULT ''
);

-- The shop: one row, ID 1 (theGG the advertising line of the receipts).
CREATE TABLE IF NOT EXISTS SDept (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    thePhone TEXT DEFAULT '',
    theAddress TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theGG TEXT DEFAULT ''
);

-- Stores and their defaults for the entry windows.
CREATE TABLE IF NOT EXISTS SWare (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT '',
    theMType TEXT DEFAULT '',
    theSex TEXT DEFAULT '',
    theHX TEXT DEFAULT '',
    theSD TEXT DEFAULT '',
    theSK TEXT DEFAULT '',
    theState TEXT DEFAULT '',
    theDType TEXT DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS ux_SWare_theName ON SWare (theName);

-- Staff of each store.
CREATE TABLE IF NOT EXISTS SWorker (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    WName TEXT DEFAULT '',
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS ux_SWorker_WName_theName ON SWorker (WName, theName);

-- Receipt titles: ID 1 order, 2 top-up, 3 exchange.
CREATE TABLE IF NOT EXISTS SDJ (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT ''
);

-- Sexes.
CREATE TABLE IF NOT EXISTS SSex (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Delivery time slots.
CREATE TABLE IF NOT EXISTS SSD (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Payment methods (储值卡 = paid from the member's balance).
CREATE TABLE IF NOT EXISTS SSK (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Purposes of a flower gift.
CREATE TABLE IF NOT EXISTS SUse (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Kinds of recipient.
CREATE TABLE IF NOT EXISTS SObject (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Product names of orders.
CREATE TABLE IF NOT EXISTS SHX (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Order types.
CREATE TABLE IF NOT EXISTS SDType (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Delivery areas: thePrice the delivery fee.
CREATE TABLE IF NOT EXISTS SArea (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    thePrice REAL DEFAULT 0,
    Remark TEXT DEFAULT '',
    thePY TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SArea_theName ON SArea (theName);
CREATE INDEX IF NOT EXISTS ix_SArea_thePY ON SArea (thePY);

-- Alliance partners: theZK the discount in percent.
CREATE TABLE IF NOT EXISTS SAlliance (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    theZK REAL DEFAULT 100,
    Remark TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SAlliance_theName ON SAlliance (theName);

-- Gifts: thePrice the points needed for one piece.
CREATE TABLE IF NOT EXISTS SGift (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    thePrice REAL DEFAULT 0,
    Remark TEXT DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SGift_theName ON SGift (theName);

-- Flower-material types.
CREATE TABLE IF NOT EXISTS SHCType (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Flower-material units.
CREATE TABLE IF NOT EXISTS SHCUnit (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Order states; the reminder lists look for 未送 and 未取, the system writes 已送 and 已取.
CREATE TABLE IF NOT EXISTS SState (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Partner types; 供应商 and 客户 carry meaning.
CREATE TABLE IF NOT EXISTS SWLType (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    theName TEXT DEFAULT '',
    Remark TEXT DEFAULT ''
);

-- Stock lots with their material (the material's theDel hides the lots of a deleted material)
CREATE VIEW IF NOT EXISTS UHCKCVIEW AS
SELECT k.ID, k.HCID, k.WName, k.CGNum, k.myDate,
       k.thePrice, k.theCount, h.theType, h.theNum, h.theName,
       h.theUnit, h.theXS, h.thePY, h.Remark, h.theDel
FROM UHCKC k
INNER JOIN UHC h ON k.HCID = h.ID;

-- Collections with the partner's name (theDel is the collection's own flag)
CREATE VIEW IF NOT EXISTS USKVIEW AS
SELECT s.WName, s.theNum, s.myDate, s.theMoney, s.MType,
       s.theSKR, s.theZDR, s.Remark, s.theDate, s.UName,
       s.ID, s.WID, s.theDel, w.theName
FROM USK s
LEFT JOIN UWL w ON s.WID = w.ID;

-- Payments with the partner's name (theDel is the payment's own flag)
CREATE VIEW IF NOT EXISTS UFKVIEW AS
SELECT s.WName, s.theNum, s.myDate, s.theMoney, s.MType,
       s.theFKR, s.theZDR, s.Remark, s.theDate, s.UName,
       s.ID, s.WID, s.theDel, w.theName
FROM UFK s
LEFT JOIN UWL w ON s.WID = w.ID;
