#pragma once

#include "settings/WatchList.h"

#include <QWidget>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace vantrel::ui {

class RoundTripPlot;

// A watched host's figures as the pane shows them, already in words and numbers.
struct WatchRowFigures {
    QString host;
    QString state;
    QString recentLoss;
    QString recentRoundTrip;
    QString dayLoss;
    QString dayRoundTrip;
    QString lastChange;
};

// The Watch List pane: the watched hosts in a table with their state and figures, the fields to add
// one, the plot of the selected host's history over the chosen span and the list of changes of state.
// It shows what it is given and says what the user asked for; the watch itself runs elsewhere.
class WatchPane : public QWidget {
    Q_OBJECT
public:
    enum Column {
        kEnabled,
        kHost,
        kName,
        kState,
        kRecentLoss,
        kRecentRtt,
        kDayLoss,
        kDayRtt,
        kChange,
        kColumns
    };
    // The history spans of the drop-down, in hours.
    static constexpr std::array<int, 3> kSpanHours{1, 24, 24 * 7};

    explicit WatchPane(QWidget* parent = nullptr);

    // The list's hosts in its order; figures shown before stay with their hosts.
    void showEntries(const std::vector<settings::WatchEntry>& entries);
    void showFigures(const WatchRowFigures& figures);
    void showChanges(const QStringList& lines);
    void setWatching(bool on);

    QString selectedHost() const;
    int spanHours() const;
    RoundTripPlot* plot() const { return m_plot; }
    QTableWidget* table() const { return m_table; }
    QLineEdit* hostField() const { return m_host; }
    QLineEdit* nameField() const { return m_name; }
    QSpinBox* intervalBox() const { return m_interval; }
    QSpinBox* lossBox() const { return m_loss; }
    QSpinBox* roundTripBox() const { return m_roundTrip; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* setButton() const { return m_set; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* watchButton() const { return m_watch; }
    QListWidget* changesList() const { return m_changes; }

signals:
    // The Add button: the host typed (may be empty: the host box's then), its name, interval and limits.
    void addRequested(const settings::WatchEntry& entry);
    // The Set button: the selected host with the interval and limits shown, and the name when one is typed.
    void setRequested(const settings::WatchEntry& entry);
    void deleteRequested(const QString& host);
    void enabledChanged(const QString& host, bool enabled);
    void watchingToggled(bool on);
    // Another host selected, or another span chosen: the plot wants the history again.
    void historyWanted();

private:
    int rowOf(const QString& host) const;
    // The fields' entry for `host`.
    settings::WatchEntry typedEntry(const QString& host) const;
    // The selected host's interval and limits in their boxes, ready to be changed and set.
    void showSelectedEntry();

    QTableWidget* m_table;
    QLineEdit* m_host;
    QLineEdit* m_name;
    QSpinBox* m_interval;
    QSpinBox* m_loss;
    QSpinBox* m_roundTrip;
    QPushButton* m_add;
    QPushButton* m_set;
    QPushButton* m_delete;
    QPushButton* m_watch;
    QComboBox* m_span;
    RoundTripPlot* m_plot;
    QListWidget* m_changes;
    std::vector<settings::WatchEntry> m_entries; // as shown
    bool m_showing = false; // rows being filled: their check boxes' changes are not the user's
};

} // namespace vantrel::ui
