// Runs the 32-bit DLL call thunk, the very object the x86 build assembles,
// in a CPU emulator, with stand-in callees: a standard-call callee that
// removes exactly its arguments leaves the stack check quiet; one that
// leaves them (caller-cleans) or removes the wrong number of bytes makes it
// report the change, which the runtime turns into error 6.
//
//   dll_call_thunk_test PATH-OF-dll_call_thunk_i686.obj
#include <unicorn/unicorn.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string g_objectPath;

uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}
uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at) {
  return Read16(bytes, at) | static_cast<uint32_t>(Read16(bytes, at + 2)) << 16;
}

// The code of one function of an i386 COFF object: the bytes of its
// section from the symbol's value on. The section must need no
// relocations, since nothing here would apply them.
struct ThunkCode {
  std::vector<uint8_t> bytes;
  std::string problem;
};

ThunkCode LoadFunction(const std::string& path, const std::string& symbol) {
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> object{std::istreambuf_iterator<char>(file), {}};
  if (object.size() < 20 || Read16(object, 0) != 0x14C) {
    return {{}, "not an i386 COFF object: " + path};
  }
  const uint16_t sections = Read16(object, 2);
  const uint32_t symbols = Read32(object, 8);
  const uint32_t symbolCount = Read32(object, 12);
  const size_t sectionTable = 20 + Read16(object, 16);
  const size_t stringTable = symbols + 18ull * symbolCount;
  for (uint32_t i = 0; i < symbolCount; ++i) {
    const size_t entry = symbols + 18ull * i;
    std::string name;
    if (Read32(object, entry) == 0) {
      const size_t at = stringTable + Read32(object, entry + 4);
      name = reinterpret_cast<const char*>(&object.at(at));
    } else {
      name.assign(reinterpret_cast<const char*>(&object.at(entry)), 8);
      name.resize(std::strlen(name.c_str()));
    }
    const auto section = static_cast<int16_t>(Read16(object, entry + 12));
    if (name == symbol && section >= 1 && section <= sections) {
      const size_t header = sectionTable + 40ull * static_cast<size_t>(section - 1);
      if (Read16(object, header + 32) != 0) {
        return {{}, "the thunk's section needs relocations"};
      }
      const uint32_t size = Read32(object, header + 16);
      const uint32_t data = Read32(object, header + 20);
      const uint32_t value = Read32(object, entry + 8);
      return {std::vector<uint8_t>(object.begin() + data + value, object.begin() + data + size),
              ""};
    }
    i += object.at(entry + 17);  // auxiliary records
  }
  return {{}, "no symbol " + symbol + " in " + path};
}

constexpr uint32_t kCode = 0x10000;
constexpr uint32_t kCallee = 0x20000;
constexpr uint32_t kData = 0x30000;  // the words; the stack-changed flag at kFlag
constexpr uint32_t kSeen = 0x30800;  // what the callee found on its stack
constexpr uint32_t kFlag = 0x31000;
constexpr uint32_t kReturn = 0x40000;
constexpr uint32_t kStackTop = 0x90000;
constexpr uint32_t kCalleeResult = 0x5EED0000;

// A stand-in callee: copies its n argument words to kSeen, returns
// kCalleeResult + n, and removes `removes` bytes of arguments on return.
std::vector<uint8_t> Callee(uint32_t n, uint16_t removes) {
  std::vector<uint8_t> code;
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) {
      code.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
  };
  for (uint32_t i = 1; i <= n; ++i) {
    code.insert(code.end(), {0x8B, 0x4C, 0x24, static_cast<uint8_t>(4 * i)});  // mov ecx, [esp+4i]
    code.insert(code.end(), {0x89, 0x0D});  // mov [kSeen+..], ecx
    put32(kSeen + 4 * (i - 1));
  }
  code.push_back(0xB8);  // mov eax, imm32
  put32(kCalleeResult + n);
  if (removes == 0) {
    code.push_back(0xC3);  // ret
  } else {
    code.insert(code.end(),
                {0xC2, static_cast<uint8_t>(removes), static_cast<uint8_t>(removes >> 8)});
  }
  return code;
}

struct CallOutcome {
  bool ran = false;
  uint32_t result = 0;
  uint32_t stackChanged = 0xFFFFFFFF;
  uint32_t espAfter = 0;
  uint32_t espBefore = 0;
  bool savedRegistersKept = false;
  std::vector<uint32_t> seen;
};

class DllCallThunkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ThunkCode thunk = LoadFunction(g_objectPath, "_CallWithStackCheck");
    ASSERT_TRUE(thunk.problem.empty()) << thunk.problem;
    thunk_ = thunk.bytes;
  }

  // Calls CallWithStackCheck(callee, n, words, &stackChanged) in the emulator.
  CallOutcome Call(const std::vector<uint8_t>& callee, uint32_t n) {
    CallOutcome outcome;
    uc_engine* uc = nullptr;
    if (uc_open(UC_ARCH_X86, UC_MODE_32, &uc) != UC_ERR_OK) {
      ADD_FAILURE() << "the emulator did not start";
      return outcome;
    }
    for (uint32_t base : {kCode, kCallee, kData, kReturn}) {
      uc_mem_map(uc, base, 0x2000, UC_PROT_ALL);
    }
    uc_mem_map(uc, kStackTop - 0x10000, 0x10000, UC_PROT_READ | UC_PROT_WRITE);
    uc_mem_write(uc, kCode, thunk_.data(), thunk_.size());
    uc_mem_write(uc, kCallee, callee.data(), callee.size());
    std::vector<uint32_t> words;
    for (uint32_t i = 0; i < n; ++i) {
      words.push_back(0xA0000000 + i);
    }
    const uint32_t flag = kFlag;
    if (!words.empty()) {
      uc_mem_write(uc, kData, words.data(), 4 * words.size());
    }
    const uint32_t unset = 0xFFFFFFFF;
    uc_mem_write(uc, flag, &unset, 4);
    // The caller's frame: the return address, then the four arguments.
    const uint32_t frame[5] = {kReturn, kCallee, n, kData, flag};
    uint32_t esp = kStackTop - 0x100;
    uc_mem_write(uc, esp, frame, sizeof frame);
    uc_reg_write(uc, UC_X86_REG_ESP, &esp);
    const uint32_t saved[4] = {0x11111111, 0x22222222, 0x33333333, 0x44444444};
    uc_reg_write(uc, UC_X86_REG_EBX, &saved[0]);
    uc_reg_write(uc, UC_X86_REG_ESI, &saved[1]);
    uc_reg_write(uc, UC_X86_REG_EDI, &saved[2]);
    uc_reg_write(uc, UC_X86_REG_EBP, &saved[3]);
    outcome.espBefore = esp;
    const uc_err err = uc_emu_start(uc, kCode, kReturn, 0, 100000);
    uint32_t pc = 0;
    uc_reg_read(uc, UC_X86_REG_EIP, &pc);
    outcome.ran = err == UC_ERR_OK && pc == kReturn;
    uc_reg_read(uc, UC_X86_REG_EAX, &outcome.result);
    uc_reg_read(uc, UC_X86_REG_ESP, &outcome.espAfter);
    uint32_t after[4] = {};
    uc_reg_read(uc, UC_X86_REG_EBX, &after[0]);
    uc_reg_read(uc, UC_X86_REG_ESI, &after[1]);
    uc_reg_read(uc, UC_X86_REG_EDI, &after[2]);
    uc_reg_read(uc, UC_X86_REG_EBP, &after[3]);
    outcome.savedRegistersKept = std::memcmp(saved, after, sizeof saved) == 0;
    uc_mem_read(uc, flag, &outcome.stackChanged, 4);
    outcome.seen.resize(n);
    if (n != 0) {
      uc_mem_read(uc, kSeen, outcome.seen.data(), 4 * n);
    }
    uc_close(uc);
    return outcome;
  }

  static void ExpectCleanReturn(const CallOutcome& outcome, uint32_t n) {
    EXPECT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.result, kCalleeResult + n);
    // The thunk is called caller-cleans itself: only its return address is gone.
    EXPECT_EQ(outcome.espAfter, outcome.espBefore + 4);
    EXPECT_TRUE(outcome.savedRegistersKept);
  }

  std::vector<uint8_t> thunk_;
};

TEST_F(DllCallThunkTest, AStandardCallCalleeGetsItsWordsInOrderAndPasses) {
  for (uint32_t n : {0u, 1u, 2u, 7u, 16u}) {
    SCOPED_TRACE(n);
    const CallOutcome outcome = Call(Callee(n, static_cast<uint16_t>(4 * n)), n);
    ExpectCleanReturn(outcome, n);
    EXPECT_EQ(outcome.stackChanged, 0u);
    for (uint32_t i = 0; i < n; ++i) {
      EXPECT_EQ(outcome.seen[i], 0xA0000000 + i) << "word " << i;
    }
  }
}

TEST_F(DllCallThunkTest, ACallerCleansCalleeWithArgumentsTakesTheErrorPath) {
  for (uint32_t n : {1u, 2u, 16u}) {
    SCOPED_TRACE(n);
    const CallOutcome outcome = Call(Callee(n, 0), n);
    ExpectCleanReturn(outcome, n);
    EXPECT_EQ(outcome.stackChanged, 1u);
    EXPECT_EQ(outcome.seen.back(), 0xA0000000 + n - 1);
  }
}

TEST_F(DllCallThunkTest, RemovingTheWrongNumberOfBytesTakesTheErrorPath) {
  struct Case {
    uint32_t words;
    uint16_t removes;
  };
  for (const Case c : {Case{2, 4}, Case{2, 12}, Case{3, 2}, Case{0, 4}, Case{16, 60}}) {
    SCOPED_TRACE(std::to_string(c.words) + " words, " + std::to_string(c.removes) + " bytes");
    const CallOutcome outcome = Call(Callee(c.words, c.removes), c.words);
    ExpectCleanReturn(outcome, c.words);
    EXPECT_EQ(outcome.stackChanged, 1u);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PATH-OF-dll_call_thunk_i686.obj\n", argv[0]);
    return 2;
  }
  g_objectPath = argv[1];
  return RUN_ALL_TESTS();
}
