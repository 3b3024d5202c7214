#include "ops/LookupReport.h"

#include "log/ResultPipeline.h"
#include "ops/OperationState.h"
#include "text/WideRowTexts.h"

#include <algorithm>

namespace vantrel::ops {

namespace {

namespace res = output::res;

using output::ResultKind;

output::ResultRow nameRow(bool wide, const QString& label, const std::string& name) {
    // The name's cell holds the link to it.
    const QString shown = QString::fromLocal8Bit(name);
    return output::nestedRow(ResultKind::Plain,
                             output::rowFor(wide, res::kLookupNameRow, res::kLookupNameRowWide).text, 1,
                             res::kLookupLink.text, {label, shown, shown});
}

} // namespace

std::vector<output::ResultRow> lookupReportRows(const net::HostEntry& entry) {
    std::vector<output::ResultRow> rows;
    const std::vector<net::IpAddress>& addresses = entry.h_addr_list;
    // One IPv6 address widens the whole table.
    const bool wide =
        std::any_of(addresses.begin(), addresses.end(), [](const net::IpAddress& a) { return a.isV6(); });
    rows.push_back(nameRow(wide, output::text(res::kOfficialNameLabel), entry.h_name));
    if (!addresses.empty()) {
        const QString label = output::text(addresses.size() > 1 ? res::kAddressesLabel : res::kAddressLabel);
        rows.push_back(output::makeRow(
            ResultKind::Plain, output::rowFor(wide, res::kLookupAddressRow, res::kLookupAddressRowWide),
            label, addresses.front().toQString()));
    }
    // The first cell stays open below the further addresses when alias rows follow it.
    const auto& furtherRow =
        entry.h_aliases.empty()
            ? output::rowFor(wide, res::kLookupMoreAddressRow, res::kLookupMoreAddressRowWide)
            : output::rowFor(wide, res::kLookupMoreAddressOpenRow, res::kLookupMoreAddressOpenRowWide);
    for (std::size_t i = 1; i < addresses.size(); ++i)
        rows.push_back(output::makeRow(ResultKind::Plain, furtherRow, QString(), addresses[i].toQString()));
    for (const std::string& alias : entry.h_aliases)
        rows.push_back(nameRow(wide, output::text(res::kAliasLabel), alias));
    return rows;
}

std::vector<ResultRecord> lookupReportRecords(const net::HostEntry& entry) {
    std::vector<ResultRecord> records;
    const auto add = [&records](const char* label, QString name, QString address) {
        ResultRecord record;
        record.operation = RecordOperation::Lookup;
        record.label = QString::fromLatin1(label);
        record.name = std::move(name);
        record.address = std::move(address);
        records.push_back(std::move(record));
    };
    add("name", QString::fromLocal8Bit(entry.h_name), QString());
    for (const net::IpAddress& address : entry.h_addr_list)
        add("address", QString(), address.toQString());
    for (const std::string& alias : entry.h_aliases)
        add("alias", QString::fromLocal8Bit(alias), QString());
    return records;
}

void LookupReport(const net::HostEntry& entry, OperationState& state, output::ResultPipeline& results,
                  const RecordSink& records) {
    for (std::size_t i = 1; i < entry.h_addr_list.size(); ++i)
        state.m_dwShownAddr = entry.h_addr_list[i];
    for (const output::ResultRow& row : lookupReportRows(entry))
        results.AppendRow(row);
    if (!records)
        return;
    ResultRecord start;
    start.kind = ResultRecord::Kind::Start;
    start.operation = RecordOperation::Lookup;
    records(start);
    for (const ResultRecord& record : lookupReportRecords(entry))
        records(record);
}

} // namespace vantrel::ops
