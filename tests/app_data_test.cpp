#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/default_instruction_text.h"
#include "app/help_pictures.h"
#include "app/instruction_lines.h"
#include "app/pinyin_initial_table.h"
#include "tests/guarded_bytes.h"

namespace mnemora::app {
namespace {

// The default set's mnemonics in their fixed order.
constexpr std::string_view kMnemonics =
    "AAA AAD AAM AAS ADC ADD AND ARPL ASSUME BOUND BSF BSR BSWAP BT BTC BTR BTS CALL CBW CDQ CLC "
    "CLD CLI CLTS CMC CMOVA CMOVB CMOVE CMOVG CMOVL CMOVNA CMOVNB CMOVNE CMOVNG CMOVNL CMOVNO "
    "CMOVNP CMOVNS CMOVO CMOVP CMOVS CMP CMPS CMPSB CMPSD CMPSW CMPXCHG CMPXCHG486 CMPXCHG8B "
    "CPUID CWD CWDE DAA DAS DEC DIV DW EMMS END ENDP ENDS ENTER ESC F2XM1 FABS FADD FADDP FBLD "
    "FBSTP FCHS FCLEX FCMOVB FCMOVBE FCMOVE FCMOVNB FCMOVNBE FCMOVNE FCMOVNU FCMOVU FCOM FCOMI "
    "FCOMIP FCOMP FCOMPP FCOS FDECSTP FDISI FDIV FDIVP FDIVR FDIVRP FENI FFREE FFREEP FIADD FICOM "
    "FICOMP FIDIV FIDIVR FILD FIMUL FINCSTP FINIT FIST FISTP FISTTP FISUB FISUBR FLD FLD1 FLDCW "
    "FLDENV FLDL2E FLDL2T FLDLG2 FLDLN2 FLDPI FLDZ FMUL FMULP FNCLEX FNDISI FNENI FNINIT FNOP "
    "FNSAVE FNSTCW FNSTENV FNSTSW FPATAN FPREM FPREM1 FPTAN FRNDINT FRSTOR FSAVE FSCALE FSETPM "
    "FSIN FSINCOS FSQRT FST FSTCW FSTENV FSTP FSTSW FSUB FSUBP FSUBR FSUBRP FTST FUCOM FUCOMI "
    "FUCOMIP FUCOMP FUCOMPP FWAIT FXAM FXCH FXTRACT FYL2X FYL2XP1 HLT IDIV IMUL IN INC INSB INSD "
    "INSW INT INTO IRET JA JA/JNBE JAE/JNB JB JB/JNAE JBE JBE/JNA JC JCXZ JE JE/JZ JECXZ JG "
    "JG/JNLE JGE/JNL JL JL/JNGE JLE/JNG JMP JMPE JNB JNC JNE JNE/JNZ JNG JNL JNO JNP JNP/JPO JNS "
    "JO JP JP/JPE JS LAHF LAR LDS LEA LEAVE LES LFS LGDT LGS LIDT LMSW LOADALL LOADALL286 LOCK "
    "LODS LODSB LODSD LODSW LOOP LOOPE LOOPNE LOOPNZ LOOPZ LSL LSS LTR MONITOR MOV MOVED MOVEQ "
    "MOVS MOVSB MOVSD MOVSW MOVSX MOVZX MUL MWAIT NEG NOP NOT OR OUT OUTSB OUTSD OUTSW PACKSSDW "
    "PACKSSWB PACKUSWB PADDB PADDD PADDSB PADDSIW PADDSW PADDUSB PADDUSW PADDW PAND PANDN PAVEB "
    "PCMPEQB PCMPEQD PCMPEQW PCMPGTB PCMPGTD PCMPGTW PDISTIB PMACHRIW PMADDWD PMAGW PMULHRIW "
    "PMULHRWC PMULHW PMVGEZB PMVLZB PMVNZB PMVZB POP POPA POPAD POPD POPF POR PROC PSLLD PSLLQ "
    "PSLLW PSRAD PSRAW PSRLD PSRLQ PSRLW PSUBB PSUBSB PSUBSIW PSUBSW PSUBUSB PSUBUSW PSUBW "
    "PUNPCKHBW PUNPCKHDQ PUNPCKHWD PUNPCKLBW PUNPCKLDQ PUNPCKLWD PUSH PUSHA PUSHAD PUSHD PUSHF "
    "RCL RCR RDMSR RDPMC RDSHR RDTSC REP REPC REPE REPNC REPNE REPNZ REPZ RET RETF RETN ROL ROR "
    "RSM SAHF SAL SALC SAR SBB SCAS SCASB SCASD SCASW SEGMENT SETA SETB SETE SETG SETL SETNA "
    "SETNB SETNE SETNG SETNL SETNO SETNP SETNS SETO SETP SETS SGDT SHL SHLD SHR SHRD SIDT SLDT "
    "SMI SMINT SMINTOLD SMSW STC STD STI STOS STOSB STOSD STOSW STR SUB SYSCALL SYSENTER SYSEXIT "
    "SYSRET TEST UMOV VERW WAIT WBINVD WRMSR WRSHR XADD XBTS XCHG XLAT XOR XSTORE";

constexpr std::string_view kFullWidthSpace = "\xA1\xA1";

std::vector<std::string> SplitWords(std::string_view text) {
  std::istringstream stream{std::string(text)};
  std::vector<std::string> words;
  for (std::string word; stream >> word;) {
    words.push_back(word);
  }
  return words;
}

// The default text cut at CR LF; the text must end in CR LF.
std::vector<std::string_view> DefaultLines() {
  std::string_view text = DefaultInstructionText();
  std::vector<std::string_view> lines;
  for (size_t end; (end = text.find("\r\n")) != std::string_view::npos;
       text.remove_prefix(end + 2)) {
    lines.push_back(text.substr(0, end));
  }
  EXPECT_TRUE(text.empty()) << "bytes after the last CR LF";
  return lines;
}

// The Enter search on the default set: the mnemonics of the lines whose
// converted annotation contains the converted query.
std::vector<std::string> AnnotationSearch(std::string_view query) {
  const std::string needle = PinyinInitials(query);
  std::vector<std::string> found;
  for (std::string_view line : DefaultLines()) {
    if (ByteFind(WordsAfterFirst(PinyinInitials(line)), needle) != -1) {
      found.emplace_back(FirstWord(line));
    }
  }
  return found;
}

TEST(DefaultInstructionText, HoldsTheFixedMnemonicsInAscendingByteOrder) {
  const std::string_view text = DefaultInstructionText();
  EXPECT_EQ(text.data()[text.size()], '\0');
  EXPECT_EQ(text.find('\0'), std::string_view::npos);
  const std::vector<std::string_view> lines = DefaultLines();
  ASSERT_EQ(lines.size(), 399u);

  std::vector<std::string> mnemonics;
  for (std::string_view line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos) << line;
    EXPECT_NE(line.front(), ' ') << line;
    mnemonics.emplace_back(FirstWord(line));
  }
  EXPECT_EQ(mnemonics, SplitWords(kMnemonics));
  EXPECT_EQ(std::set<std::string>(mnemonics.begin(), mnemonics.end()).size(), 399u);

