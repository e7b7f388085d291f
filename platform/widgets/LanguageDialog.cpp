#include "platform/widgets/LanguageDialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

LanguageDialog::LanguageDialog(const QString& title, const QStringList& languages, int current, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    setWindowTitle(title);
    m_list->addItems(languages);
    m_list->setCurrentRow(current >= 0 && current < languages.size() ? current : 0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

int LanguageDialog::chosenIndex() const
{
    return m_list->currentRow();
}
