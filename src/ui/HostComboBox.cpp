#include "ui/HostComboBox.h"

#include <QLineEdit>

namespace vantrel::ui {

HostComboBox::HostComboBox(QWidget* parent)
    : QComboBox(parent) {
    setEditable(true);
    // The history grows only through addToHistory: Enter runs the Ping command instead.
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(false);
    setMaxVisibleItems(20);
}

QStringList HostComboBox::history() const {
    QStringList hosts;
    for (int i = 0; i < count(); ++i)
        hosts.append(itemText(i));
    return hosts;
}

void HostComboBox::setHistory(const QStringList& hosts) {
    const QString text = currentText();
    clear();
    for (const QString& host : hosts) {
        if (!host.isEmpty() && findText(host, Qt::MatchFixedString) < 0)
            addItem(host);
    }
    setEditText(text);
}

void HostComboBox::addToHistory(const QString& host, bool sorted) {
    if (host.isEmpty())
        return;
    int index = findText(host, Qt::MatchFixedString); // fixed strings match without regard to case
    if (index < 0) {
        index = count();
        if (sorted) {
            index = 0;
            while (index < count() && QString::compare(itemText(index), host, Qt::CaseInsensitive) < 0)
                ++index;
        }
        insertItem(index, host);
    }
    setCurrentIndex(index);
}

void HostComboBox::selectOrAppend(const QString& text) {
    // An entry that differs only in case is the same host: it is selected, not added again.
    const int index = findText(text, Qt::MatchFixedString);
    if (index >= 0) {
        setCurrentIndex(index);
    } else if (!text.isEmpty()) {
        addItem(text);
        setCurrentIndex(count() - 1);
    }
    setEditText(text);
}

} // namespace vantrel::ui
