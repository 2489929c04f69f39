// Loading and saving the instruction set: the table every look-up reads,
// the list of mnemonics and the count label.
#pragma once

namespace mnemora::app {

// Builds the table from the instruction file (the default set when there is
// no file), publishes it, adds its mnemonics to 列表框1 (which the caller
// has emptied), writes the file when it was missing and shows the count in
// 标签_指令个数.
void LoadInstructionSet();

// True when the current table holds what the file holds. Otherwise (the
// file was there but could not be read) the list is emptied and the set
// loaded again first, and the answer is whether that read succeeded.
bool EnsureInstructionSetRead();

// Writes the current table to the instruction file, with a bounded number of
// attempts; when all fail, the file stays as it was and the table in memory.
void SaveInstructionSet();

// Releases the table at program end.
void FreeInstructionSet();

}  // namespace mnemora::app
