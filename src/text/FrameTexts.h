#pragma once

// The frame's own texts: the commands' captions as created (the captions that change with the state are
// in MessageTexts.h), the visual styles, the option panes' show/hide captions, the close sequence's lines
// and the desktop program's command-line help. Kept exactly as the user sees them, blanks included.

#include "text/StringResource.h"

namespace vantrel::output::res {

// Captions of the Toolkit and Options menus, their buttons and the Results window's context menu.
inline constexpr TextTemplate<> kSeqScanCaption{0, "SeqScanCaption", "SeqScan"};
inline constexpr TextTemplate<> kListScanCaption{0, "ListScanCaption", "ListScan"};
inline constexpr TextTemplate<> kShowAllOptionsMenu{0, "ShowAllOptionsMenu", "S&how All Options"};
inline constexpr TextTemplate<> kHideAllOptionsMenu{0, "HideAllOptionsMenu", "&Hide All Options"};
inline constexpr TextTemplate<> kOptionsButton{0, "OptionsButton", "      Options      "};
inline constexpr TextTemplate<> kPingOptionsCaption{0, "PingOptionsCaption", "Ping/TraceRoute"};
inline constexpr TextTemplate<> kLogOptionsCaption{0, "LogOptionsCaption", "Log"};
inline constexpr TextTemplate<> kIspOptionsCaption{0, "IspOptionsCaption", "ISPinger"};
inline constexpr TextTemplate<> kOtherOptionsCaption{0, "OtherOptionsCaption", "Other"};
inline constexpr TextTemplate<> kIspMenu{0, "IspMenu", "ISPi&nger"};
inline constexpr TextTemplate<> kSystemTrayMenu{0, "SystemTrayMenu", "System Tra&y"};
inline constexpr TextTemplate<> kSystemTrayButton{0, "SystemTrayButton", "      System Tray      "};
inline constexpr TextTemplate<> kAddProfileMenuItem{0, "AddProfileMenuItem", "Add Pro&file"};
inline constexpr TextTemplate<> kExitMenu{0, "ExitMenu", "E&xit"};
inline constexpr TextTemplate<> kExitContext{0, "ExitContext", "&Exit"};
inline constexpr TextTemplate<> kStartLoggingContext{0, "StartLoggingContext", "Start Logg&ing"};
inline constexpr TextTemplate<> kShowLogContext{0, "ShowLogContext", "Show Lo&g"};
inline constexpr TextTemplate<> kClearLogContext{0, "ClearLogContext", "Cle&ar Log"};
inline constexpr TextTemplate<> kClearResultsPaneCommand{0, "ClearResultsPaneCommand", "Clear Results"};
inline constexpr TextTemplate<> kClearLogPaneCommand{0, "ClearLogPaneCommand", "Clear Log"};
inline constexpr TextTemplate<> kExportSettingsMenu{0, "ExportSettingsMenu", "Export Settings"};
inline constexpr TextTemplate<> kImportSettingsMenu{0, "ImportSettingsMenu", "Import Settings"};
inline constexpr TextTemplate<> kResetGuiMenu{0, "ResetGuiMenu", "Reset &GUI"};
// The View and Help menus.
inline constexpr TextTemplate<> kStatusBarMenu{0, "StatusBarMenu", "&Status Bar"};
inline constexpr TextTemplate<> kRoundTripPlotMenu{0, "RoundTripPlotMenu", "&Round Trip Plot"};
inline constexpr TextTemplate<> kWatchPaneMenu{0, "WatchPaneMenu", "&Watch List"};
inline constexpr TextTemplate<> kCustomizeMenu{0, "CustomizeMenu", "Customize..."};
inline constexpr TextTemplate<> kWindowsMenu{0, "WindowsMenu", "Windows..."};
inline constexpr TextTemplate<> kHelpTopicsMenu{0, "HelpTopicsMenu", "&Help Topics"};
inline constexpr TextTemplate<> kHelpTopicsContext{0, "HelpTopicsContext", "Help T&opics"};
inline constexpr TextTemplate<> kContextHelpMenu{0, "ContextHelpMenu", "Context Help"};
inline constexpr TextTemplate<> kAboutMenu{0, "AboutMenu", "&About Vantrel..."};
inline constexpr TextTemplate<> kAboutWinsockMenu{0, "AboutWinsockMenu", "About Your &Winsock"};
inline constexpr TextTemplate<> kHomepageMenu{0, "HomepageMenu", "&Quenlo Homepage"};
inline constexpr TextTemplate<> kSendEmailMenu{0, "SendEmailMenu", "&Send an EMail to Pimbo"};
// The Results window's editing commands.
inline constexpr TextTemplate<> kClearAllTextMenu{0, "ClearAllTextMenu", "Clea&r All Text"};
inline constexpr TextTemplate<> kCopyMenu{0, "CopyMenu", "Cop&y"};
inline constexpr TextTemplate<> kCutMenu{0, "CutMenu", "&Cut"};
inline constexpr TextTemplate<> kPasteMenu{0, "PasteMenu", "&Paste"};
inline constexpr TextTemplate<> kSelectAllMenu{0, "SelectAllMenu", "&Select All"};
inline constexpr TextTemplate<> kUndoMenu{0, "UndoMenu", "&Undo"};

// The visual styles of the Application Look menu.
inline constexpr TextTemplate<> kStyleSystem{0, "StyleSystem", "&System"};
inline constexpr TextTemplate<> kStyleWindows2000{0, "StyleWindows2000", "Windows &2000"};
inline constexpr TextTemplate<> kStyleOfficeXp{0, "StyleOfficeXp", "Office &XP"};
inline constexpr TextTemplate<> kStyleWindowsXp{0, "StyleWindowsXp", "&Windows XP"};
inline constexpr TextTemplate<> kStyleOffice2003{0, "StyleOffice2003", "Office 200&3"};
inline constexpr TextTemplate<> kStyleVisualStudio2005{0, "StyleVisualStudio2005", "Visual Studio.NET 200&5"};
inline constexpr TextTemplate<> kStyleBlue{0, "StyleBlue", "&Blue Style"};
inline constexpr TextTemplate<> kStyleBlack{0, "StyleBlack", "B&lack Style"};
inline constexpr TextTemplate<> kStyleSilver{0, "StyleSilver", "&Silver Style"};
inline constexpr TextTemplate<> kStyleAqua{0, "StyleAqua", "&Aqua Style"};

// An option pane's show/hide command, with the pane's name.
inline constexpr TextTemplate<QString> kShowPaneOptions{0, "ShowPaneOptions", "Show %s Options"};
inline constexpr TextTemplate<QString> kHidePaneOptions{0, "HidePaneOptions", "Hide %s Options"};
inline constexpr TextTemplate<> kIspPaneName{0, "IspPaneName", "ISPInger"};

// What the close sequence says for each operation it stops (status text and Results line).
inline constexpr TextTemplate<> kExitingPing{0, "ExitingPing",
                                             "Exiting...Shutting down ping operation first..."};
inline constexpr TextTemplate<> kExitingTrace{0, "ExitingTrace",
                                              "Exiting...Shutting down trace operation first..."};
inline constexpr TextTemplate<> kExitingSeqScan{0, "ExitingSeqScan",
                                                "Exiting...Shutting down SeqScan operation first..."};
inline constexpr TextTemplate<> kExitingListScan{0, "ExitingListScan",
                                                 "Exiting...Shutting down ListScan operation first..."};

// The program's names as the desktop shows them (a dialog's title bar names the program).
inline constexpr TextTemplate<> kOrganizationName{0, "OrganizationName", "Quenlo Software"};
inline constexpr TextTemplate<> kApplicationName{0, "ApplicationName", "Vantrel"};

// The desktop program's command line: a wrong argument with the usage, and the version.
inline constexpr TextTemplate<QString, QString> kGuiArgumentError{0, "GuiArgumentError", "vantrel: %s\n\n%s"};
inline constexpr TextTemplate<QString> kGuiVersion{0, "GuiVersion", "vantrel %s\n"};
inline constexpr TextTemplate<QString> kArgumentNeedsFolder{0, "ArgumentNeedsFolder", "%s needs a folder"};
inline constexpr TextTemplate<QString> kUnknownArgument{0, "UnknownArgument", "unknown option \"%s\""};
inline constexpr TextTemplate<> kOneHostOnly{0, "OneHostOnly", "only one HOST may be given"};
inline constexpr TextTemplate<> kGuiUsage{
    0, "GuiUsage",
    "Usage: vantrel [--config-dir DIR] [--home-dir DIR] [HOST]\n"
    "\n"
    "Vantrel, the interactive network diagnostic toolkit.\n"
    "\n"
    "  --config-dir DIR   use the settings store in DIR (also VANTREL_CONFIG_DIR)\n"
    "  --home-dir DIR     the program's home folder (also VANTREL_HOME; default: the\n"
    "                     folder of the program)\n"
    "  --help             show this text and end\n"
    "  --version          show the program's version and end\n"
    "  HOST               put HOST into the host box at start\n"
    "\n"
    "Sending echo requests needs ICMP sockets; when the system does not allow them, the\n"
    "program says how to allow them (see vantrel(1)).\n"};

} // namespace vantrel::output::res
