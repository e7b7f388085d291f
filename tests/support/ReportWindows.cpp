#include "tests/support/ReportWindows.h"

#include "platform/forms/FormRegistry.h"
#include "reports/framework/frmEmpReport.h"
#include "reports/framework/frmReportWindow.h"

#include <QRadioButton>
#include <QTableView>

frmEmpReport& filterFor(int kind)
{
    frmEmpReport& w = FormInstance<frmEmpReport>::get();
    w.showModeless(nullptr);
    w.Option1[kind]->setChecked(true);
    return w;
}

QStringList shownHeaders(const frmReportWindow& window)
{
    QStringList headers;
    const QAbstractItemModel* model = window.MSFlexGrid1->model();
    for (int c = 0; c < model->columnCount(); ++c)
        if (!window.MSFlexGrid1->isColumnHidden(c))
            headers << model->headerData(c, Qt::Horizontal).toString();
    return headers;
}

QStringList shownRow(const frmReportWindow& window, int row)
{
    QStringList cells;
    const QAbstractItemModel* model = window.MSFlexGrid1->model();
    for (int c = 0; c < model->columnCount(); ++c)
        if (!window.MSFlexGrid1->isColumnHidden(c))
            cells << model->index(row, c).data().toString();
    return cells;
}
