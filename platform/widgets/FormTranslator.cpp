#include "platform/widgets/FormTranslator.h"

#include "platform/forms/CommandKeys.h"
#include "platform/translation/BinaryDictionary.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVariant>

namespace {

constexpr int KeyRole = Qt::UserRole + 0x4754;
constexpr int ShownRole = KeyRole + 1;
// The dictionary's revision at a window's last pass.
constexpr const char* RevisionProperty = "gt430_translatedAt";

class Pass {
public:
    explicit Pass(const BinaryDictionary& d) : dict(d) {}

    // The English key behind a text: the stored one while the text is still
    // what the last pass showed; otherwise the program has set the text since,
    // in whatever language was current then.
    QString keyOf(const QVariant& storedKey, const QVariant& shown, const QString& current) const
    {
        if (storedKey.isValid() && shown.toString() == current)
            return storedKey.toString();
        return dict.englishOf(current);
    }

    QString onObject(QObject* o, const char* slot, const QString& current) const
    {
        const QByteArray keyName = QByteArray("gt430_key_") + slot;
        const QByteArray shownName = QByteArray("gt430_shown_") + slot;
        const QString key = keyOf(o->property(keyName), o->property(shownName), current);
        const QString text = dict.Translate(key);
        o->setProperty(keyName, key);
        o->setProperty(shownName, text);
        return text;
    }

    template <class Item>
    QString onItem(Item* item, int column, const QString& current) const
    {
        const QString key = keyOf(item->data(column, KeyRole), item->data(column, ShownRole), current);
        const QString text = dict.Translate(key);
        item->setData(column, KeyRole, key);
        item->setData(column, ShownRole, text);
        return text;
    }

    void widget(QWidget* w) const
    {
        if (!w->toolTip().isEmpty())
            w->setToolTip(onObject(w, "toolTip", w->toolTip()));
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty())
                label->setText(onObject(w, "text", label->text()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            // A tool button that shows an action takes its text from the action.
            const auto* tool = qobject_cast<QToolButton*>(w);
            if (!button->text().isEmpty() && !(tool && tool->defaultAction()))
                button->setText(onObject(w, "text", button->text()));
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            if (!frame->title().isEmpty())
                frame->setTitle(onObject(w, "title", frame->title()));
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                const QByteArray slot = "tab" + QByteArray::number(i);
                tabs->setTabText(i, onObject(w, slot.constData(), tabs->tabText(i)));
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i) {
                const QString key =
                    keyOf(combo->itemData(i, KeyRole), combo->itemData(i, ShownRole), combo->itemText(i));
                const QString text = dict.Translate(key);
                combo->setItemData(i, key, KeyRole);
                combo->setItemData(i, text, ShownRole);
                combo->setItemText(i, text);
            }
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            for (int i = 0; i < list->count(); ++i) {
                QListWidgetItem* item = list->item(i);
                const QString key = keyOf(item->data(KeyRole), item->data(ShownRole), item->text());
                const QString text = dict.Translate(key);
                item->setData(KeyRole, key);
                item->setData(ShownRole, text);
                item->setText(text);
            }
        } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            QTreeWidgetItem* header = tree->headerItem();
            for (int c = 0; c < tree->columnCount(); ++c)
                header->setText(c, onItem(header, c, header->text(c)));
        } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
            for (int c = 0; c < table->columnCount(); ++c) {
                QTableWidgetItem* item = table->horizontalHeaderItem(c);
                if (!item)
                    continue;
                const QString key = keyOf(item->data(KeyRole), item->data(ShownRole), item->text());
                const QString text = dict.Translate(key);
                item->setData(KeyRole, key);
                item->setData(ShownRole, text);
                item->setText(text);
            }
        }
    }

    void action(QAction* a) const
    {
        if (a->isSeparator())
            return;
        // Qt derives a tool tip from the text; only a tool tip of its own is a caption.
        // The key a command's tip ends with is no part of it.
        const QString tip = CommandKeys::tipWithoutKey(a);
        const bool ownTip = a->property("gt430_key_toolTip").isValid() || tip != CommandKeys::tipOfCaption(a->text());
        if (!a->text().isEmpty())
            a->setText(onObject(a, "text", a->text()));
        if (CommandKeys::hasKey(a))
            CommandKeys::setTip(a, ownTip && !tip.isEmpty() ? onObject(a, "toolTip", tip)
                                                            : CommandKeys::tipOfCaption(a->text()));
        else if (ownTip && !tip.isEmpty())
            a->setToolTip(onObject(a, "toolTip", tip));
    }

    const BinaryDictionary& dict;
};

}

FormTranslator::FormTranslator(const BinaryDictionary& dictionary) : m_dictionary(dictionary) {}

void FormTranslator::TranslateForm(QWidget* window) const
{
    if (!window)
        return;
    const quint64 revision = m_dictionary.revision();
    const Pass pass(m_dictionary);
    if (!window->windowTitle().isEmpty())
        window->setWindowTitle(pass.onObject(window, "windowTitle", window->windowTitle()));
    pass.widget(window);
    for (QWidget* child : window->findChildren<QWidget*>())
        pass.widget(child);
    for (QAction* a : window->findChildren<QAction*>())
        pass.action(a);
    window->setProperty(RevisionProperty, revision);
}

bool FormTranslator::isBehind(const QWidget* window) const
{
    const QVariant revision = window ? window->property(RevisionProperty) : QVariant();
    return revision.isValid() && revision.toULongLong() != m_dictionary.revision();
}
