#pragma once

// The plain texts of the program: status texts, message boxes (captions and texts), the captions of the
// operation and log commands, the status panes' texts and tooltips. Kept exactly as the user sees them,
// blanks included.

#include "text/StringResource.h"

namespace vantrel::output::res {

// Product and window.
inline constexpr TextTemplate<> kProductName{0, "ProductName", "Vantrel " VANTREL_PRODUCT_VERSION};
inline constexpr TextTemplate<> kProductTitlePrefix{0, "ProductTitlePrefix",
                                                    "Vantrel " VANTREL_PRODUCT_VERSION "  "};
// The main window's title once the local host is known: kProductTitlePrefix, name, address.
inline constexpr TextTemplate<QString, QString, QString> kLocalHostTitle{
    4000, "LocalHostTitle", "%s  Local Host Name:  %s   Local IP Address:  %s"};
inline constexpr TextTemplate<> kResultsPaneTitle{800, "ResultsPaneTitle", "Results"};
// The maker's page and a new mail to the maker (Help menu).
inline constexpr TextTemplate<> kHomepageUrl{101, "HomepageUrl", "https://www.quenlo.example/vantrel"};
inline constexpr TextTemplate<> kEmailLink{
    5700, "EmailLink", "mailto:pimbo@quenlo.example?subject=Vantrel " VANTREL_PRODUCT_VERSION};
// The program's manual, in its home folder (Help Topics).
inline constexpr TextTemplate<> kManualFileName{0, "ManualFileName", "Vantrel.html"};
inline constexpr TextTemplate<> kHelpErrorCaption{0, "HelpErrorCaption", "Help Error"};
inline constexpr TextTemplate<QString, QString> kManualMissing{
    0, "ManualMissing", "The manual \"%s\" could not be opened from the Vantrel home directory [%s]."};
inline constexpr TextTemplate<> kPrintDocumentName{0, "PrintDocumentName", "Vantrel"};
// A web or mail link (Results window, Help menu) that the desktop cannot open.
inline constexpr TextTemplate<> kLinkErrorCaption{0, "LinkErrorCaption", "Link Error"};
inline constexpr TextTemplate<QString> kLinkNotOpened{
    0, "LinkNotOpened",
    "The address %s could not be opened: no web browser or mail program is set up on this desktop."};

// The program's own message boxes and About box.
inline constexpr TextTemplate<> kContinueTip{0, "ContinueTip", "Continue"};
inline constexpr TextTemplate<> kCancelOperationTip{0, "CancelOperationTip", "Cancel This Operation"};
inline constexpr TextTemplate<> kNagNote{
    0, "NagNote", "note: You can turn off this nag in the \"Other Options\" options tab."};
inline constexpr TextTemplate<> kAboutCaption{0, "AboutCaption", "About Vantrel"};
inline constexpr TextTemplate<> kAboutMakerLine{0, "AboutMakerLine",
                                                "Pimbo - Quenlo Software - December 2026"};
inline constexpr TextTemplate<> kAboutEMailTip{0, "AboutEMailTip", "Click Here To Send An EMail To Pimbo"};
inline constexpr TextTemplate<> kAboutWebPageTip{0, "AboutWebPageTip",
                                                 "Click Here To Go To The Vantrel Website"};
inline constexpr TextTemplate<> kAboutHelpTip{0, "AboutHelpTip", "Click Here To Get Help"};
inline constexpr TextTemplate<> kAboutExitTip{0, "AboutExitTip", "Click Here To Exit"};
inline constexpr TextTemplate<> kAboutNewHeading{0, "AboutNewHeading", "What is new in version 2.0"};
inline constexpr TextTemplate<> kAboutNewItems{
    0, "AboutNewItems",
    "SeqScan and ListScan ping whole address ranges and lists.\nISPinger watches your provider's hosts.\n"
    "Profiles keep the hosts you use with their options.\nResults are logged as rich text and can be "
    "printed."};
inline constexpr TextTemplate<> kAboutDisclaimer{
    0, "AboutDisclaimer",
    "Vantrel is provided as is, without warranty of any kind. Send packets only to hosts you are allowed to "
    "test."};
inline constexpr TextTemplate<> kAboutRequirements{
    0, "AboutRequirements",
    "Tested on 64-bit Linux desktops with Qt 6 (X11 and Wayland), with IPv4 ICMP sockets enabled."};

// Message-box captions.
inline constexpr TextTemplate<> kStartupErrorCaption{0, "StartupErrorCaption", "Startup Error"};
// What the main window could not build at start.
inline constexpr TextTemplate<> kNoMenuBar{0, "NoMenuBar", "Failed to create the Menu bar."};
inline constexpr TextTemplate<> kNoStatusBar{0, "NoStatusBar", "Failed to create the Status bar."};
inline constexpr TextTemplate<> kNoDockingWindows{0, "NoDockingWindows", "Failed to create docking windows."};
inline constexpr TextTemplate<> kShutdownErrorCaption{0, "ShutdownErrorCaption", "Shutdown Error"};
inline constexpr TextTemplate<> kLogErrorCaption{0, "LogErrorCaption", "Log Error"};
inline constexpr TextTemplate<> kInputErrorCaption{0, "InputErrorCaption", "Input Error"};
// A change of the settings store that did not reach it; the reason is a clause of the store's.
inline constexpr TextTemplate<> kSettingsErrorCaption{0, "SettingsErrorCaption", "Settings Error"};
inline constexpr TextTemplate<QString> kProfileNotSaved{
    0, "ProfileNotSaved", "The Profile Manager could not save this change: %s."};
inline constexpr TextTemplate<QString> kOptionsNotSaved{0, "OptionsNotSaved",
                                                        "The options were not saved: %s."};
inline constexpr TextTemplate<QString> kLayoutNotSaved{0, "LayoutNotSaved",
                                                       "The window layout was not saved: %s."};
inline constexpr TextTemplate<QString> kLookNotSaved{0, "LookNotSaved",
                                                     "The Application Look was not saved: %s."};
// What the settings store tells about itself at start (file names as given; a reason is a clause).
inline constexpr TextTemplate<QString, QString> kStoreMovedAside{
    0, "StoreMovedAside",
    "The settings file \"%s\" was damaged or was not a Vantrel settings file. It was renamed to \"%s\", and "
    "Vantrel starts with default settings."};
inline constexpr TextTemplate<QString> kStoreLost{
    0, "StoreLost",
    "The settings file \"%s\" was empty: the saved settings are lost, and Vantrel starts with default "
    "settings."};
inline constexpr TextTemplate<QString> kStoreNewerVersion{
    0, "StoreNewerVersion",
    "The settings file \"%s\" was written by a newer version of Vantrel. This version uses the settings it "
    "can read from it and leaves the file as it is: changes made now will not be saved."};
inline constexpr TextTemplate<QString, QString> kStoreUnreadable{
    0, "StoreUnreadable",
    "The saved settings in \"%s\" could not be read (%s). Vantrel runs with default settings, and changes "
    "made now will not be saved."};
inline constexpr TextTemplate<QString> kStoreNotWritable{
    0, "StoreNotWritable",
    "Vantrel cannot save its settings (%s). Options changed now hold until Vantrel closes; profiles and "
    "saved lists cannot be changed."};
inline constexpr TextTemplate<> kStoreLocked{0, "StoreLocked", "another program keeps the file locked"};
// Why the store could not read or save a settings file.
inline constexpr TextTemplate<> kStoreSaveIncomplete{0, "StoreSaveIncomplete",
                                                     "The saved file could not be completed."};
inline constexpr TextTemplate<> kStoreDamaged{0, "StoreDamaged", "The settings file is damaged."};
inline constexpr TextTemplate<> kStoreFromNewerVersion{0, "StoreFromNewerVersion",
                                                       "The file was written by a newer version of Vantrel."};
inline constexpr TextTemplate<> kStoreNotOurs{0, "StoreNotOurs", "The file is not a Vantrel settings file."};
inline constexpr TextTemplate<> kStoreContentRefused{0, "StoreContentRefused",
                                                     "The file's content was refused."};
// Why a settings file was not replaced by an export.
inline constexpr TextTemplate<QString> kReplaceFolder{0, "ReplaceFolder", "\"%s\" is a folder."};
inline constexpr TextTemplate<QString> kReplaceNotRegular{
    0, "ReplaceNotRegular", "\"%s\" is not a regular file: only a regular file is replaced."};
inline constexpr TextTemplate<QString> kReplaceDanglingLink{0, "ReplaceDanglingLink",
                                                            "The link \"%s\" names no file."};
inline constexpr TextTemplate<> kWarningCaption{0, "WarningCaption", " Warning"};
inline constexpr TextTemplate<> kIpAddressErrorCaption{0, "IpAddressErrorCaption", "IP Address Error"};
inline constexpr TextTemplate<> kPrintingErrorCaption{0, "PrintingErrorCaption", "Printing Error"};
inline constexpr TextTemplate<> kReservedExtensionCaption{0, "ReservedExtensionCaption",
                                                          "Log Error - Reserved System File Extension"};

// Start-up and shut-down.
inline constexpr TextTemplate<QString> kWsaCleanupFailure{0, "WsaCleanupFailure",
                                                          "WSACleanup Failure: ( %s)"};
inline constexpr TextTemplate<> kWrongWinsockVersion{0, "WrongWinsockVersion", "Wrong Winsock Version"};

// Workers that cannot start or get no echo handle. Every "couldn't create handle" message gets, on a line
// of its own, how a Linux user lets the program send echo requests: the unprivileged ICMP sockets first
// (naming the program's real file), and raw-socket capability only for the command-line program, since a
// GUI toolkit should never run with it.
inline constexpr TextTemplate<QString> kIcmpAccessHint{
    0, "IcmpAccessHint",
    "%s may not open ICMP sockets. To let the users of this system send echo requests without privileges, "
    "run: sudo sysctl -w net.ipv4.ping_group_range=\"0 2147483647\" ; to keep it after a restart, put the "
    "line net.ipv4.ping_group_range = 0 2147483647 into a file in /etc/sysctl.d/ (for example "
    "/etc/sysctl.d/60-ping-group.conf)."};
inline constexpr TextTemplate<QString> kIcmpCapabilityHint{
    0, "IcmpCapabilityHint",
    "Or let this program alone open raw ICMP sockets: sudo setcap cap_net_raw+ep %s"};
// Instead of the guidance above when no ICMPv6 socket opens because the system has no IPv6 at all
// (net::isIpv6Unavailable): no permission would help.
inline constexpr TextTemplate<> kIpv6Unavailable{0, "Ipv6Unavailable",
                                                 "IPv6 is not available on this system."};
inline constexpr TextTemplate<> kPingNoEchoHandle{
    0, "PingNoEchoHandle", "Ping - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()"};
inline constexpr TextTemplate<> kSeqScanNoEchoHandle{
    0, "SeqScanNoEchoHandle",
    "SeqScan - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()"};
// Seven tab characters stand in the middle of this one.
inline constexpr TextTemplate<> kListScanNoEchoHandle{
    0, "ListScanNoEchoHandle",
    "ListScan - IcmpCreateFile() couldn't create handle\t\t\t\t\t\t\t m_hICMPHandle for IcmpSendEcho()"};
inline constexpr TextTemplate<> kIspNoEchoHandle{
    0, "IspNoEchoHandle",
    "ISPinger - IcmpCreateFile() couldn't create handle m_hICMPHandle for IcmpSendEcho()."};
inline constexpr TextTemplate<> kPingThreadFailed{0, "PingThreadFailed", "Ping AfxBeginThread failed"};
inline constexpr TextTemplate<> kTraceThreadFailed{0, "TraceThreadFailed", "Trace AfxBeginThread failed"};
inline constexpr TextTemplate<> kListScanThreadFailed{0, "ListScanThreadFailed",
                                                      "ListScan AfxBeginThread failed"};
inline constexpr TextTemplate<> kSeqScanThreadFailed{0, "SeqScanThreadFailed",
                                                     "SeqScan AfxBeginThread failed"};
inline constexpr TextTemplate<> kIspThreadFailed{0, "IspThreadFailed", "Couldn't create ISPinger thread."};
inline constexpr TextTemplate<> kIspNoEchoHandleCaption{0, "IspNoEchoHandleCaption", "ICMP.DLL ERROR"};
inline constexpr TextTemplate<> kFragmentStatusText{
    0, "FragmentStatusText",
    R"txt(ERROR - PACKET MAY NEED TO FRAGMENT - UNCHECK THE "DON'T FRAGMENT" OPTION)txt"};

// Host input.
inline constexpr TextTemplate<> kEnterHostFirst{0, "EnterHostFirst",
                                                "Please enter a Host Name or IP Address first."};
inline constexpr TextTemplate<> kHostTooLong{0, "HostTooLong", "The DNS name or IP address is too long."};
inline constexpr TextTemplate<> kHostControlCharacter{
    0, "HostControlCharacter",
    "The DNS name or IP address cannot contain control characters such as a line break."};
inline constexpr TextTemplate<> kWebPrefix{0, "WebPrefix", "http://"};
inline constexpr TextTemplate<> kSecureWebPrefix{0, "SecureWebPrefix", "https://"};

// ListScan addresses.
inline constexpr TextTemplate<> kNoAddressSpecified{0, "NoAddressSpecified",
                                                    "There is no address specified."};
inline constexpr TextTemplate<QString> kAddressCaseTwin{
    0, "AddressCaseTwin",
    "The ListScan addresses already hold \"%s\", which differs from this address only in case."};
inline constexpr TextTemplate<QString> kAddressAlreadyListed{0, "AddressAlreadyListed",
                                                             "\"%s\" is already a ListScan address."};
inline constexpr TextTemplate<QString> kAddressNotListed{0, "AddressNotListed",
                                                         "\"%s\" is not a ListScan address."};
inline constexpr TextTemplate<QString> kAddressNotSaved{0, "AddressNotSaved",
                                                        "The ListScan addresses could not be saved: %s."};
// Profile Manager.
inline constexpr TextTemplate<QString> kProfileNameExists{0, "ProfileNameExists",
                                                          "Profile Name \"%s\" already exists."};
inline constexpr TextTemplate<> kProfileNameTooLong{0, "ProfileNameTooLong",
                                                    "The Profile Name is too long: 99 characters at most."};
inline constexpr TextTemplate<> kProfileNameControlCharacter{
    0, "ProfileNameControlCharacter",
    "The Profile Name cannot contain control characters such as a line break."};
inline constexpr TextTemplate<> kProfileNeedsBoth{
    0, "ProfileNeedsBoth", "Please enter a Profile Name and a Host Name or IP Address first."};
inline constexpr TextTemplate<QString> kProfileNotFound{0, "ProfileNotFound",
                                                        "There is no profile named \"%s\"."};
inline constexpr TextTemplate<> kProfileDeleteCaption{0, "ProfileDeleteCaption",
                                                      "Profile Manager Delete Warning"};
inline constexpr TextTemplate<> kProfileDeleteWarning{
    0, "ProfileDeleteWarning", "Are you sure you want to delete this item from the Profile Manager?"};
inline constexpr TextTemplate<> kProfileManagerTitle{700, "ProfileManagerTitle", "Profile Manager"};
inline constexpr TextTemplate<> kProfileNameHeader{0, "ProfileNameHeader", "Profile Name"};
// The round-trip plot pane: its title, its context menu, the running times and losses, the x axis.
inline constexpr TextTemplate<> kRoundTripPlotTitle{0, "RoundTripPlotTitle", "Round Trip Plot"};
inline constexpr TextTemplate<> kWatchPaneTitle{0, "WatchPaneTitle", "Watch List"};
inline constexpr TextTemplate<QString> kWatchNotSaved{0, "WatchNotSaved",
                                                      "The watch list could not be saved: %s."};
inline constexpr TextTemplate<QString> kWatchNoHost{
    0, "WatchNoHost", "\"%s\" is no host name or address: type one, or put one in the host box."};
inline constexpr TextTemplate<QString, QString> kWatchNoHistory{
    0, "WatchNoHistory", "The watch runs without its history: the file \"%s\" cannot be used (%s)."};
inline constexpr TextTemplate<> kWatchNoSocket{0, "WatchNoSocket",
                                               "The watch list could not open an ICMP socket."};
inline constexpr TextTemplate<QString> kWatchHistoryNotWritten{
    0, "WatchHistoryNotWritten", "The watch list's history was not written: %s."};
inline constexpr TextTemplate<> kPlotCopy{0, "PlotCopy", "Copy"};
inline constexpr TextTemplate<QString, QString, QString> kPlotTimes{0, "PlotTimes",
                                                                    "min %s ms  avg %s ms  max %s ms  "};
inline constexpr TextTemplate<unsigned, unsigned> kPlotLost{0, "PlotLost", "lost %u of %u"};
inline constexpr TextTemplate<> kPlotPacketAxis{0, "PlotPacketAxis", "packet"};
inline constexpr TextTemplate<> kPlotSecondsAxis{0, "PlotSecondsAxis", "seconds"};
inline constexpr TextTemplate<> kPlotMillisecondsAxis{0, "PlotMillisecondsAxis", "RTT (ms)"};
inline constexpr TextTemplate<> kPlotMicrosecondsAxis{0, "PlotMicrosecondsAxis", "RTT (\u00b5s)"};
inline constexpr TextTemplate<> kProfileAddressHeader{0, "ProfileAddressHeader", "IP Address/DNS Name"};
// The profile command's captions by its state (add, update, delete): the Hosts toolbar's button, the
// pane's button and the menu item.
inline constexpr TextTemplate<> kAddProfileButton{0, "AddProfileButton", "      Add Profile      "};
inline constexpr TextTemplate<> kUpdateProfileButton{0, "UpdateProfileButton", "    Update Profile    "};
inline constexpr TextTemplate<> kDeleteProfileButton{0, "DeleteProfileButton", "    Delete Profile    "};
inline constexpr TextTemplate<> kAddProfilePane{0, "AddProfilePane", "Add Profile"};
inline constexpr TextTemplate<> kUpdateProfilePane{0, "UpdateProfilePane", "Update Profile"};
inline constexpr TextTemplate<> kDeleteProfilePane{0, "DeleteProfilePane", "Delete Profile"};
inline constexpr TextTemplate<> kAddProfileMenu{0, "AddProfileMenu", "Add Profile"};
inline constexpr TextTemplate<> kUpdateProfileMenu{0, "UpdateProfileMenu", "Update Pro&file"};
inline constexpr TextTemplate<> kDeleteProfileMenu{0, "DeleteProfileMenu", "Delete Pro&file"};
inline constexpr TextTemplate<> kAddProfileTip{
    0, "AddProfileTip", "Add the current Profile Name and 'Hosts:' address to the Profile Manager."};
inline constexpr TextTemplate<> kUpdateProfileTip{0, "UpdateProfileTip",
                                                  "Update the current profile in the Profile Manager."};
inline constexpr TextTemplate<> kDeleteProfileTip{0, "DeleteProfileTip",
                                                  "Delete the current profile from the Profile Manager."};
// The list's header tooltips by the column's sort state: not sorted, ascending, descending.
inline constexpr TextTemplate<> kSortNamesTip{0, "SortNamesTip", "Click here to sort the Profile Names."};
inline constexpr TextTemplate<> kSortNamesDescendingTip{0, "SortNamesDescendingTip",
                                                        "Sort the Profile Names in descending order."};
inline constexpr TextTemplate<> kSortNamesAscendingTip{0, "SortNamesAscendingTip",
                                                       "Sort the Profile Names in ascending order."};
inline constexpr TextTemplate<> kSortAddressesTip{0, "SortAddressesTip",
                                                  "Click here to sort the Profile Addresses."};
inline constexpr TextTemplate<> kSortAddressesDescendingTip{
    0, "SortAddressesDescendingTip", "Sort the Profile Addresses in descending order."};
inline constexpr TextTemplate<> kSortAddressesAscendingTip{0, "SortAddressesAscendingTip",
                                                           "Sort the Profile Addresses in ascending order."};

// SeqScan addresses.
inline constexpr TextTemplate<> kOctetRangeBalloon{0, "OctetRangeBalloon",
                                                   "IP Address octets must be between 0 and 255."};
inline constexpr TextTemplate<> kOctetRangeMessage{0, "OctetRangeMessage",
                                                   "IP Address octets must be between 1 and 255."};
inline constexpr TextTemplate<> kOctetLeadingZero{0, "OctetLeadingZero",
                                                  "IP Address octets cannot begin with 0."};
inline constexpr TextTemplate<> kEndOctet3Order{
    0, "EndOctet3Order",
    "Ending IP address octet 3 must be greater than or equal to Starting IP address octet 3."};
inline constexpr TextTemplate<> kEndOctet4Order{
    0, "EndOctet4Order",
    "Ending IP address octet 4 must be greater than or equal to Starting IP address octet 4."};
inline constexpr TextTemplate<> kStartOctet3Order{
    0, "StartOctet3Order", "IP Start address octet 3 cannot be greater than end address octet 3."};
inline constexpr TextTemplate<> kStartOctet4Order{
    0, "StartOctet4Order", "IP Start address octet 4 cannot be greater than end address octet 4."};

// SeqScan groups.
inline constexpr TextTemplate<> kGroupNameBackslash{
    0, "GroupNameBackslash", "The SeqScan Group name cannot contain the backslash character \"\\\"."};
inline constexpr TextTemplate<> kGroupNameError{0, "GroupNameError", "SeqScan Group name error"};
inline constexpr TextTemplate<> kGroupFieldErrorCaption{0, "GroupFieldErrorCaption",
                                                        "SeqScan Address Group Error"};
inline constexpr TextTemplate<> kGroupFieldBackslash{
    0, "GroupFieldBackslash", "The SeqScan address group name cannot contain backslashes (\\)."};
inline constexpr TextTemplate<QString> kGroupNotCreated{
    0, "GroupNotCreated", "Could not create SeqScan Group Registry Subfolder: %s."};
inline constexpr TextTemplate<QString> kGroupNotDeleted{0, "GroupNotDeleted",
                                                        "The SeqScan group could not be deleted: %s."};
inline constexpr TextTemplate<QString> kGroupNameTaken{
    0, "GroupNameTaken",
    "There is already a SeqScan group named \"%s\"; group names are compared without regard to case."};
inline constexpr TextTemplate<> kGroupNameTooLong{
    0, "GroupNameTooLong", "A SeqScan group name must be shorter than 100 characters."};
inline constexpr TextTemplate<> kGroupNameControlCharacter{
    0, "GroupNameControlCharacter",
    "A SeqScan group name cannot contain control characters such as a line break."};

// Status texts (pane 900 shows kStatusPaneFormat with kStatusLabel and the text).
inline constexpr TextTemplate<> kStatusLabel{0, "StatusLabel", "Status:"};
inline constexpr TextTemplate<QString, QString> kStatusPaneFormat{0, "StatusPaneFormat", "%s %s"};
inline constexpr TextTemplate<> kReady{0, "Ready", "Ready"};
inline constexpr TextTemplate<QString> kPerformingLookup{0, "PerformingLookup", "Performing lookup on %s..."};
inline constexpr TextTemplate<QString> kLookingUpAddressQuoted{0, "LookingUpAddressQuoted",
                                                               "Looking up IP Address for '%s'...."};
inline constexpr TextTemplate<> kCancelingPing{0, "CancelingPing", "Canceling ping..."};
inline constexpr TextTemplate<> kCancellingTrace{0, "CancellingTrace", "Cancelling trace..."};
inline constexpr TextTemplate<QString, QString> kPingingResolved{0, "PingingResolved",
                                                                 "Pinging  %s  [%s]...."};
inline constexpr TextTemplate<QString> kPingingHost{0, "PingingHost", "Pinging  %s...."};
inline constexpr TextTemplate<unsigned> kContPingWaitFirst{0, "ContPingWaitFirst",
                                                           " Continuous ping...%u seconds until next ping."};
// The first text for an interval of one second.
inline constexpr TextTemplate<unsigned> kContPingWaitFirstSecond{
    0, "ContPingWaitFirstSecond", " Continuous ping...%u second until next ping."};
inline constexpr TextTemplate<unsigned> kContPingWaitSeconds{
    0, "ContPingWaitSeconds", " Continuous ping....%u seconds until next ping."};
inline constexpr TextTemplate<unsigned> kContPingWaitSecond{0, "ContPingWaitSecond",
                                                            " Continuous ping....%u second until next ping."};
inline constexpr TextTemplate<QString, QString> kContactingResolved{0, "ContactingResolved",
                                                                    "Contacting host %s [%s]...."};
inline constexpr TextTemplate<QString> kContactingHost{0, "ContactingHost", "Contacting host %s...."};
inline constexpr TextTemplate<> kHostContacted{0, "HostContacted", "Host contacted"};
inline constexpr TextTemplate<QString> kCouldNotBeContacted{0, "CouldNotBeContacted",
                                                            "%s could not be contacted."};
inline constexpr TextTemplate<unsigned> kTracingHop{0, "TracingHop", "Tracing: Pinging hop %u..."};
inline constexpr TextTemplate<unsigned, QString> kLookingUpHopName{0, "LookingUpHopName",
                                                                   "Looking up DNS name for hop %u [%s ]..."};
inline constexpr TextTemplate<> kCheckingSeqScan{0, "CheckingSeqScan", "Checking SeqScan IP Addresses..."};
inline constexpr TextTemplate<> kSeqScanOctetError{0, "SeqScanOctetError",
                                                   "SeqScan IP address octet error..."};
inline constexpr TextTemplate<> kCancellingSeqScan{0, "CancellingSeqScan", "Cancelling Sequential Scan..."};
inline constexpr TextTemplate<> kPerformingSeqScan{0, "PerformingSeqScan", "Performing SeqScan..."};
inline constexpr TextTemplate<QString> kPingingScanHost{0, "PingingScanHost", "Pinging %s..."};
inline constexpr TextTemplate<QString> kLookingUpDnsAddress{0, "LookingUpDnsAddress",
                                                            "Looking up DNS address for %s..."};
inline constexpr TextTemplate<> kCancellingListScan{0, "CancellingListScan", "Cancelling ListScan..."};
inline constexpr TextTemplate<QString> kLookingUpDnsName{0, "LookingUpDnsName",
                                                         "Looking up DNS name for %s..."};
inline constexpr TextTemplate<QString> kLookingUpAddress{0, "LookingUpAddress",
                                                         "Looking up IP Address for %s..."};

// ISPinger status texts and indicator.
inline constexpr TextTemplate<> kIspInactive{0, "IspInactive", "ISPinger: Inactive"};
inline constexpr TextTemplate<> kIspInactiveStopped{0, "IspInactiveStopped", "ISPinger: Inactive."};
inline constexpr TextTemplate<> kIspActive{0, "IspActive", "ISPinger: Active."};
inline constexpr TextTemplate<> kIspActiveTip{0, "IspActiveTip", "ISPinger: Active"};
inline constexpr TextTemplate<QString> kIspFinding{0, "IspFinding", "Finding IP Address for %s...."};
inline constexpr TextTemplate<QString> kIspActivated{0, "IspActivated", "ISPinger activated - pinging %s."};
inline constexpr TextTemplate<> kIspLookupFailed{0, "IspLookupFailed",
                                                 "ISPinger server lookup failed: Inactive"};
inline constexpr TextTemplate<unsigned> kIspSuccessRate{0, "IspSuccessRate",
                                                        "ISPinger: Active - %u%% ping success."};
inline constexpr TextTemplate<> kIspIndicator{0, "IspIndicator", "   ISP"};
inline constexpr TextTemplate<> kIspAddressLocked{
    0, "IspAddressLocked", "The ISPinger address cannot be set while ISPinger is running."};

// Operation command captions (buttons padded with blanks: the padding sets their width).
inline constexpr TextTemplate<> kPingButton{0, "PingButton", "         Ping         "};
inline constexpr TextTemplate<> kPingCancelButton{0, "PingCancelButton", "       Cancel       "};
inline constexpr TextTemplate<> kPingMenu{0, "PingMenu", "&Ping"};
inline constexpr TextTemplate<> kPingCancelMenu{0, "PingCancelMenu", "Cancel Ping"};
inline constexpr TextTemplate<> kLookupButton{0, "LookupButton", "      Lookup      "};
inline constexpr TextTemplate<> kLookupCancelButton{0, "LookupCancelButton", "       Cancel     "};
inline constexpr TextTemplate<> kLookupMenu{0, "LookupMenu", "&Lookup"};
inline constexpr TextTemplate<> kLookupCancelMenu{0, "LookupCancelMenu", "Cancel Lookup"};
inline constexpr TextTemplate<> kTraceButton{0, "TraceButton", "       Trace       "};
inline constexpr TextTemplate<> kTraceCancelButton{0, "TraceCancelButton", "      Cancel     "};
inline constexpr TextTemplate<> kTraceMenu{0, "TraceMenu", "&Trace"};
inline constexpr TextTemplate<> kTraceCancelMenu{0, "TraceCancelMenu", "Cancel Trace"};
inline constexpr TextTemplate<> kSeqScanButton{0, "SeqScanButton", "      SeqScan      "};
inline constexpr TextTemplate<> kSeqScanCancelButton{0, "SeqScanCancelButton", "       Cancel       "};
inline constexpr TextTemplate<> kSeqScanMenu{0, "SeqScanMenu", "&SeqScan"};
inline constexpr TextTemplate<> kSeqScanCancelMenu{0, "SeqScanCancelMenu", "Cancel SeqScan"};
inline constexpr TextTemplate<> kListScanButton{0, "ListScanButton", "      ListScan      "};
inline constexpr TextTemplate<> kListScanCancelButton{0, "ListScanCancelButton", "      Cancel        "};
inline constexpr TextTemplate<> kListScanMenu{0, "ListScanMenu", "L&istScan"};
inline constexpr TextTemplate<> kListScanCancelMenu{0, "ListScanCancelMenu", "Cancel ListScan"};
// The notification icon's menu, and what is said where the desktop has no notification area.
inline constexpr TextTemplate<> kTrayMenuTitle{0, "TrayMenuTitle", "&Taskbar"};
inline constexpr TextTemplate<> kTrayRestore{0, "TrayRestore", "&Restore"};
inline constexpr TextTemplate<> kTrayExit{0, "TrayExit", "&Exit"};
inline constexpr TextTemplate<> kNoTrayCaption{0, "NoTrayCaption", "System Tray"};
inline constexpr TextTemplate<> kNoTrayMinimised{
    0, "NoTrayMinimised",
    "This desktop has no system tray, so the window is minimised instead. Bring it back from the taskbar "
    "or the window list."};
inline constexpr TextTemplate<> kIspButton{0, "IspButton", "      ISPinger      "};
inline constexpr TextTemplate<> kIspStartMenu{0, "IspStartMenu", "Start ISPi&nger"};
inline constexpr TextTemplate<> kIspStopMenu{0, "IspStopMenu", "Stop ISPi&nger"};

// Results window: text-size pane 904 and printing.
inline constexpr TextTemplate<double> kTextSizeBytes{0, "TextSizeBytes", "Text Size: %.0f Bytes"};
inline constexpr TextTemplate<double> kTextSizeMb{0, "TextSizeMb", "Text Size: %.2f Mb"};
inline constexpr TextTemplate<> kTextSizeTooltip{
    0, "TextSizeTooltip", R"txt(Double-click here to clear the text in the "Results" window.)txt"};
inline constexpr TextTemplate<> kPrintTooLarge{
    0, "PrintTooLarge",
    "The 'Returned Data' text is too large to print. Please reduce the data size, or show results without "
    "returned data."};

// Log: panes 903 and 905, commands, options pane, messages.
inline constexpr TextTemplate<> kLogPane{0, "LogPane", "  LOG"};
inline constexpr TextTemplate<> kLogStopTooltip{0, "LogStopTooltip", "Double-click here to stop logging"};
inline constexpr TextTemplate<> kLogStartTooltip{0, "LogStartTooltip", "Double-click here to start logging"};
inline constexpr TextTemplate<> kLogClosed{0, "LogClosed", "Log closed."};
inline constexpr TextTemplate<double> kLogSizeBytes{0, "LogSizeBytes", "Log Size: %.0f Bytes"};
inline constexpr TextTemplate<double> kLogSizeMb{0, "LogSizeMb", "Log Size: %.2f Mb"};
inline constexpr TextTemplate<> kLogSizeTooltip{0, "LogSizeTooltip",
                                                "Double-click here to clear the text in the Log."};
inline constexpr TextTemplate<> kStartLoggingMenu{0, "StartLoggingMenu", "Start &Logging"};
inline constexpr TextTemplate<> kStopLoggingMenu{0, "StopLoggingMenu", "Stop &Logging"};
inline constexpr TextTemplate<> kStartLoggingButton{0, "StartLoggingButton", "      Start Logging       "};
inline constexpr TextTemplate<> kStopLoggingButton{0, "StopLoggingButton", "      Stop Logging       "};
inline constexpr TextTemplate<> kShowLogMenu{0, "ShowLogMenu", "&Show Log"};
inline constexpr TextTemplate<> kShowLogButton{0, "ShowLogButton", "      Show Log      "};
inline constexpr TextTemplate<> kClearLogMenu{0, "ClearLogMenu", "&Clear Log"};
inline constexpr TextTemplate<> kClearLogButton{0, "ClearLogButton", "      Clear Log       "};
inline constexpr TextTemplate<> kLogToolbarTitle{553, "LogToolbarTitle", "Log"};
// The frame's menus, tool bars and host boxes (the boxes' names are for screen readers).
inline constexpr TextTemplate<> kMoreMenus{0, "MoreMenus", "More menus"};
inline constexpr TextTemplate<> kToolkitMenuTitle{0, "ToolkitMenuTitle", "&Toolkit"};
inline constexpr TextTemplate<> kLogMenuTitle{0, "LogMenuTitle", "&Log"};
inline constexpr TextTemplate<> kOptionsMenuTitle{0, "OptionsMenuTitle", "&Options"};
inline constexpr TextTemplate<> kViewMenuTitle{0, "ViewMenuTitle", "&View"};
inline constexpr TextTemplate<> kBarsMenuTitle{0, "BarsMenuTitle", "&Toolbars and Docking Windows"};
inline constexpr TextTemplate<> kLookMenuTitle{0, "LookMenuTitle", "&Application Look"};
inline constexpr TextTemplate<> kOffice2007MenuTitle{0, "Office2007MenuTitle", "Office 200&7"};
inline constexpr TextTemplate<> kHelpMenuTitle{0, "HelpMenuTitle", "&Help"};
inline constexpr TextTemplate<> kToolkitToolbarTitle{0, "ToolkitToolbarTitle", "Toolkit"};
inline constexpr TextTemplate<> kExitButtonText{0, "ExitButtonText", "           Exit            "};
inline constexpr TextTemplate<> kSeqScanToolbarTitle{0, "SeqScanToolbarTitle", "SeqScan"};
inline constexpr TextTemplate<> kHostsToolbarTitle{0, "HostsToolbarTitle", "Hosts"};
inline constexpr TextTemplate<> kProfileNameLabel{0, "ProfileNameLabel", "Profile Name:"};
inline constexpr TextTemplate<> kHostLabel{0, "HostLabel", "Host:"};
inline constexpr TextTemplate<> kProfileNameBoxName{0, "ProfileNameBoxName", "Profile Name"};
inline constexpr TextTemplate<> kHostBoxName{0, "HostBoxName", "Host"};
inline constexpr TextTemplate<> kLogPaneTitle{606, "LogPaneTitle", "Log Options"};
inline constexpr TextTemplate<> kLogCheckLabel{0, "LogCheckLabel", "Start/Stop logging:"};
inline constexpr TextTemplate<> kLogFileLabel{0, "LogFileLabel", "Log File:"};
inline constexpr TextTemplate<> kDefaultLogName{0, "DefaultLogName", "Vtrlog.rtf"};
inline constexpr TextTemplate<> kBrowseLogName{0, "BrowseLogName", "VtrLog.rtf"};
inline constexpr TextTemplate<> kLogDefaultExtension{0, "LogDefaultExtension", "rtf"};
inline constexpr TextTemplate<> kLogFilterRtf{0, "LogFilterRtf", "Rich\\Plain Text (*.rtf; *.txt)"};
inline constexpr TextTemplate<> kLogFilterRtfPattern{0, "LogFilterRtfPattern", "*.rtf;*.txt"};
inline constexpr TextTemplate<> kLogFilterWord{0, "LogFilterWord", "Word Document (*.doc;*.docx)"};
inline constexpr TextTemplate<> kLogFilterWordPattern{0, "LogFilterWordPattern", "*.doc;*.docx"};
inline constexpr TextTemplate<> kLogFileBoxTip{0, "LogFileBoxTip", "Set the name and path of the Log file."};
inline constexpr TextTemplate<> kLogCheckTip{0, "LogCheckTip", "Start or stop logging."};
inline constexpr TextTemplate<> kLogFileLockedTip{
    0, "LogFileLockedTip", "You cannot set the Log file name and path while the log is open."};
inline constexpr TextTemplate<> kLogFileBrowseTip{
    0, "LogFileBrowseTip", "Click on the Folder icon to set the name and path of the Log file."};
inline constexpr TextTemplate<> kLogCheckStopTip{0, "LogCheckStopTip", "Click here to stop logging."};
inline constexpr TextTemplate<> kLogCheckStartTip{0, "LogCheckStartTip", "Click here to start logging."};
inline constexpr TextTemplate<> kLogPathMissing{0, "LogPathMissing",
                                                "You must provide a log file path to open the log."};
inline constexpr TextTemplate<QString> kReservedExtension{
    0, "ReservedExtension",
    "The Log file name cannot end with '%s'.\nPlease choose another extension for the file name."};
// The second line names the file and the system's reason.
inline constexpr TextTemplate<QString, QString> kLogOpenFailed{0, "LogOpenFailed",
                                                               "Could not open the log file.\n\"%s\": %s."};
// A file that is not a regular file, or is not empty and not one complete RTF document, is never written
// into; one of the reasons below fills the second %s.
inline constexpr TextTemplate<QString, QString> kLogNotALog{
    0, "LogNotALog",
    "The file \"%s\" is not a log that Vantrel can add to: %s.\nThe file was left as it was, and logging is "
    "off."};
inline constexpr TextTemplate<> kLogNotRtf{0, "LogNotRtf", "it does not begin as an RTF document"};
inline constexpr TextTemplate<> kLogUnclosed{0, "LogUnclosed",
                                             "its RTF document is not closed at the end of the file"};
inline constexpr TextTemplate<> kLogClosedEarly{0, "LogClosedEarly",
                                                "the file goes on after the end of its RTF document"};
inline constexpr TextTemplate<> kLogIsFolder{0, "LogIsFolder", "it is a folder"};
inline constexpr TextTemplate<> kLogIsDevice{0, "LogIsDevice", "it is a device, not a file"};
inline constexpr TextTemplate<> kLogIsPipe{0, "LogIsPipe", "it is a pipe (FIFO), not a file"};
inline constexpr TextTemplate<> kLogIsSocket{0, "LogIsSocket", "it is a socket, not a file"};
inline constexpr TextTemplate<> kLogIsKernelFile{
    0, "LogIsKernelFile", "it is one of the system's settings (proc or sys), not a file on a disk"};
inline constexpr TextTemplate<> kShowLogNotFound{
    0, "ShowLogNotFound", "Could not open the log file. The log file could not be found."};
inline constexpr TextTemplate<> kShowLogPathNotFound{
    0, "ShowLogPathNotFound", "Could not open the log file. The path to the file could not be found."};
inline constexpr TextTemplate<> kShowLogAccessDenied{
    0, "ShowLogAccessDenied",
    "Could not open the log file. The operating system denied access to the specified file."};
inline constexpr TextTemplate<> kShowLogOutOfMemory{
    0, "ShowLogOutOfMemory",
    "Could not open the log file. There was not enough memory to complete the operation."};
inline constexpr TextTemplate<> kShowLogSharingViolation{
    0, "ShowLogSharingViolation", "Could not open the log file. A sharing violation occurred."};
inline constexpr TextTemplate<> kShowLogAssociationIncomplete{
    0, "ShowLogAssociationIncomplete",
    "Could not open the log file. The file name association is incomplete or invalid."};
inline constexpr TextTemplate<> kShowLogNoAssociation{
    0, "ShowLogNoAssociation",
    "Could not open the log file. There is no application associated with the given file name extension."};
inline constexpr TextTemplate<unsigned> kShowLogErrorCode{0, "ShowLogErrorCode",
                                                          "Could not open the log file. Error code %u."};
// Every Show Log message names the file; without a program for it, its folder too, to open it from there.
inline constexpr TextTemplate<QString, QString> kShowLogFileNamed{0, "ShowLogFileNamed",
                                                                  "%s\nThe log file is \"%s\"."};
inline constexpr TextTemplate<QString, QString, QString> kShowLogNoProgram{
    0, "ShowLogNoProgram",
    "%s\nThe log file is \"%s\", in the folder \"%s\": open it from there with a program that reads RTF."};
inline constexpr TextTemplate<QString> kClearLogFailed{0, "ClearLogFailed", "Could not clear the log. %s"};
inline constexpr TextTemplate<> kFileGenericError{0, "FileGenericError", "An unspecified error occurred."};
inline constexpr TextTemplate<> kFileNotFound{0, "FileNotFound", "The file could not be located."};
inline constexpr TextTemplate<> kFileBadPath{0, "FileBadPath", "All or part of the path is invalid."};
inline constexpr TextTemplate<> kFileAccessDenied{0, "FileAccessDenied", "The file could not be accessed."};
inline constexpr TextTemplate<> kFileInvalidHandle{0, "FileInvalidHandle",
                                                   "There was an attempt to use an invalid file handle."};
inline constexpr TextTemplate<> kFileBadSeek{0, "FileBadSeek",
                                             "There was an error trying to set the file pointer."};
inline constexpr TextTemplate<> kFileEndOfFile{0, "FileEndOfFile", "The end of file was reached."};
inline constexpr TextTemplate<int> kFileErrorNumber{0, "FileErrorNumber", "Error Message - %d."};
// A write that fails stops logging with one of these (the log keeps everything written before).
inline constexpr TextTemplate<> kLogDiskFull{
    0, "LogDiskFull",
    "Could not write to the log file. The disk is full. Logging has been stopped; the log keeps everything "
    "written before."};
inline constexpr TextTemplate<QString> kLogWriteFailed{
    0, "LogWriteFailed",
    "Could not write to the log file. %s Logging has been stopped; the log keeps everything written before."};

// A full log that cannot be moved aside: the previous file's name and the system's reason.
inline constexpr TextTemplate<QString, QString> kLogMoveAsideFailed{
    0, "LogMoveAsideFailed",
    "Could not move the full log file aside to \"%s\": %s. Logging has been stopped; the log keeps "
    "everything written before."};

// Settings export and import (Other pane, vantrel-cli export/import) and Reset GUI.
inline constexpr TextTemplate<> kExportFileName{0, "ExportFileName", "VantrelExport.vtr"};
inline constexpr TextTemplate<> kExportDeleteWarningCaption{0, "ExportDeleteWarningCaption",
                                                            "Export File Delete Warning"};
inline constexpr TextTemplate<> kExportDeleteWarning{0, "ExportDeleteWarning",
                                                     "A current export file exists. Are you sure you want to "
                                                     "delete it and continue creating a new export file?"};
inline constexpr TextTemplate<> kExportErrorCaption{0, "ExportErrorCaption", "Export Error"};
inline constexpr TextTemplate<int, QString> kExportSaveFailed{0, "ExportSaveFailed",
                                                              "Save settings failed with error code %d: %s"};
inline constexpr TextTemplate<QString, int, QString> kExportSaveFailedTo{
    0, "ExportSaveFailedTo", "Save settings to \"%s\" failed with error code %d: %s"};
inline constexpr TextTemplate<> kExportSuccessCaption{0, "ExportSuccessCaption", "Export Settings Success"};
inline constexpr TextTemplate<QString> kExportSucceeded{
    0, "ExportSucceeded",
    "Vantrel's settings exported successfully. You should backup the export file, 'VantrelExport.vtr', "
    "located in the Vantrel home directory  [%s], if you wish to use it in the future."};
inline constexpr TextTemplate<> kImportErrorCaption{0, "ImportErrorCaption", "Import Error"};
inline constexpr TextTemplate<QString> kImportFileMissing{
    0, "ImportFileMissing",
    "The import file \"VantrelExport.vtr\" could notbe found in the Vantrel home directory [%s]."};
// A file whose content goes beyond what the program's own commands store: why, and where.
inline constexpr TextTemplate<QString> kImportRefused{
    0, "ImportRefused", "Import: The file was not imported, since %s. The settings are as they were."};
inline constexpr TextTemplate<QString, int> kImportTooLong{0, "ImportTooLong",
                                                           "\"%s\" holds more than %d characters"};
inline constexpr TextTemplate<QString, int> kImportTooLarge{0, "ImportTooLarge",
                                                            "\"%s\" holds more than %d bytes"};
inline constexpr TextTemplate<QString> kImportEmpty{0, "ImportEmpty", "\"%s\" has an empty name or text"};
inline constexpr TextTemplate<QString> kImportControlCharacter{0, "ImportControlCharacter",
                                                               "\"%s\" holds a control character"};
inline constexpr TextTemplate<QString> kImportBackslash{0, "ImportBackslash", "\"%s\" holds a backslash"};
inline constexpr TextTemplate<QString> kImportTooDeep{0, "ImportTooDeep",
                                                      "\"%s\" lies deeper than any of Vantrel's keys"};
inline constexpr TextTemplate<int, QString> kImportRestoreFailed{
    0, "ImportRestoreFailed", "Import: Restore failed with error code %d: %s"};
inline constexpr TextTemplate<> kImportSuccessCaption{0, "ImportSuccessCaption", "Import Settings"};
inline constexpr TextTemplate<> kImportSucceeded{0, "ImportSucceeded",
                                                 "Settings were successfully imported."};
// A file named by the user (vantrel-cli export FILE, import FILE) instead of the export file.
inline constexpr TextTemplate<QString> kExportSucceededTo{
    0, "ExportSucceededTo",
    "Vantrel's settings exported successfully to the file \"%s\". You should backup this file if you wish "
    "to use it in the future."};
inline constexpr TextTemplate<QString> kImportFileNotFound{0, "ImportFileNotFound",
                                                           "The import file \"%s\" could not be found."};
// Before an import replaces everything: the file and when it was written.
inline constexpr TextTemplate<QString, QString> kImportConfirm{
    0, "ImportConfirm", "Replace all current settings with those in \"%s\" (saved %s)?"};
inline constexpr TextTemplate<> kResetGuiCaption{0, "ResetGuiCaption", "Reset GUI"};
inline constexpr TextTemplate<> kResetGuiConfirm{0, "ResetGuiConfirm",
                                                 "Reset the toolbars and panes to their original layout?"};
inline constexpr TextTemplate<> kResetGuiSucceeded{0, "ResetGuiSucceeded", "The GUI was successfully reset."};
inline constexpr TextTemplate<QString> kExportReplaceTip{
    0, "ExportReplaceTip",
    "Delete the current export file and export Vantrel's settings to the file VantrelExport.vtr.\nThis file "
    "will be placed in the Vantrel home directory...\n%s"};
inline constexpr TextTemplate<QString> kExportTip{
    0, "ExportTip",
    "Export Vantrel's settings to the file VantrelExport.vtr.\nThis file will be placed in the Vantrel home "
    "directory...\n%s"};
inline constexpr TextTemplate<QString> kImportMissingTip{
    0, "ImportMissingTip",
    "There is no import file VantrelExport.vtr\n in the Vantrel home directory...\n%s"};
inline constexpr TextTemplate<> kImportTip{0, "ImportTip", "Import Vantrel's settings."};

} // namespace vantrel::output::res
