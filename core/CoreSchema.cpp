#include "core/CoreSchema.h"

Schema coreSchema()
{
    // Read and written by position: the column order is binding.
    return {SchemaItem::statement(QStringLiteral("CREATE TABLE IF NOT EXISTS tblIni ("
                                                 " Ini_Text0 TEXT DEFAULT '',"
                                                 " Ini_PictureFolder TEXT DEFAULT '',"
                                                 " Ini_DefaultPicture TEXT DEFAULT '',"
                                                 " Ini_Language INTEGER DEFAULT 0,"
                                                 " Ini_CommPort INTEGER DEFAULT 0,"
                                                 " Ini_Spare INTEGER DEFAULT 0)"))};
}

Schema coreFreshRows()
{
    return {SchemaItem::firstRows(QStringLiteral("tblIni"),
                                  QStringLiteral("INSERT INTO tblIni (Ini_Text0, Ini_PictureFolder, "
                                                 "Ini_DefaultPicture, Ini_Language, Ini_CommPort, Ini_Spare)"
                                                 " VALUES ('', '', '', 0, 0, 0)"))};
}
