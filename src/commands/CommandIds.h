#pragma once

#include <array>

namespace vantrel::cmd {

// Every command and control ID of the program, for the core's command rules and for the desktop's
// command table alike. A command reached from a menu and from a toolbar button has two IDs: the menu item
// and the button keep their own captions.

// Operations
inline constexpr int kPingButton = 400;
inline constexpr int kLookupButton = 401;
inline constexpr int kTraceButton = 402;
inline constexpr int kSeqScanButton = 403;
inline constexpr int kListScanButton = 404;
inline constexpr int kPathMonitorButton = 406;
inline constexpr int kPingMenu = 11000;
inline constexpr int kLookupMenu = 11001;
inline constexpr int kTraceMenu = 11002;
inline constexpr int kSeqScanMenu = 11003;
inline constexpr int kListScanMenu = 11004;
inline constexpr int kPathMonitorMenu = 11005;

// Option panes
inline constexpr int kOptionsButton = 405;
inline constexpr int kShowAllOptions = 11016;
inline constexpr int kPingOptions = 314;
inline constexpr int kSeqScanOptions = 315;
inline constexpr int kOtherOptions = 316;
inline constexpr int kListScanOptions = 317;
inline constexpr int kISPingerOptions = 318;
inline constexpr int kLogOptions = 319;

// ISPinger, tray, profiles
inline constexpr int kISPingerButton = 440;
inline constexpr int kISPingerMenu = 11023;
inline constexpr int kSystemTrayButton = 32817;
inline constexpr int kSystemTrayMenu = 11024;
// The notification icon's menu and its items.
inline constexpr int kTrayMenu = 13000;
inline constexpr int kTrayRestore = 13001;
inline constexpr int kTrayISPinger = 13002;
inline constexpr int kTrayExit = 13004;
inline constexpr int kAddProfileButton = 420;
inline constexpr int kAddProfile = 11017;
inline constexpr int kProfilePaneButton = 143; // the Profile Manager pane's own button

// Log
inline constexpr int kStartLoggingButton = 431;
inline constexpr int kClearLogButton = 432;
inline constexpr int kShowLogButton = 433;
inline constexpr int kStartLoggingMenu = 11011;
inline constexpr int kShowLogMenu = 11012;
inline constexpr int kClearLogMenu = 11013;
// The Log options pane's check box, file-name label and file-name box.
inline constexpr int kLogCheckBox = 1044;
inline constexpr int kLogFileLabel = 1055;
inline constexpr int kLogFileBox = 1027;

// Status panes; a double-click on a pane sends its ID as a command
inline constexpr int kStatusPane = 900;
inline constexpr int kISPingerStatusPane = 901;
inline constexpr int kISPingerIndicatorPane = 902;
inline constexpr int kLogPane = 903;
inline constexpr int kTextSizePane = 904;
inline constexpr int kLogSizePane = 905;

// Settings
inline constexpr int kExportSettings = 473;
inline constexpr int kImportSettings = 474;
inline constexpr int kResetGui = 1003;

// Visual styles
inline constexpr int kLookFirst = 210;
inline constexpr int kLookLast = 218;
// The desktop's own style and palette: first in the menu and a new store's look.
inline constexpr int kLookSystem = 219;
inline constexpr int kLookDefault = kLookSystem;

// Frame and framework
inline constexpr int kExit = 57665;
inline constexpr int kStatusBar = 59393;
inline constexpr int kToolbarsAndPanes = 59392;
inline constexpr int kCustomize = 126;     // the bars' context menus: the toolbars' buttons
inline constexpr int kWindowsDialog = 131; // the bars' context menus: the docking panes
inline constexpr int kHelpTopics = 57667;
inline constexpr int kContextHelp = 57669;
inline constexpr int kAbout = 57664;
inline constexpr int kAboutWinsock = 11019;
inline constexpr int kHomepage = 11020;
inline constexpr int kSendEmail = 11021;

// Edit commands on the focused box
inline constexpr int kClearAllText = 57633;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kSelectAll = 57642;
inline constexpr int kUndo = 57643;
inline constexpr int kPrint = 57607;

// Hosts toolbar controls
inline constexpr int kProfileNameBox = 501;
inline constexpr int kHostLabel = 502;
inline constexpr int kHostBox = 503;
inline constexpr int kProfileNameLabel = 505;

// Docking panes
inline constexpr int kResultsPane = 133;
inline constexpr int kProfileManagerPane = 134;
inline constexpr int kRoundTripPlotPane = 135;
inline constexpr int kWatchPane = 137;
inline constexpr int kPathMonitorPane = 138;
// The panes the View menu shows and hides, each checked while it shows.
inline constexpr std::array kViewPaneCommands = {kRoundTripPlotPane, kWatchPane, kPathMonitorPane};

} // namespace vantrel::cmd
