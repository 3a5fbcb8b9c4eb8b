// The progress window's texts and fonts (Simplified Chinese).
#pragma once

namespace window {

inline constexpr wchar_t kFormTitle[] =
    L"\u5220\u9664DBF\u6570\u636e\u5e93\u7d22\u5f15";  // 删除DBF数据库索引
inline constexpr wchar_t kLabelCaption[] =
    L"\u6570\u636e\u6e90\u5904\u7406\u4e2d\u8bf7\u7a0d\u5019...";  // 数据源处理中请稍候...
inline constexpr wchar_t kButtonCaption[] = L"\u786e\u5b9a";       // 确定
inline constexpr wchar_t kFontFace[] = L"\u5b8b\u4f53";            // 宋体
inline constexpr wchar_t kTimerRefused[] = L"Not enough timers available";
inline constexpr wchar_t kVisibleModal[] = L"Cannot make a visible window modal";

}  // namespace window
