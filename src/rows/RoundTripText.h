#pragma once

#include "rows/ResultRow.h"

#include <QString>
#include <chrono>
#include <cstddef>

namespace vantrel::output {

// A round trip in milliseconds with three decimals ("0.045"), as the data formats always give it and the
// rows with the PreciseTimes option.
QString preciseMilliseconds(std::chrono::microseconds roundTrip);

// The round trip in whole milliseconds, as the rows show it without PreciseTimes.
unsigned wholeMilliseconds(std::chrono::microseconds roundTrip);

// A row's round trip at value `slot`: left in whole milliseconds as the row was made, or, when `precise`,
// to the microsecond (the row then writes the text where the whole number would stand).
void showRoundTrip(ResultRow& row, std::size_t slot, std::chrono::microseconds roundTrip, bool precise);

} // namespace vantrel::output
