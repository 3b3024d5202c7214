#pragma once

// The panes' and dialogs' fixed texts: the option panes' group titles, labels and tooltips, the list
// editors' captions, the Results pane's commands, the bars' dialogs and the names screen readers say.
// Kept exactly as the user sees them, blanks and line breaks included.

#include "text/StringResource.h"

namespace vantrel::output::res {

// The option panes' titles (the show/hide command's pane and tab).
inline constexpr TextTemplate<> kPingPaneTitle{601, "PingPaneTitle", "Ping/TraceRoute Options"};
inline constexpr TextTemplate<> kSeqScanPaneTitle{602, "SeqScanPaneTitle", "SeqScan Options"};
inline constexpr TextTemplate<> kOtherPaneTitle{603, "OtherPaneTitle", "Other Options"};
inline constexpr TextTemplate<> kListScanPaneTitle{604, "ListScanPaneTitle", "ListScan Options"};
inline constexpr TextTemplate<> kIspPaneTitle{605, "IspPaneTitle", "ISPinger Options"};

// Ping/TraceRoute options.
inline constexpr TextTemplate<> kPingOptionsGroup{0, "PingOptionsGroup", "Ping Options"};
inline constexpr TextTemplate<> kContinuousPingGroup{0, "ContinuousPingGroup", "Continuous Ping"};
inline constexpr TextTemplate<> kTraceOptionsGroup{0, "TraceOptionsGroup", "TraceRoute Options"};
inline constexpr TextTemplate<> kPacketsLabel{0, "PacketsLabel", "Number of Packets:"};
inline constexpr TextTemplate<> kPacketsTip{0, "PacketsTip",
                                            "Set the number of packets to send per ping (1 - 5000)."};
inline constexpr TextTemplate<> kTimeoutLabel{0, "TimeoutLabel", "Timeout (in seconds):"};
inline constexpr TextTemplate<> kTimeoutTip{0, "TimeoutTip",
                                            "Set the time limit until timeout (1 - 30 seconds)."};
inline constexpr TextTemplate<> kVerboseLabel{0, "VerboseLabel", "Verbose (show all details):"};
inline constexpr TextTemplate<> kVerboseTip{0, "VerboseTip", "Display results for each packet sent?"};
inline constexpr TextTemplate<> kStatisticsLabel{0, "StatisticsLabel", "Statistics:"};
inline constexpr TextTemplate<> kStatisticsTip{
    0, "StatisticsTip", "Display packet loss and Round Trip Time statistics after each ping?"};
inline constexpr TextTemplate<> kBeepLabel{0, "BeepLabel", "Beep on Finish:"};
inline constexpr TextTemplate<> kBeepTip{0, "BeepTip", "Sound a sytem beep after each ping?"};
inline constexpr TextTemplate<> kPreciseTimesLabel{0, "PreciseTimesLabel", "Show fractions of a millisecond"};
inline constexpr TextTemplate<> kPreciseTimesTip{
    0, "PreciseTimesTip",
    "Show round trips to the microsecond (0.045 ms) and the mean deviation in the ping statistics?"};
inline constexpr TextTemplate<> kReturnedDataLabel{0, "ReturnedDataLabel", "Show Returned Data:"};
inline constexpr TextTemplate<> kReturnedDataTip{
    0, "ReturnedDataTip", "Display the returned data for each packet in the 'Results' window?"};
inline constexpr TextTemplate<> kFragmentLabel{0, "FragmentLabel", "Don't Fragment Packets:"};
inline constexpr TextTemplate<> kFragmentTip{0, "FragmentTip",
                                             "Force packets to be sent without fragmenting them?"};
inline constexpr TextTemplate<> kPacketDataLabel{0, "PacketDataLabel", "Packet Data To Send:"};
inline constexpr TextTemplate<> kPacketDataTip{
    0, "PacketDataTip", "Here you can manually set the data to send in your packets (0 - 5000 characters)."};
inline constexpr TextTemplate<> kPacketDataSizeLabel{0, "PacketDataSizeLabel", "Packet Data Size (bytes):"};
inline constexpr TextTemplate<> kPacketDataSizeTip{
    0, "PacketDataSizeTip",
    "This is the number of characters in your packet data.\n It changes automatically when you change the "
    "data in the 'Packet Data To Send:' box."};
inline constexpr TextTemplate<> kContPingLabel{0, "ContPingLabel", "Enable"};
inline constexpr TextTemplate<> kContPingTip{
    0, "ContPingTip", "Automatically restart the ping after the interval set in the 'Interval' box?"};
inline constexpr TextTemplate<> kIntervalLabel{0, "IntervalLabel", "Interval (secs):"};
inline constexpr TextTemplate<> kContPingIntervalTip{0, "ContPingIntervalTip",
                                                     "Sets the continuous ping interval (in seconds)."};
inline constexpr TextTemplate<> kHopsLabel{0, "HopsLabel", "Number of Hops:"};
inline constexpr TextTemplate<> kHopsTip{
    0, "HopsTip",
    "Sets the maximum number of 'hops' (internet routers)\n a packet can use on it's trip to the destination "
    "server."};
inline constexpr TextTemplate<> kShowDnsNamesLabel{0, "ShowDnsNamesLabel", "Show DNS Names:"};
inline constexpr TextTemplate<> kTraceDnsTip{0, "TraceDnsTip",
                                             "Find the DNS name of each server along the trace route?"};
inline constexpr TextTemplate<> kPathMonitorIntervalLabel{0, "PathMonitorIntervalLabel",
                                                          "Path Monitor interval (1/10 sec):"};
inline constexpr TextTemplate<> kPathMonitorIntervalTip{
    0, "PathMonitorIntervalTip",
    "How often the Path Monitor sends a round of probes to every hop,\n in tenths of a second (10 is one "
    "second)."};

// The scans' ping options, alike on the SeqScan and ListScan panes.
inline constexpr TextTemplate<> kScanPacketsLabel{0, "ScanPacketsLabel", "Packets/Ping:"};
inline constexpr TextTemplate<> kScanPacketsTip{
    0, "ScanPacketsTip", "Sets the number of packets to send when pinging each address."};
inline constexpr TextTemplate<> kScanTimeoutLabel{0, "ScanTimeoutLabel", "Timeout (sec):"};
inline constexpr TextTemplate<> kScanTimeoutTip{
    0, "ScanTimeoutTip", "Sets the number of seconds to wait before timing out a ping."};
inline constexpr TextTemplate<> kShowFailuresLabel{0, "ShowFailuresLabel", "Only show failures:"};
inline constexpr TextTemplate<> kShowFailuresTip{0, "ShowFailuresTip",
                                                 "Don't show successful pings in the 'Results' window."};
inline constexpr TextTemplate<> kAutoSortLabel{0, "AutoSortLabel", "Autosort:"};
inline constexpr TextTemplate<> kParallelProbesLabel{0, "ParallelProbesLabel", "Parallel probes:"};
inline constexpr TextTemplate<> kParallelProbesTip{
    0, "ParallelProbesTip",
    "Sets how many addresses are pinged at the same time (1 to 256). With 1 each address is pinged after the "
    "one before it; the results come out in the same order either way."};

// SeqScan options.
inline constexpr TextTemplate<> kSeqScanAddressesGroup{0, "SeqScanAddressesGroup", "SeqScan Addresses"};
inline constexpr TextTemplate<> kSeqScanGroupsGroup{0, "SeqScanGroupsGroup", "SeqScan Groups"};
inline constexpr TextTemplate<> kSeqDnsTip{0, "SeqDnsTip",
                                           "Find the DNS name of each server in the sequence scan?"};
inline constexpr TextTemplate<> kSeqAutoSortTip{0, "SeqAutoSortTip",
                                                "Automatically sort the SeqScan address group list?"};
inline constexpr TextTemplate<> kOctetDot{0, "OctetDot", "."};
inline constexpr TextTemplate<> kStartAddressLabel{0, "StartAddressLabel", "Start Address:"};
inline constexpr TextTemplate<> kEndAddressLabel{0, "EndAddressLabel", "End Address:"};
inline constexpr TextTemplate<> kStartOctet1Tip{0, "StartOctet1Tip",
                                                "Enter the first octet of the starting address here."};
inline constexpr TextTemplate<> kStartOctet2Tip{0, "StartOctet2Tip",
                                                "Enter the second octet of the starting address here."};
inline constexpr TextTemplate<> kStartOctet3Tip{0, "StartOctet3Tip",
                                                "Enter the third octet of the starting address here."};
inline constexpr TextTemplate<> kStartOctet4Tip{0, "StartOctet4Tip",
                                                "Enter the fourth octet of the starting address here."};
inline constexpr TextTemplate<> kEndOctet1Tip{
    0, "EndOctet1Tip",
    "The first octet of the ending address is the same as\n the first octet of the starting address."};
inline constexpr TextTemplate<> kEndOctet2Tip{
    0, "EndOctet2Tip",
    "The second octet of the ending address is the same as\n the second octet of the starting address."};
inline constexpr TextTemplate<> kEndOctet3Tip{0, "EndOctet3Tip",
                                              "Enter the third octet of the ending address here."};
inline constexpr TextTemplate<> kEndOctet4Tip{0, "EndOctet4Tip",
                                              "Enter the fourth octet of the ending address here."};
// The group list's editor.
inline constexpr TextTemplate<> kGroupColumn{0, "GroupColumn", "Group"};
inline constexpr TextTemplate<> kAddGroupCaption{0, "AddGroupCaption", "Add Group"};
inline constexpr TextTemplate<> kDeleteGroupCaption{0, "DeleteGroupCaption", "Delete Group"};
inline constexpr TextTemplate<> kGroupListTip{0, "GroupListTip", "SeqScan Address group list."};
inline constexpr TextTemplate<> kGroupFieldTip{0, "GroupFieldTip", "Type a SeqScan address group name here."};
inline constexpr TextTemplate<> kGroupButtonTip{0, "GroupButtonTip",
                                                "Click here to add or delete a SeqScan address group."};
inline constexpr TextTemplate<> kAddGroupTip{0, "AddGroupTip", "Add this SeqScan address group to the list."};
inline constexpr TextTemplate<> kDeleteGroupTip{0, "DeleteGroupTip",
                                                "Delete this SeqScan address group from the list."};
inline constexpr TextTemplate<> kNoGroupNameTip{0, "NoGroupNameTip",
                                                "There is no SeqScan address group name specified."};
inline constexpr TextTemplate<> kSortGroupsTip{0, "SortGroupsTip",
                                               "Click here to sort the SeqScan address group list."};
inline constexpr TextTemplate<> kSortGroupsDescendingTip{
    0, "SortGroupsDescendingTip", "Sort the SeqScan address group list in descending order."};
inline constexpr TextTemplate<> kSortGroupsAscendingTip{
    0, "SortGroupsAscendingTip", "Sort the SeqScan address group list in ascending order."};

// ListScan options.
inline constexpr TextTemplate<> kListScanAddressesGroup{0, "ListScanAddressesGroup", "ListScan Addresses"};
inline constexpr TextTemplate<> kListDnsTip{0, "ListDnsTip", "Find the DNS name of each server?"};
inline constexpr TextTemplate<> kListAutoSortTip{0, "ListAutoSortTip",
                                                 "Automatically sort the ListScan address list?"};
// The address list's editor (its column title is the Profile Manager's address header).
inline constexpr TextTemplate<> kAddAddressCaption{0, "AddAddressCaption", "Add Address"};
inline constexpr TextTemplate<> kDeleteAddressCaption{0, "DeleteAddressCaption", "Delete Address"};
inline constexpr TextTemplate<> kAddressListTip{0, "AddressListTip", "ListScan addresses."};
inline constexpr TextTemplate<> kAddressFieldTip{0, "AddressFieldTip", "Type a ListScan address here."};
inline constexpr TextTemplate<> kAddressButtonTip{0, "AddressButtonTip",
                                                  "Click here to add or delete a ListScan address."};
inline constexpr TextTemplate<> kAddAddressTip{0, "AddAddressTip", "Add this address to the list."};
inline constexpr TextTemplate<> kDeleteAddressTip{0, "DeleteAddressTip",
                                                  "Delete this address from the list."};
inline constexpr TextTemplate<> kNoAddressTip{0, "NoAddressTip", "There is no address specified."};
inline constexpr TextTemplate<> kSortListTip{0, "SortListTip", "Click here to sort the ListScan addresses."};
inline constexpr TextTemplate<> kSortListDescendingTip{0, "SortListDescendingTip",
                                                       "Sort the ListScan addresses in descending order."};
inline constexpr TextTemplate<> kSortListAscendingTip{0, "SortListAscendingTip",
                                                      "Sort the ListScan addresses in ascending order."};

// ISPinger options.
inline constexpr TextTemplate<> kIspServerLabel{0, "IspServerLabel", "Server Address:"};
inline constexpr TextTemplate<> kIspServerTip{0, "IspServerTip", "Type the ISPinger server address here."};
// Before kIspServerTip while the box is empty.
inline constexpr TextTemplate<> kIspServerNeeded{0, "IspServerNeeded",
                                                 "ISPinger cannot run without a server address.\n"};
inline constexpr TextTemplate<> kIspIntervalTip{0, "IspIntervalTip",
                                                "Sets the interval between pings, in seconds."};

// Other options.
inline constexpr TextTemplate<> kProfileManagerGroup{0, "ProfileManagerGroup", "Profile Manager"};
inline constexpr TextTemplate<> kStartupGroup{0, "StartupGroup", "Startup"};
inline constexpr TextTemplate<> kResourceGroup{0, "ResourceGroup", "Resource Management"};
inline constexpr TextTemplate<> kExportImportGroup{0, "ExportImportGroup", "Export/Import Settings"};
inline constexpr TextTemplate<> kProfileAutoSortTip{
    0, "ProfileAutoSortTip",
    "Automatically sort the Profile Manager by\n Profile Name or IP Address/DNS Name."};
inline constexpr TextTemplate<> kSortByNameLabel{0, "SortByNameLabel", "By: Profile Name:"};
inline constexpr TextTemplate<> kSortByAddressLabel{0, "SortByAddressLabel", "IP Addr/DNS Name:"};
inline constexpr TextTemplate<> kWarnDeleteLabel{0, "WarnDeleteLabel", "Warn Before Deleting Profile:"};
inline constexpr TextTemplate<> kWarnDeleteTip{
    0, "WarnDeleteTip",
    "Should Vantrel seek confirmation before you delete\n a profile from the Profile Manager?"};
inline constexpr TextTemplate<> kStartInTrayLabel{0, "StartInTrayLabel", "Send to System Tray:"};
inline constexpr TextTemplate<> kStartInTrayTip{
    0, "StartInTrayTip", "When Vantrel is started, send it directly to the System Tray."};
inline constexpr TextTemplate<> kStartIspLabel{0, "StartIspLabel", "Start ISPinger:"};
inline constexpr TextTemplate<> kStartIspTip{0, "StartIspTip",
                                             "When Vantrel is started, start ISPinger automatically."};
inline constexpr TextTemplate<> kPurgeResultsLabel{0, "PurgeResultsLabel", "Purge Results Text At:"};
inline constexpr TextTemplate<> kPurgeResultsTip{
    0, "PurgeResultsTip", "Clear all text in the 'Results' window.\nRange is 1 - 5 Megabytes."};
inline constexpr TextTemplate<> kPurgeLogLabel{0, "PurgeLogLabel", "Purge Log At:"};
inline constexpr TextTemplate<> kPurgeLogTip{0, "PurgeLogTip",
                                             "Clear all text in the Log.\nRange is 1 - 99 Megabytes."};
inline constexpr TextTemplate<> kMegabytesUnit{0, "MegabytesUnit", "Mb"};
inline constexpr TextTemplate<> kExportSettingsButton{0, "ExportSettingsButton", "Export Settings"};
inline constexpr TextTemplate<> kExportSettingsTip{0, "ExportSettingsTip",
                                                   "Export Vantrel's settings to a file."};
inline constexpr TextTemplate<> kImportSettingsButton{0, "ImportSettingsButton", "Import Settings"};
inline constexpr TextTemplate<> kImportSettingsTip{0, "ImportSettingsTip",
                                                   "Import Vantrel's settings from an import file."};
inline constexpr TextTemplate<> kResetGuiButton{0, "ResetGuiButton", "Reset GUI"};
inline constexpr TextTemplate<> kResetGuiTip{0, "ResetGuiTip",
                                             "Reset the user interface to it's original configuration."};
// The choice of the option AddressFamily: its entries in the order of its values.
inline constexpr TextTemplate<> kNameResolutionGroup{0, "NameResolutionGroup", "Name Resolution"};
inline constexpr TextTemplate<> kAddressFamilyLabel{0, "AddressFamilyLabel", "Address family:"};
inline constexpr TextTemplate<> kAddressFamilyTip{
    0, "AddressFamilyTip",
    "Which addresses a host name stands for:\nIPv4, IPv6 or both, and which come first.\nTakes effect at the "
    "next operation."};
inline constexpr TextTemplate<> kAddressFamilyIpv4ThenIpv6{0, "AddressFamilyIpv4ThenIpv6",
                                                           "IPv4 (IPv6 when a name has no IPv4 address)"};
inline constexpr TextTemplate<> kAddressFamilyBoth{0, "AddressFamilyBoth", "IPv4 and IPv6, IPv4 first"};
inline constexpr TextTemplate<> kAddressFamilySystemOrder{0, "AddressFamilySystemOrder", "System order"};
inline constexpr TextTemplate<> kAddressFamilyIpv4Only{0, "AddressFamilyIpv4Only", "IPv4 only"};
inline constexpr TextTemplate<> kAddressFamilyIpv6Only{0, "AddressFamilyIpv6Only", "IPv6 only"};

// The Results pane's commands and its marker of new results out of sight.
inline constexpr TextTemplate<> kResultsCut{0, "ResultsCut", "Cut"};
inline constexpr TextTemplate<> kResultsCopy{0, "ResultsCopy", "Copy"};
inline constexpr TextTemplate<> kResultsSelectAll{0, "ResultsSelectAll", "Select All"};
inline constexpr TextTemplate<> kResultsClearAll{0, "ResultsClearAll", "Clear All"};
inline constexpr TextTemplate<> kResultsUndo{0, "ResultsUndo", "Undo"};
inline constexpr TextTemplate<> kResultsPrint{0, "ResultsPrint", "Print"};
inline constexpr TextTemplate<> kResultsPaste{0, "ResultsPaste", "Paste"};
inline constexpr TextTemplate<> kNewResultsBelow{0, "NewResultsBelow", "New results below"};
inline constexpr TextTemplate<> kNewResultsBelowTip{0, "NewResultsBelowTip", "Go to the end of the results."};

// The bars' dialogs: Windows... and Customize...
inline constexpr TextTemplate<> kWindowsDialogTitle{0, "WindowsDialogTitle", "Windows"};
inline constexpr TextTemplate<> kDockingWindowsLabel{0, "DockingWindowsLabel", "&Docking windows:"};
inline constexpr TextTemplate<> kActivateButton{0, "ActivateButton", "&Activate"};
inline constexpr TextTemplate<> kShowButton{0, "ShowButton", "&Show"};
inline constexpr TextTemplate<> kHideButton{0, "HideButton", "&Hide"};
inline constexpr TextTemplate<> kCustomizeDialogTitle{0, "CustomizeDialogTitle", "Customize"};
inline constexpr TextTemplate<> kResetButton{0, "ResetButton", "&Reset"};

// The pictures of the HTML dialogs' buttons.
inline constexpr TextTemplate<> kOkPicture{0, "OkPicture", "OK"};
inline constexpr TextTemplate<> kCancelPicture{0, "CancelPicture", "Cancel"};
inline constexpr TextTemplate<> kEMailPicture{0, "EMailPicture", "E-Mail Pimbo"};
inline constexpr TextTemplate<> kWebPagePicture{0, "WebPagePicture", "Vantrel Website"};
inline constexpr TextTemplate<> kHelpPicture{0, "HelpPicture", "Help"};

// The log file box's browse button.
inline constexpr TextTemplate<> kBrowseTip{0, "BrowseTip", "Browse"};

// What a screen reader says for controls without a caption of their own.
inline constexpr TextTemplate<> kSelectAllProfilesName{0, "SelectAllProfilesName", "Select all profiles"};
inline constexpr TextTemplate<> kDockTabsName{0, "DockTabsName", "Docking window tabs"};
inline constexpr TextTemplate<QString> kToolBarName{0, "ToolBarName", "%s toolbar"};
inline constexpr TextTemplate<QString> kMoreButtonsName{0, "MoreButtonsName", "More %s buttons"};
inline constexpr TextTemplate<QString> kEntryFieldName{0, "EntryFieldName", "%s to add or delete"};
inline constexpr TextTemplate<QString> kSpinUpName{0, "SpinUpName", "%s, up"};
inline constexpr TextTemplate<QString> kSpinDownName{0, "SpinDownName", "%s, down"};

// The Watch List pane.
inline constexpr TextTemplate<> kWatchHostLabel{0, "WatchHostLabel", "Host:"};
inline constexpr TextTemplate<> kWatchNameLabel{0, "WatchNameLabel", "Name:"};
inline constexpr TextTemplate<> kWatchIntervalLabel{0, "WatchIntervalLabel", "Every (seconds):"};
inline constexpr TextTemplate<> kWatchAddButton{0, "WatchAddButton", "&Add"};
inline constexpr TextTemplate<> kWatchAddTip{
    0, "WatchAddTip", "Watch the host typed here, or the one in the host box when this one is empty."};
inline constexpr TextTemplate<> kWatchDeleteButton{0, "WatchDeleteButton", "&Delete"};
inline constexpr TextTemplate<> kWatchRunButton{0, "WatchRunButton", "&Watch"};
inline constexpr TextTemplate<> kWatchRunTip{
    0, "WatchRunTip", "Probe the enabled hosts around the clock, beside every other operation."};
inline constexpr TextTemplate<> kWatchSpanLabel{0, "WatchSpanLabel", "History:"};
inline constexpr TextTemplate<> kWatchSpanHour{0, "WatchSpanHour", "Last hour"};
inline constexpr TextTemplate<> kWatchSpanDay{0, "WatchSpanDay", "Last day"};
inline constexpr TextTemplate<> kWatchSpanWeek{0, "WatchSpanWeek", "Last week"};
inline constexpr TextTemplate<> kWatchChangesLabel{0, "WatchChangesLabel", "Changes of state (last day):"};
inline constexpr TextTemplate<> kWatchLossLabel{0, "WatchLossLabel", "Degraded above loss (per cent):"};
inline constexpr TextTemplate<> kWatchLossTip{
    0, "WatchLossTip", "The host is degraded while it lost more than this over the last five minutes."};
inline constexpr TextTemplate<> kWatchRttLabel{0, "WatchRttLabel", "or RTT (ms):"};
inline constexpr TextTemplate<> kWatchRttTip{
    0, "WatchRttTip", "The host is degraded while its average round trip over five minutes is above this."};
inline constexpr TextTemplate<> kWatchSetButton{0, "WatchSetButton", "&Set"};
inline constexpr TextTemplate<> kWatchSetTip{
    0, "WatchSetTip", "Give the selected host the limits shown (and the name and interval, when typed)."};
// The Watch List's options, on the ISPinger options pane.
inline constexpr TextTemplate<> kWatchOptionsGroup{0, "WatchOptionsGroup", "Watch List"};
inline constexpr TextTemplate<> kWatchDownAfterLabel{0, "WatchDownAfterLabel", "Down after (losses):"};
inline constexpr TextTemplate<> kWatchDownAfterTip{
    0, "WatchDownAfterTip", "A watched host is down after this many lost probes in a row."};
inline constexpr TextTemplate<> kWatchRetentionLabel{0, "WatchRetentionLabel", "Keep history (days):"};
inline constexpr TextTemplate<> kWatchRetentionTip{
    0, "WatchRetentionTip", "The watch list's history keeps this many days; older probes and changes go."};
// The table's columns.
inline constexpr TextTemplate<> kWatchColumnEnabled{0, "WatchColumnEnabled", "On"};
inline constexpr TextTemplate<> kWatchColumnHost{0, "WatchColumnHost", "Host"};
inline constexpr TextTemplate<> kWatchColumnName{0, "WatchColumnName", "Name"};
inline constexpr TextTemplate<> kWatchColumnState{0, "WatchColumnState", "State"};
inline constexpr TextTemplate<> kWatchColumnLoss5{0, "WatchColumnLoss5", "Loss 5 min"};
inline constexpr TextTemplate<> kWatchColumnRtt5{0, "WatchColumnRtt5", "RTT 5 min"};
inline constexpr TextTemplate<> kWatchColumnLoss24{0, "WatchColumnLoss24", "Loss 24 h"};
inline constexpr TextTemplate<> kWatchColumnRtt24{0, "WatchColumnRtt24", "RTT 24 h"};
inline constexpr TextTemplate<> kWatchColumnChange{0, "WatchColumnChange", "Last change"};

} // namespace vantrel::output::res
