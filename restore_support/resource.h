#pragma once
// Progress window and its controls.
#define IDD_PROGRESS 100
#define IDC_PROGRESS_FOCUS 210
#define IDC_PROGRESS_BAR 300
#define IDC_PROGRESS_PERCENT 310
#define IDC_PROGRESS_STEP 320
#define IDC_PROGRESS_NOTE 330
