#include "employees/frmProgramming.h"

#include "core/frmMain.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

frmProgramming::frmProgramming()
{
    setWindowTitle(QStringLiteral("Programming"));
    // Placeholder: one page that holds the weekday fields.
    SSTab1 = new QTabWidget(this);
    auto* days = new QWidget(SSTab1);
    auto* fields = new QFormLayout(days);
    for (int i = 0; i < 4; ++i) {
        txtTime[i] = new QLineEdit(days);
        cmbHours[i] = new QComboBox(days);
        fields->addRow(txtTime[i], cmbHours[i]);
    }
    SSTab1->addTab(days, QString());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    resize(640, 480);
}

void frmProgramming::FocusWorkingDaysField(QWidget* field)
{
    SSTab1->setCurrentIndex(0);
    if (field)
        field->setFocus();
}

void frmProgramming::Form_Unload()
{
    RefreshMainToolbar();
}