  const auto byteLess = [](std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<uint8_t>(x) < static_cast<uint8_t>(y);
    });
  };
  EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(), byteLess));
}

TEST(DefaultInstructionText, KeepsTheTellingRowsAndTheBareMnemonicsByteForByte) {
  const std::vector<std::string_view> lines = DefaultLines();
  const std::set<std::string_view> present(lines.begin(), lines.end());
  for (std::string_view row : {
           "AAA     加法的ASCII码调整.  ",
           "ADD 加",
           "MOV     传送字或字节.  ",
           "JA/JNBE     不小于或不等于时转移.  ",
           "CBW     字节转换为字. (把AL中字节的符号扩展到AH中去)  ",
           "WRSHR ",
       }) {
    EXPECT_TRUE(present.contains(row)) << row;
  }

  std::set<std::string> bare;
  for (const std::string& m :
       SplitWords("FDIVP FDIVR FDIVRP FIDIV FIDIVR FIMUL FISUB FISUBR FMULP FSUBP FSUBRP")) {
    bare.insert(m + "  ");
  }
  for (const std::string& m :
       SplitWords("MWAIT RDSHR SALC SMI SMINT SMINTOLD UMOV WRSHR XBTS XSTORE")) {
    bare.insert(m + " ");
  }
  for (const std::string& m :
       SplitWords("FISTTP PADDSIW PAVEB PDISTIB PMACHRIW PMADDWD PMAGW PMULHRIW PMULHRWC PMULHW "
                  "PMVGEZB PMVLZB PMVNZB PMVZB PSUBSIW")) {
    bare.insert(m + " " + std::string(kFullWidthSpace));
  }
  ASSERT_EQ(bare.size(), 36u);

  // Every other line carries an annotation after a run of 1 to 18 spaces.
  for (std::string_view line : lines) {
    const std::string annotation = WordsAfterFirst(line);
    if (bare.erase(std::string(line)) == 1) {
      continue;
    }
    EXPECT_FALSE(annotation.empty() || annotation == kFullWidthSpace) << line;
    const size_t run = line.find_first_not_of(' ', FirstWord(line).size()) - FirstWord(line).size();
    EXPECT_TRUE(run >= 1 && run <= 18) << line;
  }
  EXPECT_TRUE(bare.empty()) << *bare.begin() << " is missing";
}

