#pragma once

#include "log/LogFrontEnd.h"
#include "rows/ResultView.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace vantrel::test {

// Records what the log and the pipeline ask of the front end.
class RecordingFrontEnd final : public output::LogFrontEnd {
public:
    struct Message {
        QString caption;
        QString text;
        output::MessageIcon icon;
    };

    void ShowMessageBox(const QString& caption, const QString& text, output::MessageIcon icon) override {
        messages.push_back({caption, text, icon});
    }
    void showLogOptionsPane() override { ++paneShown; }
    bool showFileNameBalloon(const QString& title, const QString& text) override {
        balloons.emplace_back(title, text);
        return balloonAccepted;
    }
    std::optional<output::OpenFailure> openWithDesktop(const QString& path) override {
        opened.push_back(path);
        return openResult;
    }

    void showResultLine(const output::ResultRow& line) override {
        resultLines.emplace_back(line.rtf(), line.kind);
    }

    std::vector<Message> messages;
    std::vector<std::pair<QString, output::ResultKind>> resultLines;
    std::vector<std::pair<QString, QString>> balloons;
    std::vector<QString> opened;
    int paneShown = 0;
    bool balloonAccepted = true;
    std::optional<output::OpenFailure> openResult;
};

class RecordingView final : public output::ResultView {
public:
    void showResult(const output::ShownRow& row) override { shown.emplace_back(row.rtf(), row.kind()); }

    std::vector<std::pair<QString, output::ResultKind>> shown;
};

} // namespace vantrel::test
