// What the three edits write: the whole new file text, built from the table
// the edit started from, and the parts they take from the annotation box.
// The table itself is never changed; each edit builds from its own copy.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/instruction_table.h"

namespace mnemora::app {

// Called after every slice of entries while a file text is built.
using EditPacing = std::function<void()>;

// The annotation box's text as the edits read it: every CR LF counts as a
// space, so that a first line without one still ends at the line break
// instead of running into the next line.
std::string BoxTextForEditing(std::string_view boxText);

// The mnemonic an add takes from the box: its first word, ASCII letters
// upper-cased. Empty for a blank box.
std::string NewMnemonic(std::string_view boxText);

// The annotation add and modify take from the box: all words after the
// first, across all lines, joined without spaces.
std::string EditedAnnotation(std::string_view boxText);

// A line as an edit writes it: mnemonic, three spaces, annotation.
std::string InstructionLine(std::string_view mnemonic, std::string_view annotation);

// Every entry in table order and the new line last, each with CR LF.
std::string AddedFileText(const InstructionTable& table, std::string_view newLine,
                          const EditPacing& pace);

// The entries from the last to the first (descending), the one whose first
// word is mnemonic given the new annotation, each with CR LF.
std::string ModifiedFileText(const InstructionTable& table, std::string_view mnemonic,
                             std::string_view annotation, const EditPacing& pace);

// The entries in ascending order without the one whose first word is
// mnemonic, each with CR LF.
std::string DeletedFileText(const InstructionTable& table, std::string_view mnemonic,
                            const EditPacing& pace);

}  // namespace mnemora::app
