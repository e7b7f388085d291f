#pragma once

#include "reports/framework/FillShow.h"
#include "tests/support/StoredRows.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Rows for the reports to work on, written straight into the open program database.
namespace ReportFixture {

void addEmployee(int number, const QString& first, const QString& last,
                 const QVariant& startTime = QStringLiteral("__:__"));
// One code read of an employee: code 1 In, 2 Out.
void addEvent(int employee, const QString& date, const QString& time, int code);
// The start times of the door settings' four weekday groups.
void setGroupStartTimes(const QVariant& monThu, const QVariant& fri, const QVariant& sat, const QVariant& sun);

// What the reports stored, read back.
using StoredRows::count;
using StoredRows::rows;

}

// A fill's show that only counts.
class CountingFillShow final : public FillShow {
public:
    void start() override { ++starts; }
    void end(bool pause) override { pause ? ++pausedEnds : ++abruptEnds; }
    int starts = 0;
    int pausedEnds = 0;
    int abruptEnds = 0;
};
