// What the end-to-end tests of the lookup tool expect: the results and
// files the instruction table of a file text gives, computed with the
// program's own table code.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/instruction_search.h"

namespace mnemora::app {

extern const std::string kDefaultText;
inline constexpr std::string_view kAddMessage = "亲：添加汇编指令成功！";
inline constexpr std::string_view kModifyMessage = "亲：修改注解成功！";
inline constexpr std::string_view kDeleteMessage = "亲：删除汇编指令成功！";

// What a search on the table of fileText shows.
std::string Expected(const std::string& fileText, std::string_view needle, SearchField field);
std::vector<std::string> Mnemonics(const std::string& fileText);
std::vector<std::string> FileLines(std::string_view text);
// Equal bytes; otherwise the first line that differs, not the whole file.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected);
std::string Joined(const std::vector<std::string>& lines);
// A large instruction set: the default lines, and for every default
// mnemonic generated variants with the default annotations.
std::string LargeFile(int variants);

#define ASSERT_STARTED(app) ASSERT_TRUE((app).Started()) << "the program's window did not appear"

}  // namespace mnemora::app
