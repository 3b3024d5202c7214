#pragma once

#include <QComboBox>
#include <QStringList>

namespace vantrel::ui {

// The host box: an editable combo box whose drop-down list is the history of hosts.
class HostComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit HostComboBox(QWidget* parent = nullptr);

    QStringList history() const;
    void setHistory(const QStringList& hosts);
    // Adds a host unless an entry equal to it ignoring case is there; either way that entry is
    // selected. With `sorted` the host goes to its place in case-insensitive order, else at the end.
    void addToHistory(const QString& host, bool sorted);
    // Shows a text in the edit field; a text not in the list (ignoring case) and not empty is added at
    // its end.
    void selectOrAppend(const QString& text);
};

} // namespace vantrel::ui
