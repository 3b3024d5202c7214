#include "print/PageColours.h"

#include "print/RowDecoration.h"

#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

namespace vantrel::output {

namespace {

// A row's colour and what a dark page shows instead. Each dark colour keeps at least the contrast WCAG AA
// asks of text (4.5:1) against what it is drawn on there.
using Counterpart = std::pair<Rgb, Rgb>;

constexpr Rgb kDarkPage{30, 30, 32};

constexpr std::array kDarkText = {
    Counterpart{colors::kBlack, {232, 232, 232}},
    Counterpart{colors::kRed, {255, 128, 118}},
    Counterpart{colors::kBlue, {138, 180, 255}},
    Counterpart{colors::kGrey, {176, 176, 176}},
};

constexpr std::array kDarkFill = {
    Counterpart{colors::kWhite, kDarkPage},      Counterpart{colors::kHeaderGrey, {78, 78, 82}},
    Counterpart{colors::kRed, {160, 32, 32}},    Counterpart{colors::kGrey, {90, 90, 90}},
    Counterpart{colors::kGreen, {24, 100, 24}},  Counterpart{colors::kYellow, {100, 90, 10}},
    Counterpart{colors::kTomato, {150, 56, 40}}, Counterpart{colors::kBlue, {40, 70, 160}},
};

QColor colourOf(Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

Rgb rgbOf(const QColor& colour) {
    return Rgb{std::uint8_t(colour.red()), std::uint8_t(colour.green()), std::uint8_t(colour.blue())};
}

template <std::size_t N> QColor shown(const std::array<Counterpart, N>& table, Rgb colour, bool dark) {
    if (dark) {
        for (const auto& [own, counterpart] : table)
            if (own == colour)
                return colourOf(counterpart);
    }
    return colourOf(colour);
}

template <std::size_t N>
QColor stored(const std::array<Counterpart, N>& table, const QColor& colour, bool dark) {
    if (dark) {
        const Rgb rgb = rgbOf(colour);
        for (const auto& [own, counterpart] : table)
            if (counterpart == rgb)
                return colourOf(own);
    }
    return colour;
}

double luminance(const QColor& colour) {
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

// A brush in another page's colours: only plain colours are a row's.
QBrush recoloured(const QBrush& brush, const PageColours& from, const PageColours& to, bool text) {
    if (brush.style() != Qt::SolidPattern)
        return brush;
    const QColor own = text ? from.storedText(brush.color()) : from.storedFill(brush.color());
    return QBrush(text ? to.text(rgbOf(own)) : to.fill(rgbOf(own)));
}

} // namespace

PageColours PageColours::forPalette(const QPalette& palette) {
    return PageColours(luminance(palette.color(QPalette::Base)) < 0.2 ? Shade::Dark : Shade::Light);
}

QColor PageColours::page() const {
    return m_shade == Shade::Dark ? colourOf(kDarkPage) : QColor(Qt::white);
}

QColor PageColours::ink() const {
    return text(colors::kBlack);
}

QColor PageColours::border() const {
    return m_shade == Shade::Dark ? QColor(150, 150, 150) : QColor(Qt::black);
}

QColor PageColours::text(Rgb colour) const {
    return shown(kDarkText, colour, m_shade == Shade::Dark);
}

QColor PageColours::fill(Rgb colour) const {
    return shown(kDarkFill, colour, m_shade == Shade::Dark);
}

QColor PageColours::storedText(const QColor& colour) const {
    return stored(kDarkText, colour, m_shade == Shade::Dark);
}

QColor PageColours::storedFill(const QColor& colour) const {
    return stored(kDarkFill, colour, m_shade == Shade::Dark);
}

void recolour(QTextDocument& document, const PageColours& from, const PageColours& to) {
    if (from == to)
        return;
    // The changes are gathered first: formatting a fragment merges and splits the ones around it.
    struct Change {
        int start;
        int end;
        QTextCharFormat format;
    };
    std::vector<Change> changes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (auto* row = dynamic_cast<RowDecoration*>(block.userData())) {
            for (CellDecoration& cell : row->cells)
                if (cell.background)
                    cell.background = to.fill(rgbOf(from.storedFill(*cell.background)));
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (format.hasProperty(QTextFormat::ForegroundBrush))
                format.setForeground(recoloured(format.foreground(), from, to, true));
            if (format.hasProperty(QTextFormat::BackgroundBrush))
                format.setBackground(recoloured(format.background(), from, to, false));
            if (format != fragment.charFormat())
                changes.push_back({fragment.position(), fragment.position() + fragment.length(), format});
        }
    }
    if (changes.empty())
        return;
    // A change of colours is not an edit to undo.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    for (const Change& change : changes) {
        cursor.setPosition(change.start);
        cursor.setPosition(change.end, QTextCursor::KeepAnchor);
        cursor.setCharFormat(change.format);
    }
    document.setUndoRedoEnabled(undo);
}

double contrastRatio(const QColor& first, const QColor& second) {
    const double one = luminance(first);
    const double other = luminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

} // namespace vantrel::output
