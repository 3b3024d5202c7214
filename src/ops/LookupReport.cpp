#include "ops/LookupReport.h"

#include "net/AddressText.h"
#include "ops/OperationState.h"
#include "output/ResultPipeline.h"
#include "output/ResultTexts.h"

namespace vantrel::ops {

namespace {

using output::RtfText;
namespace res = output::res;

ResultMessage row(const RtfText& fragment) {
    return {fragment.rtf(), QString(), output::ResultKind::Plain};
}

ResultMessage nameRow(const RtfText& label, const std::string& name) {
    const RtfText shown = RtfText::escape(QString::fromLocal8Bit(name));
    return row(output::fill(res::kLookupNameRow, label, output::fill(res::kLookupLink, shown, shown)));
}

RtfText dotted(net::IPAddr address) {
    return RtfText::escape(QString::fromStdString(net::inet_ntoa(address)));
}

} // namespace

std::vector<ResultMessage> lookupReportRows(const net::HostEntry& entry) {
    std::vector<ResultMessage> rows;
    rows.push_back(nameRow(output::fill(res::kOfficialNameLabel), entry.h_name));
    const std::vector<net::IPAddr>& addresses = entry.h_addr_list;
    if (!addresses.empty()) {
        const RtfText label = output::fill(addresses.size() > 1 ? res::kAddressesLabel : res::kAddressLabel);
        rows.push_back(row(output::fill(res::kLookupAddressRow, label, dotted(addresses.front()))));
    }
    // The first cell stays open below the further addresses when alias rows follow it.
    const auto& furtherRow =
        entry.h_aliases.empty() ? res::kLookupMoreAddressRow : res::kLookupMoreAddressOpenRow;
    for (std::size_t i = 1; i < addresses.size(); ++i)
        rows.push_back(row(output::fill(furtherRow, RtfText(), dotted(addresses[i]))));
    for (const std::string& alias : entry.h_aliases)
        rows.push_back(nameRow(output::fill(res::kAliasLabel), alias));
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
    for (const net::IPAddr address : entry.h_addr_list)
        add("address", QString(), QString::fromStdString(net::inet_ntoa(address)));
    for (const std::string& alias : entry.h_aliases)
        add("alias", QString::fromLocal8Bit(alias), QString());
    return records;
}

void LookupReport(const net::HostEntry& entry, OperationState& state, output::ResultPipeline& results,
                  const RecordSink& records) {
    for (std::size_t i = 1; i < entry.h_addr_list.size(); ++i)
        state.m_dwShownAddr = entry.h_addr_list[i];
    for (const ResultMessage& message : lookupReportRows(entry))
        results.AppendResult(message.text, message.argument, message.kind);
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
