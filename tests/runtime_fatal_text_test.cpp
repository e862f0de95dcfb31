// The fatal report's text, byte for byte in GBK (the expected bytes are
// written out, not compiled from the same literals).
#include <gtest/gtest.h>

#include "runtime/runtime_app.h"

namespace {

#define HEADING "\xd4\xcb\xd0\xd0\xca\xb1\xb3\xf6\xb4\xed\x21"  // 运行时出错!
#define CODE_LABEL "\xb4\xed\xce\xf3\xb4\xfa\xc2\xeb\xa3\xba"   // 错误代码：
#define INFO_LABEL "\xb4\xed\xce\xf3\xd0\xc5\xcf\xa2\xa3\xba"   // 错误信息：
// 数组成员引用下标必须大于等于1
#define ERROR4 "\xca\xfd\xd7\xe9\xb3\xc9\xd4\xb1\xd2\xfd\xd3\xc3\xcf\xc2\xb1\xea" \
               "\xb1\xd8\xd0\xeb\xb4\xf3\xd3\xda\xb5\xc8\xd3\xda\x31"

struct TextCase {
  const char* message;
  int code;
  const char* expected;
};

TEST(FatalReportText, LinesAsShownInTheBox) {
  const TextCase cases[] = {
      {ERROR4, 4, HEADING "\r\n\r\n" CODE_LABEL "4\r\n\r\n" INFO_LABEL ERROR4 "\r\n"},
      // 分配 1000 字节内存失败!
      {"\xb7\xd6\xc5\xe4 1000 \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!", 0,
       HEADING "\r\n\r\n" INFO_LABEL
               "\xb7\xd6\xc5\xe4 1000 \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!\r\n"},
      {"", 0, HEADING "\r\n\r\n"},
      {nullptr, 0, HEADING "\r\n\r\n"},
      {nullptr, -7, HEADING "\r\n\r\n" CODE_LABEL "-7\r\n\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(FatalReportText(c.message, c.code), c.expected) << c.code;
}

}  // namespace