TEST(DefaultInstructionText, IsGbkWithOnlyGb2312DoubleByteCharacters) {
  const std::string_view text = DefaultInstructionText();
  for (size_t i = 0; i < text.size(); ++i) {
    const auto lead = static_cast<uint8_t>(text[i]);
    if (lead < 0x80) {
      continue;
    }
    ASSERT_LT(i + 1, text.size());
    const auto trail = static_cast<uint8_t>(text[++i]);
    EXPECT_TRUE(lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE)
        << "at byte " << i - 1;
  }
}

TEST(DefaultInstructionText, AnnotationSearchesGiveTheDocumentedResults) {
  EXPECT_EQ(PinyinInitials("加法"), "jf");
  EXPECT_EQ(AnnotationSearch("加法"), SplitWords("AAA AAS ADC CMP DAA DAS OUT SBB SUB"));
  EXPECT_EQ(AnnotationSearch("ASCII"), SplitWords("AAA AAD AAM AAS"));
  EXPECT_TRUE(AnnotationSearch("ascii").empty());
}

// The first letters of the level-1 hanzi, from each boundary on.
constexpr std::array<std::pair<int, char>, 23> kLevel1Boundaries = {{
    {0xB0A1, 'a'}, {0xB0C5, 'b'}, {0xB2C1, 'c'}, {0xB4EE, 'd'}, {0xB6EA, 'e'}, {0xB7A2, 'f'},
    {0xB8C1, 'g'}, {0xB9FE, 'h'}, {0xBBF7, 'j'}, {0xBFA6, 'k'}, {0xC0AC, 'l'}, {0xC2E8, 'm'},
    {0xC4C3, 'n'}, {0xC5B6, 'o'}, {0xC5BE, 'p'}, {0xC6DA, 'q'}, {0xC8BB, 'r'}, {0xC8F6, 's'},
    {0xCBFA, 't'}, {0xCDDA, 'w'}, {0xCEF4, 'x'}, {0xD1B9, 'y'}, {0xD4D1, 'z'},
}};

