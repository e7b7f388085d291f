#include "platform/db/YieldingTransaction.h"

#include "platform/db/Database.h"

YieldingTransaction::YieldingTransaction(Database& db) : m_db(db)
{
    begin();
}

YieldingTransaction::~YieldingTransaction()
{
    if (m_open && m_db.isOpen())
        m_db.rollback();
}

void YieldingTransaction::begin()
{
    // The write lock at once: a read first, then a write, would find the file
    // changed by the work that had it in between.
    m_db.execute(QStringLiteral("BEGIN IMMEDIATE"));
    m_open = true;
}

bool YieldingTransaction::giveWay()
{
    if (!Database::anotherWriterWaits())
        return false;
    commit();
    ++m_parts;
    Database::letAnotherWriterIn(MostGivenMs);
    begin();
    return true;
}

void YieldingTransaction::commit()
{
    m_db.commit();
    m_open = false;
}
