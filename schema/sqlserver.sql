-- 青禾花店管理系统: database schema for Microsoft SQL Server.
--
-- Running this file: it is a sequence of batches separated by lines that
-- hold only the word GO (any case, blanks around it allowed).  Send each
-- batch as one command text; skip batches that hold only blanks and
-- comments.  The file can be run more than once: tables and indexes are
-- created only when missing, views and procedures are replaced in place with
-- CREATE OR ALTER (SQL Server 2016 SP1 or later), which keeps their grants.
--
-- Text columns are NVARCHAR and the application sends text as Unicode, so
-- any collation keeps Chinese text; the seed rows for this server are in
-- seed-sqlserver.sql (N'...' literals).  A Chinese collation, for example
--     CREATE DATABASE FlowerShop COLLATE Chinese_PRC_CI_AS
-- sorts and compares Chinese names as a shop expects.
--
-- The shop's login needs data rights and EXECUTE on myLogin and myDate
-- (nobody can log in without the one on myLogin): see README.md.
--
-- Dates are text 'yyyy-mm-dd' (birthdays 'mm-dd'), flags are the words
-- 是 / 否, amounts, prices, points and quantities are FLOAT.
--
-- EXEC myLogin @Name = N'<user name>' returns the SUser rows of that name
-- as (WName, theName, thePass, ID); the application checks the password
-- hash.  EXEC myDate returns one row with one column myD, the server's
-- current date and time.