constexpr std::array<int, 48> kSpaceHanzi = {
    0xC7DF, 0xC8E5, 0xD7FA, 0xD7FB, 0xD7FC, 0xD7FD, 0xD7FE, 0xD8AD, 0xD8AF, 0xD8BC, 0xD8CE, 0xD8D6,
    0xD8E7, 0xD8E9, 0xD9E0, 0xD9E8, 0xD9EF, 0xD9FB, 0xDAA2, 0xDAA5, 0xDAE0, 0xDAE2, 0xDBC8, 0xDBC9,
    0xDCB3, 0xDED0, 0xE1EA, 0xE1EB, 0xE2BA, 0xE2BB, 0xE2E0, 0xE3DC, 0xE3DF, 0xE5B2, 0xE5C1, 0xE5E6,
    0xE5F8, 0xE6F9, 0xEBB6, 0xECE1, 0xECEA, 0xEDB1, 0xEDEC, 0xEEC4, 0xF0DA, 0xF1C2, 0xF2AF, 0xF3CC,
};

char Level1Letter(int code) {
  switch (code) {
    case 0xB5D4:
      return 'z';
    case 0xC3BB:
      return 't';
    case 0xC5B3:
      return 'r';
  }
  char letter = '?';
  for (const auto& [start, boundaryLetter] : kLevel1Boundaries) {
    if (code >= start) {
      letter = boundaryLetter;
    }
  }
  return letter;
}

TEST(PinyinInitialTable, HasALetterForEveryHanziAndASpaceElsewhere) {
  const std::string_view table = PinyinInitialTable();
  ASSERT_EQ(table.size(), 256000u);
  EXPECT_EQ(table.data()[table.size()], '\0');
  const std::set<int> spaces(kSpaceHanzi.begin(), kSpaceHanzi.end());
  const std::string_view letters = "abcdefghjklmnopqrstwxyz";
  int letterCount = 0;
  for (size_t index = 0; index < table.size(); ++index) {
    const char entry = table[index];
    ASSERT_NE(entry, '\0') << index;
    const int lead = static_cast<int>(index / 1000);
    const int trail = static_cast<int>(index % 1000);
    const int code = lead * 256 + trail;
    const bool hanzi =
        lead >= 0xB0 && lead <= 0xF7 && trail >= 0xA1 && trail <= 0xFE && !spaces.contains(code);
    if (!hanzi) {
      EXPECT_EQ(entry, ' ') << std::hex << code;
      continue;
    }
    ++letterCount;
    if (code < 0xD8A1) {
      EXPECT_EQ(entry, Level1Letter(code)) << std::hex << code;
    } else {
      EXPECT_NE(letters.find(entry), std::string_view::npos) << std::hex << code;
    }
  }
  EXPECT_EQ(letterCount, 6720);
}

TEST(PinyinInitialTable, GivesTheReadingsOfKnownHanzi) {
  EXPECT_EQ(PinyinInitials("汇编指令加法亍齄"), "hbzljfcz");
  // Level 2, from the dictionary: 仄 ze, 乜 mie, 鳌 ao, 鼾 han.
  EXPECT_EQ(PinyinInitials("仄乜鳌鼾"), "zmah");
}

TEST(InstructionLines, FirstWordSkipsLeadingSpacesAndStopsAtTheNextOne) {
  EXPECT_EQ(FirstWord("ADD 加"), "ADD");
  EXPECT_EQ(FirstWord("   MOV  传送"), "MOV");
  EXPECT_EQ(FirstWord("XYZ"), "XYZ");
  EXPECT_EQ(FirstWord(""), "");
  EXPECT_EQ(FirstWord("    "), "");
  // Tabs and full-width spaces are ordinary bytes.
  EXPECT_EQ(FirstWord("A\tB\xA1\xA1"
                      "C D"),
            "A\tB\xA1\xA1"
            "C");
}

