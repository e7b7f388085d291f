#pragma once

#include <QDialog>

class QListWidget;

// Lists the dictionary's languages; OK takes the selected one.
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    LanguageDialog(const QString& title, const QStringList& languages, int current, QWidget* parent = nullptr);
    int chosenIndex() const;

private:
    QListWidget* m_list;
};
