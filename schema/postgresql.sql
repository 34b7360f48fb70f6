-- 青禾花店管理系统: database schema for PostgreSQL.
--
-- Running this file: statements are separated by line ends.  A statement
-- ends at the first line whose last non-blank character is a semicolon
-- and that is not inside a $$ ... $$ function body; no line inside a
-- function body ends with a semicolon, and no comment line does either.
-- Run the text collected up to such a line as one statement, skip pieces
-- that hold only blanks and comments.  The file can be run more than once.
--
-- All identifiers are unquoted, so PostgreSQL keeps them in lower case:
-- the application reads column names without regard to case.
-- Dates are text 'yyyy-mm-dd' (birthdays 'mm-dd'), flags are the words
-- 是 / 否, amounts, prices, points and quantities are double precision.
--
-- myLogin(user name) returns the SUser rows of that name as
-- (WName, theName, thePass, ID); the application checks the password hash.
-- myDate() returns one row with one column myD, the server's date and time.

SET client_encoding = 'UTF8';

-- Orders: one row per order, number DD + yymmdd + '-' + sequence.
-- theType 会员/散客/单位, SH1..SH8 recipient, SH01..SH05 sender,
-- M1 price, M2 discount %, M3 discounted price, M4 delivery fee, M5 voucher,
-- M6 total, M7 received, M8 still owed, DState a name from SState,
-- theFP/theHS/theTZ/theJK flags 是/否 (theHS: vase to be returned),
-- theLN 是 when the shop calls the sender on the same day next year.
-- MID the ID of the member a member order was charged to (empty on rows from before the column).
CREATE TABLE IF NOT EXISTS UOrder (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    theType varchar(50) DEFAULT '',
    MNum varchar(50) DEFAULT '',
    WName varchar(50) DEFAULT '',
    DType varchar(50) DEFAULT '',
    SH1 varchar(50) DEFAULT '',
    SH2 varchar(50) DEFAULT '',
    SH3 varchar(30) DEFAULT '',
    SH4 varchar(50) DEFAULT '',
    SH5 varchar(50) DEFAULT '',
    SH6 varchar(50) DEFAULT '',
    SH7 varchar(50) DEFAULT '',
    SH8 varchar(200) DEFAULT '',
    SH01 varchar(50) DEFAULT '',
    SH02 varchar(50) DEFAULT '',
    SH03 varchar(50) DEFAULT '',
    theHX varchar(50) DEFAULT '',
    M1 double precision DEFAULT 0,
    M2 double precision DEFAULT 100,
    M3 double precision DEFAULT 0,
    M4 double precision DEFAULT 0,
    M5 double precision DEFAULT 0,
    M6 double precision DEFAULT 0,
    M7 double precision DEFAULT 0,
    M8 double precision DEFAULT 0,
    MType varchar(50) DEFAULT '',
    theDX varchar(100) DEFAULT '',
    theJDR varchar(50) DEFAULT '',
    theHYS varchar(50) DEFAULT '',
    DState varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    AName varchar(50) DEFAULT '',
    theJF double precision DEFAULT 0,
    SH04 varchar(50) DEFAULT '',
    SH05 varchar(50) DEFAULT '',
    theFP varchar(4) DEFAULT '否',
    theHS varchar(4) DEFAULT '否',
    theTZ varchar(4) DEFAULT '否',
    theJK varchar(4) DEFAULT '否',
    theSKR varchar(50) DEFAULT '',
    theDSR varchar(50) DEFAULT '',
    theLN varchar(4) DEFAULT '否',
    MID integer
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
    ID SERIAL PRIMARY KEY,
    theNum varchar(40) DEFAULT '',
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theMoney double precision DEFAULT 0,
    MType varchar(50) DEFAULT '',
    theType varchar(50) DEFAULT '',
    WName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theSKR varchar(50) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UO_SK_theNum ON UO_SK (theNum);
CREATE INDEX IF NOT EXISTS ix_UO_SK_theDate ON UO_SK (theDate);

-- Members: theNum the card number, theType the category (SMType),
-- theBir 'mm-dd', theJF points, XFDate last purchase, theCount number of
-- member orders, theMoney stored-value balance.
CREATE TABLE IF NOT EXISTS UMember (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theType varchar(50) DEFAULT '',
    theNum varchar(50) DEFAULT '',
    theName varchar(50) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    theSex varchar(50) DEFAULT '',
    theBir varchar(30) DEFAULT '',
    theDept varchar(100) DEFAULT '',
    thePhone varchar(50) DEFAULT '',
    theLove varchar(50) DEFAULT '',
    theAddress varchar(100) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    thePY varchar(255) DEFAULT '',
    theJF double precision DEFAULT 0,
    XFDate varchar(30) DEFAULT '',
    theCount double precision DEFAULT 0,
    theMoney double precision DEFAULT 0,
    theQQ varchar(50) DEFAULT '',
    theWX varchar(50) DEFAULT '',
    theMob varchar(50) DEFAULT '',
    WName varchar(50) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UMember_theNum ON UMember (theNum);
CREATE INDEX IF NOT EXISTS ix_UMember_thePhone ON UMember (thePhone);
CREATE INDEX IF NOT EXISTS ix_UMember_theMob ON UMember (theMob);
CREATE INDEX IF NOT EXISTS ix_UMember_thePY ON UMember (thePY);
-- Trigram indexes for the member lookup's contains-search (ILIKE '%…%'): a
-- text of three characters or more is found through them instead of a scan.
-- pg_trgm ships with the server; creating it needs CREATE on the database
-- (see README.md, "The member lookup's indexes").
CREATE EXTENSION IF NOT EXISTS pg_trgm;
CREATE INDEX IF NOT EXISTS ix_UMember_theNum_trgm ON UMember USING gin (theNum gin_trgm_ops);
CREATE INDEX IF NOT EXISTS ix_UMember_thePhone_trgm ON UMember USING gin (thePhone gin_trgm_ops);
CREATE INDEX IF NOT EXISTS ix_UMember_thePY_trgm ON UMember USING gin (thePY gin_trgm_ops);
CREATE INDEX IF NOT EXISTS ix_UMember_theName_trgm ON UMember USING gin (theName gin_trgm_ops);
CREATE INDEX IF NOT EXISTS ix_UMember_theMob_trgm ON UMember USING gin (theMob gin_trgm_ops);

-- Member categories: theZK discount in percent (100 = none), theJF the
-- amount of money that earns one point.
CREATE TABLE IF NOT EXISTS SMType (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    theZK double precision DEFAULT 100,
    theJF double precision DEFAULT 1,
    Remark varchar(200) DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS ux_SMType_theName ON SMType (theName);

-- Stored-value top-ups (CZ...): M1 stored amount, M2 gift amount, MNum the card,
-- MID the ID of the member credited (empty on rows from before the column).
CREATE TABLE IF NOT EXISTS UStore (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    MNum varchar(50) DEFAULT '',
    M1 double precision DEFAULT 0,
    M2 double precision DEFAULT 0,
    MType varchar(50) DEFAULT '',
    theDX varchar(100) DEFAULT '',
    theSKR varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    WName varchar(50) DEFAULT '',
    MID integer
);
CREATE INDEX IF NOT EXISTS ix_UStore_theDate ON UStore (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UStore_theNum ON UStore (theNum);
CREATE INDEX IF NOT EXISTS ix_UStore_MNum ON UStore (MNum);

-- Points exchanges (DH...): GName the gift, thePrice points per piece,
-- theCount pieces, MID the ID of the member debited (empty on rows from
-- before the column).
CREATE TABLE IF NOT EXISTS UExchange (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    MNum varchar(50) DEFAULT '',
    GName varchar(50) DEFAULT '',
    thePrice double precision DEFAULT 0,
    theCount double precision DEFAULT 0,
    theJDR varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    WName varchar(50) DEFAULT '',
    MID integer
);
CREATE INDEX IF NOT EXISTS ix_UExchange_theDate ON UExchange (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UExchange_theNum ON UExchange (theNum);
CREATE INDEX IF NOT EXISTS ix_UExchange_MNum ON UExchange (MNum);

-- Flower materials: theCG purchase unit price, theXS sale unit price.
CREATE TABLE IF NOT EXISTS UHC (
    ID SERIAL PRIMARY KEY,
    theType varchar(50) DEFAULT '',
    theNum varchar(50) DEFAULT '',
    theName varchar(50) DEFAULT '',
    theUnit varchar(50) DEFAULT '',
    theCG double precision DEFAULT 0,
    theXS double precision DEFAULT 0,
    Remark varchar(200) DEFAULT '',
    thePY varchar(255) DEFAULT '',
    theDel varchar(4) DEFAULT '否'
);
CREATE INDEX IF NOT EXISTS ix_UHC_theNum ON UHC (theNum);
CREATE INDEX IF NOT EXISTS ix_UHC_thePY ON UHC (thePY);
-- Trigram indexes for the material lookup's contains-search (pg_trgm, created
-- with the member lookup's above).
CREATE INDEX IF NOT EXISTS ix_UHC_theName_trgm ON UHC USING gin (theName gin_trgm_ops);
CREATE INDEX IF NOT EXISTS ix_UHC_thePY_trgm ON UHC USING gin (thePY gin_trgm_ops);
CREATE INDEX IF NOT EXISTS ix_UHC_theNum_trgm ON UHC USING gin (theNum gin_trgm_ops);

-- Stock lots, one per purchase line: HCID is UHC.ID, CGNum the purchase
-- number, theCount the quantity still in the lot.
CREATE TABLE IF NOT EXISTS UHCKC (
    ID SERIAL PRIMARY KEY,
    WName varchar(50) DEFAULT '',
    CGNum varchar(40) DEFAULT '',
    HCID integer DEFAULT 0,
    theCount double precision DEFAULT 0,
    thePrice double precision DEFAULT 0,
    myDate varchar(30) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UHCKC_HCID ON UHCKC (HCID);
CREATE INDEX IF NOT EXISTS ix_UHCKC_WName ON UHCKC (WName);
CREATE INDEX IF NOT EXISTS ix_UHCKC_CGNum ON UHCKC (CGNum);

-- Purchase headers (CG...): WID the supplier (UWL.ID), theFK paid now,
-- theYF left owing.
CREATE TABLE IF NOT EXISTS UCG (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    WID integer DEFAULT 0,
    WName varchar(50) DEFAULT '',
    theMoney double precision DEFAULT 0,
    MType varchar(50) DEFAULT '',
    theFKR varchar(50) DEFAULT '',
    theZDR varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    theDX varchar(100) DEFAULT '',
    theCount double precision DEFAULT 0,
    theFK double precision DEFAULT 0,
    theYF double precision DEFAULT 0
);
CREATE INDEX IF NOT EXISTS ix_UCG_theDate ON UCG (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UCG_theNum ON UCG (theNum);

-- Purchase lines, linked to their header by theNum; ID keeps the line order.
CREATE TABLE IF NOT EXISTS UCG_List (
    ID SERIAL PRIMARY KEY,
    theNum varchar(40) DEFAULT '',
    HCID integer DEFAULT 0,
    theCount double precision DEFAULT 0,
    thePrice double precision DEFAULT 0,
    Remark varchar(200) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UCG_List_theNum ON UCG_List (theNum);

-- Requisition headers (LY...).
CREATE TABLE IF NOT EXISTS ULY (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    WName varchar(50) DEFAULT '',
    theMoney double precision DEFAULT 0,
    theLYR varchar(50) DEFAULT '',
    theZDR varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    theDX varchar(100) DEFAULT '',
    theCount double precision DEFAULT 0
);
CREATE INDEX IF NOT EXISTS ix_ULY_theDate ON ULY (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_ULY_theNum ON ULY (theNum);

-- Requisition lines.
CREATE TABLE IF NOT EXISTS ULY_List (
    ID SERIAL PRIMARY KEY,
    theNum varchar(40) DEFAULT '',
    HCID integer DEFAULT 0,
    theCount double precision DEFAULT 0,
    thePrice double precision DEFAULT 0,
    Remark varchar(200) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_ULY_List_theNum ON ULY_List (theNum);

-- Damage headers (BS...).
CREATE TABLE IF NOT EXISTS UBS (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    WName varchar(50) DEFAULT '',
    theMoney double precision DEFAULT 0,
    theBSR varchar(50) DEFAULT '',
    theZDR varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    theDX varchar(100) DEFAULT '',
    theCount double precision DEFAULT 0
);
CREATE INDEX IF NOT EXISTS ix_UBS_theDate ON UBS (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UBS_theNum ON UBS (theNum);

-- Damage lines.
CREATE TABLE IF NOT EXISTS UBS_List (
    ID SERIAL PRIMARY KEY,
    theNum varchar(40) DEFAULT '',
    HCID integer DEFAULT 0,
    theCount double precision DEFAULT 0,
    thePrice double precision DEFAULT 0,
    Remark varchar(200) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UBS_List_theNum ON UBS_List (theNum);

-- Sale headers (XS...): WID the customer (UWL.ID), theFK collected now,
-- theYF left receivable.
CREATE TABLE IF NOT EXISTS UXS (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    WID integer DEFAULT 0,
    WName varchar(50) DEFAULT '',
    theMoney double precision DEFAULT 0,
    MType varchar(50) DEFAULT '',
    theSKR varchar(50) DEFAULT '',
    theZDR varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    theDX varchar(100) DEFAULT '',
    theCount double precision DEFAULT 0,
    theFK double precision DEFAULT 0,
    theYF double precision DEFAULT 0
);
CREATE INDEX IF NOT EXISTS ix_UXS_theDate ON UXS (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UXS_theNum ON UXS (theNum);

-- Sale lines.
CREATE TABLE IF NOT EXISTS UXS_List (
    ID SERIAL PRIMARY KEY,
    theNum varchar(40) DEFAULT '',
    HCID integer DEFAULT 0,
    theCount double precision DEFAULT 0,
    thePrice double precision DEFAULT 0,
    Remark varchar(200) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UXS_List_theNum ON UXS_List (theNum);

-- Partner units: theType a name from SWLType, theYS receivable balance,
-- theYF payable balance.
CREATE TABLE IF NOT EXISTS UWL (
    ID SERIAL PRIMARY KEY,
    theType varchar(50) DEFAULT '',
    theName varchar(100) DEFAULT '',
    thePro varchar(50) DEFAULT '',
    thePhone varchar(50) DEFAULT '',
    theMob varchar(50) DEFAULT '',
    theAdd varchar(100) DEFAULT '',
    theYS double precision DEFAULT 0,
    theYF double precision DEFAULT 0,
    Remark varchar(200) DEFAULT '',
    thePY varchar(255) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    WName varchar(50) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UWL_theName ON UWL (theName);
CREATE INDEX IF NOT EXISTS ix_UWL_thePY ON UWL (thePY);
CREATE INDEX IF NOT EXISTS ix_UWL_WName ON UWL (WName);

-- Collections from partners (SK...).
CREATE TABLE IF NOT EXISTS USK (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    WID integer DEFAULT 0,
    WName varchar(50) DEFAULT '',
    theMoney double precision DEFAULT 0,
    MType varchar(50) DEFAULT '',
    theSKR varchar(50) DEFAULT '',
    theZDR varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    theDX varchar(100) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_USK_theDate ON USK (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_USK_theNum ON USK (theNum);
CREATE INDEX IF NOT EXISTS ix_USK_WID ON USK (WID);

-- Payments to partners (FK...).
CREATE TABLE IF NOT EXISTS UFK (
    ID SERIAL PRIMARY KEY,
    theDate varchar(30) DEFAULT '',
    UName varchar(50) DEFAULT '',
    theDel varchar(4) DEFAULT '否',
    theNum varchar(40) DEFAULT '',
    myDate varchar(30) DEFAULT '',
    WID integer DEFAULT 0,
    WName varchar(50) DEFAULT '',
    theMoney double precision DEFAULT 0,
    MType varchar(50) DEFAULT '',
    theFKR varchar(50) DEFAULT '',
    theZDR varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    theDX varchar(100) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_UFK_theDate ON UFK (theDate);
CREATE UNIQUE INDEX IF NOT EXISTS ux_UFK_theNum ON UFK (theNum);
CREATE INDEX IF NOT EXISTS ix_UFK_WID ON UFK (WID);

-- Users: WName the home store, theName the login name, thePass the
-- salted password hash (empty for a new user until the first login).
CREATE TABLE IF NOT EXISTS SUser (
    ID SERIAL PRIMARY KEY,
    WName varchar(50) DEFAULT '',
    theName varchar(50) DEFAULT '',
    thePass varchar(255) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS ux_SUser_theName ON SUser (theName);

-- Operation rights: one row per granted menu code MNum of user UID.
CREATE TABLE IF NOT EXISTS SLevel (
    UID integer DEFAULT 0,
    MNum varchar(10) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SLevel_UID ON SLevel (UID);

-- Store-view rights: one row per store that user UID may view.
CREATE TABLE IF NOT EXISTS SUW (
    UID integer DEFAULT 0,
    WName varchar(50) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SUW_UID ON SUW (UID);

-- Grantable menu entries: MNum = menu index AA + entry index BB.
CREATE TABLE IF NOT EXISTS SMenu (
    MNum varchar(10) NOT NULL PRIMARY KEY,
    MName varchar(50) DEFAULT ''
);

-- The shop: one row, ID 1 (theGG the advertising line of the receipts).
CREATE TABLE IF NOT EXISTS SDept (
    ID SERIAL PRIMARY KEY,
    theName varchar(100) DEFAULT '',
    thePhone varchar(100) DEFAULT '',
    theAddress varchar(100) DEFAULT '',
    Remark varchar(100) DEFAULT '',
    theGG varchar(100) DEFAULT ''
);

-- Stores and their defaults for the entry windows.
CREATE TABLE IF NOT EXISTS SWare (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT '',
    theMType varchar(50) DEFAULT '',
    theSex varchar(50) DEFAULT '',
    theHX varchar(50) DEFAULT '',
    theSD varchar(50) DEFAULT '',
    theSK varchar(50) DEFAULT '',
    theState varchar(50) DEFAULT '',
    theDType varchar(50) DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS ux_SWare_theName ON SWare (theName);

-- Staff of each store.
CREATE TABLE IF NOT EXISTS SWorker (
    ID SERIAL PRIMARY KEY,
    WName varchar(50) DEFAULT '',
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);
CREATE UNIQUE INDEX IF NOT EXISTS ux_SWorker_WName_theName ON SWorker (WName, theName);

-- Receipt titles: ID 1 order, 2 top-up, 3 exchange.
CREATE TABLE IF NOT EXISTS SDJ (
    ID SERIAL PRIMARY KEY,
    theName varchar(100) DEFAULT ''
);

-- Sexes.
CREATE TABLE IF NOT EXISTS SSex (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Delivery time slots.
CREATE TABLE IF NOT EXISTS SSD (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Payment methods (储值卡 = paid from the member's balance).
CREATE TABLE IF NOT EXISTS SSK (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Purposes of a flower gift.
CREATE TABLE IF NOT EXISTS SUse (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Kinds of recipient.
CREATE TABLE IF NOT EXISTS SObject (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Product names of orders.
CREATE TABLE IF NOT EXISTS SHX (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Order types.
CREATE TABLE IF NOT EXISTS SDType (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Delivery areas: thePrice the delivery fee.
CREATE TABLE IF NOT EXISTS SArea (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    thePrice double precision DEFAULT 0,
    Remark varchar(200) DEFAULT '',
    thePY varchar(255) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SArea_theName ON SArea (theName);
CREATE INDEX IF NOT EXISTS ix_SArea_thePY ON SArea (thePY);

-- Alliance partners: theZK the discount in percent.
CREATE TABLE IF NOT EXISTS SAlliance (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    theZK double precision DEFAULT 100,
    Remark varchar(200) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SAlliance_theName ON SAlliance (theName);

-- Gifts: thePrice the points needed for one piece.
CREATE TABLE IF NOT EXISTS SGift (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    thePrice double precision DEFAULT 0,
    Remark varchar(200) DEFAULT ''
);
CREATE INDEX IF NOT EXISTS ix_SGift_theName ON SGift (theName);

-- Flower-material types.
CREATE TABLE IF NOT EXISTS SHCType (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Flower-material units.
CREATE TABLE IF NOT EXISTS SHCUnit (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Order states; the reminder lists look for 未送 and 未取, the system writes 已送 and 已取.
CREATE TABLE IF NOT EXISTS SState (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Partner types; 供应商 and 客户 carry meaning.
CREATE TABLE IF NOT EXISTS SWLType (
    ID SERIAL PRIMARY KEY,
    theName varchar(50) DEFAULT '',
    Remark varchar(200) DEFAULT ''
);

-- Stock lots with their material (the material's theDel hides the lots of a deleted material)
CREATE OR REPLACE VIEW UHCKCVIEW AS
SELECT k.ID, k.HCID, k.WName, k.CGNum, k.myDate,
       k.thePrice, k.theCount, h.theType, h.theNum, h.theName,
       h.theUnit, h.theXS, h.thePY, h.Remark, h.theDel
FROM UHCKC k
INNER JOIN UHC h ON k.HCID = h.ID;

-- Collections with the partner's name (theDel is the collection's own flag)
CREATE OR REPLACE VIEW USKVIEW AS
SELECT s.WName, s.theNum, s.myDate, s.theMoney, s.MType,
       s.theSKR, s.theZDR, s.Remark, s.theDate, s.UName,
       s.ID, s.WID, s.theDel, w.theName
FROM USK s
LEFT JOIN UWL w ON s.WID = w.ID;

-- Payments with the partner's name (theDel is the payment's own flag)
CREATE OR REPLACE VIEW UFKVIEW AS
SELECT s.WName, s.theNum, s.myDate, s.theMoney, s.MType,
       s.theFKR, s.theZDR, s.Remark, s.theDate, s.UName,
       s.ID, s.WID, s.theDel, w.theName
FROM UFK s
LEFT JOIN UWL w ON s.WID = w.ID;

-- Login lookup: the rows of SUser with the given user name
CREATE OR REPLACE FUNCTION myLogin(p_name text)
RETURNS TABLE (WName text, theName text, thePass text, ID integer)
LANGUAGE sql STABLE
AS $$
    SELECT u.WName::text, u.theName::text, u.thePass::text, u.ID
    FROM SUser u
    WHERE u.theName = p_name
    ORDER BY u.ID
$$;

-- The server's current date and time, one row, column myD
CREATE OR REPLACE FUNCTION myDate()
RETURNS TABLE (myD timestamp)
LANGUAGE sql STABLE
AS $$
    SELECT LOCALTIMESTAMP(0)::timestamp
$$;
