-- Generated from seed.sql by florist_sqlserverseed (tools/README.md); do not edit.
-- The rows of seed.sql for SQL Server: every literal that holds Chinese text is
-- written N'...', so the server keeps it as Unicode whatever the collation.

-- 青禾花店管理系统: the rows a new database starts with.
--
-- For a freshly created database only (run after the schema script).  Every
-- line that is not blank or a comment is one complete INSERT ending with a
-- semicolon, and no other line ends with one; the same text works on SQLite
-- and PostgreSQL.  SQL Server takes seed-sqlserver.sql, generated from this
-- file with N'...' literals (it may be sent as one batch).  No
-- ID is written: a fresh database numbers the rows 1, 2, 3 ... in the order
-- below, and some numbers matter (SDept 1, SDJ 1 to 3, the admin user 1).

-- Order states, supplied with the database (no window edits them)
INSERT INTO SState (theName, Remark) VALUES (N'未送', '');
INSERT INTO SState (theName, Remark) VALUES (N'已送', '');
INSERT INTO SState (theName, Remark) VALUES (N'未取', '');
INSERT INTO SState (theName, Remark) VALUES (N'已取', '');

-- Partner types, supplied with the database
INSERT INTO SWLType (theName, Remark) VALUES (N'供应商', '');
INSERT INTO SWLType (theName, Remark) VALUES (N'客户', '');

-- Receipt titles: 1 order, 2 top-up, 3 exchange
INSERT INTO SDJ (theName) VALUES (N'订单小票');
INSERT INTO SDJ (theName) VALUES (N'储值小票');
INSERT INTO SDJ (theName) VALUES (N'兑换小票');

-- The shop (row 1); edited in the shop settings window
INSERT INTO SDept (theName, thePhone, theAddress, Remark, theGG) VALUES (N'青禾花店', '0000-0000000', N'请在花店设置中填写地址', N'谢谢惠顾，欢迎再次光临！', N'鲜花传情，青禾相伴');

-- Basic lists used by the defaults of the first store
INSERT INTO SSex (theName, Remark) VALUES (N'男', '');
INSERT INTO SSex (theName, Remark) VALUES (N'女', '');
INSERT INTO SSK (theName, Remark) VALUES (N'现金', '');
INSERT INTO SSK (theName, Remark) VALUES (N'刷卡', '');
INSERT INTO SSK (theName, Remark) VALUES (N'储值卡', N'储值卡: 从会员账户余额中扣款');
INSERT INTO SSD (theName, Remark) VALUES (N'上午', '');
INSERT INTO SSD (theName, Remark) VALUES (N'下午', '');
INSERT INTO SSD (theName, Remark) VALUES (N'晚上', '');
INSERT INTO SHX (theName, Remark) VALUES (N'花束', '');
INSERT INTO SHX (theName, Remark) VALUES (N'花篮', '');
INSERT INTO SDType (theName, Remark) VALUES (N'门店', '');
INSERT INTO SDType (theName, Remark) VALUES (N'电话', '');
INSERT INTO SDType (theName, Remark) VALUES (N'网络', '');
INSERT INTO SMType (theName, Remark, theZK, theJF) VALUES (N'普通会员', N'不打折，每消费1元积1分', 100, 1);

-- The first store and its defaults
INSERT INTO SWare (theName, Remark, theMType, theSex, theHX, theSD, theSK, theState, theDType) VALUES (N'总店', '', N'普通会员', N'女', N'花束', N'上午', N'现金', N'未送', N'门店');

-- The administrator (ID 1) with an empty password, replaced by a hash at the first login
INSERT INTO SUser (WName, theName, thePass, Remark) VALUES (N'总店', 'admin', '', N'系统管理员');

