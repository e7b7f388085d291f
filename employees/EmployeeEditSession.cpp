#include "employees/EmployeeEditSession.h"

#include "employees/EmployeeFields.h"
#include "platform/AppError.h"
#include "platform/db/Database.h"

namespace {

const QString workTable = QStringLiteral("tblTempEmp");

QString numberCondition()
{
    return QStringLiteral("Employee_Number = ?");
}

}

EmployeeEditSession::EmployeeEditSession(Database& db) : m_db(db) {}

void EmployeeEditSession::open()
{
    m_work.close();
    {
        Transaction t(m_db);
        m_db.execute(QStringLiteral("DELETE FROM tblTempEmp"));
        // In number order, so the moves walk the register as the list shows it.
        m_db.execute(QStringLiteral("INSERT INTO tblTempEmp (%1) SELECT %1 FROM tblEmployees ORDER BY Employee_Number")
                         .arg(EmpField::columnList()));
        t.commit();
    }
    m_work = m_db.openTable(workTable);
    forgetChanges();
}

void EmployeeEditSession::forgetChanges()
{
    m_changed.clear();
    m_newChanged = false;
}

int16_t EmployeeEditSession::shownNumber() const
{
    return m_work.field(EmpField::Employee_Number).toInt16();
}

void EmployeeEditSession::close()
{
    m_work.close();
    m_db.execute(QStringLiteral("DELETE FROM tblTempEmp"));
}

int EmployeeEditSession::count() const
{
    return m_work.recordCount();
}

bool EmployeeEditSession::isEditing() const
{
    return m_work.isOpen() && m_work.isEditing();
}

bool EmployeeEditSession::show(int16_t number)
{
    if (!m_work.findFirst(numberCondition(), {number}))
        return false;
    m_work.edit();
    return true;
}

void EmployeeEditSession::beginNew()
{
    m_work.addNew();
    m_newPending = true;
}

FieldValue EmployeeEditSession::value(int position) const
{
    return m_work.field(position);
}

void EmployeeEditSession::write(int position, const QVariant& value)
{
    m_work.setField(position, value);
    if (m_newPending)
        m_newChanged = true;
    else
        m_changed.insert(shownNumber());
}

void EmployeeEditSession::commit()
{
    if (m_work.isEditing())
        m_work.update();
}

EmployeeEditSession::MoveResult EmployeeEditSession::move(Move step)
{
    commit();
    MoveResult result;
    switch (step) {
    case Move::First:
        m_work.moveFirst();
        result.end = End::Start;
        break;
    case Move::Previous:
        m_work.movePrevious();
        if (m_work.bof()) {
            m_work.moveFirst();
            result.end = End::Start;
        }
        break;
    case Move::Next:
        m_work.moveNext();
        if (m_work.eof()) {
            m_work.moveLast();
            result.end = End::Finish;
        }
        break;
    case Move::Last:
        m_work.moveLast();
        result.end = End::Finish;
        break;
    }
    result.number = shownNumber();
    return result;
}

void EmployeeEditSession::reopen()
{
    if (m_work.isOpen() && !m_work.isEditing())
        m_work.edit();
}

void EmployeeEditSession::store(bool asNew)
{
    commit();
    try {
        if (asNew)
            m_work.moveLast(); // the record just committed
        QVariantList values;
        for (int i = 0; i < EmpField::Count; ++i)
            values << m_work.field(i).variant();
        const QString marks = QStringList(EmpField::Count, QStringLiteral("?")).join(QStringLiteral(", "));
        Transaction t(m_db);
        int stored = 0;
        if (!asNew) {
            QStringList set;
            for (const QString& name : EmpField::names().mid(1))
                set << name + QStringLiteral(" = ?");
            QVariantList bound = values.mid(1);
            bound << values.at(EmpField::Employee_Number);
            stored = m_db.execute(QStringLiteral("UPDATE tblEmployees SET %1 WHERE Employee_Number = ?")
                                      .arg(set.join(QStringLiteral(", "))),
                                  bound);
        }
        // An employee removed from the register meanwhile comes back rather than being lost.
        if (stored == 0)
            m_db.execute(QStringLiteral("INSERT INTO tblEmployees (%1) VALUES (%2)").arg(EmpField::columnList(), marks),
                         values);
        t.commit();
    } catch (const AppError&) {
        reopen();
        throw;
    }
    if (asNew) {
        m_newPending = false;
        m_newChanged = false;
    }
    m_changed.remove(shownNumber());
    reopen();
}

void EmployeeEditSession::storeAll()
{
    commit();
    const int16_t number = m_work.recordCount() > 0 && !m_work.eof() && !m_work.bof() ? shownNumber() : int16_t(0);
    try {
        const QString columns = EmpField::columnList(1);
        Transaction t(m_db);
        m_db.execute(QStringLiteral("UPDATE tblEmployees SET (%1) = (SELECT %1 FROM tblTempEmp AS w"
                                    " WHERE w.Employee_Number = tblEmployees.Employee_Number)"
                                    " WHERE Employee_Number IN (SELECT Employee_Number FROM tblTempEmp)")
                         .arg(columns));
        t.commit();
    } catch (const AppError&) {
        reopen();
        throw;
    }
    forgetChanges();
    show(number);
}

void EmployeeEditSession::undo()
{
    if (m_work.isEditing())
        m_work.cancelUpdate();
    m_work.edit();
}
