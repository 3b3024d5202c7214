#pragma once

#include "rows/HopCells.h"

#include <QStringList>
#include <QWidget>
#include <vector>

class QLabel;
class QTableWidget;

namespace vantrel::ui {

// One hop as the Path Monitor pane shows it, already in words and numbers: the cells in the report's
// order, every address the hop answered from (more than one: the route changed) with their names.
struct PathHopFigures {
    unsigned hop = 0;
    QStringList addresses; // empty: the hop never answered
    QStringList names;     // one per address, empty until its lookup answers
    output::HopCells cells;
};

// The Path Monitor pane: a line saying which host is monitored and how far, and the table of its hops,
// updated in place as each round's answers come. It shows what it is given and says which hop the user
// selected; the monitor itself runs elsewhere.
class PathMonitorPane : public QWidget {
    Q_OBJECT
public:
    enum Column {
        kHop,
        kAddress,
        kLoss,
        kSent,
        kLast,
        kAverage,
        kBest,
        kWorst,
        kDeviation,
        kJitter,
        kName,
        kColumns
    };

    explicit PathMonitorPane(QWidget* parent = nullptr);

    void showHeading(const QString& heading);
    // The hops in their order; the selected hop stays selected while it is shown.
    void showHops(const std::vector<PathHopFigures>& hops);
    // The selected hop, 0 when none.
    unsigned selectedHop() const;
    QTableWidget* table() const { return m_table; }
    QString heading() const;

signals:
    // The user selected another hop (0: none).
    void hopSelected(unsigned hop);

protected:
    void changeEvent(QEvent* event) override;

private:
    // Each column as wide as its heading and its usual figures, so the first rows do not move them.
    void fitColumnsToUsualFigures();

    QLabel* m_heading;
    QTableWidget* m_table;
    bool m_showing = false; // rows being filled: their selection is not the user's
};

} // namespace vantrel::ui