TEST(InstructionLines, WordsAfterFirstJoinsTheRestOrReturnsALoneFirstWord) {
  EXPECT_EQ(WordsAfterFirst("ADD 加"), "加");
  EXPECT_EQ(WordsAfterFirst("CBW     字节转换为字. (把AL中字节的符号扩展到AH中去)  "),
            "字节转换为字.(把AL中字节的符号扩展到AH中去)");
  EXPECT_EQ(WordsAfterFirst("A B C"), "BC");
  EXPECT_EQ(WordsAfterFirst("  A   B  C  "), "BC");
  EXPECT_EQ(WordsAfterFirst("WRSHR "), "");
  EXPECT_EQ(WordsAfterFirst("PMAGW \xA1\xA1"), "\xA1\xA1");
  EXPECT_EQ(WordsAfterFirst("XYZ"), "XYZ");
  EXPECT_EQ(WordsAfterFirst("   XYZ"), "XYZ");
  EXPECT_EQ(WordsAfterFirst(""), "");
  EXPECT_EQ(WordsAfterFirst("   "), "");
}

TEST(InstructionLines, PinyinInitialsReplacesHanziPairsOnly) {
  EXPECT_EQ(PinyinInitials("加法ADD"), "jfADD");
  EXPECT_EQ(PinyinInitials("ADD 加法"), "ADD jf");
  // Pairs without a letter stay: full-width punctuation, the full-width
  // space, a hanzi whose cell holds a space (0xC7DF), a lead byte before ASCII.
  EXPECT_EQ(PinyinInitials("加，法\xA1\xA1\xC7\xDF"), "j，f\xA1\xA1\xC7\xDF");
  EXPECT_EQ(PinyinInitials("\x81"
                           "A加"),
            "\x81"
            "Aj");
  // A lead byte that ends the text is copied as it is.
  EXPECT_EQ(PinyinInitials("A加\xB0"), "Aj\xB0");
  EXPECT_EQ(PinyinInitials(""), "");
}

TEST(InstructionLines, PadRightFillsWithTheFirstFillByteUpToTheWidth) {
  EXPECT_EQ(PadRight("MOV", " ", 15), "MOV" + std::string(12, ' '));
  EXPECT_EQ(PadRight("传送", "-+", 7), "传送---");
  EXPECT_EQ(PadRight("LOADALL286ABCDE", " ", 15), "LOADALL286ABCDE");
  EXPECT_EQ(PadRight("LOADALL286ABCDEF", " ", 15), "LOADALL286ABCDEF");
  EXPECT_EQ(PadRight("MOV", "", 15), "MOV");
  EXPECT_EQ(PadRight("", " ", 2), "  ");
  EXPECT_EQ(PadRight("MOV", " ", 0), "");
  EXPECT_EQ(PadRight("MOV", " ", -5), "");
}

TEST(InstructionLines, ByteFindIsPlainOneBasedAndNeverFindsTheEmptyNeedle) {
  EXPECT_EQ(ByteFind("JA/JNBE", "JNB"), 4);
  EXPECT_EQ(ByteFind("MOV", "MOV"), 1);
  EXPECT_EQ(ByteFind("MOVMOV", "VM"), 3);
  EXPECT_EQ(ByteFind("MOV", "mov"), -1);
  EXPECT_EQ(ByteFind("MOV", "MOVS"), -1);
  EXPECT_EQ(ByteFind("MOV", ""), -1);
  EXPECT_EQ(ByteFind("", "MOV"), -1);
  EXPECT_EQ(ByteFind("", ""), -1);
  // 啊啊 is B0 A1 B0 A1: the needle A1 B0 starts on a trail byte.
  EXPECT_EQ(ByteFind("啊啊", "\xA1\xB0"), 2);
}

