#pragma once
// Pictures.
#define IDB_LEDS_OFF 203
#define IDB_LEDS_GREEN_YELLOW 204
#define IDB_LEDS_YELLOW_GREEN 205
#define IDB_LED_BACKGROUND 206
// LED window controls.
#define IDC_LED_OFF 300
#define IDC_LED_GREEN_YELLOW 310
#define IDC_LED_YELLOW_GREEN 320
#define IDC_LED_CLOCK_AREA 340
#define IDC_LED_FOCUS 350
#define IDC_LED_BACKGROUND 360
// Commands of the main window.
#define IDM_QUIT 120
#define IDM_RUN_LED_WINDOW 130
// The blink timer.
#define IDT_BLINK 9876
