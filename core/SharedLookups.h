#pragma once

#include <QString>
#include <QVariantList>
#include <cstdint>

class Recordset;

// True when a row satisfies the condition; the recordset then stands on the
// first such row. False on an empty recordset.
bool FindRecord(Recordset& rs, const QString& condition, const QVariantList& params = {});

// The number of the employee who holds the access code, -1 when none (an empty
// code never matches). Stored codes compare without surrounding blanks.
int16_t GetEmployeeNumberByCode(const QString& code);

// "Last  First" (two blanks) of an employee, or the translated "Unknown Employee".
QString GetEmployeeName(int16_t num);
