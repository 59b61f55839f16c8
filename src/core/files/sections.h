#pragma once
// The sections of the function file (kef) and the project file (kep) over a line buffer.
//
// Function section, canonical layout: "KESTREL", "DECIMAL", then for Ones, Zeros and Don't
// cares a count line followed by that many entries, then "MINIMIZED", the function text and "-".
// Literal layout: "KESTREL", "LITERAL", the function text. A project file appends the design
// section: a keyword ("MUX", "MUX+GATES", "DMUX", "MUXTREE", "MUX+DMUX") and one or two sizes,
// "MUX+GATES" also the gate family.
//
// Trailing lines: what newer versions add after the last section of a file (the function
// section of a function file, the design section of a project file), only when there is
// something to say, so that the files of the greedy cover and the automatic address choice stay
// exactly as they always were. Older versions read both files by line index and stop before
// these lines, so they open such a file as before: they show the same function text and realize
// the design with the automatic address choice.
//   "COVER", then "MINIMUM" or "BEST FOUND": the function text is the minimum cover of the
//   Ones, proven minimal or the fewest products found within the time limit.
//   "ADDRESS", then the address choice as FormatAddressChoice writes it ("best", "x3,x1/x2"):
//   project files only.

#include <optional>
#include <string>

#include "engine/address_choice.h"
#include "files/line_buffer.h"
#include "function/function_model.h"
#include "structure/structure_choice.h"
#include "ui/messages.h"
#include "ui/shell.h"

namespace kestrel {

/// ReadFunctionSection's answers other than the index of the line after the section.
inline constexpr int kSectionInvalid = -1;  ///< not a section keyword, or no "-" after the text
inline constexpr int kSectionCorrupt = -2;  ///< a count or an entry that cannot be right

/// A size line (2, 4, 8, 16) as a radio index: 4 gives 1, 8 gives 2, 16 gives 3, all else 0.
int FromBitsToIdx(int size);
/// A radio index 0..3 as the size written to the file: 2^(index + 1).
int IdxToBits(int index);
/// A count or size line as a number: an optional "-" and one to ten digits, nothing else.
std::optional<long long> ParseFileInteger(const std::string& line);

/// The reset before a file is read: function text "" and the three lists emptied.
void ResetFunction(FunctionModel& model);

/// Empties the buffer and fills it with the function section of the current function. Refuses
/// (with "Data to save cannot be blank!   ") when there is nothing to save: a canonical
/// function with three empty lists, an empty literal text, or no function at all.
bool WriteFunctionSection(LineBuffer& buffer, const FunctionModel& model, MessageSink& messages);
/// Appends the design section of the current structure choice.
void WriteDesignSection(LineBuffer& buffer, const StructureChoice& choice);

/// Reads the function section from line start into the model (representation flag, lists,
/// function text) and sets the command state it implies: 1, or 10 for a constant function.
/// Returns the index of the first line after the section, kSectionInvalid, or kSectionCorrupt.
/// A corrupt section is one whose count is not a number of 0..1024 or announces more lines than
/// the file has left, whose entries are not combination numbers 0..1023 written without leading
/// zeros or repeat a number, or whose function text is not in the function-text syntax or
/// disagrees with its own lists (0 on a One or 1 on a Zero; Don't cares are free); reading
/// stops there and what was read before stays. The entries of each list are kept in ascending
/// order.
int ReadFunctionSection(const LineBuffer& buffer, int start, FunctionModel& model,
                        ShellPort& shell);

enum class DesignRead {
  kRead,      ///< the choice now holds the file's structure
  kNoDesign,  ///< no design keyword at start; the choice is unchanged
  kCorrupt,   ///< a size line that is not a number; the choice is unchanged
};
/// Reads the design section from line start into the choice. A "MUX+DMUX" size of 1 (written
/// for a group with no size selected) reads back as no size selected.
DesignRead ReadDesignSection(const LineBuffer& buffer, int start, StructureChoice& choice);

/// Appends the trailing lines: the cover note of the function text, and for a project (address
/// given) the address choice when it is not automatic.
void WriteTrailingLines(LineBuffer& buffer, const FunctionModel& model,
                        const AddressChoice* address);
/// Reads the trailing lines from line start on, passing over every other line: the cover note
/// of the function text just read, and (address given) the address choice; a missing or
/// unreadable choice reads as automatic.
void ReadTrailingLines(const LineBuffer& buffer, int start, FunctionModel& model,
                       AddressChoice* address);

/// True unless the file exists and is read-only (then "File cannot be saved. ..." is shown).
bool CheckReadOnly(const std::string& path, MessageSink& messages);
/// True unless the file exists and the user declines to replace it.
bool ConfirmReplace(const std::string& path, MessageSink& messages);

}  // namespace kestrel