-- Grantable menu entries: menu index AA, entry index BB, separators counted
INSERT INTO SMenu (MNum, MName) VALUES ('0000', N'花店设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0001', N'门店设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0002', N'用户设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0003', N'员工设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0004', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0005', N'修改密码');
INSERT INTO SMenu (MNum, MName) VALUES ('0006', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0007', N'退出 ');
INSERT INTO SMenu (MNum, MName) VALUES ('0100', N'订单录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0101', N'订单管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0102', N'订单查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0103', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0104', N'未送订单提醒');
INSERT INTO SMenu (MNum, MName) VALUES ('0105', N'应收订单提醒');
INSERT INTO SMenu (MNum, MName) VALUES ('0106', N'未取订单提醒');
INSERT INTO SMenu (MNum, MName) VALUES ('0107', N'花器回收提醒');
INSERT INTO SMenu (MNum, MName) VALUES ('0108', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0109', N'订单收款查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0110', N'来年同日提醒');
INSERT INTO SMenu (MNum, MName) VALUES ('0200', N'会员分类设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0201', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0202', N'会员录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0203', N'会员导入');
INSERT INTO SMenu (MNum, MName) VALUES ('0204', N'会员管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0205', N'会员查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0206', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0207', N'生日提醒');
INSERT INTO SMenu (MNum, MName) VALUES ('0208', N'未消费提醒');
INSERT INTO SMenu (MNum, MName) VALUES ('0209', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0210', N'积分清零');
INSERT INTO SMenu (MNum, MName) VALUES ('0300', N'储值录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0301', N'储值管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0302', N'储值查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0400', N'兑换录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0401', N'兑换管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0402', N'兑换查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0500', N'花材库存查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0501', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0502', N'采购录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0503', N'采购管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0504', N'采购查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0505', N'采购明细查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0506', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0507', N'领用录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0508', N'领用管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0509', N'领用查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0510', N'领用明细查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0511', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0512', N'报损录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0513', N'报损管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0514', N'报损查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0515', N'报损明细查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0516', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0517', N'销售录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0518', N'销售管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0519', N'销售查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0520', N'销售明细查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0521', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0522', N'花材录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0523', N'花材导入');
INSERT INTO SMenu (MNum, MName) VALUES ('0524', N'花材管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0525', N'花材查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0526', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0527', N'花材分类设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0528', N'花材单位设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0600', N'收款录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0601', N'收款管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0602', N'收款查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0603', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0604', N'付款录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0605', N'付款管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0606', N'付款查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0607', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0608', N'往来单位录入');
INSERT INTO SMenu (MNum, MName) VALUES ('0609', N'往来单位导入');
INSERT INTO SMenu (MNum, MName) VALUES ('0610', N'往来单位管理');
INSERT INTO SMenu (MNum, MName) VALUES ('0611', N'往来单位查询');
INSERT INTO SMenu (MNum, MName) VALUES ('0700', N'收付款方式设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0701', N'性别设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0702', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0703', N'联盟单位设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0704', N'送达时段设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0705', N'送达区域设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0706', N'送花用途设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0707', N'送花对象设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0708', N'商品名称设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0709', N'订单类型设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0710', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0711', N'礼品设置');
INSERT INTO SMenu (MNum, MName) VALUES ('0712', '-');
INSERT INTO SMenu (MNum, MName) VALUES ('0713', N'默认项设置');

-- Every right for the administrator
INSERT INTO SLevel (UID, MNum) VALUES (1, '0000');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0001');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0002');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0003');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0004');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0005');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0006');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0007');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0100');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0101');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0102');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0103');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0104');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0105');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0106');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0107');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0108');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0109');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0110');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0200');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0201');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0202');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0203');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0204');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0205');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0206');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0207');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0208');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0209');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0210');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0300');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0301');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0302');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0400');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0401');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0402');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0500');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0501');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0502');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0503');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0504');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0505');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0506');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0507');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0508');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0509');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0510');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0511');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0512');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0513');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0514');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0515');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0516');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0517');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0518');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0519');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0520');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0521');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0522');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0523');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0524');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0525');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0526');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0527');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0528');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0600');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0601');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0602');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0603');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0604');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0605');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0606');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0607');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0608');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0609');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0610');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0611');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0700');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0701');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0702');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0703');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0704');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0705');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0706');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0707');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0708');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0709');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0710');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0711');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0712');
INSERT INTO SLevel (UID, MNum) VALUES (1, '0713');