-- Orders: one row per order, number DD + yymmdd + '-' + sequence.
-- theType 会员/散客/单位, SH1..SH8 recipient, SH01..SH05 sender,
-- M1 price, M2 discount %, M3 discounted price, M4 delivery fee, M5 voucher,
-- M6 total, M7 received, M8 still owed, DState a name from SState,
-- theFP/theHS/theTZ/theJK flags 是/否 (theHS: vase to be returned).
-- MID the ID of the member a member order was charged to (empty on rows
-- from before the column).
IF OBJECT_ID(N'UOrder', N'U') IS NULL
CREATE TABLE UOrder (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    theType NVARCHAR(50) NULL DEFAULT N'',
    MNum NVARCHAR(50) NULL DEFAULT N'',
    WName NVARCHAR(50) NULL DEFAULT N'',
    DType NVARCHAR(50) NULL DEFAULT N'',
    SH1 NVARCHAR(50) NULL DEFAULT N'',
    SH2 NVARCHAR(50) NULL DEFAULT N'',
    SH3 NVARCHAR(30) NULL DEFAULT N'',
    SH4 NVARCHAR(50) NULL DEFAULT N'',
    SH5 NVARCHAR(50) NULL DEFAULT N'',
    SH6 NVARCHAR(50) NULL DEFAULT N'',
    SH7 NVARCHAR(50) NULL DEFAULT N'',
    SH8 NVARCHAR(200) NULL DEFAULT N'',
    SH01 NVARCHAR(50) NULL DEFAULT N'',
    SH02 NVARCHAR(50) NULL DEFAULT N'',
    SH03 NVARCHAR(50) NULL DEFAULT N'',
    theHX NVARCHAR(50) NULL DEFAULT N'',
    M1 FLOAT NULL DEFAULT 0,
    M2 FLOAT NULL DEFAULT 100,
    M3 FLOAT NULL DEFAULT 0,
    M4 FLOAT NULL DEFAULT 0,
    M5 FLOAT NULL DEFAULT 0,
    M6 FLOAT NULL DEFAULT 0,
    M7 FLOAT NULL DEFAULT 0,
    M8 FLOAT NULL DEFAULT 0,
    MType NVARCHAR(50) NULL DEFAULT N'',
    theDX NVARCHAR(100) NULL DEFAULT N'',
    theJDR NVARCHAR(50) NULL DEFAULT N'',
    theHYS NVARCHAR(50) NULL DEFAULT N'',
    DState NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    AName NVARCHAR(50) NULL DEFAULT N'',
    theJF FLOAT NULL DEFAULT 0,
    SH04 NVARCHAR(50) NULL DEFAULT N'',
    SH05 NVARCHAR(50) NULL DEFAULT N'',
    theFP NVARCHAR(4) NULL DEFAULT N'否',
    theHS NVARCHAR(4) NULL DEFAULT N'否',
    theTZ NVARCHAR(4) NULL DEFAULT N'否',
    theJK NVARCHAR(4) NULL DEFAULT N'否',
    theSKR NVARCHAR(50) NULL DEFAULT N'',
    theDSR NVARCHAR(50) NULL DEFAULT N'',
    theLN NVARCHAR(4) NULL DEFAULT N'否',
    MID INT NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_theDate' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_theDate ON UOrder (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_UOrder_theNum' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE UNIQUE INDEX ux_UOrder_theNum ON UOrder (theNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_MNum' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_MNum ON UOrder (MNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_SH6' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_SH6 ON UOrder (SH6);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_SH03' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_SH03 ON UOrder (SH03);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_myDate' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_myDate ON UOrder (myDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_SH3' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_SH3 ON UOrder (SH3);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_DState' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_DState ON UOrder (DState, ID);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_theHS' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_theHS ON UOrder (theHS, ID);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_M8' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_M8 ON UOrder (M8);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UOrder_theLN' AND object_id = OBJECT_ID(N'UOrder'))
    CREATE INDEX ix_UOrder_theLN ON UOrder (theLN, ID);
GO

-- Money received on orders: theNum is the order's number, theType is
-- 订单录入 (taken at entry) or 应收回笼 (collected later).
IF OBJECT_ID(N'UO_SK', N'U') IS NULL
CREATE TABLE UO_SK (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theNum NVARCHAR(40) NULL DEFAULT N'',
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theMoney FLOAT NULL DEFAULT 0,
    MType NVARCHAR(50) NULL DEFAULT N'',
    theType NVARCHAR(50) NULL DEFAULT N'',
    WName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theSKR NVARCHAR(50) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UO_SK_theNum' AND object_id = OBJECT_ID(N'UO_SK'))
    CREATE INDEX ix_UO_SK_theNum ON UO_SK (theNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UO_SK_theDate' AND object_id = OBJECT_ID(N'UO_SK'))
    CREATE INDEX ix_UO_SK_theDate ON UO_SK (theDate);
GO

-- Members: theNum the card number, theType the category (SMType),
-- theBir 'mm-dd', theJF points, XFDate last purchase, theCount number of
-- member orders, theMoney stored-value balance.
IF OBJECT_ID(N'UMember', N'U') IS NULL
CREATE TABLE UMember (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theType NVARCHAR(50) NULL DEFAULT N'',
    theNum NVARCHAR(50) NULL DEFAULT N'',
    theName NVARCHAR(50) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    theSex NVARCHAR(50) NULL DEFAULT N'',
    theBir NVARCHAR(30) NULL DEFAULT N'',
    theDept NVARCHAR(100) NULL DEFAULT N'',
    thePhone NVARCHAR(50) NULL DEFAULT N'',
    theLove NVARCHAR(50) NULL DEFAULT N'',
    theAddress NVARCHAR(100) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    thePY NVARCHAR(255) NULL DEFAULT N'',
    theJF FLOAT NULL DEFAULT 0,
    XFDate NVARCHAR(30) NULL DEFAULT N'',
    theCount FLOAT NULL DEFAULT 0,
    theMoney FLOAT NULL DEFAULT 0,
    theQQ NVARCHAR(50) NULL DEFAULT N'',
    theWX NVARCHAR(50) NULL DEFAULT N'',
    theMob NVARCHAR(50) NULL DEFAULT N'',
    WName NVARCHAR(50) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UMember_theNum' AND object_id = OBJECT_ID(N'UMember'))
    CREATE INDEX ix_UMember_theNum ON UMember (theNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UMember_thePhone' AND object_id = OBJECT_ID(N'UMember'))
    CREATE INDEX ix_UMember_thePhone ON UMember (thePhone);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UMember_theMob' AND object_id = OBJECT_ID(N'UMember'))
    CREATE INDEX ix_UMember_theMob ON UMember (theMob);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UMember_thePY' AND object_id = OBJECT_ID(N'UMember'))
    CREATE INDEX ix_UMember_thePY ON UMember (thePY);
GO

-- Member categories: theZK discount in percent (100 = none), theJF the
-- amount of money that earns one point.
IF OBJECT_ID(N'SMType', N'U') IS NULL
CREATE TABLE SMType (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    theZK FLOAT NULL DEFAULT 100,
    theJF FLOAT NULL DEFAULT 1,
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_SMType_theName' AND object_id = OBJECT_ID(N'SMType'))
    CREATE UNIQUE INDEX ux_SMType_theName ON SMType (theName);
GO

-- Stored-value top-ups (CZ...): M1 stored amount, M2 gift amount, MNum the card,
-- MID the ID of the member credited (empty on rows from before the column).
IF OBJECT_ID(N'UStore', N'U') IS NULL
CREATE TABLE UStore (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    MNum NVARCHAR(50) NULL DEFAULT N'',
    M1 FLOAT NULL DEFAULT 0,
    M2 FLOAT NULL DEFAULT 0,
    MType NVARCHAR(50) NULL DEFAULT N'',
    theDX NVARCHAR(100) NULL DEFAULT N'',
    theSKR NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    WName NVARCHAR(50) NULL DEFAULT N'',
    MID INT NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UStore_theDate' AND object_id = OBJECT_ID(N'UStore'))
    CREATE INDEX ix_UStore_theDate ON UStore (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_UStore_theNum' AND object_id = OBJECT_ID(N'UStore'))
    CREATE UNIQUE INDEX ux_UStore_theNum ON UStore (theNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UStore_MNum' AND object_id = OBJECT_ID(N'UStore'))
    CREATE INDEX ix_UStore_MNum ON UStore (MNum);
GO

-- Points exchanges (DH...): GName the gift, thePrice points per piece,
-- theCount pieces, MID the ID of the member debited (empty on rows from
-- before the column).
IF OBJECT_ID(N'UExchange', N'U') IS NULL
CREATE TABLE UExchange (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    MNum NVARCHAR(50) NULL DEFAULT N'',
    GName NVARCHAR(50) NULL DEFAULT N'',
    thePrice FLOAT NULL DEFAULT 0,
    theCount FLOAT NULL DEFAULT 0,
    theJDR NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    WName NVARCHAR(50) NULL DEFAULT N'',
    MID INT NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UExchange_theDate' AND object_id = OBJECT_ID(N'UExchange'))
    CREATE INDEX ix_UExchange_theDate ON UExchange (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_UExchange_theNum' AND object_id = OBJECT_ID(N'UExchange'))
    CREATE UNIQUE INDEX ux_UExchange_theNum ON UExchange (theNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UExchange_MNum' AND object_id = OBJECT_ID(N'UExchange'))
    CREATE INDEX ix_UExchange_MNum ON UExchange (MNum);
GO

-- Flower materials: theCG purchase unit price, theXS sale unit price.
IF OBJECT_ID(N'UHC', N'U') IS NULL
CREATE TABLE UHC (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theType NVARCHAR(50) NULL DEFAULT N'',
    theNum NVARCHAR(50) NULL DEFAULT N'',
    theName NVARCHAR(50) NULL DEFAULT N'',
    theUnit NVARCHAR(50) NULL DEFAULT N'',
    theCG FLOAT NULL DEFAULT 0,
    theXS FLOAT NULL DEFAULT 0,
    Remark NVARCHAR(200) NULL DEFAULT N'',
    thePY NVARCHAR(255) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否'
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UHC_theNum' AND object_id = OBJECT_ID(N'UHC'))
    CREATE INDEX ix_UHC_theNum ON UHC (theNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UHC_thePY' AND object_id = OBJECT_ID(N'UHC'))
    CREATE INDEX ix_UHC_thePY ON UHC (thePY);
GO
-- The material lookup's contains-search (name, initials, number) scans UHC
-- here; SQLite and PostgreSQL hold substring indexes for it.

-- Stock lots, one per purchase line: HCID is UHC.ID, CGNum the purchase
-- number, theCount the quantity still in the lot.
IF OBJECT_ID(N'UHCKC', N'U') IS NULL
CREATE TABLE UHCKC (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    WName NVARCHAR(50) NULL DEFAULT N'',
    CGNum NVARCHAR(40) NULL DEFAULT N'',
    HCID INT NULL DEFAULT 0,
    theCount FLOAT NULL DEFAULT 0,
    thePrice FLOAT NULL DEFAULT 0,
    myDate NVARCHAR(30) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UHCKC_HCID' AND object_id = OBJECT_ID(N'UHCKC'))
    CREATE INDEX ix_UHCKC_HCID ON UHCKC (HCID);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UHCKC_WName' AND object_id = OBJECT_ID(N'UHCKC'))
    CREATE INDEX ix_UHCKC_WName ON UHCKC (WName);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UHCKC_CGNum' AND object_id = OBJECT_ID(N'UHCKC'))
    CREATE INDEX ix_UHCKC_CGNum ON UHCKC (CGNum);
GO

-- Purchase headers (CG...): WID the supplier (UWL.ID), theFK paid now,
-- theYF left owing.
IF OBJECT_ID(N'UCG', N'U') IS NULL
CREATE TABLE UCG (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    WID INT NULL DEFAULT 0,
    WName NVARCHAR(50) NULL DEFAULT N'',
    theMoney FLOAT NULL DEFAULT 0,
    MType NVARCHAR(50) NULL DEFAULT N'',
    theFKR NVARCHAR(50) NULL DEFAULT N'',
    theZDR NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    theDX NVARCHAR(100) NULL DEFAULT N'',
    theCount FLOAT NULL DEFAULT 0,
    theFK FLOAT NULL DEFAULT 0,
    theYF FLOAT NULL DEFAULT 0
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UCG_theDate' AND object_id = OBJECT_ID(N'UCG'))
    CREATE INDEX ix_UCG_theDate ON UCG (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_UCG_theNum' AND object_id = OBJECT_ID(N'UCG'))
    CREATE UNIQUE INDEX ux_UCG_theNum ON UCG (theNum);
GO

-- Purchase lines, linked to their header by theNum; ID keeps the line order.
IF OBJECT_ID(N'UCG_List', N'U') IS NULL
CREATE TABLE UCG_List (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theNum NVARCHAR(40) NULL DEFAULT N'',
    HCID INT NULL DEFAULT 0,
    theCount FLOAT NULL DEFAULT 0,
    thePrice FLOAT NULL DEFAULT 0,
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UCG_List_theNum' AND object_id = OBJECT_ID(N'UCG_List'))
    CREATE INDEX ix_UCG_List_theNum ON UCG_List (theNum);
GO

-- Requisition headers (LY...).
IF OBJECT_ID(N'ULY', N'U') IS NULL
CREATE TABLE ULY (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    WName NVARCHAR(50) NULL DEFAULT N'',
    theMoney FLOAT NULL DEFAULT 0,
    theLYR NVARCHAR(50) NULL DEFAULT N'',
    theZDR NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    theDX NVARCHAR(100) NULL DEFAULT N'',
    theCount FLOAT NULL DEFAULT 0
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_ULY_theDate' AND object_id = OBJECT_ID(N'ULY'))
    CREATE INDEX ix_ULY_theDate ON ULY (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_ULY_theNum' AND object_id = OBJECT_ID(N'ULY'))
    CREATE UNIQUE INDEX ux_ULY_theNum ON ULY (theNum);
GO

-- Requisition lines.
IF OBJECT_ID(N'ULY_List', N'U') IS NULL
CREATE TABLE ULY_List (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theNum NVARCHAR(40) NULL DEFAULT N'',
    HCID INT NULL DEFAULT 0,
    theCount FLOAT NULL DEFAULT 0,
    thePrice FLOAT NULL DEFAULT 0,
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_ULY_List_theNum' AND object_id = OBJECT_ID(N'ULY_List'))
    CREATE INDEX ix_ULY_List_theNum ON ULY_List (theNum);
GO

-- Damage headers (BS...).
IF OBJECT_ID(N'UBS', N'U') IS NULL
CREATE TABLE UBS (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    WName NVARCHAR(50) NULL DEFAULT N'',
    theMoney FLOAT NULL DEFAULT 0,
    theBSR NVARCHAR(50) NULL DEFAULT N'',
    theZDR NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    theDX NVARCHAR(100) NULL DEFAULT N'',
    theCount FLOAT NULL DEFAULT 0
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UBS_theDate' AND object_id = OBJECT_ID(N'UBS'))
    CREATE INDEX ix_UBS_theDate ON UBS (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_UBS_theNum' AND object_id = OBJECT_ID(N'UBS'))
    CREATE UNIQUE INDEX ux_UBS_theNum ON UBS (theNum);
GO

-- Damage lines.
IF OBJECT_ID(N'UBS_List', N'U') IS NULL
CREATE TABLE UBS_List (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theNum NVARCHAR(40) NULL DEFAULT N'',
    HCID INT NULL DEFAULT 0,
    theCount FLOAT NULL DEFAULT 0,
    thePrice FLOAT NULL DEFAULT 0,
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UBS_List_theNum' AND object_id = OBJECT_ID(N'UBS_List'))
    CREATE INDEX ix_UBS_List_theNum ON UBS_List (theNum);
GO

-- Sale headers (XS...): WID the customer (UWL.ID), theFK collected now,
-- theYF left receivable.
IF OBJECT_ID(N'UXS', N'U') IS NULL
CREATE TABLE UXS (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    WID INT NULL DEFAULT 0,
    WName NVARCHAR(50) NULL DEFAULT N'',
    theMoney FLOAT NULL DEFAULT 0,
    MType NVARCHAR(50) NULL DEFAULT N'',
    theSKR NVARCHAR(50) NULL DEFAULT N'',
    theZDR NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    theDX NVARCHAR(100) NULL DEFAULT N'',
    theCount FLOAT NULL DEFAULT 0,
    theFK FLOAT NULL DEFAULT 0,
    theYF FLOAT NULL DEFAULT 0
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UXS_theDate' AND object_id = OBJECT_ID(N'UXS'))
    CREATE INDEX ix_UXS_theDate ON UXS (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_UXS_theNum' AND object_id = OBJECT_ID(N'UXS'))
    CREATE UNIQUE INDEX ux_UXS_theNum ON UXS (theNum);
GO

-- Sale lines.
IF OBJECT_ID(N'UXS_List', N'U') IS NULL
CREATE TABLE UXS_List (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theNum NVARCHAR(40) NULL DEFAULT N'',
    HCID INT NULL DEFAULT 0,
    theCount FLOAT NULL DEFAULT 0,
    thePrice FLOAT NULL DEFAULT 0,
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UXS_List_theNum' AND object_id = OBJECT_ID(N'UXS_List'))
    CREATE INDEX ix_UXS_List_theNum ON UXS_List (theNum);
GO

-- Partner units: theType a name from SWLType, theYS receivable balance,
-- theYF payable balance.
IF OBJECT_ID(N'UWL', N'U') IS NULL
CREATE TABLE UWL (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theType NVARCHAR(50) NULL DEFAULT N'',
    theName NVARCHAR(100) NULL DEFAULT N'',
    thePro NVARCHAR(50) NULL DEFAULT N'',
    thePhone NVARCHAR(50) NULL DEFAULT N'',
    theMob NVARCHAR(50) NULL DEFAULT N'',
    theAdd NVARCHAR(100) NULL DEFAULT N'',
    theYS FLOAT NULL DEFAULT 0,
    theYF FLOAT NULL DEFAULT 0,
    Remark NVARCHAR(200) NULL DEFAULT N'',
    thePY NVARCHAR(255) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    WName NVARCHAR(50) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UWL_theName' AND object_id = OBJECT_ID(N'UWL'))
    CREATE INDEX ix_UWL_theName ON UWL (theName);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UWL_thePY' AND object_id = OBJECT_ID(N'UWL'))
    CREATE INDEX ix_UWL_thePY ON UWL (thePY);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UWL_WName' AND object_id = OBJECT_ID(N'UWL'))
    CREATE INDEX ix_UWL_WName ON UWL (WName);
GO

-- Collections from partners (SK...).
IF OBJECT_ID(N'USK', N'U') IS NULL
CREATE TABLE USK (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    WID INT NULL DEFAULT 0,
    WName NVARCHAR(50) NULL DEFAULT N'',
    theMoney FLOAT NULL DEFAULT 0,
    MType NVARCHAR(50) NULL DEFAULT N'',
    theSKR NVARCHAR(50) NULL DEFAULT N'',
    theZDR NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    theDX NVARCHAR(100) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_USK_theDate' AND object_id = OBJECT_ID(N'USK'))
    CREATE INDEX ix_USK_theDate ON USK (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_USK_theNum' AND object_id = OBJECT_ID(N'USK'))
    CREATE UNIQUE INDEX ux_USK_theNum ON USK (theNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_USK_WID' AND object_id = OBJECT_ID(N'USK'))
    CREATE INDEX ix_USK_WID ON USK (WID);
GO

-- Payments to partners (FK...).
IF OBJECT_ID(N'UFK', N'U') IS NULL
CREATE TABLE UFK (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theDate NVARCHAR(30) NULL DEFAULT N'',
    UName NVARCHAR(50) NULL DEFAULT N'',
    theDel NVARCHAR(4) NULL DEFAULT N'否',
    theNum NVARCHAR(40) NULL DEFAULT N'',
    myDate NVARCHAR(30) NULL DEFAULT N'',
    WID INT NULL DEFAULT 0,
    WName NVARCHAR(50) NULL DEFAULT N'',
    theMoney FLOAT NULL DEFAULT 0,
    MType NVARCHAR(50) NULL DEFAULT N'',
    theFKR NVARCHAR(50) NULL DEFAULT N'',
    theZDR NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    theDX NVARCHAR(100) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UFK_theDate' AND object_id = OBJECT_ID(N'UFK'))
    CREATE INDEX ix_UFK_theDate ON UFK (theDate);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_UFK_theNum' AND object_id = OBJECT_ID(N'UFK'))
    CREATE UNIQUE INDEX ux_UFK_theNum ON UFK (theNum);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_UFK_WID' AND object_id = OBJECT_ID(N'UFK'))
    CREATE INDEX ix_UFK_WID ON UFK (WID);
GO

-- Users: WName the home store, theName the login name, thePass the
-- salted password hash (empty for a new user until the first login).
IF OBJECT_ID(N'SUser', N'U') IS NULL
CREATE TABLE SUser (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    WName NVARCHAR(50) NULL DEFAULT N'',
    theName NVARCHAR(50) NULL DEFAULT N'',
    thePass NVARCHAR(255) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_SUser_theName' AND object_id = OBJECT_ID(N'SUser'))
    CREATE UNIQUE INDEX ux_SUser_theName ON SUser (theName);
GO

-- Operation rights: one row per granted menu code MNum of user UID.
IF OBJECT_ID(N'SLevel', N'U') IS NULL
CREATE TABLE SLevel (
    UID INT NULL DEFAULT 0,
    MNum NVARCHAR(10) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_SLevel_UID' AND object_id = OBJECT_ID(N'SLevel'))
    CREATE INDEX ix_SLevel_UID ON SLevel (UID);
GO

-- Store-view rights: one row per store that user UID may view.
IF OBJECT_ID(N'SUW', N'U') IS NULL
CREATE TABLE SUW (
    UID INT NULL DEFAULT 0,
    WName NVARCHAR(50) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_SUW_UID' AND object_id = OBJECT_ID(N'SUW'))
    CREATE INDEX ix_SUW_UID ON SUW (UID);
GO

-- Grantable menu entries: MNum = menu index AA + entry index BB.
IF OBJECT_ID(N'SMenu', N'U') IS NULL
CREATE TABLE SMenu (
    MNum NVARCHAR(10) NOT NULL PRIMARY KEY,
    MName NVARCHAR(50) NULL DEFAULT N''
);
GO

-- The shop: one row, ID 1 (theGG the advertising line of the receipts).
IF OBJECT_ID(N'SDept', N'U') IS NULL
CREATE TABLE SDept (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(100) NULL DEFAULT N'',
    thePhone NVARCHAR(100) NULL DEFAULT N'',
    theAddress NVARCHAR(100) NULL DEFAULT N'',
    Remark NVARCHAR(100) NULL DEFAULT N'',
    theGG NVARCHAR(100) NULL DEFAULT N''
);
GO

-- Stores and their defaults for the entry windows.
IF OBJECT_ID(N'SWare', N'U') IS NULL
CREATE TABLE SWare (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N'',
    theMType NVARCHAR(50) NULL DEFAULT N'',
    theSex NVARCHAR(50) NULL DEFAULT N'',
    theHX NVARCHAR(50) NULL DEFAULT N'',
    theSD NVARCHAR(50) NULL DEFAULT N'',
    theSK NVARCHAR(50) NULL DEFAULT N'',
    theState NVARCHAR(50) NULL DEFAULT N'',
    theDType NVARCHAR(50) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_SWare_theName' AND object_id = OBJECT_ID(N'SWare'))
    CREATE UNIQUE INDEX ux_SWare_theName ON SWare (theName);
GO

-- Staff of each store.
IF OBJECT_ID(N'SWorker', N'U') IS NULL
CREATE TABLE SWorker (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    WName NVARCHAR(50) NULL DEFAULT N'',
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ux_SWorker_WName_theName' AND object_id = OBJECT_ID(N'SWorker'))
    CREATE UNIQUE INDEX ux_SWorker_WName_theName ON SWorker (WName, theName);
GO

-- Receipt titles: ID 1 order, 2 top-up, 3 exchange.
IF OBJECT_ID(N'SDJ', N'U') IS NULL
CREATE TABLE SDJ (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(100) NULL DEFAULT N''
);
GO

-- Sexes.
IF OBJECT_ID(N'SSex', N'U') IS NULL
CREATE TABLE SSex (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Delivery time slots.
IF OBJECT_ID(N'SSD', N'U') IS NULL
CREATE TABLE SSD (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Payment methods (储值卡 = paid from the member's balance).
IF OBJECT_ID(N'SSK', N'U') IS NULL
CREATE TABLE SSK (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Purposes of a flower gift.
IF OBJECT_ID(N'SUse', N'U') IS NULL
CREATE TABLE SUse (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Kinds of recipient.
IF OBJECT_ID(N'SObject', N'U') IS NULL
CREATE TABLE SObject (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Product names of orders.
IF OBJECT_ID(N'SHX', N'U') IS NULL
CREATE TABLE SHX (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Order types.
IF OBJECT_ID(N'SDType', N'U') IS NULL
CREATE TABLE SDType (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Delivery areas: thePrice the delivery fee.
IF OBJECT_ID(N'SArea', N'U') IS NULL
CREATE TABLE SArea (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    thePrice FLOAT NULL DEFAULT 0,
    Remark NVARCHAR(200) NULL DEFAULT N'',
    thePY NVARCHAR(255) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_SArea_theName' AND object_id = OBJECT_ID(N'SArea'))
    CREATE INDEX ix_SArea_theName ON SArea (theName);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_SArea_thePY' AND object_id = OBJECT_ID(N'SArea'))
    CREATE INDEX ix_SArea_thePY ON SArea (thePY);
GO

-- Alliance partners: theZK the discount in percent.
IF OBJECT_ID(N'SAlliance', N'U') IS NULL
CREATE TABLE SAlliance (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    theZK FLOAT NULL DEFAULT 100,
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_SAlliance_theName' AND object_id = OBJECT_ID(N'SAlliance'))
    CREATE INDEX ix_SAlliance_theName ON SAlliance (theName);
GO

-- Gifts: thePrice the points needed for one piece.
IF OBJECT_ID(N'SGift', N'U') IS NULL
CREATE TABLE SGift (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    thePrice FLOAT NULL DEFAULT 0,
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'ix_SGift_theName' AND object_id = OBJECT_ID(N'SGift'))
    CREATE INDEX ix_SGift_theName ON SGift (theName);
GO

-- Flower-material types.
IF OBJECT_ID(N'SHCType', N'U') IS NULL
CREATE TABLE SHCType (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Flower-material units.
IF OBJECT_ID(N'SHCUnit', N'U') IS NULL
CREATE TABLE SHCUnit (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Order states; the reminder lists look for 未送 and 未取, the system writes 已送 and 已取.
IF OBJECT_ID(N'SState', N'U') IS NULL
CREATE TABLE SState (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Partner types; 供应商 and 客户 carry meaning.
IF OBJECT_ID(N'SWLType', N'U') IS NULL
CREATE TABLE SWLType (
    ID INT IDENTITY(1,1) NOT NULL PRIMARY KEY,
    theName NVARCHAR(50) NULL DEFAULT N'',
    Remark NVARCHAR(200) NULL DEFAULT N''
);
GO

-- Stock lots with their material (the material's theDel hides the lots of a deleted material)
CREATE OR ALTER VIEW UHCKCVIEW AS
SELECT k.ID, k.HCID, k.WName, k.CGNum, k.myDate,
       k.thePrice, k.theCount, h.theType, h.theNum, h.theName,
       h.theUnit, h.theXS, h.thePY, h.Remark, h.theDel
FROM UHCKC k
INNER JOIN UHC h ON k.HCID = h.ID;
GO

-- Collections with the partner's name (theDel is the collection's own flag)
CREATE OR ALTER VIEW USKVIEW AS
SELECT s.WName, s.theNum, s.myDate, s.theMoney, s.MType,
       s.theSKR, s.theZDR, s.Remark, s.theDate, s.UName,
       s.ID, s.WID, s.theDel, w.theName
FROM USK s
LEFT JOIN UWL w ON s.WID = w.ID;
GO

-- Payments with the partner's name (theDel is the payment's own flag)
CREATE OR ALTER VIEW UFKVIEW AS
SELECT s.WName, s.theNum, s.myDate, s.theMoney, s.MType,
       s.theFKR, s.theZDR, s.Remark, s.theDate, s.UName,
       s.ID, s.WID, s.theDel, w.theName
FROM UFK s
LEFT JOIN UWL w ON s.WID = w.ID;
GO

-- Login lookup: the rows of SUser with the given user name
CREATE OR ALTER PROCEDURE myLogin
    @Name NVARCHAR(50)
AS
BEGIN
    SET NOCOUNT ON;
    SELECT WName, theName, thePass, ID
    FROM SUser
    WHERE theName = @Name
    ORDER BY ID;
END;
GO

-- The server's current date and time, one row, column myD
CREATE OR ALTER PROCEDURE myDate
AS
BEGIN
    SET NOCOUNT ON;
    SELECT GETDATE() AS myD;
END;
GO
