#include "link/LinkSchema.h"

Schema linkSchema()
{
    return {
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS ReadCard_Tbl ("
                                             " Dest_System INTEGER,"
                                             " Dest_Address INTEGER,"
                                             " Date_Date TEXT,"
                                             " Date_Time TEXT,"
                                             " Src_System INTEGER,"
                                             " Src_Address INTEGER,"
                                             " Version INTEGER,"
                                             " Number_Bytes INTEGER,"
                                             " Action INTEGER,"
                                             " Data TEXT,"
                                             " CheckSum INTEGER,"
                                             " SlotNumber INTEGER)")),
        // Maintenance cuts the oldest rows away.
        SchemaItem::statement(
            QStringLiteral("CREATE INDEX IF NOT EXISTS ReadCard_Tbl_Received ON ReadCard_Tbl (Date_Date, Date_Time)")),
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS DoorStatus_Tbl ("
                                             " Door_Number INTEGER,"
                                             " Door_Status INTEGER,"
                                             " Door_Date TEXT,"
                                             " Door_time TEXT)")),
        SchemaItem::statement(QStringLiteral(
            "CREATE INDEX IF NOT EXISTS DoorStatus_Tbl_Newest ON DoorStatus_Tbl (Door_Number, Door_Date, Door_time)")),
        // Written and read by position: the column order is binding. Position 5 is never written.
        SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblOnline ("
                                             " Time_CR TEXT,"
                                             " Date_CR TEXT,"
                                             " sIn TEXT,"
                                             " sCard TEXT,"
                                             " Employee_Number INTEGER,"
                                             " Spare TEXT,"
                                             " sDoor TEXT,"
                                             " sReason TEXT,"
                                             " Employee_Full_Name TEXT,"
                                             " SlotNumber INTEGER,"
                                             " CardNum TEXT,"
                                             " iLockStrike INTEGER,"
                                             " EmpPictureFile TEXT,"
                                             " iIn INTEGER,"
                                             " iDoor INTEGER,"
                                             " iReason INTEGER,"
                                             " iCard INTEGER)")),
        // The monitor loads by date; the reports select by employee and date.
        SchemaItem::statement(
            QStringLiteral("CREATE INDEX IF NOT EXISTS tblOnline_Date ON tblOnline (Date_CR, Time_CR)")),
        SchemaItem::statement(QStringLiteral(
            "CREATE INDEX IF NOT EXISTS tblOnline_Employee ON tblOnline (Employee_Number, Date_CR, Time_CR)")),
    };
}

Schema linkJournalMark()
{
    return {SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS JournalMark_Tbl ("
                                                 " Id INTEGER PRIMARY KEY,"
                                                 " StoredUpTo INTEGER NOT NULL)"))};
}
