#include "platform/AppError.h"

AppError::AppError(int number, QString description)
    : m_number(number), m_description(std::move(description)),
      m_what(QStringLiteral("%1 (%2)").arg(m_description).arg(number).toUtf8())
{
}

QString standardErrorText(int number)
{
    switch (number) {
    case Err::InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case Err::Overflow: return QStringLiteral("Overflow");
    case Err::SubscriptOutOfRange: return QStringLiteral("Subscript out of range");
    case Err::TypeMismatch: return QStringLiteral("Type mismatch");
    case Err::FileNotFound: return QStringLiteral("File not found");
    case Err::InputPastEnd: return QStringLiteral("Input past end of file");
    case Err::PathFileAccess: return QStringLiteral("Path/File access error");
    case Err::PathNotFound: return QStringLiteral("Path not found");
    case Err::ObjectNotSet: return QStringLiteral("Object variable not set");
    case Err::InvalidUseOfNull: return QStringLiteral("Invalid use of Null");
    case Err::UpdateWithoutEdit: return QStringLiteral("Update or CancelUpdate without AddNew or Edit.");
    case Err::NoCurrentRecord: return QStringLiteral("No current record.");
    case Err::DuplicateKey:
        return QStringLiteral("The changes were not made because they would create duplicate values in the index.");
    case Err::DbFileNotFound: return QStringLiteral("Could not find the database file.");
    case Err::ReadOnly: return QStringLiteral("Cannot update. Database or object is read-only.");
    case Err::CannotOpenDb: return QStringLiteral("The database file cannot be opened.");
    case Err::SyntaxError: return QStringLiteral("Syntax error in query expression.");
    case Err::NoSuchTable: return QStringLiteral("The database cannot find the input table or query.");
    case Err::RecordDeleted: return QStringLiteral("Record is deleted.");
    case Err::NotSupported: return QStringLiteral("Operation is not supported for this type of object.");
    case Err::Locked: return QStringLiteral("Couldn't update; the database is locked.");
    case Err::ItemNotFound: return QStringLiteral("Item not found in this collection.");
    case Err::NullNotAllowed: return QStringLiteral("The field cannot contain a Null value.");
    case Err::ObjectInvalid: return QStringLiteral("Object invalid or no longer set.");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

void raiseError(int number, const QString& description)
{
    throw AppError(number, description.isEmpty() ? standardErrorText(number) : description);
}
