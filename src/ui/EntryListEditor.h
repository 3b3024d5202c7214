#pragma once

#include <QStringList>
#include <QWidget>
#include <optional>

class QHeaderView;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel::ui {

// A saved list of one column, its entry field and the one button that adds the typed entry or, when
// the field names an entry exactly, deletes it (the SeqScan groups, the ListScan addresses). It shows
// and reports; its owner keeps the store and decides.
class EntryListEditor : public QWidget {
    Q_OBJECT
public:
    // The editor's texts: captions, the tips chosen as the editor's state says, and the header's.
    struct Texts {
        QString column;
        QString addCaption, deleteCaption;
        QString listTip, fieldTip, buttonTip;
        QString addTip, deleteTip, emptyFieldTip;
        QString headerUnsorted, headerAscending, headerDescending;
        bool fieldTipWhileEmptyOnly = false; // the field's tip shows only while it is empty
    };
    struct Ids {
        int list, field, button;
    };

    EntryListEditor(Texts texts, Ids ids, int columnWidth, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    QLineEdit* field() const { return m_field; }
    QPushButton* button() const { return m_button; }

    // The entries in the order the list shows them.
    QStringList entries() const;
    // Replaces every entry, in this order.
    void setEntries(const QStringList& entries);
    // Appends an entry at the end of the list and gives the list the focus.
    void appendEntry(const QString& text);
    // The row of the first entry equal to the text, letter case included; -1 when none is.
    int findEntry(const QString& text) const;
    // Removes the first entry equal to the text, sorts the rest when `sorted`, and gives the list the
    // focus. Answers the row that takes the removed entry's place (the new last one at the end), or -1
    // when the list is empty, whose field is then cleared.
    int removeEntry(const QString& text, bool sorted);
    // Focuses and selects an entry.
    void selectEntry(int row);
    // Sorts the list on its column without regard to case, keeping the order of equal entries.
    void sortAscending() { sort(Qt::AscendingOrder); }
    void sort(Qt::SortOrder order);

    // Whether the button deletes: the field names an entry exactly.
    bool deleteMode() const;
    // Brings the button's caption and enabling up to date with the field; `refused` disables it with
    // its own tip (a group name with a backslash).
    void refreshButton(const QString& refusedTip = QString());

signals:
    // A mouse click on an entry, a double click, the button.
    void entryClicked(const QString& text);
    void entryDoubleClicked(const QString& text);
    void buttonClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString tipFor(const QObject* watched) const;
    void headerClicked(int column);

    Texts m_texts;
    QTreeWidget* m_list;
    QLineEdit* m_field;
    QPushButton* m_button;
    QString m_refusedTip;
    std::optional<Qt::SortOrder> m_sorted;
};

} // namespace vantrel::ui