// Texts of a few bytes, so that partial matches are everywhere, each ending
// where an inaccessible page starts: a look past the end crashes.
TEST(InstructionLines, FindBytesFindsWhatFindFindsAndReadsNothingPastTheText) {
  const std::string_view alphabet("MM0\x00\xB0\xA1", 6);
  uint32_t state = 7;
  const auto next = [&state](uint32_t below) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % below;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string text(next(80), ' ');
    for (char& c : text) {
      c = alphabet[next(static_cast<uint32_t>(alphabet.size()))];
    }
    std::string needle(1 + next(20), ' ');
    for (char& c : needle) {
      c = alphabet[next(static_cast<uint32_t>(alphabet.size()))];
    }
    if (round % 3 == 0 && !text.empty()) {
      // A needle taken from the text itself is always found.
      const size_t at = next(static_cast<uint32_t>(text.size()));
      needle = text.substr(at, 1 + next(static_cast<uint32_t>(text.size() - at)));
    }
    const GuardedBytes guarded(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ASSERT_TRUE(guarded.ok());
    const std::string_view view(reinterpret_cast<const char*>(guarded.data()), text.size());
    for (size_t from = 0; from <= text.size() + 1; from += 1 + next(7)) {
      ASSERT_EQ(FindBytes(view, needle, from), view.find(needle, from))
          << "text of " << text.size() << " bytes, needle of " << needle.size() << ", from "
          << from;
    }
  }
  EXPECT_EQ(FindBytes("M000001 M000002", "M000002", 0), 8u);
  EXPECT_EQ(FindBytes("MOV", "", 1), 1u);
}

TEST(InstructionLines, SortLinesComparesUnsignedBytesWithPrefixesFirst) {
  std::vector<std::string_view> lines = {"MOVSB", "传送", "MOV", "", "MOV   传送", "A", "MOV"};
  SortLines(lines, true);
  EXPECT_EQ(lines,
            (std::vector<std::string_view>{"", "A", "MOV", "MOV", "MOV   传送", "MOVSB", "传送"}));
  SortLines(lines, false);
  EXPECT_EQ(lines,
            (std::vector<std::string_view>{"传送", "MOVSB", "MOV   传送", "MOV", "MOV", "A", ""}));
}

struct DecodedPicture {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  std::vector<uint8_t> rgba;
};

// Decodes the whole stream, so a damaged chunk or pixel data fails here.
DecodedPicture Decode(std::span<const uint8_t> png) {
  DecodedPicture picture;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) {
    ADD_FAILURE() << image.message;
    return picture;
  }
  image.format = PNG_FORMAT_RGBA;
  picture.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr)) {
    ADD_FAILURE() << image.message;
    return picture;
  }
  picture.width = image.width;
  picture.height = image.height;
  return picture;
}

void ExpectHelpPicture(std::span<const uint8_t> png, png_uint_32 width, png_uint_32 height) {
  // IHDR right after the signature: bit depth 8, colour type 6 (RGBA).
  ASSERT_GT(png.size(), 26u);
  EXPECT_EQ(png[24], 8);
  EXPECT_EQ(png[25], 6);
  const DecodedPicture picture = Decode(png);
  EXPECT_EQ(picture.width, width);
  EXPECT_EQ(picture.height, height);
  // Not blank: a light background with dark writing on it, all opaque.
  size_t dark = 0;
  size_t light = 0;
  for (size_t i = 0; i + 3 < picture.rgba.size(); i += 4) {
    const int sum = picture.rgba[i] + picture.rgba[i + 1] + picture.rgba[i + 2];
    dark += sum < 200;
    light += sum > 700;
    EXPECT_EQ(picture.rgba[i + 3], 255) << "pixel " << i / 4;
  }
  EXPECT_GT(dark, 100u);
  EXPECT_GT(light, picture.rgba.size() / 4 / 2);
}

TEST(HelpPictures, AreRgbaPngsOfTheirSizes) {
  ExpectHelpPicture(FormatHelpPicture(), 319, 126);
  ExpectHelpPicture(DeleteHelpPicture(), 101, 193);
}

}  // namespace
}  // namespace mnemora::app
