#pragma once
#define IDD_LAUNCHER 102
