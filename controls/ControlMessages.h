// Messages of the display controls (WM_USER = 1024 and up), for the pages
// that drive them with SendDlgItemMessage.
#pragma once

// ATextBWnd, the scrolling text box.
constexpr unsigned ATB_SETTEXT = 1025;                // wParam text or null, lParam marks or null
constexpr unsigned ATB_INSERTTEXT = 1026;             // wParam position (negative: end), lParam text
constexpr unsigned ATB_DELETETEXT = 1027;             // wParam position, lParam count
constexpr unsigned ATB_SETMARK = 1028;                // wParam position, lParam mark character
constexpr unsigned ATB_SETTEXTCOLOR = 1029;           // lParam colour
constexpr unsigned ATB_SETHIGHLIGHTCOLOR = 1030;      // lParam colour
constexpr unsigned ATB_SETMARKCOLOR = 1031;           // lParam colour
constexpr unsigned ATB_SETMARKHIGHLIGHTCOLOR = 1032;  // lParam colour
constexpr unsigned ATB_SETBKCOLOR = 1033;             // lParam colour
constexpr unsigned ATB_SETROWS = 1034;                // lParam rows
constexpr unsigned ATB_SETCOLUMNS = 1035;             // lParam columns
constexpr unsigned ATB_SETSEL = 1036;                 // wParam first, lParam last (inclusive)
constexpr unsigned ATB_SHOWPOS = 1037;                // lParam index
constexpr unsigned ATB_GETSELSTART = 1038;            // returns -1 or the first selected index
constexpr unsigned ATB_GETSELEND = 1039;              // returns -1 or the last selected index
constexpr unsigned ATB_SETMARK2COLOR = 1040;          // lParam colour
constexpr unsigned ATB_SETMARK2HIGHLIGHTCOLOR = 1041; // lParam colour
constexpr unsigned ATB_ENABLEMOUSESEL = 1042;         // lParam 0 or non-zero

// ATextLWnd, the transparent caption.
constexpr unsigned ATL_SETCOLOR = 1025;    // lParam colour
constexpr unsigned ATL_SETTEXTTRIM = 1026; // lParam text or null; trailing blanks removed

// ATimerWnd, the framed clock.
constexpr unsigned ATM_SETTIME = 1025;      // lParam milliseconds; negative shows "--:--"
constexpr unsigned ATM_SETBKCOLOR = 1026;   // lParam colour
constexpr unsigned ATM_SETTEXTCOLOR = 1027; // lParam colour
constexpr unsigned ATM_SETNUMBER = 1028;    // lParam number, shown with its sign
