#pragma once

#include <QVariant>
#include <QVariantList>

class NativeStatement;

// Values in and out of a native statement, as Qt's own driver converts them:
// whole numbers, reals, text and Null.
void bindValues(const NativeStatement& statement, const QVariantList& values);
QVariant columnValue(const NativeStatement& statement, int column);
