// The suite's colours, each named once: the page colour the editor's pages, the
// libraries' dialogs and the LED window share, and the result windows' inks.
#pragma once
#include <windows.h>

namespace vaultrine::win::colours {

inline constexpr COLORREF kPage = RGB(236, 233, 216);
inline constexpr COLORREF kPageText = RGB(50, 91, 30);  // the editor's green ink
inline constexpr COLORREF kEditorBlue = RGB(72, 102, 159);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kSuccessGreen = RGB(0, 183, 0);
inline constexpr COLORREF kFailureRed = RGB(255, 0, 0);
inline constexpr COLORREF kNoticeOrange = RGB(255, 128, 64);

}  // namespace vaultrine::win::colours
