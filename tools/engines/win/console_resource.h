#pragma once
#define IDD_ENGINE_CONSOLE 100
#define IDC_CONSOLE_TEXT 1000
