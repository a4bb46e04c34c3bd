#pragma once

// The ids of the menu commands and of the record list's notifications. They keep the
// numbers of the Windows program, so the dispatch reads like its message table.
namespace tessaro {

enum CommandId {
    IDM_OPEN = 3072,     // "&Anzeigen"
    IDM_MEMO = 3073,     // "&Memofeld öffnen"
    IDM_GOTO = 3074,     // "&Gehe zu Satz .."
    IDM_END = 3075,      // "&Ende"
    IDM_HELP = 3076,     // "&Hilfe\tF1"
    IDM_VERSION = 3077,  // "&Version"
};

inline constexpr int IDC_VERSION_OK = 3078;
inline constexpr int IDC_RECORD_LIST = 3079;
inline constexpr int IDC_STATUS_LINE = 200;
inline constexpr int IDC_GOTO_EDIT = 100;

// Notification codes of the record list.
enum ListNotification {
    NM_CLICK = -2,
    NM_DBLCLK = -3,
    NM_RCLICK = -5,
    LVN_COLUMNCLICK = -108,
};

}  // namespace tessaro
