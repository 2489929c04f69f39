#include "runtime/error_table.h"

#include <array>
#include <cstddef>

namespace mnemora {
namespace {

constexpr std::array<const char*, 12> kErrorTable = {
    nullptr,                                                           // 0: raised with a message
    "数组成员引用下标超出定义范围",                                    // 1
    "未得到所需要的数值型数据",                                        // 2
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",           // 3
    "数组成员引用下标必须大于等于1",                                   // 4
    "数据或数组类型不匹配",                                            // 5
    "调用DLL命令后发现堆栈错误",                                       // 6
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",        // 7
    "被比较数据只能使用等于或不等于命令比较",                          // 8
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",        // 9
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",  // 10
    "所提供参数的数据类型不符合要求",                                  // 11
};
static_assert(kErrorTable.size() == 12, "codes 0 to 11");

}  // namespace

const char* ErrorTableMessage(int32_t code) {
  if (code < 0 || code >= static_cast<int32_t>(kErrorTable.size())) {
    return nullptr;
  }
  return kErrorTable[static_cast<size_t>(code)];
}

}  // namespace mnemora
