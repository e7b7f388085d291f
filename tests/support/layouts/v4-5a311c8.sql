-- A new GT430.mdb as the build of commit 5a311c8 laid it down (layout version 4),
-- dumped once from a file that build made. Never regenerate or edit it: the
-- upgrade tests start from the file as it shipped.
PRAGMA foreign_keys=OFF;
BEGIN TRANSACTION;
CREATE TABLE SavedQueries (Name TEXT PRIMARY KEY COLLATE NOCASE, SqlText TEXT NOT NULL);
INSERT INTO SavedQueries VALUES('qryEmployees','SELECT Employee_Number, Last_Name, First_Name, ifnull(Employee_Code, '''') AS Employee_Code, ifnull(SlotNumber, 0) AS SlotNumber, ifnull(PinProx, 0) AS PinProx FROM tblEmployees ORDER BY Employee_Number');
INSERT INTO SavedQueries VALUES('qryParamHoursReport','SELECT Employee_Number, Employee_Full_Name, Date_CR, Time_CR, sIn, iIn FROM tblOnline WHERE Employee_Number = :prmNum AND Date_CR = :prmDate ORDER BY Time_CR, rowid');
CREATE TABLE tblIni ( Ini_Text0 TEXT DEFAULT '', Ini_PictureFolder TEXT DEFAULT '', Ini_DefaultPicture TEXT DEFAULT '', Ini_Language INTEGER DEFAULT 0, Ini_CommPort INTEGER DEFAULT 0, Ini_Spare INTEGER DEFAULT 0);
INSERT INTO tblIni VALUES('','','',0,0,0);
CREATE TABLE tblEmployees ( Employee_Number INTEGER NOT NULL, First_Name TEXT DEFAULT '', Last_Name TEXT DEFAULT '', Id_Number TEXT DEFAULT '', Gender INTEGER DEFAULT 0, Status INTEGER DEFAULT 0, Birth_Date TEXT, Address TEXT DEFAULT '', Phone_Number TEXT DEFAULT '', SelPhone_Number TEXT DEFAULT '', EmailAddr TEXT DEFAULT '', Position TEXT DEFAULT '', Position_Date TEXT, Employment_Date TEXT, PictureFile TEXT DEFAULT '', SlotNumber INTEGER DEFAULT 0, StartTime TEXT DEFAULT '__:__', WorkingHours INTEGER DEFAULT 0, Employee_Code TEXT DEFAULT '', PinProx INTEGER DEFAULT 0);
CREATE TABLE DoorsNames_Tbl ( Door_ID INTEGER DEFAULT 1, DOOR_DESCRIPTION TEXT DEFAULT 'Door 1', MonThu_Start TEXT DEFAULT '', MonThu_Hours INTEGER DEFAULT 0, Fri_Start TEXT DEFAULT '', Fri_Hours TEXT DEFAULT '', Sat_Start TEXT DEFAULT '', Sat_Hours TEXT DEFAULT '', Sun_Start TEXT DEFAULT '', Sun_Hours TEXT DEFAULT '', CompanyName TEXT DEFAULT '');
INSERT INTO DoorsNames_Tbl VALUES(1,'Door 1','08:00',8,'08:00','8','','','','','');
CREATE TABLE ReadCard_Tbl ( Dest_System INTEGER, Dest_Address INTEGER, Date_Date TEXT, Date_Time TEXT, Src_System INTEGER, Src_Address INTEGER, Version INTEGER, Number_Bytes INTEGER, Action INTEGER, Data TEXT, CheckSum INTEGER, SlotNumber INTEGER);
CREATE TABLE DoorStatus_Tbl ( Door_Number INTEGER, Door_Status INTEGER, Door_Date TEXT, Door_time TEXT);
CREATE TABLE tblOnline ( Time_CR TEXT, Date_CR TEXT, sIn TEXT, sCard TEXT, Employee_Number INTEGER, Spare TEXT, sDoor TEXT, sReason TEXT, Employee_Full_Name TEXT, SlotNumber INTEGER, CardNum TEXT, iLockStrike INTEGER, EmpPictureFile TEXT, iIn INTEGER, iDoor INTEGER, iReason INTEGER, iCard INTEGER);
CREATE TABLE tblTempEmp ( Employee_Number INTEGER NOT NULL, First_Name TEXT DEFAULT '', Last_Name TEXT DEFAULT '', Id_Number TEXT DEFAULT '', Gender INTEGER DEFAULT 0, Status INTEGER DEFAULT 0, Birth_Date TEXT, Address TEXT DEFAULT '', Phone_Number TEXT DEFAULT '', SelPhone_Number TEXT DEFAULT '', EmailAddr TEXT DEFAULT '', Position TEXT DEFAULT '', Position_Date TEXT, Employment_Date TEXT, PictureFile TEXT DEFAULT '', SlotNumber INTEGER DEFAULT 0, StartTime TEXT DEFAULT '__:__', WorkingHours INTEGER DEFAULT 0, Employee_Code TEXT DEFAULT '', PinProx INTEGER DEFAULT 0);
CREATE TABLE tblHolidays (Date TEXT NOT NULL UNIQUE, Description TEXT DEFAULT '', ID INTEGER PRIMARY KEY AUTOINCREMENT);
CREATE TABLE tblHoursReport ( AutoNumber INTEGER PRIMARY KEY, Employee_Number INTEGER, Employee_Name TEXT, Date TEXT, StartTime TEXT, EndTime TEXT, SumDay TEXT, DayTotal TEXT, DayHours INTEGER, DayMinutes INTEGER, Incomplete INTEGER, FirstIn TEXT, GlobalTotal TEXT, GlobalH INTEGER, GlobalM INTEGER, IsTotal INTEGER NOT NULL DEFAULT 0);
CREATE TABLE tblLateReport ( AutoNumber INTEGER PRIMARY KEY, Employee_Number INTEGER, Employee_Name TEXT, Date TEXT, StartTimeNeed TEXT, StartTimeDid TEXT, LateMinute TEXT, PresentHours TEXT, GlobalWorked TEXT, TotalDays INTEGER, TotalHours TEXT, TotalMinutes TEXT, IsTotal INTEGER NOT NULL DEFAULT 0);
DELETE FROM sqlite_sequence;
CREATE UNIQUE INDEX tblEmployees_Employee_Number ON tblEmployees (Employee_Number);
CREATE INDEX ReadCard_Tbl_Received ON ReadCard_Tbl (Date_Date, Date_Time);
CREATE INDEX DoorStatus_Tbl_Newest ON DoorStatus_Tbl (Door_Number, Door_Date, Door_time);
CREATE INDEX tblOnline_Date ON tblOnline (Date_CR, Time_CR);
CREATE INDEX tblOnline_Employee ON tblOnline (Employee_Number, Date_CR, Time_CR);
CREATE INDEX tblEmployees_Code ON tblEmployees (trim(Employee_Code, ' '));
CREATE VIEW qryForWHdetails AS SELECT Employee_Name, Date, ifnull(StartTime, '') AS StartTime, ifnull(EndTime, '') AS EndTime, ifnull(SumDay, '') AS SumDay, Employee_Number, IsTotal, AutoNumber FROM tblHoursReport;
CREATE VIEW qryForTotalReport AS SELECT Employee_Name, Date, DayTotal, GlobalTotal, Employee_Number, IsTotal, AutoNumber FROM tblHoursReport WHERE DayTotal IS NOT NULL;
CREATE VIEW qryForLateReport AS SELECT h.Employee_Number, h.Employee_Name, h.Date, e.StartTime AS OwnStartTime, h.FirstIn, h.DayTotal, h.DayHours, h.DayMinutes, h.GlobalH, h.GlobalM, h.GlobalTotal, h.AutoNumber FROM tblHoursReport h LEFT JOIN tblEmployees e ON e.Employee_Number = h.Employee_Number WHERE h.IsTotal = 0 AND h.FirstIn <> '';
COMMIT;
PRAGMA user_version = 4;
