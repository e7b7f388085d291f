#pragma once

#include <QString>
#include <QVariantList>
#include <cstdint>
#include <optional>

class Recordset;

// True when a row satisfies the condition; the recordset then stands on the
// first such row. False on an empty recordset.
bool FindRecord(Recordset& rs, const QString& condition, const QVariantList& params = {});

// The employee who holds an access code: the first by rowid whose stored code,
// without surrounding blanks, equals the code without them. An empty code
// never matches. Found through the index on the trimmed code.
struct EmployeeWithCode {
    int16_t number = -1;
    QString name;        // as GetEmployeeName gives it
    QString pictureFile; // empty when none is named
};
std::optional<EmployeeWithCode> FindEmployeeByCode(const QString& code);
// The same for work that must not take a database it cannot read for a code
// no one holds: the failure is thrown, not reported.
std::optional<EmployeeWithCode> LookUpEmployeeByCode(const QString& code);

// The number of the employee who holds the access code, -1 when none.
int16_t GetEmployeeNumberByCode(const QString& code);

// "Last  First" (two blanks) of an employee, or the translated "Unknown Employee".
QString GetEmployeeName(int16_t num);
