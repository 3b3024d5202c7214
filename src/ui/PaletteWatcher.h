#pragma once

#include <QObject>

namespace vantrel::ui {

// Tells when the application's palette changed: a look chosen, or the desktop's colours changed while the
// program runs (a dark theme chosen), which Qt announces to the application object alone.
class PaletteWatcher : public QObject {
    Q_OBJECT
public:
    explicit PaletteWatcher(QObject* parent = nullptr);
    ~PaletteWatcher() override;

Q_SIGNALS:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vantrel::ui
