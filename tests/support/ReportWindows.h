#pragma once

#include <QStringList>

class frmEmpReport;
class frmReportWindow;

// The report filter window shown, with the report kind chosen.
frmEmpReport& filterFor(int kind);

// What a report window's grid shows, its hidden columns left out: the
// headings, and the cells of one row.
QStringList shownHeaders(const frmReportWindow& window);
QStringList shownRow(const frmReportWindow& window, int row);
