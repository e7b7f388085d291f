#include "employees/EmployeeFields.h"

QStringList EmpField::names()
{
    return {QStringLiteral("Employee_Number"), QStringLiteral("First_Name"),      QStringLiteral("Last_Name"),
            QStringLiteral("Id_Number"),       QStringLiteral("Gender"),          QStringLiteral("Status"),
            QStringLiteral("Birth_Date"),      QStringLiteral("Address"),         QStringLiteral("Phone_Number"),
            QStringLiteral("SelPhone_Number"), QStringLiteral("EmailAddr"),       QStringLiteral("Position"),
            QStringLiteral("Position_Date"),   QStringLiteral("Employment_Date"), QStringLiteral("PictureFile"),
            QStringLiteral("SlotNumber"),      QStringLiteral("StartTime"),       QStringLiteral("WorkingHours"),
            QStringLiteral("Employee_Code"),   QStringLiteral("PinProx")};
}

QString EmpField::columnList(int first)
{
    return names().mid(first).join(QStringLiteral(", "));
}
