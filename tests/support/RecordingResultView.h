#pragma once

#include "rows/ResultView.h"
#include "rtf/TextRenderer.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vantrel::test {

// A Results view that keeps every row as its fragment with its kind, and its readable text for assertions.
class RecordingResultView final : public output::ResultView {
public:
    struct Shown {
        QString fragment;
        output::ResultKind kind;
        QString text; // the fragment rendered as a terminal shows it, without the final line end
        output::RtfDocument document; // the row as the window gets it
    };

    void showResult(const output::ShownRow& row) override {
        QString text = output::TextRenderer().render(row.document());
        while (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        shown.push_back({row.rtf(), row.kind(), text, row.document()});
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
