#pragma once

#include <QString>
#include <QStringList>

// The 20 fields of an employee record, in their binding order: the register
// tblEmployees and the editor's work table tblTempEmp hold them at the same
// positions, and the copies between the two go by position.
namespace EmpField {
inline constexpr int Employee_Number = 0;
inline constexpr int First_Name = 1;
inline constexpr int Last_Name = 2;
inline constexpr int Id_Number = 3;
inline constexpr int Gender = 4;
inline constexpr int Status = 5;
inline constexpr int Birth_Date = 6;
inline constexpr int Address = 7;
inline constexpr int Phone_Number = 8;
inline constexpr int SelPhone_Number = 9;
inline constexpr int EmailAddr = 10;
inline constexpr int Position = 11;
inline constexpr int Position_Date = 12;
inline constexpr int Employment_Date = 13;
inline constexpr int PictureFile = 14;
inline constexpr int SlotNumber = 15;
inline constexpr int StartTime = 16;
inline constexpr int WorkingHours = 17;
inline constexpr int Employee_Code = 18;
inline constexpr int PinProx = 19;
inline constexpr int Count = 20;

// The names in position order.
QStringList names();
// "a, b, c" of the names from `first` on, for the copies' SQL.
QString columnList(int first = 0);
}

// The kind of an access code as stored in PinProx.
namespace PinProx {
inline constexpr int None = 0;
inline constexpr int Pin = 1;
inline constexpr int Card = 2;
}

// The highest employee number the unit knows.
inline constexpr int MaxEmployeeNumber = 500;
