// Resource identifiers of KLAVIRO.exe.
#pragma once

#define IDD_MAIN 101
#define IDI_KLAVIRO 137
