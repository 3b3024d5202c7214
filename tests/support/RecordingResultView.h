#pragma once

#include "output/ResultView.h"
#include "output/TextRenderer.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vantrel::test {

// A Results view that keeps every fragment with its kind, and its readable text for assertions.
class RecordingResultView final : public output::ResultView {
public:
    struct Shown {
        QString fragment;
        output::ResultKind kind;
        QString text; // the fragment rendered as a terminal shows it, without the final line end
    };

    void showResult(const QString& fragment, output::ResultKind kind) override {
        QString text = output::TextRenderer().renderFragment(fragment);
        while (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        shown.push_back({fragment, kind, text});
    }

    QStringList texts() const {
        QStringList all;
        for (const Shown& s : shown)
            all.append(s.text);
        return all;
    }

    std::vector<Shown> shown;
};

} // namespace vantrel::test
