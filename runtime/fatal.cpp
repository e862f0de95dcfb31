// Runtime errors and fatal reports: one message box, then exit code -1
// without the application's cleanup routines.
#include <windows.h>

#include <cstdio>
#include <string>

#include "runtime/gbk_boundary.h"
#include "runtime/runtime.h"
#include "runtime/runtime_app.h"

namespace {

constexpr const char* kErrorMessages[] = {
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

}  // namespace

std::string FatalReportText(const char* message, int code) {
  std::string text = "运行时出错!\r\n\r\n";
  if (code != 0) {
    char number[16];
    snprintf(number, sizeof number, "%d", code);
    text += "错误代码：";
    text += number;
    text += "\r\n\r\n";
  }
  if (message && *message) {
    text += "错误信息：";
    text += message;
    text += "\r\n";
  }
  return text;
}

void FatalReport(const char* message, int code) {
  EventSuppressCount()++;
  std::string text = FatalReportText(message, code);
  MessageBoxGbk(nullptr, text.c_str(), "错误", MB_OK | MB_ICONERROR);
  if (RuntimeState().runMode == 2 && IsDebuggerPresent()) DebugBreak();
  RuntimeState().cleanup.clear();
  RtExit(-1);
}

void RtReportError(int number) {
  const char* message = (number >= 1 && number <= 11) ? kErrorMessages[number - 1] : "";
  FatalReport(message, number);
}
