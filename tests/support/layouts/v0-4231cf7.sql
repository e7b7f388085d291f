-- A new GT430.mdb as the build of commit 4231cf7 laid it down (layout version 0),
-- dumped once from a file that build made. Never regenerate or edit it: the
-- upgrade tests start from the file as it shipped.
PRAGMA foreign_keys=OFF;
BEGIN TRANSACTION;
CREATE TABLE SavedQueries (Name TEXT PRIMARY KEY COLLATE NOCASE, SqlText TEXT NOT NULL);
CREATE TABLE tblIni ( Ini_Text0 TEXT DEFAULT '', Ini_PictureFolder TEXT DEFAULT '', Ini_DefaultPicture TEXT DEFAULT '', Ini_Language INTEGER DEFAULT 0, Ini_CommPort INTEGER DEFAULT 0, Ini_Spare INTEGER DEFAULT 0);
INSERT INTO tblIni VALUES('','','',0,0,0);
CREATE TABLE tblEmployees ( Employee_Number INTEGER NOT NULL, First_Name TEXT DEFAULT '', Last_Name TEXT DEFAULT '', Id_Number TEXT DEFAULT '', Gender INTEGER DEFAULT 0, Status INTEGER DEFAULT 0, Birth_Date TEXT, Address TEXT DEFAULT '', Phone_Number TEXT DEFAULT '', SelPhone_Number TEXT DEFAULT '', EmailAddr TEXT DEFAULT '', Position TEXT DEFAULT '', Position_Date TEXT, Employment_Date TEXT, PictureFile TEXT DEFAULT '', SlotNumber INTEGER DEFAULT 0, StartTime TEXT DEFAULT '__:__', WorkingHours INTEGER DEFAULT 0, Employee_Code TEXT DEFAULT '', PinProx INTEGER DEFAULT 0);
CREATE TABLE DoorsNames_Tbl ( Door_ID INTEGER DEFAULT 1, DOOR_DESCRIPTION TEXT DEFAULT 'Door 1', MonThu_Start TEXT DEFAULT '', MonThu_Hours INTEGER DEFAULT 0, Fri_Start TEXT DEFAULT '', Fri_Hours TEXT DEFAULT '', Sat_Start TEXT DEFAULT '', Sat_Hours TEXT DEFAULT '', Sun_Start TEXT DEFAULT '', Sun_Hours TEXT DEFAULT '', CompanyName TEXT DEFAULT '');
INSERT INTO DoorsNames_Tbl VALUES(1,'Door 1','08:00',8,'08:00','8','','','','','');
CREATE UNIQUE INDEX tblEmployees_Employee_Number ON tblEmployees (Employee_Number);
COMMIT;
PRAGMA user_version = 0;
