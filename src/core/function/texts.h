#pragma once
// Every text the function definition shows, exactly as the user sees it.

#include "ui/messages.h"

namespace kestrel::text {

inline constexpr const char* kOnlyDigits = "Only digits are allowed!";
inline constexpr const char* kNotANumber = "Only the digits 0 to 9 make a number!";
inline constexpr const char* kTooLong = "The number you have entered is too long!";
inline constexpr const char* kOutOfRange = "Number entered exceeds the range of allowed values! ";
inline constexpr const char* kLeadingZero = "Remove zero preciding the number! ";
inline constexpr const char* kTooManyTerms =
    "Too many terms entered! Delete one if you want to add another";
inline constexpr const char* kExistsHead = "Entered value exists in the group of: ";
inline constexpr const char* kExistsTail = "!   ";
inline constexpr const char* kTooMuchWritten =
    "There is too much of terms written!\nMaximal number of terms is ";

inline constexpr const char* kForbiddenHead = "Forbidden character \"";
inline constexpr const char* kForbiddenTail = "\" has been used!!";
inline constexpr const char* kVariableHead = "Variable \"";
inline constexpr const char* kVariableTail =
    "\" is not correct.\nVariable must fit in the range from x0 to x9!";
inline constexpr const char* kVariableTailBang =
    "\" is not correct!\nVariable must fit in the range from x0 to x9!";
inline constexpr const char* kNumberHead = "The number \"x";
inline constexpr const char* kNumberTail =
    "\" exceeds the number of variables!\nVariable must fit in the range from x0 to x9!";
inline constexpr const char* kNotConvertible =
    "Error occured while changing the string into number!";
inline constexpr const char* kCheckFailed = "Error occured while checking the function.";

/// The headings of the function in the result display and the printed text block.
inline constexpr const char* kFunctionAfterMinimization = "Function after minimization:";
inline constexpr const char* kFunctionHeading = "Function:";
/// The heading of a function replaced by its minimum cover, proven minimal or not.
inline constexpr const char* kFunctionMinimumCover = "Function after minimization (minimum cover):";
inline constexpr const char* kFunctionBestFoundCover =
    "Function after minimization (fewest products found, not proven minimal):";

inline constexpr const char* kTitleMinimization = "Progress of minimization:";
inline constexpr const char* kTitleFinished = "Progress of minimization: FINISHED!";
inline constexpr const char* kTitleZeros = "Generating zeros. Please wait...";
inline constexpr const char* kTimeLine = "Minimization time:";
inline constexpr const char* kStopped = "Process stopped!";
inline constexpr const char* kMinimizesToZero = "Function minimizes to '0'!\n\rF=0";
inline constexpr const char* kMinimizesToOne = "Function minimizes to '1'!\n\rF=1";
inline constexpr const char* kNoMemoryRun = "Not enought memmory to run the program!";
inline constexpr const char* kNoMemoryZeros = "Not enought memory!";
inline constexpr const char* kMinimizationError = "Error with minimization!";
inline constexpr const char* kArrayOverflow = "array overflow";

}  // namespace kestrel::text
