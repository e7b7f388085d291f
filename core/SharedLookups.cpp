#include "core/SharedLookups.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "platform/text/VbText.h"

bool FindRecord(Recordset& rs, const QString& condition, const QVariantList& params)
{
    bool found = false;
    guarded(2908, [&] {
        if (rs.recordCount() == 0)
            return;
        rs.moveLast();
        rs.moveFirst();
        found = rs.findFirst(condition, params);
    });
    return found;
}

namespace {

QString nameOf(const QVariant& last, const QVariant& first)
{
    return FieldValue(last).textOrEmpty() + QStringLiteral("  ") + FieldValue(first).textOrEmpty();
}

}

std::optional<EmployeeWithCode> LookUpEmployeeByCode(const QString& code)
{
    const QString trimmed = VbText::trim(code);
    if (trimmed.isEmpty())
        return std::nullopt;
    // The expression is the one the index is built on, so the index serves it.
    const std::optional<QVariantList> row =
        Db().firstRow(QStringLiteral("SELECT Employee_Number, Last_Name, First_Name, PictureFile FROM tblEmployees "
                                     "WHERE trim(Employee_Code, ' ') = ? ORDER BY rowid LIMIT 1"),
                      {trimmed});
    if (!row)
        return std::nullopt;
    EmployeeWithCode e;
    e.number = FieldValue(row->at(0)).toInt16();
    e.name = nameOf(row->at(1), row->at(2));
    e.pictureFile = FieldValue(row->at(3)).textOrEmpty();
    return e;
}

std::optional<EmployeeWithCode> FindEmployeeByCode(const QString& code)
{
    std::optional<EmployeeWithCode> found;
    guarded(2912, [&] { found = LookUpEmployeeByCode(code); });
    return found;
}

int16_t GetEmployeeNumberByCode(const QString& code)
{
    const std::optional<EmployeeWithCode> holder = FindEmployeeByCode(code);
    return holder ? holder->number : int16_t(-1);
}

QString GetEmployeeName(int16_t num)
{
    QString name;
    guarded(2913, [&] {
        name = Translate(QStringLiteral("Unknown Employee"));
        const std::optional<QVariantList> row = Db().firstRow(
            QStringLiteral("SELECT Last_Name, First_Name FROM tblEmployees WHERE Employee_Number = ?"), {num});
        if (row)
            name = nameOf(row->at(0), row->at(1));
    });
    return name;
}
